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

int Pixels(int twips) { return GridModel::PixelsFromTwips(twips); }
int Twips(int pixels) { return pixels * Grid::kTwipsPerPixel; }

AfrmMain::Control PopupControl(PopupAction action) {
  switch (action) {
    case PopupAction::CopyHighlighted:
      return AfrmMain::Control::CopyHot;
    case PopupAction::CopyAll:
      return AfrmMain::Control::CopyAll;
    case PopupAction::Clear:
      return AfrmMain::Control::Clear1;
    case PopupAction::Paste:
      return AfrmMain::Control::aPaste;
  }
  return AfrmMain::Control::CopyHot;
}

}  // namespace

MainWindow::MainWindow(App& app, QWidget* parent)
    : QMainWindow(parent), app_(app), form_(app.mainForm) {
  setObjectName(QStringLiteral("AfrmMain"));
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
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    FollowFocus(now);
  });

  // Inputs left of the tab set, buttons above it; neither moves on resize.
  const int left = Pixels(AfrmMain::kTabSetLeft);
  const int top = Pixels(AfrmMain::kTabSetTop);
  inputs_->setGeometry(kMargin, kMargin / 2, left - 2 * kMargin, inputs_->sizeHint().height());
  buttons_->setGeometry(left, kMargin / 2, Pixels(form_.TabSetWidth), top - kMargin);

  resize(Pixels(form_.Width), Pixels(form_.Height));
  Refresh();
  GiveHelpTips(*this);
}

MainWindow::~MainWindow() = default;

QTabWidget* MainWindow::MakeTabs() {
  auto* tabs = new QTabWidget;
  tabs->setObjectName(QStringLiteral("TabSet"));

  // Tab 0: the results table in two blocks, the per-diet summary above the
  // daily rows, beside the chart.
  auto* daily = new QWidget;
  auto* dailyLayout = new QVBoxLayout(daily);
  grid1_ = AddTable(app_.Grid1, "Grid1");
  grid1_->ShowColumns(0, kSummaryFeedColumn, true, true);
  grid1Daily_ = new GridView;
  grid1Daily_->setObjectName(QStringLiteral("Grid1Daily"));
  grid1Daily_->Share(*grid1_);
  grid1Daily_->SetActivateHook([this](Grid& active) { form_.ActiveGrid = &active; });
  grid1Daily_->SetPopupHook([this](PopupAction action) { Run(PopupControl(action)); });
  grid1Daily_->ShowColumns(PigGrowth::kAgeColumn, kResultCols - 1, false, true);
  resultBlocks_ = new QSplitter(Qt::Vertical);
  resultBlocks_->setObjectName(QStringLiteral("ResultBlocks"));
  resultBlocks_->setChildrenCollapsible(false);
  resultBlocks_->addWidget(grid1_);
  resultBlocks_->addWidget(grid1Daily_);
  growthChart_ = new GrowthChart(app_);
  auto* dailySplit = new QSplitter(Qt::Horizontal);
  dailySplit->setObjectName(QStringLiteral("DailySplit"));
  dailySplit->setChildrenCollapsible(false);
  dailySplit->addWidget(resultBlocks_);
  dailySplit->addWidget(growthChart_);
  connect(grid1_->Model(), &GridModel::dataChanged, growthChart_, &GrowthChart::FollowSoon);
  dailySplit->setStretchFactor(0, 3);
  dailySplit->setStretchFactor(1, 2);
  dailyLayout->addWidget(dailySplit);

  // Tab 1: the instruction text above the diets table.
  auto* diets = new QWidget;
  auto* dietsLayout = new QVBoxLayout(diets);
  richTextBox1_ = new QTextEdit;
  richTextBox1_->setObjectName(QStringLiteral("RichTextBox1"));
  richTextBox1_->setReadOnly(true);
  richTextBox1_->setFrameShape(QFrame::NoFrame);
  richTextBox1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  richTextBox1_->setFixedHeight(2 * fontMetrics().lineSpacing() + kMargin);
  richTextBox1_->viewport()->setAutoFillBackground(false);
  dietsLayout->addWidget(richTextBox1_);
  griddiets_ = AddTable(form_.Griddiets, "Griddiets");
  griddiets_->Model()->SetToolTips([](int row, int) { return DietsToolTip(row); });
  griddiets_->Model()->SetAfterEdit([this](int row, int col) {
    form_.Griddiets_AfterEdit(row, col);
    Refresh();
  });
  connect(griddiets_, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
    if (form_.Griddiets_Click(index.row(), index.column())) ShowSources();
  });
  dietsLayout->addWidget(griddiets_, 1);

  // Tab 2: the coefficients and the files in use side by side, the formulas
  // below them.
  auto* formulas = new QWidget;
  auto* formulasLayout = new QGridLayout(formulas);
  gridWeight_ = AddTable(form_.GridWeight, "GridWeight");
  gridFILES_ = AddTable(form_.gridFILES, "gridFILES");
  gridFILES_->SetRowHeight(kFilesRowHeight);
  gridFILES_->Model()->SetToolTips([this](int, int) { return form_.gridFILESToolTip; });
  gridFILES_->horizontalHeader()->setStretchLastSection(true);
  connect(gridFILES_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
    form_.gridFILES_DblClick(index.row());
    Refresh();
  });
  gridformula_ = AddTable(form_.Gridformula, "Gridformula");
  formulasLayout->addWidget(gridWeight_, 0, 0);
  formulasLayout->addWidget(gridFILES_, 0, 1);
  formulasLayout->addWidget(gridformula_, 1, 0, 1, 2);
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
  view->SetActivateHook([this](Grid& active) { form_.ActiveGrid = &active; });
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
  for (GridView* view : {grid1_, grid1Daily_, griddiets_, gridWeight_, gridformula_, gridFILES_})
    view->FitColumns();
  FitResultBlocks();
  growthChart_->Follow();  // after a run, a calibration or a unit change
  // A matrix load fills these afresh: their captions and buttons follow.
  using Window = AfrmMain::Window;
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
  const int summary = grid1_->ContentHeight();
  if (summary == summaryHeight_) return;
  summaryHeight_ = summary;
  const int total = std::max(resultBlocks_->height(), 2 * kMinSummaryHeight);
  const int top = std::clamp(summary, kMinSummaryHeight, total / 2);
  resultBlocks_->setSizes({top, total - top});
}

// Headings carry the units in force: after a change every table shows them.
void MainWindow::FollowUnits() {
  if (shownUnits_ == app_.pig.UnitCodes) return;
  shownUnits_ = app_.pig.UnitCodes;
  for (GridView* view : findChildren<GridView*>())
    if (view->Model()) view->Model()->FaceChanged();
}

void MainWindow::RefreshFrame() {
  setWindowTitle(FromCoreText(form_.Caption));
  tabs_->setCurrentIndex(form_.Tab);
  richTextBox1_->setVisible(form_.RichTextBox1Visible);
  if (richTextBox1_->toPlainText() != FromCoreText(form_.RichTextBox1))
    richTextBox1_->setPlainText(FromCoreText(form_.RichTextBox1));
  gridFILES_->setVisible(form_.gridFILESVisible);
  ShowToolTip(*gridFILES_, form_.gridFILESToolTip);
}

// The tab set follows the window as the form's resize rule says; the menu
// bar lies above the area the form measures from.
void MainWindow::PlaceTabSet() {
  const int top = Pixels(AfrmMain::kTabSetTop);
  tabs_->setGeometry(Pixels(AfrmMain::kTabSetLeft),
                     top,
                     Pixels(form_.TabSetWidth),
                     Pixels(form_.TabSetHeight) - menuBar()->height() - statusBar()->height());
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  summaryHeight_ = -1;  // the blocks share the new height
  form_.Form_Resize(Twips(height()), Twips(width()));
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
  form_.Form_Resize(Twips(height()), Twips(width()));
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
