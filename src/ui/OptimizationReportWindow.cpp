#include "ui/OptimizationReportWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "ui/CoreText.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"
#include "ui/OptimizationReportChart.h"

OptimizationReportWindow::OptimizationReportWindow(OptimizationReportForm& form,
                                                   Dialogs& dialogs,
                                                   QWidget* parent)
    : SecondaryWindow(parent), form_(form) {
  setObjectName(QStringLiteral("OptimizationReportWindow"));
  setWindowTitle(FromCoreText(OptimizationReportForm::kCaption));

  // The tabs in the form's order: optimum, nutrient and ingredient
  // restrictions, diet formulation.
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("tabs"));
  Grid* tables[] = {&form_.optimumTable,
                    &form_.nutrientRestrictionTable,
                    &form_.ingredientRestrictionTable,
                    &form_.formulationTable};
  const char* names[] = {
      "optimumTable", "nutrientRestrictionTable", "ingredientRestrictionTable", "formulationTable"};
  for (int tab = 0; tab < static_cast<int>(std::size(tables)); ++tab) {
    tabs_->addTab(AddTable(*tables[tab], names[tab], dialogs),
                  FromCoreText(OptimizationReportForm::kTabCaptions[tab]));
  }
  // The start against the optimum by diet, as bar charts on a tab of their own.
  chart_ = new OptimizationReportChart(dialogs, {}, this);
  chartTab_ = tabs_->addTab(chart_, FromCoreText(kChartTabCaption));
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) {
    form_.currentTab = FormTab(tab);
  });

  target_ = new QLineEdit(this);
  target_->setObjectName(QStringLiteral("targetText"));
  target_->setReadOnly(true);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(target_);
  buttons->addWidget(AddButton("CopyToClipboard", OptimizationReportForm::kCopyCaption, [this] {
    form_.CopyToClipboard();
  }));
  buttons->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_, 1);
  layout->addLayout(buttons);
  // "Show Current" stays hidden and has no command: it is not shown here.
  connect(this, &SecondaryWindow::Closed, this, [this] { form_.Close(); });
}

// The report's tables are read, copied and never typed into.
GridView* OptimizationReportWindow::AddTable(Grid& grid, const char* name, Dialogs& dialogs) {
  auto* view = new GridView(this);
  view->setObjectName(QString::fromLatin1(name));
  view->Bind(grid, dialogs);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->SetActivateHook([this](Grid& active) { form_.activeGrid = &active; });
  view->SetPopupHook([this](PopupAction action) { Run([this, action] { form_.Popup(action); }); });
  ForwardKeys(*view, [this, &grid](Key key, KeyModifiers modifiers) {
    return form_.KeyDown(grid, key, modifiers);
  });
  return view;
}

void OptimizationReportWindow::Refresh() {
  setWindowTitle(FromCoreText(form_.caption));
  target_->setText(FromCoreText(form_.targetText));
  if (FormTab(tabs_->currentIndex()) != form_.currentTab) tabs_->setCurrentIndex(form_.currentTab);
  chart_->Show(form_.chart);
  for (GridView* view : tabs_->findChildren<GridView*>()) view->FitColumns();
  if (form_.windowWidth > 0 && form_.windowHeight > 0 && !isVisible()) {
    resize(form_.windowWidth, form_.windowHeight);
  }
}
