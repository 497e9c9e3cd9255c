// A user opens the demo location, chooses the herd sex and the feed and
// presses "Growth": the daily table, the summary, the result fields and the
// run comparison follow; wrong inputs are refused with their messages.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/App.h"
#include "model/DietsFile.h"
#include "model/GrowthSummary.h"
#include "model/Units.h"
#include "platform/NumberFormat.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"

namespace fs = std::filesystem;

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

TEST(GrowthRun, GridDietsMixedHerdFillsTablesAndFields) {
  DemoSession s;
  s.form.Growth();
  EXPECT_TRUE(s.dialogs.Messages().empty());
  const Grid& r = s.results;

  // Daily rows: age 21 at 6 kg to the final day at 25 kg.
  EXPECT_EQ(r.Text(1, 5), "21");
  EXPECT_DOUBLE_EQ(s.Cell(1, 6), 6);
  const int last = s.LastDailyRow();
  EXPECT_DOUBLE_EQ(s.Cell(last, 6), 25);
  const double finalAge = ReadNumber(s.form.finalAge.text);
  EXPECT_NEAR(s.Cell(last, 5), finalAge, 0.05);
  EXPECT_NEAR(finalAge, 65.0, 1.0);  // as the weighings say
  EXPECT_NEAR(ReadNumber(s.form.totalFeedIntake.text), 29.8, 2.0);
  EXPECT_NEAR(
      ReadNumber(s.form.totalFeedIntake.text), s.Cell(last, 8), 0.5);  // "Tot FEED" adds shown days

  // Per-diet rows.
  const char* names[] = {"", "Phase 1 5-7 kg", "Phase 2 7-11 kg", "Phase 3 11-25 kg"};
  double weightBefore = 6, ageBefore = 21, feed = 0, cost = 0, energy = 0;
  for (int d = 1; d <= 3; ++d) {
    SCOPED_TRACE(d);
    EXPECT_EQ(r.Text(d, 0), names[d]);
    const double days = s.Cell(d, 2) - ageBefore;
    ASSERT_GT(days, 0);
    EXPECT_NEAR(s.Cell(d, 3), (s.Cell(d, 1) - weightBefore) / days, 0.0006);
    weightBefore = s.Cell(d, 1);
    ageBefore = s.Cell(d, 2);
    feed += s.Cell(d, 4);
    cost += ReadNumber(s.form.dietsTable.Text(2, d)) / 1000 * s.Cell(d, 4);
    energy += ReadNumber(s.form.dietsTable.Text(4, d)) * s.Cell(d, 4);
  }
  EXPECT_NEAR(s.Cell(1, 4), 2.4, 1e-9);  // allowances of the diets that ended
  EXPECT_NEAR(s.Cell(2, 4), 5.9, 1e-9);
  EXPECT_DOUBLE_EQ(s.Cell(3, 1), 25);
  EXPECT_NEAR(s.Cell(3, 2), finalAge, 0.05);
  EXPECT_EQ(r.Text(4, 0), "");
  EXPECT_NEAR(feed, ReadNumber(s.form.totalFeedIntake.text), 0.01);

  // Cost per pig, feed/gain and energy per kg of gain.
  EXPECT_NEAR(ReadNumber(s.form.costPerPig.text), cost, 0.01);
  EXPECT_NEAR(ReadNumber(s.form.feedGain.text), feed / (25 - 6), 0.001);
  EXPECT_NEAR(s.Cell(8, 1), energy / (25 - 6), 0.1);
  EXPECT_EQ(s.app.growth.pigCount, 20);
  EXPECT_EQ(s.form.pigCount.text, "20");

  // Sex split: a mixed herd's males and females eat twice the herd's feed.
  EXPECT_NEAR(s.Cell(21, 1) + s.Cell(21, 2), 2 * ReadNumber(s.form.totalFeedIntake.text), 0.1);
  EXPECT_NEAR(s.Cell(22, 1) + s.Cell(22, 2), 2 * ReadNumber(s.form.costPerPig.text), 0.02);
  // Weanlings' female weight formula lies above the male one: both take the
  // herd's weight.
  EXPECT_EQ(r.Text(20, 1), r.Text(20, 2));

  // Pig count: headings, and the first counted day.
  EXPECT_EQ(r.Text(2, 9), "   of 20 Pigs");
  const int firstCounted = s.app.growthResults.pigCountStartAge;
  ASSERT_GT(firstCounted, 21);
  EXPECT_EQ(r.Text(4, 9), "Starts at " + std::to_string(firstCounted) + " Days");
  EXPECT_FALSE(r.Text(firstCounted - 21 + 1, 9).empty());
  EXPECT_TRUE(r.Text(firstCounted - 21, 9).empty());
  // Near the final weight, from the start-up normal table: the final row is
  // at the final weight, z = 0, half of 20 pigs; lighter rows have fewer,
  // and the last whole day (65) lies within a hair of it, still 10 rounded.
  EXPECT_EQ(r.Text(last, 9), "10");
  EXPECT_LE(s.Cell(last - 1, 9), 10);
  EXPECT_LT(s.Cell(last - 2, 9), 10);
  EXPECT_LE(s.Cell(last - 3, 9), s.Cell(last - 2, 9));

  // Comparison: the run is "Current".
  const Grid& c = s.app.comparison;
  EXPECT_EQ(c.Text(1, 1), "Mixed");
  EXPECT_DOUBLE_EQ(ReadNumber(c.Text(2, 1)), 25);
  EXPECT_EQ(c.Text(3, 1), s.form.feedGain.text);
  EXPECT_EQ(c.Text(4, 1), s.form.finalAge.text);
  EXPECT_EQ(c.Text(5, 1), s.form.costPerPig.text);
  EXPECT_EQ(c.Text(6, 1), r.Text(8, 1));
  EXPECT_DOUBLE_EQ(ReadNumber(c.Text(7, 1)), 6);
  for (int d = 1; d <= 4; ++d) EXPECT_EQ(c.Text(7 + d, 1), r.Text(d, 4)) << d;
  for (int d = 1; d <= 3; ++d) EXPECT_EQ(c.Text(11 + d, 1), r.Text(d, 2)) << d;
  EXPECT_EQ(c.Text(1, 2), "");

  // The demo's weighings are loaded: the run is scored against them.
  EXPECT_TRUE(s.app.growthResults.scored);
  EXPECT_EQ(s.form.coefficientTable.Text(1, 6),
            FormatNumber(s.app.growthResults.score, "######.0#"));
  EXPECT_EQ(s.form.Button(MainForm::Control::RunOptimization).backColor, kLightGreen);
  EXPECT_TRUE(s.form.Button(MainForm::Control::RunOptimization).enabled);
}

// Three runs from 6, 6.5 and 7 kg: the first moves to "Previous", then to
// "Earlier"; recent costs keep the newest first.
TEST(GrowthRun, ThreeRunsMoveCurrentToPreviousToEarlier) {
  DemoSession s;
  const char* starts[] = {"6", "6.5", "7"};
  std::vector<std::string> prices;
  for (const char* start : starts) {
    s.form.startWeight.text = start;
    s.form.Growth();
    prices.push_back(s.form.costPerPig.text);
  }
  EXPECT_TRUE(s.dialogs.Messages().empty());
  const Grid& c = s.app.comparison;
  for (int run = 0; run < 3; ++run) {
    EXPECT_DOUBLE_EQ(ReadNumber(c.Text(7, 3 - run)), ReadNumber(starts[run]));
    EXPECT_EQ(c.Text(5, 3 - run), prices[run]);
  }
  EXPECT_EQ(c.Text(14, 0), "Diet 3 Change");

  s.form.CostPerPigDoubleClicked();
  ASSERT_EQ(s.dialogs.Messages().size(), 1u);
  const std::string recent = s.dialogs.Messages()[0];
  EXPECT_EQ(recent.rfind("Last Cost ", 0), 0u) << recent;
  EXPECT_NE(recent.find("  # 2 "), std::string::npos) << recent;
  EXPECT_NE(recent.find("  # 3 "), std::string::npos) << recent;
}

// "Least Cost Formulas": the diets are formulated first; the formula table
// lists the ingredients eaten with the herd's tonnage and total cost.
TEST(GrowthRun, LeastCostFormulasRunTheLpFirst) {
  DemoSession s(kMixed, kFeedLeastCost);
  s.form.pigCount.text = "500";
  for (int d = 1; d <= 3; ++d) s.form.dietsTable.SetText(2, d, "");
  s.form.Growth();
  EXPECT_TRUE(s.dialogs.Messages().empty()) << s.dialogs.Messages().front();
  for (int d = 1; d <= 3; ++d) EXPECT_GT(ReadNumber(s.form.dietsTable.Text(2, d)), 300) << d;
  double cost = 0;
  for (int d = 1; d <= 3; ++d)
    cost += ReadNumber(s.form.dietsTable.Text(2, d)) / 1000 * s.Cell(d, 4);
  EXPECT_NEAR(ReadNumber(s.form.costPerPig.text), cost, 0.01);
  EXPECT_EQ(s.app.growth.pigCount, 500);

  const Grid& f = s.form.formulaTable;
  EXPECT_EQ(f.Text(0, 0), "NO");
  EXPECT_EQ(f.Text(0, 2), "Phase 1 5-7 kg");
  const int total = f.Rows() - 1;
  ASSERT_GT(total, 2);
  EXPECT_EQ(f.Text(total, 1), "Total Cost");
  EXPECT_NEAR(ReadNumber(f.Text(total, 3 + 5)), 500 * ReadNumber(s.form.costPerPig.text), 5);
  EXPECT_FALSE(f.Text(1, 1).empty());
}

// A diet the formulation cannot meet stops the run after its message: no
// cost per pig is made from a diet that was never formulated.
TEST(GrowthRun, AnInfeasibleDietStopsTheRun) {
  DemoSession s(kMixed, kFeedLeastCost);
  s.form.Growth();  // its results must not stay beside the failed run
  s.app.formulation.nutrientRestrictions[2][kMinKind][kEnergy] = 9000;  // kcal/kg: out of reach
  s.form.Growth();
  EXPECT_EQ(
      s.dialogs.Messages(),
      std::vector<std::string>{"Diet 2: the minimum of Net ENERGY 9,000 Kcal/Kg cannot hold."});
  EXPECT_EQ(s.form.costPerPig.text, "");
  EXPECT_EQ(s.form.feedGain.text, "");
  EXPECT_EQ(s.form.coefficientTable.Text(1, 6), "");
  EXPECT_EQ(s.results.Text(1, 6), "");
  EXPECT_EQ(s.results.Text(1, 0), "");
}

// A one-sex herd: the males are the herd that was run; the females are
// derived from them.
TEST(GrowthRun, MaleHerdIsTheRunItself) {
  DemoSession s(kMales);
  s.form.Growth();
  EXPECT_TRUE(s.dialogs.Messages().empty());
  const double feed = ReadNumber(s.form.totalFeedIntake.text);
  EXPECT_NEAR(s.Cell(21, 1), feed, 0.05);
  const GrowthState& growth = s.app.growth;
  EXPECT_DOUBLE_EQ(growth.cumFeed[1], s.app.growthResults.totalFeed);
  EXPECT_NE(growth.cumFeed[2], growth.cumFeed[1]);
  EXPECT_NEAR(growth.cumFeed[0], (growth.cumFeed[1] + growth.cumFeed[2]) / 2, 1e-9);
  EXPECT_EQ(s.app.comparison.Text(1, 1), "Males");
  EXPECT_NEAR(s.Cell(22, 1), ReadNumber(s.form.costPerPig.text), 0.006);
}

// What a refused run must leave as it was: the user's inputs and the
// comparison of earlier runs.
struct Snapshot {
  std::vector<std::string> cells;
  std::vector<std::string> fields;

  explicit Snapshot(const DemoSession& s) {
    for (const Grid* g : std::initializer_list<const Grid*>{&s.app.comparison, &s.form.dietsTable})
      for (int r = 0; r < g->Rows(); ++r)
        for (int c = 0; c < g->Cols(); ++c) cells.push_back(g->Text(r, c));
    for (int c = 1; c <= 5; ++c) cells.push_back(s.form.coefficientTable.Text(1, c));
    const MainForm& f = s.form;
    fields = {f.startWeight.text, f.startAge.text, f.finalWeight.text, f.pigCount.text};
  }
  bool operator==(const Snapshot&) const = default;
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
      {"start empty", [](DemoSession& s) { s.form.startWeight.text = ""; }, kStart, false},
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
    const Snapshot before(s);
    s.form.Growth();
    ASSERT_EQ(s.dialogs.Messages().size(), 1u);
    EXPECT_EQ(s.dialogs.Messages()[0].rfind(c.message, 0), 0u) << s.dialogs.Messages()[0];
    EXPECT_TRUE(Snapshot(s) == before);
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
// table is rewritten). From 25 kg to 25 kg nothing is eaten and nothing is
// gained: feed/gain is 0, not a division by zero.
TEST(GrowthRun, StartingWeightsAtTheLimitsPass) {
  for (const char* start : {"4", "25"}) {
    SCOPED_TRACE(start);
    DemoSession s;
    s.form.coefficientTable.SetText(1, 1, "4");  // a curve that starts at 4 kg
    s.form.startWeight.text = start;
    s.form.Growth();
    EXPECT_TRUE(s.dialogs.Messages().empty());
    EXPECT_EQ(s.results.Text(0, 4), "Feed Wt.");
  }
  DemoSession s;
  s.form.startWeight.text = "25";
  s.form.Growth();
  EXPECT_EQ(s.form.feedGain.text, "0");
  EXPECT_EQ(s.form.totalFeedIntake.text, "0");
  EXPECT_EQ(s.results.Text(3, 3), "0.0");  // no days on the diet, no daily gain
}

// A coefficient cell left at 0 takes the default, is shown, and the run goes
// on.
TEST(GrowthRun, CoefficientLeftAtZeroTakesTheDefault) {
  DemoSession s;
  s.form.coefficientTable.SetText(1, 5, "0");
  const double b4 = s.app.growth.defaultGrowthCoef[4];
  s.form.Growth();
  EXPECT_TRUE(s.dialogs.Messages().empty());
  EXPECT_DOUBLE_EQ(ReadNumber(s.form.coefficientTable.Text(1, 5)), b4);
  EXPECT_DOUBLE_EQ(s.app.growth.growthCoef[4], b4);
  EXPECT_FALSE(s.form.totalFeedIntake.text.empty());
}

// A model run that fails (a feed so rich in energy that the pigs would eat
// almost none of it) says where it stopped and gives no summary; the
// comparison keeps the runs before.
TEST(GrowthRun, AFailedModelRunSaysWhereItStopped) {
  DemoSession s;
  s.form.Growth();
  const std::string current = s.app.comparison.Text(5, 1);
  s.form.dietsTable.SetText(4, 2, "2448000");
  s.form.Growth();
  ASSERT_EQ(s.dialogs.Messages().size(), 1u);
  EXPECT_EQ(s.dialogs.Messages()[0].rfind("The growth model stopped at age ", 0), 0u)
      << s.dialogs.Messages()[0];
  EXPECT_NE(s.dialogs.Messages()[0].find(
                "the day diet 1 (Phase 1 5-7 kg) changes to diet 2 (Phase 2 7-11 kg)"),
            std::string::npos)
      << s.dialogs.Messages()[0];
  EXPECT_FALSE(s.results.Text(1, 5).empty());  // the days it grew
  ExpectNoResults(s);
  EXPECT_EQ(s.app.comparison.Text(5, 1), current);
  EXPECT_EQ(s.app.comparison.Text(5, 2), "");
}

// A herd that cannot reach the final weight by day 200 is shown as far as it
// grew, and the user is told it fell short.
TEST(GrowthRun, AHerdShortOfTheFinalWeightIsToldSo) {
  DemoSession s;
  s.form.startAge.text = "185";
  s.form.Growth();
  ASSERT_EQ(s.dialogs.Messages().size(), 1u);
  EXPECT_EQ(s.dialogs.Messages()[0].rfind("The herd did not reach the Final Weight of 25 kg: it "
                                          "weighed ",
                                          0),
            0u)
      << s.dialogs.Messages()[0];
  EXPECT_LT(s.app.growthResults.finalWeight, 25);
  EXPECT_FALSE(s.form.costPerPig.text.empty());
}

// Reloading the location, or choosing another, leaves no result of the last
// run; the herd fields show the location's.
TEST(GrowthRun, ALoadedLocationShowsNoEarlierResults) {
  for (bool other : {false, true}) {
    SCOPED_TRACE(other ? "another location" : "the same location");
    DemoSession s;
    s.form.Growth();
    TempDemo second;
    OpenLocation(s.app, s.dialogs, other ? second.Plt() : s.demo.Plt());
    ExpectNoResults(s);
    EXPECT_EQ(s.form.totalFeedIntake.text, "29.80");
    EXPECT_EQ(s.form.finalAge.text, "65.00");
  }
}

// "No" to saving a calibration leaves Growth without a location: pressed, it
// says why and what to do.
TEST(GrowthRun, AfterAnUnsavedCalibrationGrowthSaysWhatToDo) {
  DemoSession s;
  s.dialogs.Input(s.form.locationName.text);
  ASSERT_EQ(s.form.Click(MainForm::Control::Calibration), MainForm::Window::Calibration);
  s.dialogs.Answer(Answer::No);
  s.app.calibrationInputsForm.ContinueCalibration();
  ASSERT_TRUE(s.dialogs.Done());
  s.dialogs.Forget();
  s.form.Click(MainForm::Control::Growth);
  EXPECT_EQ(s.dialogs.Messages(),
            std::vector<std::string>{
                "Growth has no location loaded (a calibration that was not saved leaves none): "
                "click the Calibration Name field and choose " +
                s.demo.Plt() + " again"});
  // Choosing it again lets the herd grow.
  s.dialogs.Forget();
  OpenLocation(s.app, s.dialogs, s.demo.Plt());
  s.form.Click(MainForm::Control::Growth);
  EXPECT_TRUE(s.dialogs.Messages().empty());
  EXPECT_FALSE(s.form.costPerPig.text.empty());
}

// The first run is the initial one; a second run after edits to the diets
// shows the first run's diets as the previous ones, peach where they differ,
// and "Reset Initial " makes the second run the initial one.
TEST(GrowthRun, ChangeTrackingFollowsTheRuns) {
  DemoSession s;
  s.form.Growth();
  const Grid& c = s.app.comparison;
  for (int r = 1; r < 15; ++r) EXPECT_EQ(c.Text(r, 4), c.Text(r, 1)) << r;
  const TrackingTables& t = s.app.tracking;
  Grid& diets = s.form.dietsTable;
  const std::string lysine = diets.Text(8, 2);
  EXPECT_EQ(t.previousDiets.Text(8, 2), lysine);
  EXPECT_EQ(t.initialDiets.Text(8, 2), lysine);
  const std::string firstCost = c.Text(5, 1);
  const std::string feed = diets.Text(3, 1);

  diets.SetText(8, 2, "1.2");
  diets.SetText(3, 1, "3");  // more feed of diet 1: another cost
  s.form.Growth();
  EXPECT_TRUE(s.dialogs.Messages().empty());
  EXPECT_EQ(t.previousDiets.Text(8, 2), lysine);
  EXPECT_EQ(t.previousDiets.Text(3, 1), feed);
  EXPECT_EQ(s.app.changeTrackingForm.previousDiets.CellColor(8, 2), kPeach);
  EXPECT_EQ(s.app.changeTrackingForm.previousDiets.CellColor(8, 1), kWhite);
  EXPECT_EQ(c.Text(5, 4), firstCost);  // the initial run stays
  EXPECT_EQ(c.Text(5, 2), firstCost);
  EXPECT_NE(c.Text(5, 1), firstCost);
  EXPECT_EQ(s.app.changeTrackingForm.comparisonTable.Text(5, 2), firstCost);

  s.form.TrackResetInitial();
  for (int r = 1; r < 15; ++r) EXPECT_EQ(c.Text(r, 4), c.Text(r, 1)) << r;
  EXPECT_EQ(t.initialDiets.Text(8, 2), "1.2");
  EXPECT_EQ(s.app.changeTrackingForm.comparisonTable.Text(5, 4), c.Text(5, 1));
}

}  // namespace
