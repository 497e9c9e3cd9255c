// A user opens the demo location, grows the pigs on least-cost diets, opens
// the "Diet Optimization" window with "Run Optimization", sets every feed
// amount, energy and protein of the three diets free within the usual limits
// around the current values ("Program Add Min Max to Current") and runs it,
// reads the report and the results file, transfers the optimum and grows the
// pigs on it.

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "app/App.h"
#include "app/OptimizationRun.h"
#include "optimization/DietOptimization.h"
#include "optimization/ThoroughDietSearch.h"
#include "platform/NumberFormat.h"
#include "platform/TextFile.h"
#include "support/CountingAllocator.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"

namespace {

// The demo grown once on least-cost diets, and the optimization window
// opened from the main window with the limits around the current values.
struct DemoSession {
  TempDemo demo;
  ScriptedDialogs dialogs;
  App app{dialogs};
  MainForm& form = app.mainForm;
  OptimizationForm& opt = app.optimizationForm;
  DietOptState& state = *app.optimization;

  DemoSession() {
    OpenLocation(app, dialogs, demo.Plt());
    form.herdSex.selected = 0;
    form.feedFormulation.selected = kFeedLeastCost;
    form.Growth();
    EXPECT_TRUE(dialogs.Messages().empty());
    dialogs.Forget();
    EXPECT_EQ(form.Click(MainForm::Control::RunOptimization), MainForm::Window::Optimization);
    opt.today = [] { return std::string("15/03/2024"); };
  }
};

TEST(OptimizeDemo, RunReportResultsFileAndTransfer) {
  DemoSession s;
  const double startCost = ReadNumber(s.form.costPerPig.text);
  const auto restrictions = s.app.formulation.nutrientRestrictions;
  s.opt.AddMinMaxToCurrent();
  // The table saved and opened again, to its last row.
  const Grid before = s.opt.optimizationTable;
  s.dialogs.File(s.demo.Demo("Trial.opt"));
  ASSERT_TRUE(s.opt.SaveTable());
  s.opt.optimizationTable.SetText(9, kOptMaximumCol, "99");
  s.dialogs.File(s.demo.Demo("Trial.opt"));
  ASSERT_TRUE(s.opt.OpenTable());
  for (int row = 1; row < before.Rows(); ++row)
    EXPECT_EQ(ReadNumber(s.opt.optimizationTable.Text(row, kOptMaximumCol)),
              ReadNumber(before.Text(row, kOptMaximumCol)))
        << row;
  int progress = 0;
  double firstBest = 0;
  bool commandsHeld = true;
  s.opt.onProgress = [&] {
    if (++progress == 1) firstBest = s.opt.bestCost;
    commandsHeld = commandsHeld && s.opt.workingVisible && !s.opt.runOptimization.enabled &&
                   !s.form.Enabled(MainForm::Control::Growth) &&
                   !s.form.Enabled(MainForm::Control::RunOptimization);
  };
  s.opt.Run();

  const OptResult& r = s.state.result;
  ASSERT_TRUE(r.done);
  EXPECT_LE(r.bestCost, startCost);
  // The starting point, scored first, costs what the growth run said; the
  // run priced the diets as the diets table shows them, to the cent a tonne.
  EXPECT_NEAR(firstBest, s.app.growthResults.costPerPig, 0.005 * 34 / 1000);
  // The optimum within the table's limits, no single change above the start,
  // and the user's restrictions as before the run.
  for (int d = 1; d <= 3; ++d) {
    const double energy = r.nutrientRestrictions[d][kMinKind][kEnergy];
    EXPECT_GE(energy, r.tableValues[d][kEnergyKind][kOptMinimum] - 0.5) << d;
    EXPECT_LE(energy, r.tableValues[d][kEnergyKind][kOptMaximum] + 0.5) << d;
    EXPECT_EQ(r.dietNutrients[d][kPrice], r.dietCost[d]) << d;
  }
  for (int v = 0; v <= 9; ++v) EXPECT_LE(r.singleCost[v], startCost + 1e-3) << v;
  EXPECT_TRUE(s.app.formulation.nutrientRestrictions == restrictions);
  EXPECT_EQ(s.app.formulationState->optMode, kOptModeOff);
  EXPECT_FALSE(s.app.growth.cancelRun);
  EXPECT_GT(progress, 10);
  EXPECT_TRUE(commandsHeld);
  EXPECT_FALSE(s.opt.workingVisible);
  EXPECT_TRUE(s.opt.transferOptimum.enabled);
  EXPECT_TRUE(s.form.Enabled(MainForm::Control::Growth));
  EXPECT_EQ(ReadNumber(s.form.optimizationStartCost.text), startCost);
  EXPECT_NEAR(ReadNumber(s.form.optimizationBestCost.text), r.bestCost, 1e-3);

  // The report: the saving is the gap between the two costs.
  ASSERT_TRUE(s.opt.ViewOptimization());
  const Grid& g = s.app.optimizationReportForm.optimumTable;
  // Priced on the feed amounts as allowed; the run priced them to the gram.
  EXPECT_NEAR(ReadNumber(g.Text(1, 1)), r.bestCost, 0.002);
  EXPECT_DOUBLE_EQ(ReadNumber(g.Text(2, 1)), startCost);
  EXPECT_NEAR(ReadNumber(g.Text(1, 4)), (startCost - r.bestCost) * 100 / startCost, 0.02);

  // The results file, named from the location and the date, in its blocks.
  EXPECT_EQ(s.opt.resultsFile, s.demo.Demo("DemoOPTMAR 2024.txt"));
  const auto lines = TextFile::ReadLines(s.opt.resultsFile);
  ASSERT_TRUE(lines.has_value());
  const auto first =
      std::find(lines->begin(), lines->end(), "DIET Results:          Calculated Diet Contents");
  ASSERT_NE(first, lines->end());
  EXPECT_EQ(*std::next(first), "  ");

  // "Transfer Optimum to Current", then "Growth": the optimized cost per pig.
  s.opt.TransferOptimum();
  s.dialogs.Forget();
  s.form.Growth();
  EXPECT_TRUE(s.dialogs.Messages().empty());
  // As shown: three decimals.
  EXPECT_NEAR(ReadNumber(s.form.costPerPig.text), r.bestCost, 0.001) << s.form.costPerPig.text;
}

// The thorough stage after the classic searches: never above the classic
// cost, at most 10.07 per pig on the demo, and the same point whatever the
// number of threads; Cancel in it keeps the best point so far.
TEST(OptimizeDemo, ThoroughStageLowersTheCostAlikeOnAnyThreads) {
  std::vector<OptResult> results;
  for (int threads : {1, 2}) {
    SCOPED_TRACE(threads);
    DemoSession s;
    s.opt.AddMinMaxToCurrent();
    s.opt.thoroughSearch.checked = true;
    s.state.threads = threads;
    s.opt.Run();
    const OptResult& r = s.state.result;
    ASSERT_TRUE(r.done && r.thoroughRan);
    EXPECT_LE(r.thorough.score, r.classic.score);
    EXPECT_LE(r.bestCost, 10.07);
    EXPECT_DOUBLE_EQ(r.bestCost, r.thorough.score);  // scored again as the workers scored it
    // and one more: the optimum scored again at the end
    EXPECT_EQ(r.evaluations, r.classic.evaluations + r.thorough.evaluations + 1);
    results.push_back(r);
  }
  EXPECT_EQ(results[0].bestVar, results[1].bestVar);
  EXPECT_EQ(results[0].bestCost, results[1].bestCost);

  DemoSession s;
  s.opt.AddMinMaxToCurrent();
  s.opt.thoroughSearch.checked = true;
  s.opt.onProgress = [&] {
    // The first report of the thorough stage: the classic searches are done.
    if (s.state.result.classic.evaluations > 0) s.app.growth.cancelRun = true;
  };
  s.opt.Run();
  const OptResult& r = s.state.result;
  EXPECT_TRUE(r.cancelled);
  EXPECT_LE(r.bestCost, r.classic.score);
  EXPECT_DOUBLE_EQ(r.bestCost, r.thorough.score);
}

// After a run, with the programs of the diets kept. The last diet is fed to
// the target weight: whatever its feed amount, the cost is the same, so the
// thorough stage holds it. Evaluations that move every feed amount, energy
// and protein, and a whole search, allocate nothing.
TEST(OptimizeDemo, TheObjectiveIgnoresTheLastFeedAndAllocatesNothing) {
  DemoSession s;
  s.opt.AddMinMaxToCurrent();
  s.opt.Run();
  ASSERT_TRUE(s.state.result.done);
  App& app = s.app;
  DietOptState& opt = s.state;
  LeastCostContext lp{app.formulation, app.growth, *app.formulationState, app.dialogs};
  FeedCostObjective objective(lp, s.form.dietsTable, opt.objective);
  OptSearch& search = opt.search;
  search.fixedFlags = opt.ticked;
  app.formulationState->optMode = kOptModeRunning;

  search.point = opt.result.bestVar;
  const int lastFeed = VariableOf(3, kFeedKind);
  EXPECT_EQ(ThoroughHeldVariables(search)[lastFeed], 1);
  EXPECT_EQ(ThoroughHeldVariables(search)[VariableOf(2, kFeedKind)], 0);
  std::vector<double> costs;
  for (double coordinate : {kCoordLow, 10.0, kCoordHigh}) {
    search.point[lastFeed] = coordinate;
    costs.push_back(objective.Evaluate(search, 1));
  }
  EXPECT_EQ(costs, std::vector<double>(3, costs[0]));
  EXPECT_DOUBLE_EQ(costs[0], opt.result.bestCost);

  const long solves = opt.objective.lpSolves;
  StartCountingAllocations();
  for (int k = 0; k < 40; ++k) {
    for (int i = 1; i <= search.n; ++i) search.point[i] = kCoordLow + (k * 7 + i) % 9;
    ScoreOptPoint(search, objective);
  }
  const long perEvaluations = StopCountingAllocations();
  search.point = opt.startVar;
  const long inOptimize = AllocationsOf([&] { Optimize(search, objective); });
  app.formulationState->optMode = kOptModeOff;

  EXPECT_EQ(perEvaluations, 0);
  EXPECT_EQ(inOptimize, 0);
  EXPECT_GT(opt.objective.lpSolves, solves + 40);  // the diets were formulated
  EXPECT_TRUE(s.dialogs.Messages().empty() ||
              s.dialogs.Messages() == std::vector<std::string>{kNoLowerAnswer});
}

}  // namespace
