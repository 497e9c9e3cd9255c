#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Grid.h"

namespace {

// The last column of each change a view hears of.
class RecordingListener : public GridListener {
 public:
  void CellsChanged(int, int, int, int col2) override { lastCols.push_back(col2); }
  void ShapeChanged() override {}
  std::vector<int> lastCols;
};

std::vector<std::string> Column(const Grid& grid, int col) {
  std::vector<std::string> texts;
  for (int r = 0; r < grid.Rows(); ++r) texts.push_back(grid.Text(r, col));
  return texts;
}

TEST(GridTest, OutsideReadsEmptyWritesAreDroppedAndSelectionsClamped) {
  Grid grid(3, 4);
  RecordingListener listener;
  grid.SetListener(&listener);
  const struct { int row, col; } outside[] = {{-1, 0}, {0, -1}, {3, 0}, {0, 4}};
  for (const auto& c : outside) {
    SCOPED_TRACE(std::to_string(c.row) + "," + std::to_string(c.col));
    EXPECT_FALSE(grid.Inside(c.row, c.col));
    grid.SetText(c.row, c.col, "x");
    grid.SetCellColor(c.row, c.col, kPeach);
    grid.SetCellCheck(c.row, c.col, CheckState::Checked);
    EXPECT_EQ(grid.Text(c.row, c.col), "");
    EXPECT_EQ(grid.CellColor(c.row, c.col), kWhite);
    EXPECT_EQ(grid.CellCheck(c.row, c.col), CheckState::None);
  }
  grid.SetColHidden(2, true);
  grid.SetColHidden(4, true);  // outside: dropped
  for (int col = -1; col <= 4; ++col) EXPECT_EQ(grid.ColHidden(col), col == 2) << col;
  EXPECT_TRUE(listener.lastCols.empty());
  EXPECT_EQ(grid.Rows(), 3);
  EXPECT_EQ(grid.Cols(), 4);
  // A selection reaching outside is clamped to the table.
  grid.SetSelection(-1, 1, 9, 9);
  EXPECT_EQ((std::vector<int>{grid.Row(), grid.Col(), grid.RowSel(), grid.ColSel()}),
            (std::vector<int>{0, 1, 2, 3}));
  grid.SetCurrent(1, 1);
  EXPECT_EQ((std::vector<int>{grid.RowSel(), grid.ColSel()}), (std::vector<int>{1, 1}));
}

// Numbers sort by value before text; equal keys keep their order and whole
// rows move with their colours, between the heading and the total.
TEST(GridTest, SortOrdersNumbersByValueBeforeText) {
  const struct {
    const char* name;
    std::vector<std::string> keys;  // rows 1..n of column 1
    bool ascending;
    std::vector<int> order;  // where each sorted row was
  } cases[] = {
      {"descending", {"10", "9", "-2", "1.5"}, false, {0, 1, 3, 2}},
      {"decimal comma", {"2,5", "10", "2,25", ".5"}, true, {3, 2, 0, 1}},
      {"numbers before text", {"corn", "5", "", "barley"}, true, {1, 2, 3, 0}},
      // Text that a C reader takes for a number is text here.
      {"nan and inf are text", {"nan", "3", "inf", "1"}, true, {3, 1, 2, 0}},
      {"leading number", {"12 kg", "9 kg", "100"}, true, {1, 0, 2}},
      {"equal keys", {"2", "1", "2", "1"}, true, {1, 3, 0, 2}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const int n = static_cast<int>(c.keys.size());
    Grid grid(n + 2, 3);
    grid.SetText(0, 1, "heading");
    grid.SetText(n + 1, 1, "total");
    for (int i = 0; i < n; ++i) {
      grid.SetText(i + 1, 1, c.keys[i]);
      grid.SetText(i + 1, 2, std::to_string(i));
    }
    grid.SetCellColor(1, 2, kPeach);
    grid.SortRows(1, n, 1, c.ascending);
    EXPECT_EQ(grid.Text(0, 1), "heading");
    EXPECT_EQ(grid.Text(n + 1, 1), "total");
    for (int i = 0; i < n; ++i) {
      EXPECT_EQ(grid.Text(i + 1, 2), std::to_string(c.order[i]));
      EXPECT_EQ(grid.CellColor(i + 1, 2) == kPeach, c.order[i] == 0);
    }
  }
  // Bounds beyond the table are clipped; a bad key column sorts nothing.
  Grid grid(3, 1);
  for (int r = 0; r < 3; ++r) grid.SetText(r, 0, std::to_string(3 - r));
  grid.SortRows(-5, 50, 0, true);
  EXPECT_EQ(Column(grid, 0), (std::vector<std::string>{"1", "2", "3"}));
  grid.SortRows(0, 2, 9, false);
  EXPECT_EQ(Column(grid, 0), (std::vector<std::string>{"1", "2", "3"}));
}

TEST(GridTest, ClearRangeEmptiesTextInAnyCornerOrder) {
  Grid grid(4, 4);
  RecordingListener listener;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) grid.SetText(r, c, "x");
  grid.SetCellColor(1, 1, kPeach);
  grid.SetListener(&listener);
  grid.ClearRange(2, 5, 1, 2);  // reaches past the last column
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      EXPECT_EQ(grid.Text(r, c).empty(), r >= 1 && r <= 2 && c >= 2) << r << "," << c;
  grid.ClearRange(7, 7, 9, 9);
  EXPECT_EQ(listener.lastCols, std::vector<int>{3});  // a view hears only of cells that exist
  grid.Clear();
  EXPECT_EQ(grid.Text(0, 0), "");
  EXPECT_EQ(grid.CellColor(1, 1), kPeach);  // clearing keeps colours
}

}  // namespace
