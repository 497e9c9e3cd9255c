#pragma once

#include <functional>
#include <string>
#include <string_view>

class Grid;

// How a table's cells read on screen and in an exported table. The Grid
// holds its cells as the commands and the files use them; its face adds the
// unit to a heading, gives a number below 1 its leading zero ("0.3", not
// ".3") and shows a coefficient to the digits its fit resolves, without
// changing a cell.
struct TableFace {
  // The unit a cell's text names it in: a heading ("Weight" shows
  // "Weight, kg") or a label among the cells (a report's nutrient names);
  // "" for none. Unset: no cell carries a unit.
  std::function<std::string(int row, int col)> unit;
  // Significant digits a cell is shown to; 0 (or unset) as it stands.
  std::function<int(int row, int col)> digits;
};

// A heading with its unit: "Weight, kg". An empty heading, or one that
// already ends in its unit, stays as it is.
std::string WithUnit(std::string_view heading, std::string_view unit);

// A number text with a digit before its separator: ".3" gives "0.3", "-,5"
// gives "-0,5"; any other text stays as it is.
std::string WithLeadingZero(std::string_view text);

// A number text rounded to `digits` significant digits, in fixed notation
// with the text's own separator ("0.0011023456" to 5 gives "0.0011023");
// a text that is not a number stays as it is.
std::string WithDigits(std::string_view text, int digits);

// The text of cell (row, col) as `face` shows it; a tab in it shows as a
// gap of two blanks.
std::string ShownText(const Grid& grid, const TableFace& face, int row, int col);
