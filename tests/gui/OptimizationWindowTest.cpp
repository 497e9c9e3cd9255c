// The diet optimization windows on a copy of the demo location, grown once:
// a run cancelled, a run to the end, its report and the optimum transferred.
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QTabWidget>
#include <cmath>
#include <functional>

#include "GuiSession.h"
#include "app/OptimizationRun.h"
#include "platform/NumberFormat.h"
#include "ui/OptimizationReportChart.h"
#include "ui/OptimizationReportWindow.h"
#include "ui/OptimizationWindow.h"

namespace {

using Window = MainForm::Window;

// Grown once, the optimization window opened by "Run Optimization" and its
// limits set around the current values.
struct Session : GuiSession {
  OptimizationWindow* opt = nullptr;

  Session() {
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
struct Seen {
  long reports = 0;
  bool running = false;
  bool progressShown = false;  // "working" and Cancel
  bool held = false;           // its own and the main window's commands
  bool otherInputTaken = true;
};

void Watch(Session& s, Seen& seen, std::function<void()> atFirstReport = {}) {
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
void CheckChart(const Session& s, OptimizationReportWindow* report, double startCost) {
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
  QVERIFY2(std::abs(startSum - startCost) < 0.01 * startCost,
           qPrintable(QString::number(startSum)));
  QCoreApplication::processEvents();
  s.Click("CopyChart", chart);
  QCOMPARE(QGuiApplication::clipboard()->image().size(), chart->Area()->size() * 2);
  QVERIFY(chart->View(1)->x() >= chart->View(0)->width());
}

}  // namespace

class OptimizationWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void cancelThenRunViewAndTransfer();
};

// Cancel, and closing a window, both stop a run at its next evaluation; the
// windows stay and the commands come back. Run again, it goes to the end.
void OptimizationWindowTest::cancelThenRunViewAndTransfer() {
  Session s;
  QVERIFY(s.dialogs.Messages().empty());
  const double startCost = s.Number("costPerPig");
  QVERIFY(startCost > 0);
  QCOMPARE(s.Cell(s.opt, "optimizationTable", VariableOf(2, kFeedKind), kOptCurrentCol),
           s.Cell(s.window.get(), "dietsTable", kDietAmountRow, 2));
  QVERIFY(!s.Find<QPushButton>("viewOptimization", s.opt)->isEnabled());
  Seen cancelled;
  bool stayedOpen = false;
  Watch(s, cancelled, [&] {
    stayedOpen = !s.window->close() && s.window->isVisible();
    QTest::mouseClick(s.Find<QPushButton>("Cancel", s.opt), Qt::LeftButton);
  });
  s.Click("runOptimization", s.opt);
  QVERIFY(cancelled.reports > 0 && cancelled.running && stayedOpen);
  QVERIFY(s.app->optimization->result.done && s.app->optimization->result.cancelled);
  QVERIFY(s.opt->isVisible());
  QVERIFY(!s.app->growth.cancelRun);  // the next "Growth" runs

  Seen seen;
  Watch(s, seen);
  s.Click("runOptimization", s.opt);

  QVERIFY(seen.reports > 0 && seen.running && seen.progressShown);
  QVERIFY(seen.held && !seen.otherInputTaken);
  QVERIFY(s.Number("evaluationCount", s.opt) > 10);
  QCOMPARE(s.Number("optimizationStartCost", s.opt), startCost);
  const double bestCost = s.Number("optimizationBestCost", s.opt);
  QVERIFY2(bestCost > 0 && bestCost <= startCost, qPrintable(QString::number(bestCost)));
  QVERIFY(!s.Find<QPushButton>("Cancel", s.opt)->isVisible());
  QVERIFY(s.Find<QPushButton>("growth")->isEnabled());
  for (const std::string& message : s.dialogs.Messages()) QVERIFY(message == kNoLowerAnswer);

  // The report opens on the optimum against the start, and copies whole.
  s.Click("viewOptimization", s.opt);
  OptimizationReportWindow* report = s.opt->Report();
  QCOMPARE(s.Find<QTabWidget>("tabs", report)->currentIndex(), OptimizationReportForm::kOptimumTab);
  QCOMPARE(ReadNumber(s.Cell(report, "optimumTable", 2, 1).toStdString()), startCost);
  QVERIFY(!s.Cell(report, "formulationTable", 2, 0).isEmpty());
  QVERIFY(s.Find<QLineEdit>("targetText", report)->text().startsWith("Target Wt. "));
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
  QVERIFY2(std::abs(s.Number("costPerPig") - bestCost) <= 0.002,
           qPrintable(s.Find<QLineEdit>("costPerPig")->text()));
}

QTEST_MAIN(OptimizationWindowTest)
#include "OptimizationWindowTest.moc"
