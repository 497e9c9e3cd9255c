#include <gtest/gtest.h>

#include <optional>
#include <string>
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

// A copy takes the selected block, in either direction, and leaves (0, 0)
// current; other keys are not handled and change nothing.
TEST(GridClipboardTest, CopyKeysPutTheSelectedBlockOnTheClipboard) {
  const struct {
    int row, col, rowSel, colSel;
    Key key;
    const char* expected;
  } cases[] = {
      {1, 1, 2, 3, Key::C, "1,1\t1,2\t1,3\n2,1\t2,2\t2,3"},
      {2, 3, 1, 1, Key::C, "1,1\t1,2\t1,3\n2,1\t2,2\t2,3"},
      {0, 0, 1, 0, Key::Insert, "0,0\n1,0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    Grid grid = Numbered(5, 5);
    ScriptedDialogs dialogs;
    grid.SetSelection(c.row, c.col, c.rowSel, c.colSel);
    EXPECT_TRUE(GridKey(grid, c.key, kControlModifier, dialogs));
    EXPECT_EQ(dialogs.Clipboard(), c.expected);
    EXPECT_EQ(grid.Row(), 0);
    EXPECT_EQ(grid.Col(), 0);
  }
  // A block past the table is clipped to it; an empty table copies "".
  Grid grid = Numbered(3, 3);
  ScriptedDialogs dialogs;
  EXPECT_EQ(CopyRange(GridRange{7, 1, 9, 2}, grid, dialogs), (GridRange{2, 1, 2, 2}));
  EXPECT_EQ(dialogs.Clipboard(), "2,1\t2,2");
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
  for (const auto& [key, modifiers] : others) EXPECT_FALSE(GridKey(grid, key, modifiers, dialogs));
  EXPECT_EQ(dialogs.Clipboard(), "x");
  EXPECT_EQ(Whole(grid), Whole(Numbered(3, 3)));
  EXPECT_EQ(grid.Row(), 1);
}

TEST(GridClipboardTest, CtrlACopiesTheUsedArea) {
  const struct {
    std::vector<std::vector<std::string>> cells;
    const char* expected;
  } cases[] = {
      {{}, ""},
      {{{"", ""}, {"", "x"}}, "\t\n\tx"},  // gaps are kept
      // A shorter last column keeps the rows of the longer ones.
      {{{"h1", "h2"}, {"1", "2"}, {"3", ""}}, "h1\th2\n1\t2\n3\t"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    Grid grid(6, 5);
    for (int r = 0; r < static_cast<int>(c.cells.size()); ++r)
      for (int col = 0; col < static_cast<int>(c.cells[r].size()); ++col)
        grid.SetText(r, col, c.cells[r][col]);
    grid.SetCurrent(4, 4);
    ScriptedDialogs dialogs;
    EXPECT_TRUE(GridKey(grid, Key::A, kControlModifier, dialogs));
    EXPECT_EQ(dialogs.Clipboard(), c.expected);
  }
}

// A paste fills from the current cell, never the last row or column, and
// never adds rows; a line wider than the table widens it, as far as the line
// reaches from column 0. An empty line ends the paste. The temperature
// tables take one value a line down column 1, fields and all.
TEST(GridClipboardTest, PasteFillsFromTheCurrentCell) {
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
    Grid grid(static_cast<int>(c.expected.size()), 5);
    grid.SetCurrent(c.row, c.col);
    ScriptedDialogs dialogs;
    dialogs.SetClipboard(c.text);
    const KeyModifiers modifiers = c.key == Key::V ? kControlModifier : kShiftModifier;
    EXPECT_TRUE(GridKey(grid, c.key, modifiers, dialogs, c.mode));
    EXPECT_EQ(Rows(grid), c.expected);
  }
}

TEST(GridClipboardTest, HerdInputsTakeOneLineEach) {
  const struct {
    const char* text;
    std::vector<std::string> expected;
  } cases[] = {
      {"6.5\r\n21\r\n", {"6.5", "21", "", "", ""}},
      {"1\n2\n3\n4\n5\n6", {"1", "2", "3", "4", "5"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    ScriptedDialogs dialogs;
    dialogs.SetClipboard(c.text);
    std::vector<std::string> f(5, "old");
    EXPECT_TRUE(HerdInputPaste(Key::V, kControlModifier, dialogs, f[0], f[1], f[2], f[3], f[4]));
    EXPECT_EQ(f, c.expected);
    EXPECT_EQ(dialogs.Clipboard(), "");
  }
  ScriptedDialogs dialogs;
  dialogs.SetClipboard("7");
  std::string a = "a", b, c, d, e;
  EXPECT_FALSE(HerdInputPaste(Key::C, kControlModifier, dialogs, a, b, c, d, e));
  EXPECT_EQ(a, "a");
  EXPECT_EQ(dialogs.Clipboard(), "7");
}

TEST(GridClipboardTest, PopupMenuActsOnTheActiveTable) {
  ScriptedDialogs dialogs;
  Grid grid = Numbered(3, 3);
  grid.SetCurrent(2, 1);
  PopupCommand(PopupAction::CopyAll, &grid, dialogs);
  EXPECT_EQ(dialogs.Clipboard(), Whole(Numbered(3, 3)));
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
TEST(GridClipboardTest, ClearAsksKeepsTheHeadingsAndCtrlZUndoesIt) {
  const std::string numbered = Whole(Numbered(3, 3));
  const struct {
    bool editable;
    std::optional<Answer> answer;  // nothing: not asked
    std::string cleared;
  } cases[] = {
      {true, Answer::Yes, "0,0\t0,1\t0,2\n1,0\t\t\n2,0\t\t"},
      {true, Answer::No, numbered},
      {false, std::nullopt, numbered},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cleared);
    Grid grid = Numbered(3, 3);
    grid.SetEditable(c.editable);
    ScriptedDialogs dialogs;
    if (c.answer) dialogs.Answer(*c.answer);
    PopupCommand(PopupAction::Clear, &grid, dialogs);
    EXPECT_TRUE(dialogs.Done());
    EXPECT_EQ(Whole(grid), c.cleared);
    EXPECT_EQ(grid.Edited(), c.answer == Answer::Yes);
    EXPECT_TRUE(GridKey(grid, Key::Z, kControlModifier, dialogs));
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
TEST(GridClipboardTest, CtrlXCutsAndCtrlZUndoesTheLastCutOrPaste) {
  Grid grid = Numbered(4, 4);
  const std::string before = Whole(grid);
  ScriptedDialogs dialogs;
  grid.SetSelection(2, 2, 0, 0);
  EXPECT_TRUE(GridKey(grid, Key::X, kControlModifier, dialogs));
  EXPECT_EQ(dialogs.Clipboard(), "0,0\t0,1\t0,2\n1,0\t1,1\t1,2\n2,0\t2,1\t2,2");
  EXPECT_EQ(
      Rows(grid),
      (std::vector<std::string>{"0,0|0,1|0,2|0,3", "1,0|||1,3", "2,0|||2,3", "3,0|3,1|3,2|3,3"}));
  GridKey(grid, Key::Z, kControlModifier, dialogs);
  EXPECT_EQ(Whole(grid), before);

  dialogs.SetClipboard("a\tb\tc\td\te");
  grid.SetCurrent(1, 1);
  GridKey(grid, Key::V, kControlModifier, dialogs);
  EXPECT_EQ(grid.Cols(), 6);
  GridKey(grid, Key::Z, kControlModifier, dialogs);
  EXPECT_EQ(Whole(grid), before);

  grid.SetSelection(2, 2, 2, 2);
  GridKey(grid, Key::X, kControlModifier, dialogs);
  grid.SetText(3, 3, "written since");
  GridKey(grid, Key::Z, kControlModifier, dialogs);
  EXPECT_EQ(grid.Text(2, 2), "");
  EXPECT_EQ(grid.Text(3, 3), "written since");
}

}  // namespace
