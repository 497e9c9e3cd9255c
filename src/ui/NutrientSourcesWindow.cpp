#include "ui/NutrientSourcesWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/CoreText.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"
#include "ui/OnScreen.h"
#include "ui/SensitivityTab.h"

namespace {

// The sensitivity tables want room: nine columns of restrictions.
constexpr int kSensitivityWidth = 1180;  // pixels
constexpr int kSensitivityHeight = 640;

}  // namespace

NutrientSourcesWindow::NutrientSourcesWindow(NutrientSourcesForm& form,
                                             SensitivityForm& sensitivity,
                                             Dialogs& dialogs,
                                             QWidget* parent)
    : SecondaryWindow(parent), form_(form) {
  setObjectName(QStringLiteral("NutrientSourcesWindow"));
  setWindowTitle(FromCoreText(NutrientSourcesForm::kCaption));

  label_ = AddLabel("label");
  table_ = new GridView(this);
  table_->setObjectName(QStringLiteral("sharesTable"));
  table_->Bind(form_.sharesTable, dialogs);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(AddButton("showPercentages",
                               NutrientSourcesForm::kShowPercentagesCaption,
                               [this] { form_.ShowPercentages(); }));
  buttons->addWidget(AddButton(
      "CopyToClipboard", NutrientSourcesForm::kCopyCaption, [this] { form_.CopyToClipboard(); }));
  // The form has no close command of its own: the window's close box is it.
  connect(this, &SecondaryWindow::Closed, this, [this] { form_.visible = false; });
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
  resize(NutrientSourcesForm::kNameWidth + NutrientSourcesForm::kShareWidth + 80, 320);
}

void NutrientSourcesWindow::Open(const SourcesRequest& request) {
  form_.Show(request);
  Open();
}

void NutrientSourcesWindow::Refresh() {
  label_->setText(FromCoreText(form_.label));
  if (tabs_->currentIndex() != 0) {
    resize(std::max(width(), kSensitivityWidth), std::max(height(), kSensitivityHeight));
  } else if (form_.windowHeight > 0) {
    // As tall as the form makes the window for its rows.
    resize(width(), form_.windowHeight);
  }
  if (isVisible()) KeepOnScreen(*this);
}
