// A user opens the demo location, grows the pigs on least-cost diets, opens
// the "Diet Optimization" window with "Run Optimization", sets the limits
// around the current values, runs it, reads the report and the results
// file, transfers the optimum and grows the pigs on it.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/App.h"
#include "platform/NumberFormat.h"
#include "platform/TextFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"

namespace fs = std::filesystem;

namespace {

// The demo grown once on least-cost diets, and the optimization window
// opened from the main window.
struct DemoSession {
  TempDemo demo;
  ScriptedDialogs dialogs;
  App app{dialogs};
  MainForm& form = app.mainForm;
  OptimizationForm& opt = app.optimizationForm;

  explicit DemoSession(int feed = kFeedLeastCost) {
    OpenLocation(app, dialogs, demo.Plt());
    form.herdSex.selected = 0;
    form.feedFormulation.selected = feed;
    form.Growth();
    EXPECT_TRUE(dialogs.Messages().empty());
    dialogs.Forget();
    EXPECT_EQ(form.Click(MainForm::Control::RunOptimization), MainForm::Window::Optimization);
    opt.today = [] { return std::string("15/03/2024"); };
  }
};

// Index of the first line equal to `text` at or after `from`; -1 when none.
int Find(const std::vector<std::string>& lines, const std::string& text, int from = 0) {
  for (int k = from; k < static_cast<int>(lines.size()); ++k)
    if (lines[static_cast<std::size_t>(k)] == text) return k;
  return -1;
}

TEST(OptimizeReport, RunReportResultsFileAndTransfer) {
  DemoSession s;
  const double startCost = ReadNumber(s.form.costPerPig.text);
  // The window opened with the diets' feed amounts and the three diets ticked.
  EXPECT_EQ(s.opt.dietCountText, "3");
  EXPECT_EQ(s.opt.optimizationTable.Text(VariableOf(3, kFeedKind), kOptCurrentCol),
            s.form.dietsTable.Text(kDietAmountRow, 3));
  EXPECT_EQ(s.opt.optimizationTable.CellCheck(10, kOptTickCol), CheckState::Unchecked);
  s.opt.AddMinMaxToCurrent();
  int progress = 0;
  bool commandsHeld = true;
  s.opt.onProgress = [&] {
    ++progress;
    commandsHeld = commandsHeld && s.opt.workingVisible && !s.opt.runOptimization.enabled &&
                   !s.form.Enabled(MainForm::Control::Growth) &&
                   !s.form.Enabled(MainForm::Control::RunOptimization);
  };
  s.opt.Run();

  const OptResult& r = s.app.optimization->result;
  ASSERT_TRUE(r.done);
  EXPECT_LE(r.bestCost, startCost);
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

  // The results file: its name from the location and the date, five blocks
  // in order, every number with a period.
  const std::string file = s.demo.Demo("DemoOPTMAR 2024.txt");
  EXPECT_EQ(s.opt.resultsFile, file);
  const auto lines = TextFile::ReadLines(file);
  ASSERT_TRUE(lines.has_value());
  EXPECT_EQ(lines->front(), "  ");
  int at = 0;
  for (const char* heading : {"DIET Results:          Calculated Diet Contents",
                              "DIET Results:          Ingredient Weights",
                              "GROWTH Results:          Live Weight and Feed Intake",
                              "DIET Inputs:          Nutrient Constraints",
                              "DIET Inputs:          Ingredient Constraints"}) {
    SCOPED_TRACE(heading);
    const int found = Find(*lines, heading, at);
    ASSERT_GT(found, at);
    EXPECT_EQ((*lines)[static_cast<std::size_t>(found) + 1], "  ");
    at = found + 1;
  }
  EXPECT_EQ((*lines)[3].rfind("Feed Wt./Pig", 0), 0u);

  // "Transfer Optimum to Current", then "Growth": the optimized cost per pig.
  s.opt.TransferOptimum();
  s.dialogs.Forget();
  s.form.Growth();
  EXPECT_TRUE(s.dialogs.Messages().empty());
  // As shown: three decimals.
  EXPECT_NEAR(ReadNumber(s.form.costPerPig.text), r.bestCost, 0.001) << s.form.costPerPig.text;
}

TEST(OptimizeReport, SavedTableOpensAgain) {
  DemoSession s;
  s.opt.AddMinMaxToCurrent();
  s.opt.optimizationTable.SetCellCheck(2, kOptTickCol, CheckState::Unchecked);
  const Grid before = s.opt.optimizationTable;
  const std::string file = s.demo.Demo("Trial.opt");
  s.dialogs.File(file);
  ASSERT_TRUE(s.opt.SaveTable());

  s.opt.optimizationTable.SetText(1, kOptMaximumCol, "99");
  s.opt.optimizationTable.SetCellCheck(2, kOptTickCol, CheckState::Checked);
  s.dialogs.File(file);
  ASSERT_TRUE(s.opt.OpenTable());
  for (int row = 1; row <= 9; ++row) {
    EXPECT_EQ(s.opt.optimizationTable.CellCheck(row, kOptTickCol),
              before.CellCheck(row, kOptTickCol));
    for (int col = kOptCurrentCol; col <= kOptMaximumCol; ++col)
      EXPECT_DOUBLE_EQ(ReadNumber(s.opt.optimizationTable.Text(row, col)),
                       ReadNumber(before.Text(row, col)));
  }
  EXPECT_EQ(s.opt.optimizationTable.CellColor(2, kOptMinimumCol), kInactiveBorder);
  EXPECT_TRUE(s.dialogs.Messages().empty());
}

}  // namespace
