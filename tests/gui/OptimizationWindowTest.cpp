// The diet optimization windows over the main window, clicked by object
// name on a copy of the demo location: "Run Optimization" opens the window,
// a run shows its progress with the main window's run commands held and only
// Cancel taking input, the best cost is filled and not above the start,
// "View Optimization" opens the four-tab report, and "Transfer Optimum to
// Current" gives the next growth run the optimized cost; a run stops when the
// user cancels it.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <cmath>
#include <functional>
#include <memory>
#include <string>

#include "GuiSession.h"
#include "app/App.h"
#include "app/OptimizationRun.h"
#include "platform/NumberFormat.h"
#include "support/ScriptedDialogs.h"
#include "ui/GridView.h"
#include "ui/MainWindow.h"
#include "ui/OptimizationReportWindow.h"
#include "ui/OptimizationWindow.h"

namespace {

using Window = MainForm::Window;

// A program on a copy of the demo location, grown once on least-cost diets,
// with the optimization window opened by "Run Optimization" and the limits
// set around the current values.
struct Session : GuiSession {
  OptimizationWindow* opt = nullptr;

  Session() {
    Click("growth");
    opt = static_cast<OptimizationWindow*>(window->WindowOf(Window::Optimization));
  }

  double Number(const char* field, QWidget* in = nullptr) const {
    return ReadNumber(Find<QLineEdit>(field, in)->text().toStdString());
  }
};

// What the user sees at the first report of a run.
struct Seen {
  long reports = 0;
  bool running = false;
  bool working = false;
  bool cancelShown = false;
  bool runCommandsEnabled = true;
  bool otherInputTaken = true;
};

void Watch(Session& s, Seen& seen, std::function<void()> atFirstReport = {}) {
  QObject::connect(s.opt, &OptimizationWindow::Progressed, s.opt, [&s, &seen, atFirstReport] {
    if (seen.reports++ > 0) return;
    seen.running = s.app->optimizationForm.runInProgress;
    seen.working = s.Find<QLabel>("working", s.opt)->isVisible();
    seen.cancelShown = s.Find<QPushButton>("Cancel", s.opt)->isVisible();
    seen.runCommandsEnabled = s.Find<QPushButton>("runOptimization", s.opt)->isEnabled() ||
                              s.Find<QPushButton>("growth")->isEnabled() ||
                              s.Find<QPushButton>("runOptimization")->isEnabled();
    // A click on another window's command does nothing while the run holds.
    QTest::mouseClick(s.Find<QPushButton>("openDiets"), Qt::LeftButton);
    seen.otherInputTaken = s.window->WindowOf(Window::DietDisplay)->isVisible();
    if (atFirstReport) atFirstReport();
  });
}

}  // namespace

class OptimizationWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void runViewAndTransfer();
  void cancelStopsTheRun();
};

void OptimizationWindowTest::runViewAndTransfer() {
  Session s;
  QVERIFY(s.dialogs.Messages().empty());
  const double startCost = s.Number("costPerPig");
  QVERIFY(startCost > 0);
  s.Click("runOptimization");
  QVERIFY(s.opt->isVisible());
  QCOMPARE(s.opt->windowTitle(), QStringLiteral("Diet Optimization"));
  QCOMPARE(s.Find<QLineEdit>("locationName", s.opt)->text().toStdString(),
           s.app->mainForm.locationName.text);
  QCOMPARE(s.Find<QLineEdit>("dietCountText", s.opt)->text(), QStringLiteral("3"));
  QCOMPARE(s.Cell(s.opt, "optimizationTable", 0, kOptCurrentCol), QStringLiteral("Current"));
  QCOMPARE(s.Cell(s.opt, "optimizationTable", VariableOf(2, kFeedKind), kOptCurrentCol),
           s.Cell(s.window.get(), "dietsTable", kDietAmountRow, 2));
  QVERIFY(!s.Find<QPushButton>("viewOptimization", s.opt)->isEnabled());
  QVERIFY(!s.Find<QWidget>("setCarcass", s.opt)->isVisible());
  QVERIFY(!s.Find<QWidget>("setMarrowind", s.opt)->isEnabled());
  QVERIFY(!s.Find<QPushButton>("Cancel", s.opt)->isVisible());

  s.Click("addMinMax", s.opt);
  QCOMPARE(s.Find<QPushButton>("runOptimization", s.opt)->palette().color(QPalette::Button),
           QColor(128, 255, 128));
  Seen seen;
  Watch(s, seen);
  s.Click("runOptimization", s.opt);

  QVERIFY(seen.reports > 0 && seen.running);
  QVERIFY(seen.working && seen.cancelShown);
  QVERIFY(!seen.runCommandsEnabled);
  QVERIFY(!seen.otherInputTaken);
  QVERIFY(s.Number("evaluationCount", s.opt) > 10);
  QCOMPARE(s.Number("optimizationStartCost", s.opt), startCost);
  QVERIFY(!s.Find<QLineEdit>("optimizationBestCost", s.opt)->text().isEmpty());
  const double bestCost = s.Number("optimizationBestCost", s.opt);
  QVERIFY2(bestCost > 0 && bestCost <= startCost, qPrintable(QString::number(bestCost)));
  QCOMPARE(s.Cell(s.opt, "optimumDietsTable", 0, 1), QStringLiteral("Diet 1"));
  QVERIFY(!s.Find<QLabel>("working", s.opt)->isVisible());
  QVERIFY(!s.Find<QPushButton>("Cancel", s.opt)->isVisible());
  QVERIFY(s.Find<QPushButton>("growth")->isEnabled());
  for (const std::string& message : s.dialogs.Messages()) QVERIFY(message == kNoLowerAnswer);

  // The report: four tabs, the optimum against the start, copied whole.
  s.Click("viewOptimization", s.opt);
  OptimizationReportWindow* report = s.opt->Report();
  QVERIFY(report->isVisible());
  QCOMPARE(report->windowTitle(), QStringLiteral("Optimization Report"));
  auto* tabs = s.Find<QTabWidget>("tabs", report);
  const char* captions[] = {
      "Optimum", "Nutrient Restrict.", "Ingredient Restrict.", " Diet Formulation"};
  QCOMPARE(tabs->count(), 5);  // and the chart of the start against the optimum
  for (int tab = 0; tab < 4; ++tab) QCOMPARE(tabs->tabText(tab), QString(captions[tab]));
  QCOMPARE(tabs->currentIndex(), OptimizationReportForm::kOptimumTab);
  QCOMPARE(s.Cell(report, "optimumTable", 1, 0), QStringLiteral("Optimized"));
  QCOMPARE(ReadNumber(s.Cell(report, "optimumTable", 2, 1).toStdString()), startCost);
  QCOMPARE(s.Cell(report, "nutrientRestrictionTable", 0, 1), QStringLiteral("Restriction Name"));
  QVERIFY(!s.Cell(report, "formulationTable", 2, 0).isEmpty());
  QVERIFY(s.Find<QLineEdit>("targetText", report)->text().startsWith("Target Wt. "));
  s.Click("CopyToClipboard", report);
  QVERIFY(s.dialogs.Clipboard().find("Optimized\t") != std::string::npos);
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

// Cancel, and closing a window, both stop the run at its next evaluation;
// the windows stay and the commands come back.
void OptimizationWindowTest::cancelStopsTheRun() {
  Session s;
  s.Click("runOptimization");
  s.Click("addMinMax", s.opt);
  Seen seen;
  bool stayedOpen = false;
  Watch(s, seen, [&] {
    stayedOpen = !s.window->close() && s.window->isVisible();
    QTest::mouseClick(s.Find<QPushButton>("Cancel", s.opt), Qt::LeftButton);
  });
  s.Click("runOptimization", s.opt);

  QVERIFY(seen.reports > 0 && seen.running);
  QVERIFY(stayedOpen);
  const OptResult& result = s.app->optimization->result;
  QVERIFY(result.done && result.cancelled);
  QVERIFY(s.opt->isVisible());
  QVERIFY(!s.app->growth.cancelRun);  // the next "Growth" runs
  QVERIFY(s.Find<QPushButton>("runOptimization", s.opt)->isEnabled());
  QVERIFY(s.Find<QPushButton>("growth")->isEnabled());
  QVERIFY(!s.Find<QPushButton>("Cancel", s.opt)->isVisible());
}

QTEST_MAIN(OptimizationWindowTest)
#include "OptimizationWindowTest.moc"
