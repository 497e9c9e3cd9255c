// The optimization report's chart on a copy of the demo location grown once
// on least-cost diets: after a run, "View Optimization" shows on its "Chart"
// tab the feed and the feed cost per pig of each diet, the start beside the
// optimum, and the chart exports like the growth chart. With
// TAMSEL_REPORT_SCREENSHOT set, the report on its chart tab is saved there.
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <memory>

#include "GuiSession.h"
#include "app/App.h"
#include "platform/NumberFormat.h"
#include "support/ScriptedDialogs.h"
#include "ui/MainWindow.h"
#include "ui/OptimizationReportChart.h"
#include "ui/OptimizationReportWindow.h"
#include "ui/OptimizationWindow.h"

namespace {

struct Session : GuiSession {
  OptimizationWindow* opt = nullptr;

  Session() {
    Click("growth");
    opt = static_cast<OptimizationWindow*>(window->WindowOf(MainForm::Window::Optimization));
  }

  double Diets(int row, int diet) const {
    return ReadNumber(app->mainForm.dietsTable.Text(row, diet));
  }
};

QBarSeries* Bars(OptimizationReportChart* chart, int which) {
  const auto series = chart->Chart(which)->series();
  return series.size() == 1 ? qobject_cast<QBarSeries*>(series.front()) : nullptr;
}

}  // namespace

class OptimizationReportChartTest : public QObject {
  Q_OBJECT

 private slots:
  void startAgainstOptimumByDiet();
};

void OptimizationReportChartTest::startAgainstOptimumByDiet() {
  Session s;
  const double startCost = ReadNumber(s.Find<QLineEdit>("costPerPig")->text().toStdString());
  // The start's diets: the prices (per tonne) and feed amounts of the table.
  double startPrice[4] = {}, startFeed[4] = {};
  for (int d = 1; d <= 3; ++d) {
    startPrice[d] = s.Diets(kDietCostRow, d);
    startFeed[d] = s.Diets(kDietAmountRow, d);
  }
  s.Click("runOptimization");
  s.Click("addMinMax", s.opt);
  s.Click("runOptimization", s.opt);
  s.Click("viewOptimization", s.opt);
  OptimizationReportWindow* report = s.opt->Report();
  auto* tabs = s.Find<QTabWidget>("tabs", report);
  auto* chart = s.Find<OptimizationReportChart>("OptimizationReportChart", report);
  QVERIFY(chart);
  QCOMPARE(tabs->tabText(tabs->indexOf(chart)), QStringLiteral("Chart"));
  tabs->setCurrentWidget(chart);
  QCOMPARE(s.app->optimizationReportForm.currentTab,
           OptimizationReportForm::kOptimumTab);  // the chart shows the optimum

  QBarSeries* feed = Bars(chart, 0);
  QBarSeries* cost = Bars(chart, 1);
  QVERIFY(feed && cost);
  QCOMPARE(feed->barSets().size(), 2);
  QCOMPARE(feed->barSets()[0]->label(), QStringLiteral("Start"));
  QCOMPARE(feed->barSets()[1]->label(), QStringLiteral("Optimum"));
  QCOMPARE(feed->barSets()[0]->count(), 3);
  double startSum = 0, optimumSum = 0;
  for (int d = 1; d <= 3; ++d) {
    QCOMPARE(feed->barSets()[0]->at(d - 1), startFeed[d]);
    QCOMPARE(cost->barSets()[0]->at(d - 1), startPrice[d] / 1000 * startFeed[d]);
    QCOMPARE(feed->barSets()[1]->at(d - 1),
             s.app->optimizationReportForm.chart.diet[d].optimumFeed);
    startSum += cost->barSets()[0]->at(d - 1);
    optimumSum += cost->barSets()[1]->at(d - 1);
  }
  // The diets' costs add up to the report's: the optimum's exactly, the
  // start's but for the last diet's allowance against what it fed.
  QVERIFY(std::abs(optimumSum - s.app->optimizationReportForm.optimizedCost) < 1e-9);
  QVERIFY2(std::abs(startSum - startCost) < 0.01 * startCost,
           qPrintable(QString::number(startSum)));

  // Both charts go into one picture.
  QCoreApplication::processEvents();
  QTest::mouseClick(s.Find<QPushButton>("CopyChart", chart), Qt::LeftButton);
  QCOMPARE(QGuiApplication::clipboard()->image().size(), chart->Area()->size() * 2);
  QVERIFY(chart->View(1)->x() >= chart->View(0)->width());

  const QString picture = qEnvironmentVariable("TAMSEL_REPORT_SCREENSHOT");
  if (!picture.isEmpty()) {
    report->resize(900, 560);
    QCoreApplication::processEvents();
    QVERIFY(report->grab().save(picture));
  }
}

QTEST_MAIN(OptimizationReportChartTest)
#include "OptimizationReportChartTest.moc"
