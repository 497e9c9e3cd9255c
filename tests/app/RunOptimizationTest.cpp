// "Run Opt." refuses to start, with its messages in order, when the windows
// are not set up; a refused run changes nothing.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/App.h"
#include "app/OptimizationRun.h"
#include "optimization/DietOptimization.h"
#include "support/OptWindowFields.h"
#include "support/ScriptedDialogs.h"

namespace {

// Two diets set up for a run: every row ticked and inside its limits.
struct OptSetup : OptWindowFields {
  ScriptedDialogs dialogs;
  App app{dialogs};
  std::unique_ptr<DietOptState> opt = std::make_unique<DietOptState>();

  OptSetup() : OptWindowFields("25", "2") {
    app.mainForm.costPerPig.text = "11.5";
    app.mainForm.feedFormulation.selected = kFeedLeastCost;
    app.growth.startAge = 21;
    app.growth.liveWeight[21][kHerdColumn] = 6;
    const char* rows[][3] = {{"3", "2", "4"}, {"2450", "2400", "2500"}, {"20", "19", "21"}};
    for (int d = 1; d <= 2; ++d) {
      app.formulation.nutrientRestrictions[d][kMinKind][kMetCys] = 0.7;
      for (int k = 1; k <= 3; ++k) {
        const int row = VariableOf(d, k);
        optimizationTable.SetCellCheck(row, kOptTickCol, CheckState::Checked);
        for (int c = 0; c < 3; ++c)
          optimizationTable.SetText(row, kOptCurrentCol + c, rows[k - 1][c]);
      }
    }
  }
  void Cells(int row, const char* current, const char* minimum, const char* maximum) {
    optimizationTable.SetText(row, kOptCurrentCol, current);
    optimizationTable.SetText(row, kOptMinimumCol, minimum);
    optimizationTable.SetText(row, kOptMaximumCol, maximum);
  }
};

TEST(RunOptimization, RefusesToStartWithItsMessagesInOrder) {
  using Messages = std::vector<std::string>;
  struct Case {
    const char* what;
    std::function<void(OptSetup&)> change;
    Messages messages;
  };
  const Case cases[] = {
      {"no location name", [](OptSetup& s) { s.locationName = " "; }, {}},
      {"no cost per pig",
       [](OptSetup& s) { s.app.mainForm.costPerPig.text = ""; },
       {"Run Current Calc First"}},
      {"no diets", [](OptSetup& s) { s.dietCountText = "0"; }, {"Set No. of Diets first"}},
      {"seven diets: more than the search holds",
       [](OptSetup& s) { s.dietCountText = "7"; },
       {kTooManyOptDiets}},
      {"first current value missing",
       [](OptSetup& s) { s.optimizationTable.SetText(1, kOptCurrentCol, ""); },
       {"Set Diet Values"}},
      {"first minimum missing",
       [](OptSetup& s) { s.optimizationTable.SetText(1, kOptMinimumCol, ""); },
       {"Set Diet Minimum Values"}},
      {"ticked rows outside their limits, told in one message",
       [](OptSetup& s) {
         s.Cells(2, "2390", "2400", "2500");
         s.Cells(6, "22", "19", "21");
       },
       {"Check Min Values on Diet 1 Energy\nCheck Max Values on Diet 2 Protein"}},
      {"an unticked row outside its limits is not checked",
       [](OptSetup& s) {
         s.Cells(4, "10", "2", "4");
         s.optimizationTable.SetCellCheck(4, kOptTickCol, CheckState::Unchecked);
         s.targetWeight = "0";
       },
       {"Set the Target Weight"}},
      {"no methionine and cystine to ratio",
       [](OptSetup& s) { s.app.formulation.nutrientRestrictions[2][kMinKind][kMetCys] = 0; },
       {"Set Diet Values for MET_CYS"}},
      {"no target weight", [](OptSetup& s) { s.targetWeight = "0"; }, {"Set the Target Weight"}},
      {"a target below the starting weight",
       [](OptSetup& s) { s.targetWeight = "5"; },
       {"Set the Target Weight"}},
      {"no formulation chosen and no energy",
       [](OptSetup& s) {
         s.app.mainForm.feedFormulation.selected = kFeedNotChosen;
         s.Cells(2, "0", "0", "0");
       },
       {"Set Diet Values"}},
      {"no feed amount for diet 1", [](OptSetup& s) { s.Cells(1, "0", "0", "4"); }, {}},
      {"given costs, and the user says No",
       [](OptSetup& s) {
         s.app.mainForm.feedFormulation.selected = kFeedGrid;
         s.dialogs.Answer(Answer::No);
       },
       {kGivenCostsQuestion}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OptSetup s;
    c.change(s);
    const auto restrictions = s.app.formulation.nutrientRestrictions;
    RunOptimization(s.app, *s.opt, s.window);
    EXPECT_EQ(s.dialogs.Messages(), c.messages);
    EXPECT_TRUE(s.dialogs.Done());
    EXPECT_EQ(s.opt->search.totalEvaluations, 0);
    EXPECT_FALSE(s.workingVisible);
    EXPECT_EQ(s.app.formulationState->optMode, kOptModeOff);
    EXPECT_TRUE(s.app.formulation.nutrientRestrictions == restrictions);
  }
}

}  // namespace
