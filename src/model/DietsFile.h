// Model: the diets file (".dts") read into and written from the diets table.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/GrowthState.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"

struct Location;

// The diets file (".dts"): for each diet column in turn, 18 records, one per
// table row 1..18, each "label", tab, "value"; an older form separates the
// two items by a comma instead. Values are written as the table shows them,
// in display units, with a decimal point.

inline constexpr int kDietRecords = 18;                         // records per diet
inline constexpr int kMaxDietLines = kDietRecords * kMaxDiets;  // 144

// Shortest plain decimal text of `value` with at most 15 significant digits,
// never an exponent; the separator is a comma when `decimalComma` is set.
// A value that is not finite gives "0".
std::string GeneralNumberText(double value, bool decimalComma = false);

// Label written for table row r (1..18) when its cell in column 0 is empty.
const std::string& DefaultDietRecordLabel(int row);

// The lines of a diets file for diet columns 1..numDiets (bounded to 0..8).
std::vector<std::string> DietsFileLines(const Grid& dietsTable, int numDiets);

struct DietsLoad {
  bool found = false;  // false: nothing read
  // Diets in use after the load: the file's whole diets (at most 8); none
  // when the file could not be read; pig.dietCount unchanged when it is missing.
  int numDiets = 0;
  bool commaForm = false;
  // Labels of records 3..18 of the last diet read, by table row.
  std::array<std::string, kDietRecords + 1> labels{};
  // For the user: why a file that exists was not read, or what was read and
  // which lines make no whole diet. Empty when the whole file was read, and
  // when there is no file.
  std::string problem;
};

// Loads the diets file at `path` into the diets table: names and prices as
// text in rows 1 and 2, numbers in rows 3..18, labels of rows 3..18 in
// column 0; diet columns past the loaded ones are emptied. Sets
// pig.dietCount. A missing file changes nothing; one that cannot be read
// gives no diet and leaves the table as it is.
DietsLoad ReadDietsFile(const std::string& path, Grid& dietsTable, GrowthState& growth);

// SaveDietsFile: unless the diets row's save-without-asking mark is set, a
// save dialog (save protocol, "*.dts") may change location.dietsFile; then
// the file is replaced and its path shown in filesTable row 4. A failed write
// shows "Error 75 (Path/File access error) in procedure SaveDietsFile" and
// leaves the earlier file whole. Returns true when the file was written.
bool SaveDietsFile(
    Location& location, const Grid& dietsTable, int numDiets, Grid& filesTable, Dialogs& dialogs);
