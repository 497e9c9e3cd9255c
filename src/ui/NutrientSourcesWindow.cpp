#include "ui/NutrientSourcesWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/CoreText.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"

NutrientSourcesWindow::NutrientSourcesWindow(NutrientSourcesForm& form,
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
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label_);
  layout->addWidget(table_, 1);
  layout->addLayout(buttons);
  resize(NutrientSourcesForm::kNameWidth + NutrientSourcesForm::kShareWidth + 80, 320);
}

void NutrientSourcesWindow::Open(const SourcesRequest& request) {
  form_.Show(request);
  Open();
}

void NutrientSourcesWindow::Refresh() {
  label_->setText(FromCoreText(form_.label));
  // As tall as the form makes the window for its rows.
  if (form_.windowHeight > 0) resize(width(), form_.windowHeight);
}
