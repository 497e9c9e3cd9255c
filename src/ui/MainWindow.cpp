#include "ui/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenuBar>
#include <QResizeEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/App.h"
#include "app/UnsavedChanges.h"
#include "model/DietsTable.h"
#include "model/GrowthSummary.h"
#include "model/PigGrowth.h"
#include "ui/CoreText.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"
#include "ui/GrowthChart.h"
#include "ui/OnScreen.h"
#include "ui/SecondaryWindow.h"
#include "ui/TableUnits.h"
#include "ui/ToolTips.h"

namespace {

constexpr int kMargin = 8;              // pixels around the inputs and the buttons
constexpr int kMinSummaryHeight = 120;  // pixels: a summary block before any run

MainForm::Control PopupControl(PopupAction action) {
  switch (action) {
    case PopupAction::CopyHighlighted:
      return MainForm::Control::CopyHighlighted;
    case PopupAction::CopyAll:
      return MainForm::Control::CopyAll;
    case PopupAction::Clear:
      return MainForm::Control::Clear;
    case PopupAction::Paste:
      return MainForm::Control::Paste;
  }
  return MainForm::Control::CopyHighlighted;
}

}  // namespace

MainWindow::MainWindow(App& app, QWidget* parent)
    : QMainWindow(parent), app_(app), form_(app.mainForm) {
  setObjectName(QStringLiteral("MainWindow"));
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("MainArea"));
  setCentralWidget(central);

  inputs_ = MakeInputs();
  inputs_->setParent(central);
  buttons_ = MakeButtons();
  buttons_->setParent(central);
  tabs_ = MakeTabs();
  tabs_->setParent(central);
  MakeWindows();
  MakeMenus();  // an entry whose window is missing is disabled
  ShowUnitsInTables(*this, app_);
  LoadRecentLocations();
  focusFollower_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    FollowFocus(now);
  });

  // Inputs left of the tab set, buttons above it; neither moves on resize.
  const int left = MainForm::kTabSetLeft;
  const int top = MainForm::kTabSetTop;
  inputs_->setGeometry(kMargin, kMargin / 2, left - 2 * kMargin, inputs_->sizeHint().height());
  buttons_->setGeometry(left, kMargin / 2, form_.tabSetWidth, top - kMargin);

  resize(form_.windowWidth, form_.windowHeight);
  Refresh();
  GiveHelpTips(*this);
}

// Closing the windows this one owns moves the focus: by then this window is
// only half there, so it stops following the focus first.
MainWindow::~MainWindow() { disconnect(focusFollower_); }

QTabWidget* MainWindow::MakeTabs() {
  auto* tabs = new QTabWidget;
  tabs->setObjectName(QStringLiteral("TabSet"));

  // Tab 0: the results table in two blocks, the per-diet summary above the
  // daily rows, beside the chart.
  auto* daily = new QWidget;
  auto* dailyLayout = new QVBoxLayout(daily);
  resultsTable_ = AddTable(app_.resultsTable, "resultsTable");
  resultsTable_->ShowColumns(0, kSummaryFeedColumn, true, true);
  grid1Daily_ = new GridView;
  grid1Daily_->setObjectName(QStringLiteral("Grid1Daily"));
  grid1Daily_->Share(*resultsTable_);
  grid1Daily_->SetActivateHook([this](Grid& active) { form_.activeGrid = &active; });
  grid1Daily_->SetPopupHook([this](PopupAction action) { Run(PopupControl(action)); });
  grid1Daily_->ShowColumns(PigGrowth::kAgeColumn, kResultCols - 1, false, true);
  resultBlocks_ = new QSplitter(Qt::Vertical);
  resultBlocks_->setObjectName(QStringLiteral("ResultBlocks"));
  resultBlocks_->setChildrenCollapsible(false);
  resultBlocks_->addWidget(resultsTable_);
  resultBlocks_->addWidget(grid1Daily_);
  growthChart_ = new GrowthChart(app_);
  auto* dailySplit = new QSplitter(Qt::Horizontal);
  dailySplit->setObjectName(QStringLiteral("DailySplit"));
  dailySplit->setChildrenCollapsible(false);
  dailySplit->addWidget(resultBlocks_);
  dailySplit->addWidget(growthChart_);
  connect(resultsTable_->Model(), &GridModel::dataChanged, growthChart_, &GrowthChart::FollowSoon);
  dailySplit->setStretchFactor(0, 3);
  dailySplit->setStretchFactor(1, 2);
  dailyLayout->addWidget(dailySplit);

  // Tab 1: the instruction text above the diets table.
  auto* diets = new QWidget;
  auto* dietsLayout = new QVBoxLayout(diets);
  dietsInstructions_ = new QTextEdit;
  dietsInstructions_->setObjectName(QStringLiteral("dietsInstructions"));
  dietsInstructions_->setReadOnly(true);
  dietsInstructions_->setFrameShape(QFrame::NoFrame);
  dietsInstructions_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  dietsInstructions_->setFixedHeight(2 * fontMetrics().lineSpacing() + kMargin);
  dietsInstructions_->viewport()->setAutoFillBackground(false);
  dietsLayout->addWidget(dietsInstructions_);
  dietsTable_ = AddTable(form_.dietsTable, "dietsTable");
  dietsTable_->Model()->SetToolTips([](int row, int) { return DietsToolTip(row); });
  dietsTable_->Model()->SetAfterEdit([this](int row, int col) {
    form_.DietsTableEdited(row, col);
    Refresh();
  });
  connect(dietsTable_, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
    if (form_.DietsTableClicked(index.row(), index.column())) ShowSources();
  });
  dietsLayout->addWidget(dietsTable_, 1);

  // Tab 2: the coefficients and the files in use side by side, the formulas
  // below them.
  auto* formulas = new QWidget;
  auto* formulasLayout = new QGridLayout(formulas);
  coefficientTable_ = AddTable(form_.coefficientTable, "coefficientTable");
  filesTable_ = AddTable(form_.filesTable, "filesTable");
  filesTable_->SetRowHeight(kFilesRowHeight);
  filesTable_->Model()->SetToolTips([this](int, int) { return form_.filesTableToolTip; });
  filesTable_->horizontalHeader()->setStretchLastSection(true);
  connect(filesTable_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
    form_.FilesTableDoubleClicked(index.row());
    Refresh();
  });
  formulaTable_ = AddTable(form_.formulaTable, "formulaTable");
  formulasLayout->addWidget(coefficientTable_, 0, 0);
  formulasLayout->addWidget(filesTable_, 0, 1);
  formulasLayout->addWidget(formulaTable_, 1, 0, 1, 2);
  formulasLayout->setColumnStretch(0, 1);
  formulasLayout->setColumnStretch(1, 2);  // the files in use show whole paths
  formulasLayout->setRowStretch(1, 1);

  tabs->addTab(daily, QStringLiteral("Daily Growth"));
  tabs->addTab(diets, QStringLiteral("Diets"));
  tabs->addTab(formulas, QStringLiteral("Formulas"));
  connect(tabs, &QTabWidget::currentChanged, this, [this](int tab) {
    QTimer::singleShot(0, this, &MainWindow::FitResultBlocks);  // once the tab is laid out
    if (refreshing_) return;
    form_.ShowTab(tab);
    Refresh();
  });
  return tabs;
}

GridView* MainWindow::AddTable(Grid& grid, const char* name) {
  auto* view = new GridView;
  view->setObjectName(QString::fromLatin1(name));
  view->Bind(grid, app_.dialogs);
  view->SetActivateHook([this](Grid& active) { form_.activeGrid = &active; });
  view->SetPopupHook([this](PopupAction action) { Run(PopupControl(action)); });
  return view;
}

void MainWindow::Refresh() {
  refreshing_ = true;
  RefreshFrame();
  RefreshInputs();
  RefreshButtons();
  RefreshStatus();
  KeepRecentLocations();
  FollowUnits();
  for (GridView* view :
       {resultsTable_, grid1Daily_, dietsTable_, coefficientTable_, formulaTable_, filesTable_})
    view->FitColumns();
  FitResultBlocks();
  growthChart_->Follow();  // after a run, a calibration or a unit change
  // A matrix load fills these afresh: their captions and buttons follow.
  using Window = MainForm::Window;
  for (Window kind : {Window::MatrixEditor, Window::Restrictions, Window::DietDisplay})
    if (SecondaryWindow* window = WindowOf(kind); window && window->isVisible()) window->Refresh();
  refreshing_ = false;
}

// The summary block takes the height of its rows, up to half, and the daily
// rows the rest; the user may move the line between them.
void MainWindow::FitResultBlocks() {
  if (!resultBlocks_->isVisible()) {
    summaryHeight_ = -1;  // fitted when the tab is shown
    return;
  }
  const int summary = resultsTable_->ContentHeight();
  if (summary == summaryHeight_) return;
  summaryHeight_ = summary;
  const int total = std::max(resultBlocks_->height(), 2 * kMinSummaryHeight);
  const int top = std::clamp(summary, kMinSummaryHeight, total / 2);
  resultBlocks_->setSizes({top, total - top});
}

// Headings carry the units in force: after a change every table shows them.
void MainWindow::FollowUnits() {
  if (shownUnits_ == app_.growth.unitCodes) return;
  shownUnits_ = app_.growth.unitCodes;
  for (GridView* view : findChildren<GridView*>())
    if (view->Model()) view->Model()->FaceChanged();
}

void MainWindow::RefreshFrame() {
  setWindowTitle(FromCoreText(form_.caption));
  tabs_->setCurrentIndex(form_.currentTab);
  dietsInstructions_->setVisible(form_.dietsInstructionsVisible);
  if (dietsInstructions_->toPlainText() != FromCoreText(form_.dietsInstructions))
    dietsInstructions_->setPlainText(FromCoreText(form_.dietsInstructions));
  filesTable_->setVisible(form_.filesTableVisible);
  ShowToolTip(*filesTable_, form_.filesTableToolTip);
}

// The tab set follows the window as the form's resize rule says; the menu
// bar lies above the area the form measures from.
void MainWindow::PlaceTabSet() {
  const int top = MainForm::kTabSetTop;
  tabs_->setGeometry(MainForm::kTabSetLeft,
                     top,
                     form_.tabSetWidth,
                     form_.tabSetHeight - menuBar()->height() - statusBar()->height());
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  summaryHeight_ = -1;  // the blocks share the new height
  form_.WindowResized(height(), width());
  PlaceTabSet();
}

void MainWindow::showEvent(QShowEvent* event) {
  if (!event->spontaneous() && !placed_) {
    placed_ = true;
    PlaceOnScreen(*this);
  }
  QMainWindow::showEvent(event);
  QTimer::singleShot(0, this, [this] { KeepOnScreen(*this); });
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!SaveChangesFirst(app_)) {
    event->ignore();
    Refresh();  // a save may have named a file before another was cancelled
    return;
  }
  form_.WindowResized(height(), width());
  form_.EndProgram();
  for (auto& [kind, window] : windows_) {
    QSignalBlocker quiet(window);  // the form has closed them already
    window->close();
  }
  event->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (FieldEvent(watched, event)) return true;
  return QMainWindow::eventFilter(watched, event);
}
