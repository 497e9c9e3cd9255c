#include <gtest/gtest.h>

#include <string>

#include "app/ChangeTrackingForm.h"
#include "app/Comparison.h"

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

// The first run's tables are the previous ones (diets in use only); runs move
// along; "Reset Initial" takes the current run, diets and formulas.
TEST_F(ChangeTracking, RunsMoveAlongAndResetInitialTakesTheCurrentRun) {
  Run("a");
  EndOfRun(true);
  EXPECT_EQ(Cells(track.previousFormulas), Cells(formula));
  EXPECT_EQ(track.previousDiets.Text(18, 3), diets.Text(18, 3));
  EXPECT_EQ(track.previousDiets.Text(1, 4), "");  // diet 4 is not in use
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

}  // namespace
