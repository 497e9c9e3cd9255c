#include "ui/TempWindow.h"

#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "ui/CoreText.h"
#include "ui/GridView.h"

TempWindow::TempWindow(TemperatureWindow& form,
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
  setWindowTitle(FromCoreText(TemperatureWindow::kCaption));

  auto* menuBar = new QMenuBar(this);
  QMenu* close = menuBar->addMenu(FromCoreText(TemperatureWindow::kCloseMenu));
  close->setObjectName(QStringLiteral("CloseMenu"));
  AddMenuEntry(close, "CloseWithoutSaving", TemperatureWindow::kCloseWithoutSavingCaption, [this] {
    form_.CloseWithoutSaving();
  });
  AddMenuEntry(close, "SaveValues", TemperatureWindow::kSaveValuesCaption, [this] {
    form_.SaveValues(profile_);
  });
  QMenu* transfer = menuBar->addMenu(FromCoreText(TemperatureWindow::kTransferMenu));
  transfer->setObjectName(QStringLiteral("TransferMenu"));
  AddMenuEntry(transfer, "TransferValues", TemperatureWindow::kTransferValuesCaption, [this] {
    form_.TransferValues(profile_);
  });
  AddMenuEntry(transfer, "SaveAndClose", TemperatureWindow::kSaveAndCloseCaption, [this] {
    form_.SaveAndClose(profile_);
  });
  AddMenuEntry(transfer, "TransferAndClose", TemperatureWindow::kTransferAndCloseCaption, [this] {
    form_.TransferAndClose(profile_);
  });
  AddMenuEntry(transfer, "TransferAndSave", TemperatureWindow::kTransferAndSaveCaption, [this] {
    form_.TransferAndSave(profile_, stgFile_, dialogs_);
  });

  // Both tables paste a column of values, one a line.
  auto* current = new GridView(this);
  current->setObjectName(QStringLiteral("GridCurrTemp"));
  current->Bind(form_.GridCurrTemp, dialogs);
  current->SetPasteMode(PasteMode::TemperatureColumn);
  auto* held = new GridView(this);
  held->setObjectName(QStringLiteral("gridCalibTemp"));
  held->Bind(form_.gridCalibTemp, dialogs);
  held->SetPasteMode(PasteMode::TemperatureColumn);

  auto* layout = new QGridLayout(this);
  layout->setMenuBar(menuBar);
  layout->addWidget(AddLabel("CurrentCaption", TemperatureWindow::kCurrentTableCaption), 0, 0);
  layout->addWidget(AddLabel("ProfileCaption", TemperatureWindow::kProfileTableCaption), 0, 1);
  layout->addWidget(current, 1, 0);
  layout->addWidget(held, 1, 1);
  resize(640, 520);
}

void TempWindow::AddMenuEntry(QMenu* menu,
                              const char* name,
                              std::string_view caption,
                              const std::function<void()>& command) {
  QAction* action = menu->addAction(FromCoreText(caption));
  action->setObjectName(QString::fromLatin1(name));
  connect(action, &QAction::triggered, this, [this, command] { Run(command); });
}
