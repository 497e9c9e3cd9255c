#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/GridClipboard.h"
#include "support/ScriptedDialogs.h"

namespace {

// A table holding the given texts from (0, 0).
Grid FilledGrid(const std::vector<std::vector<std::string>>& rows, int rowCount, int colCount) {
  Grid grid(rowCount, colCount);
  for (int r = 0; r < static_cast<int>(rows.size()); ++r)
    for (int c = 0; c < static_cast<int>(rows[r].size()); ++c) grid.SetText(r, c, rows[r][c]);
  return grid;
}

// Cell (r, c) holds "r,c".
Grid Numbered(int rowCount, int colCount) {
  Grid grid(rowCount, colCount);
  for (int r = 0; r < rowCount; ++r)
    for (int c = 0; c < colCount; ++c)
      grid.SetText(r, c, std::to_string(r) + "," + std::to_string(c));
  return grid;
}

TEST(GridClipboardTest, CopyKeysPutTheSelectedBlockOnTheClipboard) {
  const struct {
    const char* name;
    int row, col, rowSel, colSel;
    Key key;
    KeyModifiers modifiers;
    const char* expected;
  } cases[] = {
      {"2x3 block", 1, 1, 2, 3, Key::C, kControlModifier, "1,1\t1,2\t1,3\n2,1\t2,2\t2,3"},
      {"selected upwards", 2, 3, 1, 1, Key::C, kControlModifier, "1,1\t1,2\t1,3\n2,1\t2,2\t2,3"},
      {"single cell", 3, 2, 3, 2, Key::C, kControlModifier, "3,2"},
      {"Ctrl+Insert", 0, 0, 1, 0, Key::Insert, kControlModifier, "0,0\n1,0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Grid grid = Numbered(5, 5);
    ScriptedDialogs dialogs;
    dialogs.SetClipboard("old");
    grid.SetSelection(c.row, c.col, c.rowSel, c.colSel);
    EXPECT_TRUE(GridKey(grid, c.key, c.modifiers, dialogs));
    EXPECT_EQ(dialogs.Clipboard(), c.expected);
    EXPECT_EQ(grid.Text(1, 1), "1,1");  // a copy changes no cell
    EXPECT_EQ(grid.Row(), 0);           // the copy leaves (0, 0) current
    EXPECT_EQ(grid.Col(), 0);
  }
}

TEST(GridClipboardTest, CtrlXCopiesThenEmptiesTheBlock) {
  Grid grid = Numbered(4, 4);
  ScriptedDialogs dialogs;
  grid.SetSelection(2, 2, 1, 1);
  EXPECT_TRUE(GridKey(grid, Key::X, kControlModifier, dialogs));
  EXPECT_EQ(dialogs.Clipboard(), "1,1\t1,2\n2,1\t2,2");
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) {
      SCOPED_TRACE(std::to_string(r) + "," + std::to_string(c));
      const bool cut = r >= 1 && r <= 2 && c >= 1 && c <= 2;
      EXPECT_EQ(grid.Text(r, c).empty(), cut);
    }
}

TEST(GridClipboardTest, CtrlACopiesTheUsedArea) {
  const struct {
    const char* name;
    std::vector<std::vector<std::string>> cells;
    const char* expected;
  } cases[] = {
      {"empty table gives one empty cell", {}, ""},
      {"block in the corner", {{"a", "b"}, {"c", "d"}}, "a\tb\nc\td"},
      {"gaps are kept", {{"", ""}, {"", "x"}}, "\t\n\tx"},
      // A shorter last column keeps the rows of the longer ones.
      {"shorter last column", {{"h1", "h2"}, {"1", "2"}, {"3", ""}}, "h1\th2\n1\t2\n3\t"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Grid grid = FilledGrid(c.cells, 6, 5);
    grid.SetCurrent(4, 4);
    ScriptedDialogs dialogs;
    EXPECT_TRUE(GridKey(grid, Key::A, kControlModifier, dialogs));
    EXPECT_EQ(dialogs.Clipboard(), c.expected);
  }
}

TEST(GridClipboardTest, CopyRangeClipsToTheTable) {
  Grid grid = Numbered(3, 3);
  ScriptedDialogs dialogs;
  const GridRange copied = CopyRange(GridRange{7, 1, 9, 2}, grid, dialogs);
  EXPECT_EQ(copied, (GridRange{2, 1, 2, 2}));
  EXPECT_EQ(dialogs.Clipboard(), "2,1\t2,2");

  Grid none(0, 0);
  CopyRange(WholeGrid(none), none, dialogs);
  EXPECT_EQ(dialogs.Clipboard(), "");
}

TEST(GridClipboardTest, PasteFillsFromTheCurrentCell) {
  const struct {
    const char* name;
    int row, col;
    const char* text;
    int cols;                                        // after the paste
    std::vector<std::vector<std::string>> expected;  // rows 0..3, cols 0..3
  } cases[] = {
      {"block",
       1,
       1,
       "a\tb\nc\td",
       5,
       {{"", "", "", ""}, {"", "a", "b", ""}, {"", "c", "d", ""}, {"", "", "", ""}}},
      {"last row and column get nothing",
       3,
       3,
       "a\tb\nc\td",
       5,
       {{"", "", "", ""}, {"", "", "", ""}, {"", "", "", ""}, {"", "", "", "a"}}},
      {"empty line ends the paste",
       0,
       0,
       "a\n\nb",
       5,
       {{"a", "", "", ""}, {"", "", "", ""}, {"", "", "", ""}, {"", "", "", ""}}},
      {"spreadsheet line ends",
       0,
       1,
       "1\t2\r\n3\t4\r\n",
       5,
       {{"", "1", "2", ""}, {"", "3", "4", ""}, {"", "", "", ""}, {"", "", "", ""}}},
      {"empty clipboard", 0, 0, "", 5, {{"", "", "", ""}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Grid grid(5, 5);
    grid.SetCurrent(c.row, c.col);
    ScriptedDialogs dialogs;
    dialogs.SetClipboard(c.text);
    EXPECT_TRUE(GridKey(grid, Key::V, kControlModifier, dialogs));
    EXPECT_EQ(grid.Rows(), 5);
    EXPECT_EQ(grid.Cols(), c.cols);
    for (int r = 0; r < static_cast<int>(c.expected.size()); ++r)
      for (int col = 0; col < 4; ++col) {
        SCOPED_TRACE(std::to_string(r) + "," + std::to_string(col));
        EXPECT_EQ(grid.Text(r, col), c.expected[r][col]);
      }
    for (int col = 0; col < 5; ++col) EXPECT_EQ(grid.Text(4, col), "");
    for (int r = 0; r < 5; ++r) EXPECT_EQ(grid.Text(r, 4), "");
  }
}

TEST(GridClipboardTest, WideLinesWidenTheTable) {
  std::string line;
  for (int f = 1; f <= 12; ++f) line += (f > 1 ? "\t" : "") + std::to_string(f);
  Grid grid(4, 5);
  grid.SetCurrent(1, 0);
  ScriptedDialogs dialogs;
  dialogs.SetClipboard(line);
  EXPECT_TRUE(GridKey(grid, Key::Insert, kShiftModifier, dialogs));
  EXPECT_EQ(grid.Cols(), 13);
  EXPECT_EQ(grid.Rows(), 4);
  for (int c = 0; c < 12; ++c) EXPECT_EQ(grid.Text(1, c), std::to_string(c + 1));
  EXPECT_EQ(grid.Text(1, 12), "");

  // Starting further right, the fields past the last column are dropped.
  Grid right(4, 5);
  right.SetCurrent(1, 3);
  EXPECT_TRUE(GridPaste(right, Key::V, kControlModifier, dialogs));
  EXPECT_EQ(right.Cols(), 13);
  EXPECT_EQ(right.Text(1, 3), "1");
  EXPECT_EQ(right.Text(1, 11), "9");
  EXPECT_EQ(right.Text(1, 12), "");
}

TEST(GridClipboardTest, PasteNeverAddsRows) {
  Grid grid(3, 3);
  grid.SetCurrent(1, 1);
  PasteText(grid, "a\nb\nc\nd");
  EXPECT_EQ(grid.Rows(), 3);
  EXPECT_EQ(grid.Text(1, 1), "a");
  EXPECT_EQ(grid.Text(2, 1), "");
}

TEST(GridClipboardTest, TemperatureTablesPasteDownColumnOne) {
  const struct {
    const char* name;
    const char* text;
    std::vector<std::string> expected;  // column 1 from row 1
  } cases[] = {
      {"trailing line feed", "20\n21\n22\n", {"20", "21", "22", ""}},
      {"last line without line feed", "20\n21\n22", {"20", "21", "22", ""}},
      {"single short value", "5\n", {"5", "", "", ""}},
      {"fields are not split", "20\t9\n", {"20\t9", "", "", ""}},
      {"more lines than rows", "1\n2\n3\n4\n5\n6\n7\n", {"1", "2", "3", "4"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Grid grid(5, 3);
    grid.SetCurrent(1, 2);
    ScriptedDialogs dialogs;
    dialogs.SetClipboard(c.text);
    EXPECT_TRUE(GridKey(grid, Key::V, kControlModifier, dialogs, PasteMode::TemperatureColumn));
    for (int k = 0; k < 4; ++k) EXPECT_EQ(grid.Text(1 + k, 1), c.expected[k]);
    EXPECT_EQ(grid.Text(1, 2), "");
    EXPECT_EQ(grid.Cols(), 3);
  }
}

TEST(GridClipboardTest, OtherKeysAreNotHandled) {
  const struct {
    Key key;
    KeyModifiers modifiers;
  } cases[] = {
      {Key::C, kNoModifier},
      {Key::C, kShiftModifier},
      {Key::V, kNoModifier},
      {Key::Insert, kNoModifier},
      {Key::X, kShiftModifier},
      {Key::A, kNoModifier},
      {Key::Other, kControlModifier},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.key)) + " modifiers " +
                 std::to_string(c.modifiers));
    Grid grid = Numbered(3, 3);
    grid.SetCurrent(1, 1);
    ScriptedDialogs dialogs;
    dialogs.SetClipboard("x");
    EXPECT_FALSE(GridKey(grid, c.key, c.modifiers, dialogs));
    EXPECT_EQ(dialogs.Clipboard(), "x");
    EXPECT_EQ(grid.Text(1, 1), "1,1");
    EXPECT_EQ(grid.Row(), 1);
  }
}

TEST(GridClipboardTest, HerdInputsTakeOneLineEach) {
  const struct {
    const char* text;
    std::vector<std::string> expected;
  } cases[] = {
      {"6.5\n21\n25\n30\n63", {"6.5", "21", "25", "30", "63"}},
      {"6.5\r\n21\r\n", {"6.5", "21", "", "", ""}},
      {"1\n2\n3\n4\n5\n6", {"1", "2", "3", "4", "5"}},
      {"", {"", "", "", "", ""}},
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
  EXPECT_EQ(dialogs.Clipboard(), "0,0\t0,1\t0,2\n1,0\t1,1\t1,2\n2,0\t2,1\t2,2");
  EXPECT_EQ(grid.Row(), 2);  // the current cell comes back
  EXPECT_EQ(grid.Col(), 1);

  grid.SetSelection(1, 1, 1, 2);
  PopupCommand(PopupAction::CopyHighlighted, &grid, dialogs);
  EXPECT_EQ(dialogs.Clipboard(), "1,1\t1,2");

  grid.SetCurrent(0, 0);
  dialogs.SetClipboard("p");
  PopupCommand(PopupAction::Paste, &grid, dialogs);
  EXPECT_EQ(grid.Text(0, 0), "p");

  dialogs.Answer(Answer::Yes);
  PopupCommand(PopupAction::Clear, &grid, dialogs);
  EXPECT_EQ(RangeText(WholeGrid(grid), grid), "p\t0,1\t0,2\n1,0\t\t\n2,0\t\t");

  PopupCommand(PopupAction::Paste, nullptr, dialogs);  // no active table yet
}

// "Clear" asks first, keeps the headings of the fixed rows and columns (the
// diets table's labels) and leaves a table the user may not edit alone;
// Ctrl+Z brings the cleared cells back.
TEST(GridClipboardTest, ClearAsksKeepsTheHeadingsAndCtrlZUndoesIt) {
  const std::string numbered = "0,0\t0,1\t0,2\n1,0\t1,1\t1,2\n2,0\t2,1\t2,2";
  const struct {
    const char* name;
    bool editable;
    std::optional<Answer> answer;  // nothing: not asked
    std::string cleared;
  } cases[] = {
      {"Yes", true, Answer::Yes, "0,0\t0,1\t0,2\n1,0\t\t\n2,0\t\t"},
      {"No", true, Answer::No, numbered},
      {"read-only", false, std::nullopt, numbered},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Grid grid = Numbered(3, 3);
    grid.SetEditable(c.editable);
    ScriptedDialogs dialogs;
    if (c.answer) dialogs.Answer(*c.answer);
    PopupCommand(PopupAction::Clear, &grid, dialogs);
    EXPECT_TRUE(dialogs.Done());
    EXPECT_EQ(dialogs.Messages().size(), c.answer ? 1u : 0u);
    EXPECT_EQ(RangeText(WholeGrid(grid), grid), c.cleared);
    EXPECT_EQ(grid.Edited(), c.answer == Answer::Yes);
    EXPECT_TRUE(GridKey(grid, Key::Z, kControlModifier, dialogs));
    EXPECT_EQ(RangeText(WholeGrid(grid), grid), numbered);
  }
}

// Ctrl+Z also undoes a cut (which spares the headings too) and a paste
// (which may have widened the table), until anything else changes the table.
TEST(GridClipboardTest, CtrlZUndoesTheLastCutOrPaste) {
  Grid grid = Numbered(4, 4);
  const std::string before = RangeText(WholeGrid(grid), grid);
  ScriptedDialogs dialogs;
  grid.SetSelection(0, 0, 1, 1);
  GridKey(grid, Key::X, kControlModifier, dialogs);
  EXPECT_EQ(RangeText(GridRange{1, 0, 1, 0}, grid), "0,0\t0,1\n1,0\t");
  GridKey(grid, Key::Z, kControlModifier, dialogs);
  EXPECT_EQ(RangeText(WholeGrid(grid), grid), before);

  dialogs.SetClipboard("a\tb\tc\td\te");
  grid.SetCurrent(1, 1);
  GridKey(grid, Key::V, kControlModifier, dialogs);
  EXPECT_EQ(grid.Cols(), 6);
  GridKey(grid, Key::Z, kControlModifier, dialogs);
  EXPECT_EQ(grid.Cols(), 4);
  EXPECT_EQ(RangeText(WholeGrid(grid), grid), before);

  grid.SetSelection(2, 2, 2, 2);
  GridKey(grid, Key::X, kControlModifier, dialogs);
  grid.SetText(3, 3, "written since");
  GridKey(grid, Key::Z, kControlModifier, dialogs);
  EXPECT_EQ(grid.Text(2, 2), "");
  EXPECT_EQ(grid.Text(3, 3), "written since");
}

TEST(GridClipboardTest, CopyThenPasteRoundTrips) {
  Grid from = Numbered(4, 4);
  from.SetSelection(0, 0, 2, 2);
  ScriptedDialogs dialogs;
  GridKey(from, Key::C, kControlModifier, dialogs);
  Grid to(4, 4);
  to.SetCurrent(0, 0);
  GridKey(to, Key::V, kControlModifier, dialogs);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(to.Text(r, c), from.Text(r, c));
}

}  // namespace
