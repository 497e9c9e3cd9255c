#include <gtest/gtest.h>

#include <string>

#include "app/App.h"
#include "app/Comparison.h"
#include "support/ScriptedDialogs.h"

namespace {

// Text of every cell, row by row; a table compares with another by this.
std::string Cells(const Grid& grid) {
  std::string text;
  for (int r = 0; r < grid.Rows(); ++r) {
    for (int c = 0; c < grid.Cols(); ++c) text += grid.Text(r, c) + '|';
    text += '\n';
  }
  return text;
}

// The diets table's cells of columns 0..lastCol, the rest empty.
std::string DietCells(const Grid& diets, int lastCol) {
  Grid copy(diets.Rows(), diets.Cols());
  for (int r = 0; r < diets.Rows(); ++r)
    for (int c = 0; c <= lastCol; ++c) copy.SetText(r, c, diets.Text(r, c));
  return Cells(copy);
}

class ChangeTracking : public ::testing::Test {
 protected:
  ChangeTracking() {
    ComparisonHeadings(comparison);
    for (int r = 1; r < diets.Rows(); ++r) {
      diets.SetText(r, 0, "row " + std::to_string(r));
      for (int c = 1; c < diets.Cols(); ++c) diets.SetText(r, c, std::to_string(r * 10 + c));
    }
    for (int r = 0; r < formula.Rows(); ++r)
      for (int c = 0; c < formula.Cols(); ++c)
        formula.SetText(r, c, "f" + std::to_string(r) + "." + std::to_string(c));
  }

  // What a growth run leaves in the comparison table's current column.
  void Run(const std::string& tag) {
    ComparisonColumn current;
    for (int r = 1; r < kComparisonRows; ++r) current[r] = tag + std::to_string(r);
    PushCurrentRun(comparison, current);
  }
  void EndOfRun(bool first) {
    if (first) ResetInitial(tables, window, track);
    SaveRunTables(tables, window);
    UpdatePreviousTables(tables, window);
    ShowTrackedTables(tables, comparison, track);
  }

  Grid diets{19, 9};
  Grid formula{6, 9};
  Grid comparison;
  TrackingTables tables;
  ChangeTrackingForm track;
  TrackedWindow window{diets, formula, comparison, 3};
};

TEST_F(ChangeTracking, PreviousCellsDifferingFromTheDietsTableArePeach) {
  SaveRunTables(tables, window);
  diets.SetText(5, 1, "3.5");  // edited after the run, before the comparison
  diets.SetText(1, 3, "Grower");
  diets.SetText(6, 5, "99");  // diet 5 is not in use
  UpdatePreviousTables(tables, window);
  ShowTrackedTables(tables, comparison, track);
  for (int r = 0; r < diets.Rows(); ++r)
    for (int c = 0; c < diets.Cols(); ++c) {
      const bool changed = (r == 5 && c == 1) || (r == 1 && c == 3);
      EXPECT_EQ(track.previousDiets.CellColor(r, c), changed ? kPeach : kWhite) << r << "," << c;
    }
  EXPECT_EQ(tables.previousDiets.Text(5, 1), "51");  // the text as saved
  EXPECT_EQ(tables.previousDiets.Text(6, 5), "");

  // The next comparison turns an equal cell white again.
  SaveRunTables(tables, window);
  UpdatePreviousTables(tables, window);
  EXPECT_EQ(tables.previousDiets.CellColor(5, 1), kWhite);
}

// After the first run the previous tables are the current ones (only the
// diets in use); each run moves the earlier ones along; "Reset Initial" makes
// the current run, diets and formulas the initial ones.
TEST_F(ChangeTracking, RunsMoveAlongAndResetInitialTakesTheCurrentRun) {
  Run("a");
  EndOfRun(true);
  EXPECT_EQ(Cells(track.previousFormulas), Cells(formula));
  EXPECT_EQ(Cells(track.previousDiets), DietCells(diets, 3));
  Run("b");
  EndOfRun(false);
  diets.SetText(4, 2, "2500");
  formula.SetText(2, 1, "Barley");
  Run("c");
  EndOfRun(false);
  for (int r = 1; r < kComparisonRows; ++r) {
    SCOPED_TRACE(r);
    EXPECT_EQ(comparison.Text(r, kCurrentRun), "c" + std::to_string(r));
    EXPECT_EQ(comparison.Text(r, kPreviousRun), "b" + std::to_string(r));
    EXPECT_EQ(comparison.Text(r, kEarlierRun), "a" + std::to_string(r));
    EXPECT_EQ(comparison.Text(r, kInitialRun), "a" + std::to_string(r));
  }

  ResetInitialClick(tables, window, track);
  for (int r = 1; r < kComparisonRows; ++r)
    EXPECT_EQ(comparison.Text(r, kInitialRun), "c" + std::to_string(r)) << r;
  EXPECT_EQ(Cells(track.comparisonTable), Cells(comparison));
  EXPECT_EQ(track.initialDiets.Text(4, 2), "2500");
  EXPECT_EQ(track.initialFormulas.Text(2, 1), "Barley");
}

TEST(ChangeTrackingWindow, KeepTrackShowsTheMainWindowsState) {
  ScriptedDialogs dialogs;
  App app(dialogs);
  MainForm& form = app.mainForm;
  form.dietsTable.SetText(1, 1, "Starter");
  app.comparison.SetText(1, kCurrentRun, "Mixed");
  form.ResetInitial();
  form.SaveRunTables();
  form.UpdatePreviousTables();
  form.ShowTrackedTables();
  EXPECT_EQ(form.Click(MainForm::Control::KeepTrack), MainForm::Window::ChangeTracking);
  const ChangeTrackingForm& track = app.changeTrackingForm;
  EXPECT_EQ(track.previousDiets.Text(1, 1), "Starter");
  EXPECT_EQ(track.comparisonTable.Text(1, kInitialRun), "Mixed");

  form.TrackCopy();
  EXPECT_EQ(dialogs.Clipboard().substr(0, 44), "Comparison\tCurrent\tPrevious\tEarlier\tInitial\n");
  app.comparison.SetText(1, kCurrentRun, "Males");
  form.TrackResetInitial();
  EXPECT_EQ(track.comparisonTable.Text(1, kInitialRun), "Males");
}

}  // namespace
