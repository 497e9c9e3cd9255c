#include "ui/ChangeTrackingWindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "app/AfrmMain.h"
#include "ui/CoreText.h"
#include "ui/GridView.h"

ChangeTrackingWindow::ChangeTrackingWindow(frmTrack& form,
                                           Dialogs& dialogs,
                                           AfrmMain& mainForm,
                                           QWidget* parent)
    : SecondaryWindow(parent), form_(form), dialogs_(dialogs) {
  setObjectName(QStringLiteral("frmTrack"));
  setWindowTitle(FromCoreText(frmTrack::kCaption));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(AddButton(
      "ResetInitial", frmTrack::kResetCaption, [&mainForm] { mainForm.TrackResetInitial(); }));
  buttons->addWidget(AddButton(
      "CopyToClipboard", frmTrack::kCopyCaption, [this] { form_.CopyToClipboard(dialogs_); }));
  buttons->addStretch();

  auto* layout = new QGridLayout(this);
  layout->addWidget(AddLabel("CurrentCaption", frmTrack::kCurrentCaption), 0, 0, 1, 2);
  layout->addWidget(AddTable(form_.griddiff, "griddiff"), 1, 0, 1, 2);
  layout->addWidget(AddLabel("InitialCaption", frmTrack::kInitialCaption), 2, 0, 1, 2);
  layout->addWidget(AddTable(form_.GridInitDiet, "GridInitDiet"), 3, 0);
  layout->addWidget(AddTable(form_.GridInitForm, "GridInitForm"), 3, 1);
  layout->addWidget(AddLabel("PreviousCaption", frmTrack::kPreviousCaption), 4, 0, 1, 2);
  layout->addWidget(AddTable(form_.GridPrevDiet, "GridPrevDiet"), 5, 0);
  layout->addWidget(AddTable(form_.GridPrevForm, "GridPrevForm"), 5, 1);
  layout->addLayout(buttons, 6, 0, 1, 2);
  resize(1100, 760);
}

// The pop-up entries act on the table last right-clicked or typed in.
GridView* ChangeTrackingWindow::AddTable(Grid& grid, const char* name) {
  auto* view = new GridView(this);
  view->setObjectName(QString::fromLatin1(name));
  view->Bind(grid, dialogs_);
  for (const frmTrack::PopupEntry& entry : frmTrack::kPopup)
    view->SetPopupCaption(entry.action, FromCoreText(entry.caption));
  view->SetActivateHook([this](Grid& active) { form_.activeGrid = &active; });
  view->SetPopupHook(
      [this](PopupAction action) { Run([this, action] { form_.Popup(action, dialogs_); }); });
  return view;
}
