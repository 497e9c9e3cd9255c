#include "ui/SourcesWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/CoreText.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"

SourcesWindow::SourcesWindow(frmMsgBoxA& form, Dialogs& dialogs, QWidget* parent)
    : SecondaryWindow(parent), form_(form) {
  setObjectName(QStringLiteral("frmMsgBoxA"));
  setWindowTitle(FromCoreText(frmMsgBoxA::kCaption));

  label_ = AddLabel("Label1");
  table_ = new GridView(this);
  table_->setObjectName(QStringLiteral("Grid1"));
  table_->Bind(form_.Grid1, dialogs);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(
      AddButton("Command1", frmMsgBoxA::kCommand1Caption, [this] { form_.Command1(); }));
  buttons->addWidget(
      AddButton("CopyToClipboard", frmMsgBoxA::kCopyCaption, [this] { form_.CopyToClipboard(); }));
  // The form has no close command of its own: the window's close box is it.
  connect(this, &SecondaryWindow::Closed, this, [this] { form_.visible = false; });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label_);
  layout->addWidget(table_, 1);
  layout->addLayout(buttons);
  resize(frmMsgBoxA::kNameWidth + frmMsgBoxA::kShareWidth + 80, 320);
}

void SourcesWindow::Open(const SourcesRequest& request) {
  form_.Show(request);
  Open();
}

void SourcesWindow::Refresh() {
  label_->setText(FromCoreText(form_.Label));
  // As tall as the form makes the window for its rows.
  if (form_.Height > 0) resize(width(), form_.Height);
}
