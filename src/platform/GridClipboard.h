// Platform: copy, paste and the clipboard keys of every table.
#pragma once

#include <string>
#include <string_view>

#include "platform/Dialogs.h"
#include "platform/Grid.h"

// Copy and paste of tables as clipboard text: cells of a row separated by a
// tab, rows by a line feed, no separator after the last cell or row.

// A key press in Qt's terms, reduced to what the tables act on: the key
// (Qt::Key_C, ...) and the modifiers held (Qt::ControlModifier, ...). The
// desktop layer maps its key events onto these.
enum class Key { Other, A, C, V, X, Z, Insert };
using KeyModifiers = int;  // a combination of the flags below
inline constexpr KeyModifiers kNoModifier = 0;
inline constexpr KeyModifiers kShiftModifier = 1;
inline constexpr KeyModifiers kControlModifier = 2;
inline constexpr KeyModifiers kAltModifier = 4;

// A block of cells, in the order the screens pass it.
struct GridRange {
  int lastCol = 0;
  int firstCol = 0;
  int lastRow = 0;
  int firstRow = 0;
  friend bool operator==(const GridRange&, const GridRange&) = default;
};

// How a paste fills the table: cell by cell from the current cell, or (the
// two temperature tables, entryTable and profileTable) one value a line
// down column 1.
enum class PasteMode { Cells, TemperatureColumn };

// The rectangle between the current cell and the far corner of the selection.
GridRange SelectedRange(const Grid& grid);
// From (0, 0) to the last row and the last column holding any text; a table
// without text gives the single cell (0, 0).
GridRange UsedRange(const Grid& grid);
// Every row and column of the table.
GridRange WholeGrid(const Grid& grid);

// The block's text in clipboard form; rows and columns outside the table are
// left out, a block with no cell inside gives "".
std::string RangeText(const GridRange& range, const Grid& grid);

// Puts the block on the clipboard (replacing what was there) and makes (0, 0)
// the current cell; returns the block as copied, normalised and clipped to
// the table.
GridRange CopyRange(GridRange range, Grid& grid, Dialogs& dialogs);

// Fills the table from `text` as a paste at the current cell does.
void PasteText(Grid& grid, std::string_view text, PasteMode mode = PasteMode::Cells);

// Ctrl+V or Shift+Insert: pastes the clipboard text at the current cell.
// Returns true when the key was a paste key.
bool GridPaste(Grid& grid,
               Key key,
               KeyModifiers modifiers,
               Dialogs& dialogs,
               PasteMode mode = PasteMode::Cells);

// Empties the cells of `range` that the user owns: the headings of the
// fixed rows and columns stay, and a table the user may not edit keeps
// everything. Ctrl+Z brings the cells back.
void ClearOwnCells(Grid& grid, GridRange range);

// The clipboard keys of every table: Ctrl+C and Ctrl+Insert copy the
// selected block, Ctrl+X copies it and empties it (as ClearOwnCells),
// Ctrl+A copies the used area, Ctrl+V and Shift+Insert paste, Ctrl+Z undoes
// the last paste, cut or clear. Returns true when the key was one of them.
bool GridKey(Grid& grid,
             Key key,
             KeyModifiers modifiers,
             Dialogs& dialogs,
             PasteMode mode = PasteMode::Cells);

// Ctrl+V or Shift+Insert in the starting-weight field: the clipboard lines 1
// to 5 become starting weight, starting age, final weight, total feed intake
// and final age (missing lines give empty fields); the clipboard is then
// cleared. Returns true when the key was a paste key.
bool HerdInputPaste(Key key,
                    KeyModifiers modifiers,
                    Dialogs& dialogs,
                    std::string& startWeight,
                    std::string& startAge,
                    std::string& finalWeight,
                    std::string& totalFeed,
                    std::string& finalAge);

// The table pop-up menu; each entry acts on the active table, when there is
// one. "Clear" asks kClearQuestion first and then empties the whole table
// as ClearOwnCells does.
enum class PopupAction { CopyHighlighted, CopyAll, Clear, Paste };

inline constexpr std::string_view kClearQuestion =
    "Clear every cell of this table? Its headings and labels stay, and Ctrl+Z brings the cells "
    "back.";

void PopupCommand(PopupAction action,
                  Grid* activeGrid,
                  Dialogs& dialogs,
                  PasteMode mode = PasteMode::Cells);
