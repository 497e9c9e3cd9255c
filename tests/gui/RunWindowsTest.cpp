// The growth chart's exports and the windows of the two long runs, the
// calibration's fit and the diet optimization, on a copy of the demo
// location, clicked by object name.
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QXYSeries>
#include <cmath>
#include <functional>

#include "GuiSession.h"
#include "app/OptimizationRun.h"
#include "app/TableFaces.h"
#include "platform/NumberFormat.h"
#include "ui/CalibrationInputsWindow.h"
#include "ui/GrowthChart.h"
#include "ui/OptimizationReportChart.h"
#include "ui/OptimizationReportWindow.h"
#include "ui/OptimizationWindow.h"

namespace {

using Window = MainForm::Window;

// The demo session with the chart's series, the daily table's numbers and
// the calibration's own views.
struct Session : GuiSession {
  GrowthChart* Chart() const { return Find<GrowthChart>("GrowthChart"); }
  // The chart's one series of that name.
  QXYSeries* OneSeries(const char* name) const {
    QXYSeries* found = nullptr;
    for (QAbstractSeries* series : Chart()->Chart()->series())
      if (series->objectName() == QLatin1String(name)) found = static_cast<QXYSeries*>(series);
    return found;
  }
  void Growth() {
    Click("growth");
    QVERIFY(dialogs.Messages().empty());
  }

  SecondaryWindow* Calibration() const { return window->WindowOf(Window::Calibration); }
  QStringList Coefficients() const {
    QStringList coef;
    for (int k = 1; k <= kCoefCount; ++k)
      coef << Cell(window.get(), "coefficientTable", kCoefRow, k);
    return coef;
  }
  // "Calibration", keeping the location's name.
  void OpenCalibration() {
    dialogs.Input(app->mainForm.locationName.text);
    Click("calibration");
    QVERIFY(dialogs.Done());
  }
};

// What the user sees at each report of the fit.
struct SeenFitting {
  long reports = 0;
  long lastRuns = 0;
  QString progress;
  bool progressShown = false;  // "working" and Cancel
  bool held = false;           // Continue, the main window and the others
};

void Watch(Session& s, SeenFitting& seen, std::function<void(long runs)> atReport = {}) {
  auto* calibration = static_cast<CalibrationInputsWindow*>(s.Calibration());
  auto report = [&s, &seen, atReport, calibration](long runs, double) {
    ++seen.reports;
    seen.lastRuns = runs;
    if (runs > 0) seen.progress = s.Find<QLabel>("progress", calibration)->text();
    seen.progressShown = s.Find<QLabel>("working", calibration)->isVisible() &&
                         s.Find<QPushButton>("Cancel", calibration)->isVisible();
    seen.held = !s.Find<QPushButton>("ContinueCalibration", calibration)->isEnabled() &&
                s.RunCommandsHeld() && !s.Find<QLineEdit>("locationName")->isEnabled() &&
                !s.window->menuBar()->isEnabled() &&
                !s.window->WindowOf(Window::Restrictions)->isEnabled();
    if (atReport) atReport(runs);
  };
  QObject::connect(calibration, &CalibrationInputsWindow::Progressed, calibration, report);
}

// Grown once, the optimization window opened by "Run Optimization" and its
// limits set around the current values.
struct Optimizing : GuiSession {
  OptimizationWindow* opt = nullptr;

  Optimizing() {
    Click("growth");
    opt = static_cast<OptimizationWindow*>(window->WindowOf(Window::Optimization));
    Click("runOptimization");
    Click("addMinMax", opt);
  }
  double Number(const char* field, QWidget* in = nullptr) const {
    return ReadNumber(Find<QLineEdit>(field, in)->text().toStdString());
  }
};

// What the user sees at the first report of a run.
struct SeenOptimizing {
  long reports = 0;
  bool running = false;
  bool progressShown = false;  // "working" and Cancel
  bool held = false;           // its own and the main window's commands
  bool otherInputTaken = true;
};

void Watch(Optimizing& s, SeenOptimizing& seen, std::function<void()> atFirstReport = {}) {
  QObject::connect(s.opt, &OptimizationWindow::Progressed, s.opt, [&s, &seen, atFirstReport] {
    if (seen.reports++ > 0) return;
    seen.running = s.app->optimizationForm.runInProgress;
    seen.progressShown = s.Find<QLabel>("working", s.opt)->isVisible() &&
                         s.Find<QPushButton>("Cancel", s.opt)->isVisible();
    seen.held = s.RunCommandsHeld() && !s.Find<QPushButton>("runOptimization", s.opt)->isEnabled();
    // A click on another window's command does nothing while the run holds.
    QTest::mouseClick(s.Find<QPushButton>("openDiets"), Qt::LeftButton);
    seen.otherInputTaken = s.window->WindowOf(Window::DietDisplay)->isVisible();
    if (atFirstReport) atFirstReport();
  });
}

QBarSeries* Bars(OptimizationReportChart* chart, int which) {
  const auto series = chart->Chart(which)->series();
  return series.size() == 1 ? qobject_cast<QBarSeries*>(series.front()) : nullptr;
}

// The report's chart: per diet the start's cost beside the optimum's, each
// adding up to the report's (the start's but for the last diet's allowance
// against what it fed). Both charts go into one copied picture.
void CheckChart(const Optimizing& s, OptimizationReportWindow* report, double startCost) {
  auto* tabs = s.Find<QTabWidget>("tabs", report);
  auto* chart = s.Find<OptimizationReportChart>("OptimizationReportChart", report);
  QVERIFY(chart);
  tabs->setCurrentWidget(chart);
  QCOMPARE(s.app->optimizationReportForm.currentTab, OptimizationReportForm::kOptimumTab);
  QBarSeries* cost = Bars(chart, 1);
  QVERIFY(Bars(chart, 0) && cost);
  double startSum = 0, optimumSum = 0;
  for (int d = 1; d <= 3; ++d) {
    startSum += cost->barSets()[0]->at(d - 1);
    optimumSum += cost->barSets()[1]->at(d - 1);
  }
  QVERIFY(std::abs(optimumSum - s.app->optimizationReportForm.optimizedCost) < 1e-9);
  QVERIFY(std::abs(startSum - startCost) < 0.01 * startCost);
  QCoreApplication::processEvents();
  s.Click("CopyChart", chart);
  QCOMPARE(QGuiApplication::clipboard()->image().size(), chart->Area()->size() * 2);
}

}  // namespace

class RunWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void chartCopiesAndSaves();
  void inputsScreenAndTestWindow();
  void continueRunsTheFitWithProgress();
  void aFitStopsWhenTheUserAsks();
  void cancelThenRunViewAndTransfer();
};

// Copied at twice the size shown; saved as SVG by its extension, else PNG;
// a cancelled save writes nothing, a missing folder gives the error.
void RunWindowsTest::chartCopiesAndSaves() {
  Session s;
  s.Growth();
  s.Find<QTabWidget>("TabSet")->setCurrentIndex(kTabDailyGrowth);
  QCoreApplication::processEvents();
  GrowthChart* chart = s.Chart();
  s.Click("CopyChart", chart);
  const QImage copied = QGuiApplication::clipboard()->image();
  QCOMPARE(copied.size(), chart->Area()->size() * 2);

  QTemporaryDir folder;
  for (const char* name : {"growth.svg", "growth"}) {
    s.dialogs.File(folder.filePath(QString::fromLatin1(name)).toStdString());
    s.Click("SaveChart", chart);
  }
  QFile svg(folder.filePath(QStringLiteral("growth.svg")));
  QVERIFY(svg.open(QIODevice::ReadOnly) && svg.readAll().startsWith("<?xml"));
  QCOMPARE(QImage(folder.filePath(QStringLiteral("growth.png"))).size(), copied.size());
  s.dialogs.CancelFile();
  s.Click("SaveChart", chart);
  s.dialogs.File(folder.filePath(QStringLiteral("missing/growth.png")).toStdString());
  s.Click("SaveChart", chart);
  QVERIFY(s.dialogs.Done());
  QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 2);
  QCOMPARE(s.dialogs.Messages(),
           std::vector<std::string>{"Error 75 (Path/File access error) in procedure SaveChart"});
}

// Demo.cal's weighings, up to 65 days, typed by the user (no heading
// column); closed by the user the form lets the window go. The calibration
// test's trials start from the current coefficients and each get a score.
void RunWindowsTest::inputsScreenAndTestWindow() {
  Session s;
  s.OpenCalibration();
  SecondaryWindow* calibration = s.Calibration();
  QCOMPARE(s.Cell(calibration, "weighingsTable", 4, 0), QStringLiteral("65"));
  QAbstractItemModel* table = s.Find<GridView>("weighingsTable", calibration)->model();
  QVERIFY(table->flags(table->index(2, 0)) & Qt::ItemIsEditable);
  calibration->close();
  QVERIFY(!s.app->calibrationInputsForm.visible);

  QTest::mouseClick(s.Find<QRadioButton>("showInput"), Qt::LeftButton);
  s.Click("calibrationTest");
  SecondaryWindow* test = s.window->WindowOf(Window::CalibrationTest);
  QCOMPARE(s.Cell(test, "trialsTable", 1, 1), s.Coefficients()[0]);
  s.Click("scoreTrials", test);
  bool number = false;
  s.Cell(test, "trialsTable", CalibrationTestForm::kTrials, CalibrationTestForm::kScoreCol)
      .toDouble(&number);
  QVERIFY(number);
}

void RunWindowsTest::continueRunsTheFitWithProgress() {
  Session s;
  s.OpenCalibration();
  const QStringList before = s.Coefficients();
  SeenFitting seen;
  Watch(s, seen);
  s.dialogs.Forget();
  s.dialogs.Answer(Answer::Yes);  // save the fitted curve to the location
  s.Click("ContinueCalibration", s.Calibration());

  QCOMPARE(s.dialogs.Messages().size(), std::size_t{1});  // the save question only
  // The window stays with the result: the weighings against the fitted
  // curve, and the classic and thorough searches side by side.
  QCOMPARE(s.Cell(s.Calibration(), "weighingFitTable", 1, 0), QStringLiteral("30.00"));
  QVERIFY(s.Coefficients() != before);
  // Shown to the digits the fit resolves; the table keeps them all.
  QCOMPARE(s.Coefficients()[0].toStdString(),
           WithDigits(s.app->mainForm.coefficientTable.Text(kCoefRow, 1), kCoefficientDigits));

  // The label came first, then a report every 200 growth runs and at the end.
  QVERIFY2(seen.reports >= 3, qPrintable(QString::number(seen.reports)));
  QVERIFY(seen.progress.contains(QStringLiteral("Best score ")));
  QVERIFY(seen.progressShown && seen.held);
  // After the fit the main window is the user's again.
  QVERIFY(s.Find<QPushButton>("growth")->isEnabled() && s.window->menuBar()->isEnabled());
  QVERIFY(s.window->WindowOf(Window::Restrictions)->isEnabled());

  // The saved curve's growth run: the chart shows Demo.cal's weighings.
  const QList<QPointF> weighed = {{21, 6}, {30, 7.8}, {42, 11.8}, {65, 25}};
  QCOMPARE(s.OneSeries("ObservedWeights")->points(), weighed);
}

// "Cancel" and closing the screen both stop the fit at its next trial point;
// the window stays until the fit has stopped.
void RunWindowsTest::aFitStopsWhenTheUserAsks() {
  for (bool byClosing : {false, true}) {
    const char* how = byClosing ? "closing" : "Cancel";
    Session s;
    s.OpenCalibration();
    SecondaryWindow* calibration = s.Calibration();
    SeenFitting seen;
    long stoppedAt = -1;
    bool stayedOpen = false;
    Watch(s, seen, [&](long runs) {
      if (runs == 0 || stoppedAt >= 0) return;
      stoppedAt = runs;
      if (byClosing) {
        stayedOpen = !calibration->close() && calibration->isVisible();
      } else {
        QTest::mouseClick(s.Find<QPushButton>("Cancel", calibration), Qt::LeftButton);
        stayedOpen = calibration->isVisible();
      }
    });
    s.dialogs.Forget();
    s.dialogs.Answer(Answer::No);
    s.Click("ContinueCalibration", calibration);

    QVERIFY2(s.dialogs.Done(), how);
    QVERIFY2(stoppedAt > 0 && stayedOpen, how);
    // One more trial point at most, then the report of the end.
    QVERIFY2(seen.lastRuns <= stoppedAt + 1, how);
    // Closed, it closes once the fit has stopped; cancelled, it shows the
    // result of the fit so far.
    QVERIFY2(calibration->isVisible() != byClosing, how);
    QVERIFY2(!s.app->growth.cancelRun, how);  // the next "Growth" runs
    QVERIFY2(s.Find<QPushButton>("calibration")->isEnabled(), how);
  }
}

// Cancel, and closing a window, both stop a run at its next evaluation; the
// windows stay and the commands come back. Run again, it goes to the end.
void RunWindowsTest::cancelThenRunViewAndTransfer() {
  Optimizing s;
  const double startCost = s.Number("costPerPig");
  QCOMPARE(s.Cell(s.opt, "optimizationTable", VariableOf(2, kFeedKind), kOptCurrentCol),
           s.Cell(s.window.get(), "dietsTable", kDietAmountRow, 2));
  QVERIFY(!s.Find<QPushButton>("viewOptimization", s.opt)->isEnabled());
  SeenOptimizing cancelled;
  bool stayedOpen = false;
  Watch(s, cancelled, [&] {
    stayedOpen = !s.window->close() && s.window->isVisible();
    QTest::mouseClick(s.Find<QPushButton>("Cancel", s.opt), Qt::LeftButton);
  });
  s.Click("runOptimization", s.opt);
  QVERIFY(cancelled.reports > 0 && cancelled.running && stayedOpen);
  QVERIFY(s.app->optimization->result.done && s.app->optimization->result.cancelled);
  QVERIFY(s.opt->isVisible() && !s.app->growth.cancelRun);  // the next "Growth" runs

  SeenOptimizing seen;
  Watch(s, seen);
  s.Click("runOptimization", s.opt);

  QVERIFY(seen.reports > 0 && seen.running && seen.progressShown);
  QVERIFY(seen.held && !seen.otherInputTaken);
  QVERIFY(s.Number("evaluationCount", s.opt) > 10);
  QCOMPARE(s.Number("optimizationStartCost", s.opt), startCost);
  const double bestCost = s.Number("optimizationBestCost", s.opt);
  QVERIFY2(bestCost > 0 && bestCost <= startCost, qPrintable(QString::number(bestCost)));
  QVERIFY(!s.Find<QPushButton>("Cancel", s.opt)->isVisible());
  for (const std::string& message : s.dialogs.Messages()) QVERIFY(message == kNoLowerAnswer);

  // The report opens on the optimum against the start, and copies whole.
  s.Click("viewOptimization", s.opt);
  OptimizationReportWindow* report = s.opt->Report();
  QCOMPARE(s.Find<QTabWidget>("tabs", report)->currentIndex(), OptimizationReportForm::kOptimumTab);
  QCOMPARE(ReadNumber(s.Cell(report, "optimumTable", 2, 1).toStdString()), startCost);
  s.Click("CopyToClipboard", report);
  QVERIFY(s.dialogs.Clipboard().find("Optimized\t") != std::string::npos);
  CheckChart(s, report, startCost);
  report->close();
  QVERIFY(!s.app->optimizationReportForm.visible);

  // The optimum into the diets table; the next growth run costs it.
  const QString bestFeed = s.Cell(s.opt, "optimumDietsTable", kFeedKind, 1);
  s.Click("transferOptimum", s.opt);
  QCOMPARE(s.Cell(s.window.get(), "dietsTable", kDietAmountRow, 1), bestFeed);
  s.dialogs.Forget();
  s.Click("growth");
  QVERIFY(s.dialogs.Messages().empty());
  QVERIFY(std::abs(s.Number("costPerPig") - bestCost) <= 0.002);
}

QTEST_MAIN(RunWindowsTest)
#include "RunWindowsTest.moc"
