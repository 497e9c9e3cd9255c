#include "ui/ChangeTrackingWindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "app/MainForm.h"
#include "ui/CoreText.h"
#include "ui/GridView.h"

ChangeTrackingWindow::ChangeTrackingWindow(ChangeTrackingForm& form,
                                           Dialogs& dialogs,
                                           MainForm& mainForm,
                                           QWidget* parent)
    : SecondaryWindow(parent), form_(form), dialogs_(dialogs) {
  setObjectName(QStringLiteral("ChangeTrackingWindow"));
  setWindowTitle(FromCoreText(ChangeTrackingForm::kCaption));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(AddButton("ResetInitial", ChangeTrackingForm::kResetCaption, [&mainForm] {
    mainForm.TrackResetInitial();
  }));
  buttons->addWidget(AddButton("CopyToClipboard", ChangeTrackingForm::kCopyCaption, [this] {
    form_.CopyToClipboard(dialogs_);
  }));
  buttons->addStretch();

  auto* layout = new QGridLayout(this);
  layout->addWidget(AddLabel("CurrentCaption", ChangeTrackingForm::kCurrentCaption), 0, 0, 1, 2);
  layout->addWidget(AddTable(form_.comparisonTable, "comparisonTable"), 1, 0, 1, 2);
  layout->addWidget(AddLabel("InitialCaption", ChangeTrackingForm::kInitialCaption), 2, 0, 1, 2);
  layout->addWidget(AddTable(form_.initialDiets, "initialDiets"), 3, 0);
  layout->addWidget(AddTable(form_.initialFormulas, "initialFormulas"), 3, 1);
  layout->addWidget(AddLabel("PreviousCaption", ChangeTrackingForm::kPreviousCaption), 4, 0, 1, 2);
  layout->addWidget(AddTable(form_.previousDiets, "previousDiets"), 5, 0);
  layout->addWidget(AddTable(form_.previousFormulas, "previousFormulas"), 5, 1);
  layout->addLayout(buttons, 6, 0, 1, 2);
  resize(1100, 760);
}

// The pop-up entries act on the table last right-clicked or typed in.
GridView* ChangeTrackingWindow::AddTable(Grid& grid, const char* name) {
  auto* view = new GridView(this);
  view->setObjectName(QString::fromLatin1(name));
  view->Bind(grid, dialogs_);
  for (const ChangeTrackingForm::PopupEntry& entry : ChangeTrackingForm::kPopup)
    view->SetPopupCaption(entry.action, FromCoreText(entry.caption));
  view->SetActivateHook([this](Grid& active) { form_.activeGrid = &active; });
  view->SetPopupHook(
      [this](PopupAction action) { Run([this, action] { form_.Popup(action, dialogs_); }); });
  return view;
}
