#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/App.h"
#include "app/OptimizationRun.h"
#include "optimization/DietOptimization.h"
#include "platform/NumberFormat.h"
#include "support/OptWindowFields.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"

namespace {

void SetRow(Grid& table, int row, const char* current, const char* minimum, const char* maximum) {
  table.SetText(row, kOptCurrentCol, current);
  table.SetText(row, kOptMinimumCol, minimum);
  table.SetText(row, kOptMaximumCol, maximum);
}

// Three diets; diet 2, without restriction minima, takes its energy and
// protein from the diets table as its minima.
struct OptWindow {
  ScriptedDialogs dialogs;
  App app{dialogs};
  OptimizationForm& form = app.optimizationForm;
  Grid& optimizationTable = form.optimizationTable;

  OptWindow() {
    app.growth.dietCount = 3;
    Grid& diets = app.mainForm.dietsTable;
    for (int d = 1; d <= 3; ++d) diets.SetText(kDietAmountRow, d, "2.4");
    diets.SetText(kDietEnergyRow, 2, "2400");
    diets.SetText(kDietProteinRow, 2, "20");
    form.Open();
  }
  double Cell(int row, int col) const { return ReadNumber(optimizationTable.Text(row, col)); }
  bool Greyed(int row) const {
    return optimizationTable.CellColor(row, kOptMaximumCol) == kInactiveBorder;
  }
};

TEST(OptimizationForm, TicksColoursAndClear) {
  OptWindow w;
  EXPECT_DOUBLE_EQ(w.Cell(VariableOf(2, kEnergyKind), kOptCurrentCol), 2400);
  EXPECT_DOUBLE_EQ(w.app.formulation.nutrientRestrictions[2][kMinKind][kProtein], 20);
  // Rows of diets 1..3 ticked and white; rows beyond 3 x dietCount greyed.
  EXPECT_FALSE(w.Greyed(9));
  EXPECT_TRUE(w.Greyed(10));
  w.optimizationTable.SetCellCheck(5, kOptTickCol, CheckState::Unchecked);
  w.form.TableEdited(5, kOptTickCol);
  EXPECT_TRUE(w.Greyed(5));

  // "Use Feed Weights Only" ticks the feed rows only; unticked, every row in use.
  w.form.FeedWeightsOnlyClicked(true);
  for (int row = 1; row <= 9; ++row) {
    const bool feed = VariableKind(row) == kFeedKind;
    EXPECT_EQ(w.optimizationTable.CellCheck(row, kOptTickCol) == CheckState::Checked, feed) << row;
    EXPECT_EQ(w.Greyed(row), !feed) << row;
  }
  w.form.FeedWeightsOnlyClicked(false);
  for (int row = 1; row <= 10; ++row)
    EXPECT_EQ(w.optimizationTable.CellCheck(row, kOptTickCol) == CheckState::Checked, row <= 9)
        << row;

  // Opened again before a run: nothing to transfer or view; "Clear" keeps the labels.
  w.form.viewOptimization.enabled = true;
  w.form.Open();
  EXPECT_FALSE(w.form.viewOptimization.enabled);
  const auto restrictions = w.app.formulation.nutrientRestrictions;
  w.form.TransferOptimum();
  EXPECT_FALSE(w.form.ViewOptimization());
  EXPECT_TRUE(w.app.formulation.nutrientRestrictions == restrictions);
  w.dialogs.Answer(Answer::Yes);
  w.form.activeGrid = &w.optimizationTable;
  w.form.Popup(PopupAction::Clear);
  EXPECT_EQ(w.optimizationTable.Text(VariableOf(1, kEnergyKind), 1), "Net Energy");
  EXPECT_EQ(w.optimizationTable.Text(VariableOf(1, kEnergyKind), kOptCurrentCol), "");
}

TEST(OptimizationForm, EditChecks) {
  struct Case {
    const char* what;
    const char* maximumBefore;
    int row, col;
    const char* typed;
    int messages;
    double current, minimum, maximum;  // the row afterwards
  };
  const Case cases[] = {
      {"inside the limits", "12", 4, kOptCurrentCol, "11", 0, 11, 8, 12},
      {"a minimum above the current value", "12", 4, kOptMinimumCol, "11", 1, 10, 10, 12},
      {"a current value below the minimum", "12", 4, kOptCurrentCol, "7", 1, 7, 7, 12},
      {"a maximum below the current value", "12", 4, kOptMaximumCol, "9", 1, 9, 8, 9},
      {"a negative maximum", "12", 4, kOptMaximumCol, "-3", 1, 10, 8, 0},
      {"a maximum below one", "0.5", 4, kOptCurrentCol, "0.8", 2, 0.5, 0.5, 0.5},
      {"a row not in use", "12", 13, kOptMinimumCol, "50", 0, 10, 50, 12},
      {"a caption", "12", 4, 1, "Feed", 0, 10, 8, 12},
      // A maximum not entered yet does not wipe a current value typed first.
      {"no maximum yet", "0", 4, kOptCurrentCol, "11", 0, 11, 8, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OptWindow w;
    SetRow(w.optimizationTable, c.row, "10", "8", c.maximumBefore);
    w.optimizationTable.SetText(c.row, c.col, c.typed);
    w.form.TableEdited(c.row, c.col);
    const std::string message(c.typed[0] == '-' ? OptimizationForm::kNotAppropriate
                                                : OptimizationForm::kNotCorrect);
    EXPECT_EQ(w.dialogs.Messages(), std::vector<std::string>(c.messages, message));
    EXPECT_DOUBLE_EQ(w.Cell(c.row, kOptCurrentCol), c.current);
    EXPECT_DOUBLE_EQ(w.Cell(c.row, kOptMinimumCol), c.minimum);
    EXPECT_DOUBLE_EQ(w.Cell(c.row, kOptMaximumCol), c.maximum);
  }
}

// The table file keeps every diet's rows; other files change nothing.
TEST(OptimizationForm, TheTableFileKeepsEveryRowAndBadFilesChangeNothing) {
  Grid table(kOptTableRows, kOptTableCols), back(kOptTableRows, kOptTableCols);
  const int last = VariableOf(kMaxDiets, kProteinKind);
  table.SetText(last, kOptMaximumCol, "21");
  std::string target, diets;
  ASSERT_TRUE(ReadOptTableFile(OptTableFileLines(table, "25", "6"), back, target, diets));
  EXPECT_EQ(ReadNumber(back.Text(last, kOptMaximumCol)), 21);

  const std::vector<std::vector<std::string>> bad = {
      {},
      {"Something else", "25\t3"},
      {"Diet Optimization Table", "25"},
      {"Diet Optimization Table", "25\t3", "1\t2\t3"},
      {"Diet Optimization Table", "25\t3", "2\t2\t3\t4"},
  };
  for (const auto& file : bad) {
    Grid untouched(kOptTableRows, kOptTableCols);
    std::string target = "x", diets = "y";
    EXPECT_FALSE(ReadOptTableFile(file, untouched, target, diets)) << file.size();
    EXPECT_EQ(target, "x");
  }
  // Opened in the window, such a file is reported.
  TempFolder folder;
  OptWindow w;
  w.dialogs.File(folder.Write("bad.opt", "Something else\r\n"));
  EXPECT_FALSE(w.form.OpenTable());
  EXPECT_EQ(w.dialogs.Messages().size(), 1u);
}

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
        Cells(row, rows[k - 1][0], rows[k - 1][1], rows[k - 1][2]);
      }
    }
  }
  void Cells(int row, const char* current, const char* minimum, const char* maximum) {
    SetRow(optimizationTable, row, current, minimum, maximum);
  }
};

// A refused "Run Opt." changes nothing.
TEST(RunOptimization, RefusesToStartWithItsMessagesInOrder) {
  using S = OptSetup&;
  const struct {
    const char* what;
    std::function<void(S)> change;
    const char* message;  // nullptr: none
  } cases[] = {
      {"no location name", [](S s) { s.locationName = " "; }, nullptr},
      {"no cost", [](S s) { s.app.mainForm.costPerPig.text = ""; }, "Run Current Calc First"},
      {"no diets", [](S s) { s.dietCountText = "0"; }, "Set No. of Diets first"},
      {"more diets than the search holds", [](S s) { s.dietCountText = "7"; }, kTooManyOptDiets},
      {"no value", [](S s) { s.Cells(1, "", "2", "4"); }, "Set Diet Values"},
      {"no minimum", [](S s) { s.Cells(1, "3", "", "4"); }, "Set Diet Minimum Values"},
      {"ticked rows outside their limits, told in one message",
       [](S s) {
         s.Cells(2, "2390", "2400", "2500");
         s.Cells(6, "22", "19", "21");
       },
       "Check Min Values on Diet 1 Energy\nCheck Max Values on Diet 2 Protein"},
      {"an unticked row outside its limits is not checked",
       [](S s) {
         s.Cells(4, "10", "2", "4");
         s.optimizationTable.SetCellCheck(4, kOptTickCol, CheckState::Unchecked);
         s.targetWeight = "0";
       },
       "Set the Target Weight"},
      {"no methionine and cystine to ratio",
       [](S s) { s.app.formulation.nutrientRestrictions[2][kMinKind][kMetCys] = 0; },
       "Set Diet Values for MET_CYS"},
      {"a target below the start", [](S s) { s.targetWeight = "5"; }, "Set the Target Weight"},
      {"no formulation chosen and no energy",
       [](S s) {
         s.app.mainForm.feedFormulation.selected = kFeedNotChosen;
         s.Cells(2, "0", "0", "0");
       },
       "Set Diet Values"},
      {"no feed amount for diet 1", [](S s) { s.Cells(1, "0", "0", "4"); }, nullptr},
      {"given costs, and the user says No",
       [](S s) {
         s.app.mainForm.feedFormulation.selected = kFeedGrid;
         s.dialogs.Answer(Answer::No);
       },
       kGivenCostsQuestion},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    OptSetup s;
    c.change(s);
    const auto restrictions = s.app.formulation.nutrientRestrictions;
    RunOptimization(s.app, *s.opt, s.window);
    EXPECT_EQ(s.dialogs.Messages(),
              c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    EXPECT_TRUE(s.dialogs.Done());
    EXPECT_EQ(s.opt->search.totalEvaluations, 0);
    EXPECT_FALSE(s.workingVisible);
    EXPECT_EQ(s.app.formulationState->optMode, kOptModeOff);
    EXPECT_TRUE(s.app.formulation.nutrientRestrictions == restrictions);
  }
}

}  // namespace
