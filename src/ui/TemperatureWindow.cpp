#include "ui/TemperatureWindow.h"

#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "ui/CoreText.h"
#include "ui/GridView.h"

TemperatureWindow::TemperatureWindow(TemperatureForm& form,
                                     Dialogs& dialogs,
                                     TemperatureProfile& profile,
                                     const std::string& stgFile,
                                     QWidget* parent)
    : SecondaryWindow(parent),
      form_(form),
      profile_(profile),
      stgFile_(stgFile),
      dialogs_(dialogs) {
  setObjectName(QStringLiteral("TemperatureWindow"));
  setWindowTitle(FromCoreText(TemperatureForm::kCaption));

  auto* menuBar = new QMenuBar(this);
  QMenu* close = menuBar->addMenu(FromCoreText(TemperatureForm::kCloseMenu));
  close->setObjectName(QStringLiteral("CloseMenu"));
  AddMenuEntry(close, "CloseWithoutSaving", TemperatureForm::kCloseWithoutSavingCaption, [this] {
    form_.CloseWithoutSaving();
  });
  AddMenuEntry(close, "SaveValues", TemperatureForm::kSaveValuesCaption, [this] {
    form_.SaveValues(profile_);
  });
  QMenu* transfer = menuBar->addMenu(FromCoreText(TemperatureForm::kTransferMenu));
  transfer->setObjectName(QStringLiteral("TransferMenu"));
  AddMenuEntry(transfer, "TransferValues", TemperatureForm::kTransferValuesCaption, [this] {
    form_.TransferValues(profile_);
  });
  AddMenuEntry(transfer, "SaveAndClose", TemperatureForm::kSaveAndCloseCaption, [this] {
    form_.SaveAndClose(profile_);
  });
  AddMenuEntry(transfer, "TransferAndClose", TemperatureForm::kTransferAndCloseCaption, [this] {
    form_.TransferAndClose(profile_);
  });
  AddMenuEntry(transfer, "TransferAndSave", TemperatureForm::kTransferAndSaveCaption, [this] {
    form_.TransferAndSave(profile_, stgFile_, dialogs_);
  });

  // Both tables paste a column of values, one a line.
  auto* current = new GridView(this);
  current->setObjectName(QStringLiteral("entryTable"));
  current->Bind(form_.entryTable, dialogs);
  current->SetPasteMode(PasteMode::TemperatureColumn);
  auto* held = new GridView(this);
  held->setObjectName(QStringLiteral("profileTable"));
  held->Bind(form_.profileTable, dialogs);
  held->SetPasteMode(PasteMode::TemperatureColumn);

  auto* layout = new QGridLayout(this);
  layout->setMenuBar(menuBar);
  layout->addWidget(AddLabel("CurrentCaption", TemperatureForm::kCurrentTableCaption), 0, 0);
  layout->addWidget(AddLabel("ProfileCaption", TemperatureForm::kProfileTableCaption), 0, 1);
  layout->addWidget(current, 1, 0);
  layout->addWidget(held, 1, 1);
  resize(640, 520);
}

void TemperatureWindow::AddMenuEntry(QMenu* menu,
                                     const char* name,
                                     std::string_view caption,
                                     const std::function<void()>& command) {
  QAction* action = menu->addAction(FromCoreText(caption));
  action->setObjectName(QString::fromLatin1(name));
  connect(action, &QAction::triggered, this, [this, command] { Run(command); });
}
