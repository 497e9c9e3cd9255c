#include "ui/SourcesWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/CoreText.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"
#include "ui/SensitivityTab.h"

namespace {

// The sensitivity tables want room: nine columns of restrictions.
constexpr int kSensitivityWidth = 1180;  // pixels
constexpr int kSensitivityHeight = 640;

}  // namespace

SourcesWindow::SourcesWindow(frmMsgBoxA& form,
                             SensitivityForm& sensitivity,
                             Dialogs& dialogs,
                             QWidget* parent)
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
  connect(this, &SecondaryWindow::Closed, this, [this] { form_.Visible = false; });
  auto* sources = new QWidget;
  auto* sourcesLayout = new QVBoxLayout(sources);
  sourcesLayout->addWidget(label_);
  sourcesLayout->addWidget(table_, 1);
  sourcesLayout->addLayout(buttons);

  // Beside the sources of the diet the user clicked, what its cost depends
  // on: the window a click on a formulated diet opens.
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("SourcesTabs"));
  tabs_->addTab(sources, QStringLiteral("Sources"));
  tabs_->addTab(new SensitivityTab(sensitivity, dialogs), QStringLiteral("Sensitivity"));
  connect(tabs_, &QTabWidget::currentChanged, this, [this] { Refresh(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  resize(GridModel::PixelsFromTwips(frmMsgBoxA::kNameWidth + frmMsgBoxA::kShareWidth) + 80, 320);
}

void SourcesWindow::Open(const SourcesRequest& request) {
  form_.Show(request);
  Open();
}

void SourcesWindow::Refresh() {
  label_->setText(FromCoreText(form_.Label));
  if (tabs_->currentIndex() != 0) {
    resize(std::max(width(), kSensitivityWidth), std::max(height(), kSensitivityHeight));
    return;
  }
  // As tall as the form makes the window for its rows.
  if (form_.Height > 0) resize(width(), GridModel::PixelsFromTwips(form_.Height));
}
