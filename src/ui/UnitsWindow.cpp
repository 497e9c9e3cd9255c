#include "ui/UnitsWindow.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "app/MainForm.h"
#include "ui/CoreText.h"

UnitsWindow::UnitsWindow(UnitsForm& form, MainForm& mainForm, QWidget* parent)
    : SecondaryWindow(parent), form_(form) {
  setObjectName(QStringLiteral("UnitsWindow"));
  setWindowTitle(FromCoreText(UnitsForm::kTitle));

  weights_ = AddList(form_.weights, "weights");
  energy_ = AddList(form_.feedEnergy, "feedEnergy");
  cost_ = AddList(form_.feedCost, "feedCost");

  QLabel* temperature = AddLabel("TemperatureLink");
  temperature->setText(QStringLiteral("<a href=\"#\">%1</a>")
                           .arg(FromCoreText(UnitsForm::kTemperatureLink).toHtmlEscaped()));
  connect(temperature, &QLabel::linkActivated, this, &UnitsWindow::TemperatureRequested);

  auto* layout = new QGridLayout(this);
  layout->addWidget(AddLabel("Explain", UnitsForm::kExplain), 0, 0, 1, 3);
  int col = 0;
  for (auto [list, caption] : {std::pair{weights_, &form_.weights},
                               std::pair{energy_, &form_.feedEnergy},
                               std::pair{cost_, &form_.feedCost}}) {
    layout->addWidget(new QLabel(FromCoreText(caption->caption), this), 1, col);
    layout->addWidget(list, 2, col++);
  }
  layout->addWidget(AddLabel("Instructions", UnitsForm::kInstructions), 3, 0, 1, 3);
  layout->addWidget(temperature, 4, 0, 1, 3);
  layout->addWidget(
      AddButton("accept", UnitsForm::kOKCaption, [&mainForm] { mainForm.AcceptUnits(); }), 5, 2);
  resize(560, 420);
}

QListWidget* UnitsWindow::AddList(UnitList& list, const char* name) {
  auto* widget = new QListWidget(this);
  widget->setObjectName(QString::fromLatin1(name));
  for (const std::string& item : list.items) widget->addItem(FromCoreText(item));
  connect(widget, &QListWidget::currentRowChanged, this, [&list](int row) {
    if (row >= 0) list.selected = row;
  });
  return widget;
}

void UnitsWindow::Refresh() {
  weights_->setCurrentRow(form_.weights.selected);
  energy_->setCurrentRow(form_.feedEnergy.selected);
  cost_->setCurrentRow(form_.feedCost.selected);
}
