#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/GridClipboard.h"
#include "support/ScriptedDialogs.h"

namespace {

// Cell (r, c) holds "r,c".
Grid Numbered(int rowCount, int colCount) {
  Grid grid(rowCount, colCount);
  for (int r = 0; r < rowCount; ++r)
    for (int c = 0; c < colCount; ++c)
      grid.SetText(r, c, std::to_string(r) + "," + std::to_string(c));
  return grid;
}

// The table's rows, cells joined by '|'.
std::vector<std::string> Rows(const Grid& grid) {
  std::vector<std::string> rows;
  for (int r = 0; r < grid.Rows(); ++r) {
    std::string row;
    for (int c = 0; c < grid.Cols(); ++c) row += (c > 0 ? "|" : "") + grid.Text(r, c);
    rows.push_back(row);
  }
  return rows;
}

std::string Whole(const Grid& grid) { return RangeText(WholeGrid(grid), grid); }

class GridClipboardTest : public ::testing::Test {
 protected:
  bool Press(Key key, KeyModifiers modifiers = kControlModifier) {
    return GridKey(grid, key, modifiers, dialogs);
  }

  Grid grid = Numbered(4, 4);
  const std::string numbered = Whole(grid);
  ScriptedDialogs dialogs;
};

// A copy takes the selected block, in either direction and clipped to the
// table, and leaves (0, 0) current; other keys are not handled.
TEST_F(GridClipboardTest, CopyKeysPutTheSelectedBlockOnTheClipboard) {
  grid.SetSelection(2, 3, 1, 1);
  EXPECT_TRUE(Press(Key::C));
  EXPECT_EQ(dialogs.Clipboard(), "1,1\t1,2\t1,3\n2,1\t2,2\t2,3");
  EXPECT_EQ(grid.Row(), 0);
  EXPECT_EQ(grid.Col(), 0);
  grid.SetSelection(0, 0, 1, 0);
  EXPECT_TRUE(Press(Key::Insert));
  EXPECT_EQ(dialogs.Clipboard(), "0,0\n1,0");
  EXPECT_EQ(CopyRange(GridRange{7, 1, 9, 3}, grid, dialogs), (GridRange{3, 1, 3, 3}));
  EXPECT_EQ(dialogs.Clipboard(), "3,1\t3,2\t3,3");
  Grid none(0, 0);
  CopyRange(WholeGrid(none), none, dialogs);
  EXPECT_EQ(dialogs.Clipboard(), "");

  grid.SetCurrent(1, 1);
  dialogs.SetClipboard("x");
  const std::pair<Key, KeyModifiers> others[] = {{Key::C, kNoModifier},
                                                 {Key::V, kNoModifier},
                                                 {Key::Insert, kNoModifier},
                                                 {Key::X, kShiftModifier},
                                                 {Key::Other, kControlModifier}};
  for (const auto& [key, modifiers] : others) EXPECT_FALSE(Press(key, modifiers));
  EXPECT_EQ(dialogs.Clipboard(), "x");
  EXPECT_EQ(Whole(grid), numbered);
  EXPECT_EQ(grid.Row(), 1);
}

// Ctrl+A copies from (0, 0) to the last row and column holding text; a
// shorter last column keeps the rows of the longer ones.
TEST_F(GridClipboardTest, CtrlACopiesTheUsedArea) {
  grid = Grid(6, 5);
  grid.SetCurrent(4, 4);
  EXPECT_TRUE(Press(Key::A));
  EXPECT_EQ(dialogs.Clipboard(), "");
  grid.SetText(1, 0, "1");
  grid.SetText(2, 0, "3");
  grid.SetText(0, 1, "h2");
  EXPECT_TRUE(Press(Key::A));
  EXPECT_EQ(dialogs.Clipboard(), "\th2\n1\t\n3\t");
}

// A paste fills from the current cell, never the last row or column, and
// never adds rows; a line wider than the table widens it, as far as the line
// reaches from column 0. An empty line ends the paste. The temperature
// tables take one value a line down column 1, fields and all.
TEST_F(GridClipboardTest, PasteFillsFromTheCurrentCell) {
  constexpr PasteMode kColumn = PasteMode::TemperatureColumn;
  const std::string twelve = "1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\t12";
  const struct {
    int row, col;
    Key key;
    std::string text;
    std::vector<std::string> expected;
    PasteMode mode = PasteMode::Cells;
  } cases[] = {
      {0, 1, Key::V, "a\tb\nc\td", {"|a|b||", "|c|d||", "||||"}},
      {1, 3, Key::V, "a\tb\nc\td", {"||||", "|||a|", "||||"}},
      {0, 0, Key::V, "a\n\nb", {"a||||", "||||", "||||", "||||"}},
      {0, 0, Key::Insert, "1\t2\r\n3\t4\r\n", {"1|2|||", "3|4|||", "||||"}},
      {1, 0, Key::Insert, twelve, {"||||||||||||", "1|2|3|4|5|6|7|8|9|10|11|12|", "||||||||||||"}},
      {1, 3, Key::V, twelve, {"||||||||||||", "|||1|2|3|4|5|6|7|8|9|", "||||||||||||"}},
      {1, 2, Key::V, "20\n21\t9\n", {"||||", "|20|||", "|21\t9|||", "||||"}, kColumn},
      {1, 2, Key::V, "1\n2\n3\n4", {"||||", "|1|||", "|2|||", "|3|||"}, kColumn},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text + " at " + std::to_string(c.row) + "," + std::to_string(c.col));
    grid = Grid(static_cast<int>(c.expected.size()), 5);
    grid.SetCurrent(c.row, c.col);
    dialogs.SetClipboard(c.text);
    const KeyModifiers modifiers = c.key == Key::V ? kControlModifier : kShiftModifier;
    EXPECT_TRUE(GridKey(grid, c.key, modifiers, dialogs, c.mode));
    EXPECT_EQ(Rows(grid), c.expected);
  }
}

// The five herd inputs take a line each, and the clipboard is emptied.
TEST_F(GridClipboardTest, HerdInputsTakeOneLineEach) {
  std::vector<std::string> f(5, "old");
  dialogs.SetClipboard("7");
  EXPECT_FALSE(HerdInputPaste(Key::C, kControlModifier, dialogs, f[0], f[1], f[2], f[3], f[4]));
  EXPECT_EQ(f[0], "old");
  EXPECT_EQ(dialogs.Clipboard(), "7");
  dialogs.SetClipboard("6.5\r\n21\r\n");
  EXPECT_TRUE(HerdInputPaste(Key::V, kControlModifier, dialogs, f[0], f[1], f[2], f[3], f[4]));
  EXPECT_EQ(f, (std::vector<std::string>{"6.5", "21", "", "", ""}));
  EXPECT_EQ(dialogs.Clipboard(), "");
  dialogs.SetClipboard("1\n2\n3\n4\n5\n6");
  EXPECT_TRUE(HerdInputPaste(Key::Insert, kShiftModifier, dialogs, f[0], f[1], f[2], f[3], f[4]));
  EXPECT_EQ(f, (std::vector<std::string>{"1", "2", "3", "4", "5"}));
}

TEST_F(GridClipboardTest, PopupMenuActsOnTheActiveTable) {
  grid.SetCurrent(2, 1);
  PopupCommand(PopupAction::CopyAll, &grid, dialogs);
  EXPECT_EQ(dialogs.Clipboard(), numbered);
  EXPECT_EQ(grid.Row(), 2);  // the current cell comes back
  EXPECT_EQ(grid.Col(), 1);

  grid.SetSelection(1, 1, 1, 2);
  PopupCommand(PopupAction::CopyHighlighted, &grid, dialogs);
  EXPECT_EQ(dialogs.Clipboard(), "1,1\t1,2");

  grid.SetCurrent(0, 0);
  dialogs.SetClipboard("p");
  PopupCommand(PopupAction::Paste, &grid, dialogs);
  EXPECT_EQ(grid.Text(0, 0), "p");
  PopupCommand(PopupAction::Paste, nullptr, dialogs);  // no active table yet
}

// "Clear" asks first, keeps the headings of the fixed rows and columns (the
// diets table's labels) and leaves a table the user may not edit alone (nor
// does a paste or Ctrl+Z change it: "Files in Use"); Ctrl+Z brings the
// cleared cells back.
TEST_F(GridClipboardTest, ClearAsksKeepsTheHeadingsAndCtrlZUndoesIt) {
  const struct {
    bool editable;
    std::optional<Answer> answer;  // nothing: not asked
    std::string cleared;
    int fixedRows = 1;
  } cases[] = {
      {true, Answer::Yes, "0,0\t0,1\t0,2\t0,3\n1,0\t\t\t\n2,0\t\t\t\n3,0\t\t\t"},
      {true, Answer::Yes, "0,0\t0,1\t0,2\t0,3\n1,0\t1,1\t1,2\t1,3\n2,0\t\t\t\n3,0\t\t\t", 2},
      {true, Answer::No, numbered},
      {false, std::nullopt, numbered},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cleared);
    grid = Numbered(4, 4);
    grid.SetEditable(c.editable);
    grid.SetFixedRows(c.fixedRows);
    if (c.answer) dialogs.Answer(*c.answer);
    PopupCommand(PopupAction::Clear, &grid, dialogs);
    EXPECT_TRUE(dialogs.Done());
    EXPECT_EQ(Whole(grid), c.cleared);
    EXPECT_EQ(grid.Edited(), c.answer == Answer::Yes);
    EXPECT_TRUE(Press(Key::Z));
    EXPECT_EQ(Whole(grid), numbered);
    if (c.editable) continue;
    dialogs.SetClipboard("pasted");
    grid.SetCurrent(1, 1);
    PopupCommand(PopupAction::Paste, &grid, dialogs);
    EXPECT_EQ(Whole(grid), numbered);
    EXPECT_FALSE(grid.Edited());
  }
}

// Ctrl+X copies and empties the block but the headings; Ctrl+Z undoes a
// cut and a paste (which may have widened the table), until anything else
// changes the table.
TEST_F(GridClipboardTest, CtrlXCutsAndCtrlZUndoesTheLastCutOrPaste) {
  grid.SetSelection(2, 2, 0, 0);
  EXPECT_TRUE(Press(Key::X));
  EXPECT_EQ(dialogs.Clipboard(), "0,0\t0,1\t0,2\n1,0\t1,1\t1,2\n2,0\t2,1\t2,2");
  EXPECT_EQ(
      Rows(grid),
      (std::vector<std::string>{"0,0|0,1|0,2|0,3", "1,0|||1,3", "2,0|||2,3", "3,0|3,1|3,2|3,3"}));
  Press(Key::Z);
  EXPECT_EQ(Whole(grid), numbered);

  dialogs.SetClipboard("a\tb\tc\td\te");
  grid.SetCurrent(1, 1);
  Press(Key::V);
  EXPECT_EQ(grid.Cols(), 6);
  Press(Key::Z);
  EXPECT_EQ(Whole(grid), numbered);

  grid.SetSelection(2, 2, 2, 2);
  Press(Key::X);
  grid.SetText(3, 3, "written since");
  Press(Key::Z);
  EXPECT_EQ(grid.Text(2, 2), "");
  EXPECT_EQ(grid.Text(3, 3), "written since");
}

}  // namespace
