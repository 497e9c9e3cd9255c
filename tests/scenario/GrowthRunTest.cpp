// A user opens the demo location, chooses the herd sex and the feed and
// presses "Growth": the daily table, the summary, the result fields, the
// run comparison and the Finishing Report follow; wrong inputs are refused
// with their messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/App.h"
#include "app/FinishingReport.h"
#include "model/DietsFile.h"
#include "model/GrowthSummary.h"
#include "model/Units.h"
#include "platform/NumberFormat.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"

namespace {

constexpr int kMixed = 0;
constexpr int kMales = 1;

// The demo opened through the "Calibration Name" field, the herd sex and the
// feed chosen, and the messages of the load forgotten.
struct DemoSession {
  TempDemo demo;
  ScriptedDialogs dialogs;
  App app{dialogs};
  MainForm& form = app.mainForm;
  const Grid& results = app.resultsTable;

  explicit DemoSession(int sex = kMixed, int feed = kFeedGrid) {
    OpenLocation(app, dialogs, demo.Plt());
    dialogs.Forget();
    form.herdSex.selected = sex;
    form.feedFormulation.selected = feed;
  }

  double Cell(int row, int col) const { return ReadNumber(results.Text(row, col)); }
  // The last daily row: the final day with its fractional age.
  int LastDailyRow() const {
    int row = 1;
    while (!results.Text(row + 1, 6).empty()) ++row;
    return row;
  }
};

// No result of an earlier run is left beside a press that made none (a
// failed model run shows the days it grew, no summary).
void ExpectNoResults(const DemoSession& s) {
  EXPECT_EQ(s.results.Text(1, 0), "");
  EXPECT_EQ(s.results.Text(20, 1), "");
  EXPECT_EQ(s.form.costPerPig.text, "");
  EXPECT_EQ(s.form.feedGain.text, "");
  EXPECT_EQ(s.form.coefficientTable.Text(1, 6), "");  // the run's score
}

TEST(GrowthRun, GridDietsMixedHerdFillsTablesAndFields) {
  DemoSession s;
  s.form.Growth();
  EXPECT_TRUE(s.dialogs.Messages().empty());
  const Grid& r = s.results;
  const MainForm& f = s.form;

  // Daily rows: age 21 at 6 kg to the final day at 25 kg, at about 65 days
  // on 29.8 kg of feed, as the weighings say.
  EXPECT_EQ(r.Text(1, 5), "21");
  EXPECT_DOUBLE_EQ(s.Cell(1, 6), 6);
  const int last = s.LastDailyRow();
  EXPECT_DOUBLE_EQ(s.Cell(last, 6), 25);
  const double finalAge = ReadNumber(f.finalAge.text);
  const double totalFeed = ReadNumber(f.totalFeedIntake.text);
  EXPECT_NEAR(s.Cell(last, 5), finalAge, 0.05);
  EXPECT_NEAR(finalAge, 65.0, 1.0);
  EXPECT_NEAR(totalFeed, 29.8, 2.0);
  EXPECT_NEAR(totalFeed, s.Cell(last, 8), 0.5);  // "Tot FEED" adds the shown days

  // Per-diet rows: the diet's end, the daily gain on it and its feed.
  const char* names[] = {"", "Phase 1 5-7 kg", "Phase 2 7-11 kg", "Phase 3 11-25 kg"};
  double weightBefore = 6, ageBefore = 21, feed = 0, cost = 0, energy = 0;
  for (int d = 1; d <= 3; ++d) {
    SCOPED_TRACE(d);
    EXPECT_EQ(r.Text(d, 0), names[d]);
    EXPECT_NEAR(s.Cell(d, 3), (s.Cell(d, 1) - weightBefore) / (s.Cell(d, 2) - ageBefore), 0.0006);
    weightBefore = s.Cell(d, 1);
    ageBefore = s.Cell(d, 2);
    feed += s.Cell(d, 4);
    cost += ReadNumber(f.dietsTable.Text(2, d)) / 1000 * s.Cell(d, 4);
    energy += ReadNumber(f.dietsTable.Text(4, d)) * s.Cell(d, 4);
  }
  EXPECT_NEAR(s.Cell(1, 4), 2.4, 1e-9);  // allowances of the diets that ended
  EXPECT_NEAR(s.Cell(2, 4), 5.9, 1e-9);
  EXPECT_DOUBLE_EQ(s.Cell(3, 1), 25);
  EXPECT_NEAR(s.Cell(3, 2), finalAge, 0.05);
  EXPECT_NEAR(feed, totalFeed, 0.01);

  // Cost per pig, feed/gain and energy per kg of gain.
  EXPECT_NEAR(ReadNumber(f.costPerPig.text), cost, 0.01);
  EXPECT_NEAR(ReadNumber(f.feedGain.text), feed / (25 - 6), 0.001);
  EXPECT_NEAR(s.Cell(8, 1), energy / (25 - 6), 0.1);

  // Sex split: a mixed herd's males and females eat twice the herd's feed.
  // Weanlings' female weight formula lies above the male one: both take the
  // herd's weight.
  EXPECT_NEAR(s.Cell(21, 1) + s.Cell(21, 2), 2 * totalFeed, 0.1);
  EXPECT_NEAR(s.Cell(22, 1) + s.Cell(22, 2), 2 * ReadNumber(f.costPerPig.text), 0.02);
  EXPECT_EQ(r.Text(20, 1), r.Text(20, 2));

  // Pig count from the first counted day. Near the final weight, from the
  // start-up normal table: the final row is at the final weight, z = 0, half
  // of 20 pigs; lighter rows have fewer, and the last whole day (65) lies
  // within a hair of it, still 10 rounded.
  EXPECT_EQ(r.Text(2, 9), "   of 20 Pigs");
  const int firstCounted = s.app.growthResults.pigCountStartAge;
  ASSERT_GT(firstCounted, 21);
  EXPECT_EQ(r.Text(4, 9), "Starts at " + std::to_string(firstCounted) + " Days");
  EXPECT_FALSE(r.Text(firstCounted - 21 + 1, 9).empty());
  EXPECT_TRUE(r.Text(firstCounted - 21, 9).empty());
  EXPECT_EQ(r.Text(last, 9), "10");
  EXPECT_LE(s.Cell(last - 1, 9), 10);
  EXPECT_LT(s.Cell(last - 2, 9), 10);
  EXPECT_LE(s.Cell(last - 3, 9), s.Cell(last - 2, 9));

  // Comparison: the run is "Current", with the ages each diet ended.
  EXPECT_EQ(s.app.comparison.Text(1, 1), "Mixed");
  for (int d = 1; d <= 3; ++d) EXPECT_EQ(s.app.comparison.Text(11 + d, 1), r.Text(d, 2)) << d;

  // The demo's weighings are loaded: the run is scored against them.
  EXPECT_TRUE(s.app.growthResults.scored);
  EXPECT_EQ(f.coefficientTable.Text(1, 6), FormatNumber(s.app.growthResults.score, "######.0#"));
  EXPECT_EQ(f.Button(MainForm::Control::RunOptimization).backColor, kLightGreen);
  EXPECT_TRUE(f.Button(MainForm::Control::RunOptimization).enabled);
}

// The blocks after the report's heading `heading`, up to the next heading.
std::vector<ReportBlock> Section(const ReportDocument& report, const std::string& heading) {
  auto at = std::find_if(report.blocks.begin(), report.blocks.end(), [&](const ReportBlock& b) {
    return b.kind == ReportBlock::Kind::Heading && b.text == heading;
  });
  std::vector<ReportBlock> blocks;
  for (++at; at < report.blocks.end() && at->kind != ReportBlock::Kind::Heading; ++at)
    blocks.push_back(*at);
  return blocks;
}

// The value of a named row of the section's facts; "" when there is none.
std::string Fact(const ReportDocument& report,
                 const std::string& heading,
                 const std::string& name) {
  for (const ReportBlock& block : Section(report, heading))
    for (const auto& row : block.table.rows)
      if (block.kind == ReportBlock::Kind::Facts && row.front() == name) return row.back();
  return {};
}

// Before a run the Finishing Report says to grow first and writes nothing;
// after one it reports the run as the main window shows it and the
// location's weighings against the curve, and after an optimization its
// saving.
TEST(FinishingReport, AsksForARunThenReportsItsNumbers) {
  DemoSession s(kMixed, kFeedLeastCost);
  EXPECT_EQ(s.form.Click(MainForm::Control::FinishingReport), MainForm::Window::None);
  EXPECT_EQ(s.dialogs.Messages(), (std::vector<std::string>{std::string(kNoRunToReport)}));

  s.form.Growth();
  EXPECT_EQ(s.form.Click(MainForm::Control::FinishingReport), MainForm::Window::FinishingReport);
  const ReportDocument report = FinishingReport(s.app, "15/03/2024");
  EXPECT_EQ(report.subtitle, "Location Demo (" + s.demo.Demo("") + "), 15/03/2024");
  EXPECT_EQ(Fact(report, "Herd", "Starting Weight, kg"), s.form.startWeight.text);
  EXPECT_EQ(Fact(report, "Results", "Cost Per Pig"), s.form.costPerPig.text);
  // Each diet a column, its name heading it; the formulas beside them.
  const ReportTable diets = Section(report, "Diets").front().table;
  EXPECT_EQ(diets.headings[2], s.form.dietsTable.Text(kDietNameRow, 2));
  EXPECT_FALSE(Section(report, "Formulas, per cent of each diet").empty());
  EXPECT_EQ(report.chart.curve.dayCount, static_cast<int>(s.app.growth.finalAge) - 21 + 2);

  // The weighings of Demo.cal after the start (30, 42 and 65 days) against
  // the run's weights at those ages.
  const std::vector<ReportBlock> fit = Section(report, "Calibration fit");
  ASSERT_GE(fit.size(), 2u);
  const ReportTable& weighings = fit[1].table;
  ASSERT_EQ(weighings.rows.size(), 3u);
  const double ages[] = {30, 42, 65};
  const double weighed[] = {7.8, 11.8, 25};
  for (std::size_t k = 0; k < 3; ++k) {
    EXPECT_EQ(ReadNumber(weighings.rows[k][0]), ages[k]);
    EXPECT_EQ(ReadNumber(weighings.rows[k][1]), weighed[k]);
    EXPECT_NEAR(ReadNumber(weighings.rows[k][2]),
                s.app.growth.liveWeight[static_cast<int>(ages[k])][kHerdColumn],
                0.01);
  }
  EXPECT_EQ(Section(report, "Diet optimization").front().kind, ReportBlock::Kind::Paragraph);

  // After an optimization, its saving.
  s.form.Click(MainForm::Control::RunOptimization);
  s.app.optimizationForm.AddMinMaxToCurrent();
  s.app.optimizationForm.Run();
  const OptResult& result = s.app.optimization->result;
  ASSERT_TRUE(result.done);
  const ReportDocument optimized = FinishingReport(s.app, "15/03/2024");
  EXPECT_EQ(ReadNumber(Fact(optimized, "Diet optimization", "Starting cost per pig")),
            ReadNumber(NumberText(result.startCost)));
  EXPECT_EQ(ReadNumber(Fact(optimized, "Diet optimization", "Optimized cost per pig")),
            ReadNumber(NumberText(result.bestCost)));
  EXPECT_EQ(Section(optimized, "Diet optimization").back().table.rows.size(),
            static_cast<std::size_t>(result.diets));
}

// "Least Cost Formulas": the diets are formulated first; the formula table
// lists the ingredients eaten with the herd's tonnage and total cost. A diet
// the formulation cannot meet then stops the run after its message: no cost
// per pig is made from a diet that was never formulated.
TEST(GrowthRun, LeastCostFormulasRunTheLpFirst) {
  DemoSession s(kMixed, kFeedLeastCost);
  s.form.pigCount.text = "500";
  for (int d = 1; d <= 3; ++d) s.form.dietsTable.SetText(2, d, "");
  s.form.Growth();
  EXPECT_TRUE(s.dialogs.Messages().empty()) << s.dialogs.Messages().front();
  double cost = 0;
  for (int d = 1; d <= 3; ++d) {
    EXPECT_GT(ReadNumber(s.form.dietsTable.Text(2, d)), 300) << d;
    cost += ReadNumber(s.form.dietsTable.Text(2, d)) / 1000 * s.Cell(d, 4);
  }
  EXPECT_NEAR(ReadNumber(s.form.costPerPig.text), cost, 0.01);
  EXPECT_EQ(s.app.growth.pigCount, 500);
  const Grid& f = s.form.formulaTable;
  EXPECT_EQ(f.Text(0, 2), "Phase 1 5-7 kg");
  const int total = f.Rows() - 1;
  ASSERT_GT(total, 2);
  EXPECT_NEAR(ReadNumber(f.Text(total, 3 + 5)), 500 * ReadNumber(s.form.costPerPig.text), 5);
  EXPECT_FALSE(f.Text(1, 1).empty());

  s.app.formulation.nutrientRestrictions[2][kMinKind][kEnergy] = 9000;  // kcal/kg: out of reach
  s.form.Growth();
  EXPECT_EQ(
      s.dialogs.Messages(),
      std::vector<std::string>{"Diet 2: the minimum of Net ENERGY 9,000 Kcal/Kg cannot hold."});
  ExpectNoResults(s);
  EXPECT_EQ(s.results.Text(1, 6), "");
}

// What a refused run must leave as it was: the user's inputs and the
// comparison of earlier runs.
std::vector<std::string> Inputs(const DemoSession& s) {
  const MainForm& f = s.form;
  std::vector<std::string> cells = {
      f.startWeight.text, f.startAge.text, f.finalWeight.text, f.pigCount.text};
  for (const Grid* g : {&s.app.comparison, &f.dietsTable})
    for (int r = 0; r < g->Rows(); ++r)
      for (int c = 0; c < g->Cols(); ++c) cells.push_back(g->Text(r, c));
  for (int c = 1; c <= 5; ++c) cells.push_back(f.coefficientTable.Text(1, c));
  return cells;
}

struct RefusedCase {
  const char* name;
  std::function<void(DemoSession&)> change;
  const char* message;  // how the message begins
  bool started;         // past the checks of the herd and the feed: Calibration is no longer next
};

TEST(GrowthRun, RefusedInputsSayWhyAndLeaveNoEarlierResults) {
  const char* const kStart = "Starting Weight must be a number from 4 to 25 kg";
  const char* const kAge = "Starting Age, Days must be a number from 0 to 200";
  const char* const kFinal =
      "Final Weight must be a number from the Starting Weight (6 kg) to 25 kg";
  const std::vector<RefusedCase> cases = {
      {"start 3.99", [](DemoSession& s) { s.form.startWeight.text = "3.99"; }, kStart, false},
      {"start 25.5", [](DemoSession& s) { s.form.startWeight.text = "25.5"; }, kStart, false},
      {"start abc", [](DemoSession& s) { s.form.startWeight.text = "abc"; }, kStart, false},
      {"start below the curve",
       [](DemoSession& s) {
         // A curve that starts at 5.518 kg, as the demo's classic fit had it.
         const char* curve[] = {"5.5179", "1.5578", "3.8747", ".00060236", ".65229"};
         for (int k = 0; k < 5; ++k) s.form.coefficientTable.SetText(1, k + 1, curve[k]);
         s.form.startWeight.text = "5";
       },
       "The growth curve starts at its B0 of 5.518 kg, too far above the Starting Weight of 5 kg",
       true},
      {"age abc", [](DemoSession& s) { s.form.startAge.text = "abc"; }, kAge, false},
      {"age 250", [](DemoSession& s) { s.form.startAge.text = "250"; }, kAge, false},
      {"final 200", [](DemoSession& s) { s.form.finalWeight.text = "200"; }, kFinal, false},
      {"final below start", [](DemoSession& s) { s.form.finalWeight.text = "5"; }, kFinal, false},
      {"no herd sex",
       [](DemoSession& s) { s.form.herdSex.selected = -1; },
       "Set the Herd Sex before running",
       false},
      {"no feed choice",
       [](DemoSession& s) { s.form.feedFormulation.selected = kFeedNotChosen; },
       "Choose Least Cost Feed or Feed from the Grid before running",
       false},
      {"no feed intakes",
       [](DemoSession& s) { s.form.dietsTable.SetText(3, 1, "0"); },
       "Need Feed Intakes: the Weight of diet 1 (its feed per pig) must be above 0",
       false},
      {"no energy in diet 1",
       [](DemoSession& s) { s.form.dietsTable.SetText(4, 1, ""); },
       "Energy NE of diet 1 must be above 0",
       true},
      {"diets 7 and 8",
       [](DemoSession& s) {
         for (int d : {7, 8}) s.form.dietsTable.SetText(4, d, "2400");
       },
       "The growth run feeds diets 1 to 6, but diets 7 and 8 have Energy NE: clear them",
       true},
      {"B1 missing",
       [](DemoSession& s) {
         s.form.coefficientTable.SetText(1, 2, "0");
         s.app.growth.defaultGrowthCoef[1] = 0;
       },
       "The calibration curve B1 is missing",
       true},
      {"no location",
       [](DemoSession& s) { s.app.location.loaded = false; },
       "Growth has no location loaded (a calibration that was not saved leaves none): click the "
       "Calibration Name field and choose ",
       false},
  };
  for (const RefusedCase& c : cases) {
    SCOPED_TRACE(c.name);
    DemoSession s;
    s.form.Growth();  // an earlier run's results must not stay beside a refused one
    s.dialogs.Forget();
    c.change(s);
    s.form.Button(MainForm::Control::Calibration).backColor = kLightGreen;
    const std::vector<std::string> before = Inputs(s);
    s.form.Growth();
    ASSERT_EQ(s.dialogs.Messages().size(), 1u);
    EXPECT_EQ(s.dialogs.Messages()[0].rfind(c.message, 0), 0u) << s.dialogs.Messages()[0];
    EXPECT_TRUE(Inputs(s) == before);
    ExpectNoResults(s);
    EXPECT_EQ(s.results.Text(1, 5), "");
    // What the run had written in the two herd fields goes with it.
    EXPECT_EQ(s.form.totalFeedIntake.text, "");
    EXPECT_EQ(s.form.finalAge.text, "");
    EXPECT_EQ(s.form.Button(MainForm::Control::Calibration).backColor,
              c.started ? kButtonFace : kLightGreen);
  }
}

// Exactly 4 and exactly 25 kg pass the checks: the run starts (its results
// table is rewritten), and a coefficient cell left at 0 takes the default,
// shown. From 25 kg to 25 kg nothing is eaten and nothing is gained:
// feed/gain is 0, not a division by zero.
TEST(GrowthRun, StartingWeightsAtTheLimitsPass) {
  for (const char* start : {"4", "25"}) {
    SCOPED_TRACE(start);
    DemoSession s;
    s.form.coefficientTable.SetText(1, 1, "4");  // a curve that starts at 4 kg
    s.form.coefficientTable.SetText(1, 5, "0");
    s.form.startWeight.text = start;
    s.form.Growth();
    EXPECT_TRUE(s.dialogs.Messages().empty());
    EXPECT_EQ(s.results.Text(0, 4), "Feed Wt.");
    const double b4 = s.app.growth.defaultGrowthCoef[4];
    EXPECT_DOUBLE_EQ(ReadNumber(s.form.coefficientTable.Text(1, 5)), b4);
    EXPECT_DOUBLE_EQ(s.app.growth.growthCoef[4], b4);
    if (std::string(start) != "25") continue;
    EXPECT_EQ(s.form.feedGain.text, "0");
    EXPECT_EQ(s.form.totalFeedIntake.text, "0");
    EXPECT_EQ(s.results.Text(3, 3), "0.0");  // no days on the diet, no daily gain
  }
}

// The first run is the initial one; a second run after edits to the diets
// shows the first run as the previous one, and "Reset Initial " makes the
// current run the initial one. A reload and a failed run leave no results.
TEST(GrowthRun, ChangeTrackingFollowsTheRuns) {
  DemoSession s;
  s.form.Growth();
  const Grid& c = s.app.comparison;
  Grid& diets = s.form.dietsTable;
  const std::string firstCost = c.Text(5, 1);
  diets.SetText(3, 1, "3");  // more feed of diet 1: another cost
  s.form.Growth();
  EXPECT_EQ(c.Text(5, 4), firstCost);  // the initial run stays
  EXPECT_EQ(c.Text(5, 2), firstCost);
  EXPECT_NE(c.Text(5, 1), firstCost);
  EXPECT_EQ(s.app.changeTrackingForm.comparisonTable.Text(5, 2), firstCost);
  // A third run, of a male herd, moves the first to "Earlier". The males are
  // the herd that was run; the females are derived from them. Recent costs
  // keep the newest first.
  s.form.herdSex.selected = kMales;
  s.form.Growth();
  EXPECT_EQ(c.Text(5, 3), firstCost);
  EXPECT_EQ(c.Text(14, 0), "Diet 3 Change");  // the rows keep their names
  EXPECT_EQ(c.Text(1, 1), "Males");
  EXPECT_NEAR(s.Cell(21, 1), ReadNumber(s.form.totalFeedIntake.text), 0.05);
  EXPECT_NEAR(s.Cell(22, 1), ReadNumber(s.form.costPerPig.text), 0.006);
  s.form.CostPerPigDoubleClicked();
  ASSERT_EQ(s.dialogs.Messages().size(), 1u);
  const std::string recent = s.dialogs.Messages()[0];
  EXPECT_EQ(recent.rfind("Last Cost ", 0), 0u) << recent;
  EXPECT_NE(recent.find("  # 3 "), std::string::npos) << recent;
  s.dialogs.Forget();

  s.form.TrackResetInitial();
  for (int r = 1; r < 15; ++r) EXPECT_EQ(c.Text(r, 4), c.Text(r, 1)) << r;
  EXPECT_EQ(s.app.changeTrackingForm.comparisonTable.Text(5, 4), c.Text(5, 1));

  // Reloading the location leaves no result of the last run; the herd fields
  // show the location's.
  OpenLocation(s.app, s.dialogs, s.demo.Plt());
  ExpectNoResults(s);
  EXPECT_EQ(s.form.totalFeedIntake.text, "29.80");
  EXPECT_EQ(s.form.finalAge.text, "65.00");

  // A model run that fails (a feed so rich in energy that the pigs would eat
  // almost none of it) says where it stopped and gives no summary; the
  // comparison keeps the runs before.
  s.form.feedFormulation.selected = kFeedGrid;  // the reload chose the location's
  s.form.Growth();
  const std::string current = c.Text(5, 1);
  diets.SetText(4, 2, "2448000");
  s.form.Growth();
  ASSERT_EQ(s.dialogs.Messages().size(), 1u);
  const std::string stopped = s.dialogs.Messages()[0];
  EXPECT_EQ(stopped.rfind("The growth model stopped at age ", 0), 0u) << stopped;
  EXPECT_NE(stopped.find("the day diet 1 (Phase 1 5-7 kg) changes to diet 2 (Phase 2 7-11 kg)"),
            std::string::npos)
      << stopped;
  EXPECT_FALSE(s.results.Text(1, 5).empty());  // the days it grew
  ExpectNoResults(s);
  EXPECT_EQ(c.Text(5, 1), current);
}

}  // namespace
