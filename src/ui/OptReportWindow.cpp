#include "ui/OptReportWindow.h"

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
#include "ui/OptReportChart.h"

OptReportWindow::OptReportWindow(OptReport& form, Dialogs& dialogs, QWidget* parent)
    : SecondaryWindow(parent), form_(form) {
  setObjectName(QStringLiteral("OptReport"));
  setWindowTitle(FromCoreText(OptReport::kCaption));

  // The tabs in the form's order: optimum, nutrient and ingredient
  // restrictions, diet formulation.
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("Tab"));
  Grid* tables[] = {
      &form_.GridOptimum, &form_.GridNutRestrict, &form_.GridIngRestrict, &form_.GridFormulation};
  const char* names[] = {"GridOptimum", "GridNutRestrict", "GridIngRestrict", "GridFormulation"};
  for (int tab = 0; tab < static_cast<int>(std::size(tables)); ++tab) {
    tabs_->addTab(AddTable(*tables[tab], names[tab], dialogs),
                  FromCoreText(OptReport::kTabCaptions[tab]));
  }
  // The start against the optimum by diet, as bar charts on a tab of their own.
  chart_ = new OptReportChart(dialogs, {}, this);
  chartTab_ = tabs_->addTab(chart_, FromCoreText(kChartTabCaption));
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) { form_.Tab = FormTab(tab); });

  target_ = new QLineEdit(this);
  target_->setObjectName(QStringLiteral("TextTarget"));
  target_->setReadOnly(true);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(target_);
  buttons->addWidget(
      AddButton("CopyToClipboard", OptReport::kCopyCaption, [this] { form_.CopyToClipboard(); }));
  buttons->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_, 1);
  layout->addLayout(buttons);
  // "Show Current" stays hidden and has no command: it is not shown here.
  connect(this, &SecondaryWindow::Closed, this, [this] { form_.Close(); });
}

// The report's tables are read, copied and never typed into.
GridView* OptReportWindow::AddTable(Grid& grid, const char* name, Dialogs& dialogs) {
  auto* view = new GridView(this);
  view->setObjectName(QString::fromLatin1(name));
  view->Bind(grid, dialogs);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->SetActivateHook([this](Grid& active) { form_.ActiveGrid = &active; });
  view->SetPopupHook([this](PopupAction action) { Run([this, action] { form_.Popup(action); }); });
  ForwardKeys(*view, [this, &grid](int key, int shift) { return form_.KeyDown(grid, key, shift); });
  return view;
}

void OptReportWindow::Refresh() {
  setWindowTitle(FromCoreText(form_.Caption));
  target_->setText(FromCoreText(form_.TextTarget));
  if (FormTab(tabs_->currentIndex()) != form_.Tab) tabs_->setCurrentIndex(form_.Tab);
  chart_->Show(form_.Chart);
  for (GridView* view : tabs_->findChildren<GridView*>()) view->FitColumns();
  if (form_.Width > 0 && form_.Height > 0 && !isVisible()) {
    resize(GridModel::PixelsFromTwips(form_.Width), GridModel::PixelsFromTwips(form_.Height));
  }
}
