// The "Diet Optimization" window: filling on opening, ticks and colours, the
// edit checks, the limits around the current values, the table file.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/App.h"
#include "app/NumberFormat.h"
#include "support/ScriptedDialogs.h"

namespace {

// Three diets in the diets table; diet 2 has no restriction minima, so the
// window takes its energy and protein from the diets table.
struct OptWindow {
  ScriptedDialogs dialogs;
  App app{dialogs};
  frmOpt& form = app.optForm;
  Grid& GridOpt = form.GridOpt;

  OptWindow() {
    app.pig.NumDiets = 3;
    Grid& diets = app.mainForm.Griddiets;
    const char* feed[] = {"", "2.4", "5.9", "21.5"};
    const char* energy[] = {"", "2450", "2400", "2380"};
    const char* protein[] = {"", "22", "20", "18"};
    for (int d = 1; d <= 3; ++d) {
      diets.SetText(kDietAmountRow, d, feed[d]);
      diets.SetText(kDietEnergyRow, d, energy[d]);
      diets.SetText(kDietProteinRow, d, protein[d]);
    }
    auto& nut = app.formulation.NutRestrict;
    nut[1][kMinKind][kEnergy] = 2448;
    nut[1][kMinKind][kProtein] = 21;
    nut[3][kMinKind][kEnergy] = 2412;
    nut[3][kMinKind][kProtein] = 18.5;
    app.mainForm.Text3.Text = "25";
    form.Form_Load();
  }
  double Cell(int row, int col) const { return ReadNumber(GridOpt.Text(row, col)); }
  void Row(int row, const char* current, const char* minimum, const char* maximum) {
    GridOpt.SetText(row, kOptCurrentCol, current);
    GridOpt.SetText(row, kOptMinimumCol, minimum);
    GridOpt.SetText(row, kOptMaximumCol, maximum);
  }
};

TEST(frmOpt, OpensWithTheDietsAndTheirRestrictions) {
  OptWindow w;
  EXPECT_EQ(w.form.TargetWeight, "25");
  EXPECT_EQ(w.form.TextOptDiet, "3");
  EXPECT_FALSE(w.form.CmdView.Enabled);
  EXPECT_EQ(w.GridOpt.Text(0, kOptTickCol), "Optimize");
  EXPECT_EQ(w.GridOpt.Text(22, 0), "Diet 8");
  EXPECT_EQ(w.GridOpt.Text(24, 1), "Protein");
  const double expected[][3] = {{2.4, 2448, 21}, {5.9, 2400, 20}, {21.5, 2412, 18.5}};
  for (int d = 1; d <= 3; ++d) {
    SCOPED_TRACE(d);
    for (int k = 1; k <= 3; ++k)
      EXPECT_DOUBLE_EQ(w.Cell(VariableOf(d, k), kOptCurrentCol), expected[d - 1][k - 1]);
  }
  // Diet 2's minima came from the diets table and are kept as its minima.
  EXPECT_DOUBLE_EQ(w.app.formulation.NutRestrict[2][kMinKind][kEnergy], 2400);
  EXPECT_DOUBLE_EQ(w.app.formulation.NutRestrict[2][kMinKind][kProtein], 20);
  EXPECT_EQ(w.GridOpt.Text(VariableOf(4, kFeedKind), kOptCurrentCol), "0");  // empty cell
  EXPECT_EQ(w.GridOpt.Text(1, kOptMaximumCol), "0");
}

TEST(frmOpt, TicksAndColours) {
  OptWindow w;
  struct Case {
    int row;
    CheckState tick;
    Rgb limits;
  };
  // Rows of diets 1..3 ticked and white; rows beyond 3 x NumDiets unticked and greyed.
  for (const Case& c : {Case{1, CheckState::Checked, kWhite},
                        Case{9, CheckState::Checked, kWhite},
                        Case{10, CheckState::Unchecked, kInactiveBorder},
                        Case{24, CheckState::Unchecked, kInactiveBorder}}) {
    SCOPED_TRACE(c.row);
    EXPECT_EQ(w.GridOpt.CellCheck(c.row, kOptTickCol), c.tick);
    EXPECT_EQ(w.GridOpt.CellColor(c.row, kOptMinimumCol), c.limits);
    EXPECT_EQ(w.GridOpt.CellColor(c.row, kOptMaximumCol), c.limits);
    EXPECT_EQ(w.GridOpt.CellColor(c.row, kOptCurrentCol), kWhite);
  }

  // The user unticks a row: its limits grey; ticks it again: white.
  w.GridOpt.SetCellCheck(5, kOptTickCol, CheckState::Unchecked);
  w.form.GridOpt_AfterEdit(5, kOptTickCol);
  EXPECT_EQ(w.GridOpt.CellColor(5, kOptMinimumCol), kInactiveBorder);
  w.GridOpt.SetCellCheck(5, kOptTickCol, CheckState::Checked);
  w.form.GridOpt_AfterEdit(5, kOptTickCol);
  EXPECT_EQ(w.GridOpt.CellColor(5, kOptMinimumCol), kWhite);

  // "Use Feed Weights Only": only feed rows stay ticked; unticking it ticks
  // every row in use again, none beyond.
  w.form.CheckFeedOnly_Click(true);
  for (int row = 1; row <= 9; ++row) {
    SCOPED_TRACE(row);
    const bool feed = VariableKind(row) == kFeedKind;
    EXPECT_EQ(w.GridOpt.CellCheck(row, kOptTickCol),
              feed ? CheckState::Checked : CheckState::Unchecked);
    EXPECT_EQ(w.GridOpt.CellColor(row, kOptMaximumCol), feed ? kWhite : kInactiveBorder);
  }
  EXPECT_EQ(w.GridOpt.Row(), 1);
  EXPECT_EQ(w.GridOpt.Col(), kOptTickCol);
  w.form.CheckFeedOnly_Click(false);
  for (int row = 1; row <= 9; ++row)
    EXPECT_EQ(w.GridOpt.CellCheck(row, kOptTickCol), CheckState::Checked) << row;
  EXPECT_EQ(w.GridOpt.CellCheck(10, kOptTickCol), CheckState::Unchecked);
}

TEST(frmOpt, AddMinMaxSetsLimitsAroundTheCurrentValues) {
  OptWindow w;
  w.Row(4, "10", "0", "0");
  w.Row(5, "2400", "0", "0");
  w.Row(6, "20", "0", "0");
  w.form.CmdAddMinMax_Click();
  const double limits[][2] = {{8, 12}, {2352, 2448}, {19, 21}};
  for (int row = 4; row <= 6; ++row) {
    SCOPED_TRACE(row);
    EXPECT_DOUBLE_EQ(w.Cell(row, kOptMinimumCol), limits[row - 4][0]);
    EXPECT_DOUBLE_EQ(w.Cell(row, kOptMaximumCol), limits[row - 4][1]);
  }
  EXPECT_EQ(w.form.CmdRunOpt.BackColor, kLightGreen);
}

TEST(frmOpt, EditChecks) {
  struct Case {
    const char* what;
    int row, col;
    const char* typed;
    std::vector<std::string> messages;
    double current, minimum, maximum;  // the row afterwards
  };
  const std::string notCorrect(frmOpt::kNotCorrect);
  const Case cases[] = {
      {"a value inside its limits", 4, kOptCurrentCol, "11", {}, 11, 8, 12},
      {"a minimum above the current value", 4, kOptMinimumCol, "11", {notCorrect}, 10, 10, 12},
      {"a current value above the maximum", 4, kOptCurrentCol, "13", {notCorrect}, 12, 8, 12},
      {"a current value below the minimum", 4, kOptCurrentCol, "7", {notCorrect}, 7, 7, 12},
      {"a negative maximum",
       4,
       kOptMaximumCol,
       "-3",
       {std::string(frmOpt::kNotAppropriate)},
       10,
       8,
       0},
      {"a row not in use", 13, kOptMinimumCol, "50", {}, 10, 50, 12},
      {"a caption", 4, 1, "Feed", {}, 10, 8, 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OptWindow w;
    w.Row(c.row, "10", "8", "12");
    w.GridOpt.SetText(c.row, c.col, c.typed);
    w.form.GridOpt_AfterEdit(c.row, c.col);
    EXPECT_EQ(w.dialogs.Messages(), c.messages);
    EXPECT_DOUBLE_EQ(w.Cell(c.row, kOptCurrentCol), c.current);
    EXPECT_DOUBLE_EQ(w.Cell(c.row, kOptMinimumCol), c.minimum);
    EXPECT_DOUBLE_EQ(w.Cell(c.row, kOptMaximumCol), c.maximum);
  }
}

// A maximum not entered yet (0) does not wipe a current value typed first.
TEST(frmOpt, AMaximumOfNoughtHoldsNothingDown) {
  OptWindow w;
  w.Row(16, "0", "0", "0");
  w.GridOpt.SetText(16, kOptCurrentCol, "4");
  w.app.pig.NumDiets = 6;
  w.form.GridOpt_AfterEdit(16, kOptCurrentCol);
  EXPECT_TRUE(w.dialogs.Messages().empty());
  EXPECT_DOUBLE_EQ(w.Cell(16, kOptCurrentCol), 4);
}

TEST(frmOpt, NothingToTransferOrViewBeforeARun) {
  OptWindow w;
  const auto restrictions = w.app.formulation.NutRestrict;
  w.form.CmdTransfer_Click();
  EXPECT_FALSE(w.form.CmdView_Click());
  EXPECT_TRUE(w.app.formulation.NutRestrict == restrictions);
  EXPECT_EQ(w.app.mainForm.Griddiets.Text(kDietAmountRow, 1), "2.4");
  EXPECT_FALSE(w.form.CmdTransfer.Enabled);
}

TEST(frmOpt, TableFileRoundTripAndBadFiles) {
  OptWindow w;
  w.Row(1, "2.5", "2", "3");
  w.GridOpt.SetCellCheck(2, kOptTickCol, CheckState::Unchecked);
  const std::vector<std::string> lines = OptTableFileLines(w.GridOpt, "25,5", "3");
  ASSERT_EQ(lines.size(), 26u);
  EXPECT_EQ(lines[1], "25.500\t3");
  EXPECT_EQ(lines[2], "1\t2.5000\t2.0000\t3.0000");

  Grid read(kOptTableRows, kOptTableCols);
  std::string target, diets;
  ASSERT_TRUE(ReadOptTableFile(lines, read, target, diets));
  EXPECT_EQ(target, "25.500");
  EXPECT_EQ(diets, "3");
  EXPECT_EQ(read.CellCheck(2, kOptTickCol), CheckState::Unchecked);
  EXPECT_DOUBLE_EQ(ReadNumber(read.Text(1, kOptMinimumCol)), 2);

  const std::vector<std::vector<std::string>> bad = {
      {},
      {"Diet Optimization Table"},
      {"Something else", "25\t3"},
      {"Diet Optimization Table", "25"},
      {"Diet Optimization Table", "25\t3", "1\t2\t3"},
      {"Diet Optimization Table", "25\t3", "2\t2\t3\t4"},
  };
  for (const auto& file : bad) {
    SCOPED_TRACE(file.size());
    Grid untouched(kOptTableRows, kOptTableCols);
    std::string t = "x", n = "y";
    EXPECT_FALSE(ReadOptTableFile(file, untouched, t, n));
    EXPECT_EQ(t, "x");
    EXPECT_EQ(untouched.Text(1, kOptCurrentCol), "");
  }
}

TEST(frmOpt, OpeningABadOrMissingFileSaysSo) {
  OptWindow w;
  const std::string missing = ::testing::TempDir() + "no-such-table.opt";
  w.dialogs.File(missing);
  EXPECT_FALSE(w.form.CmdOpenOpt_Click());
  EXPECT_EQ(w.dialogs.Messages().back(), "Error 53 (File not found) in procedure CmdOpenOpt");
  w.dialogs.CancelFile();
  EXPECT_FALSE(w.form.CmdOpenOpt_Click());
  EXPECT_EQ(w.dialogs.Messages().size(), 1u);
}

TEST(frmOpt, ResultsFileNameFromTheDate) {
  EXPECT_EQ(OptResultsFileName("/data/Farm1", "15/03/2024"), "/data/Farm1OPTMAR 2024.txt");
  EXPECT_EQ(OptResultsFileName("Farm1", "01/12/1999"), "Farm1OPTDEC 1999.txt");
  EXPECT_EQ(OptResultsFileName("Farm1", "01/13/1999"), "Farm1OPT 1999.txt");
}

}  // namespace
