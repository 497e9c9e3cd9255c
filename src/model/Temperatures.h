#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Grid.h"

struct Location;

// The weekly temperature profile of a location, degrees Celsius: what the
// calibration group met and what future groups are expected to meet. It is
// kept and filed; the growth equations do not read it.

inline constexpr int kTempEntries = 25;    // entries 0..24
inline constexpr int kTempWeeks = 20;      // weeks 1..20
inline constexpr int kTempFileLines = 21;  // entry 0 (start age) and weeks 1..20
inline constexpr double kDefaultTemperature = 20;
inline constexpr int kDefaultTempStartAge = 50;  // days, when no starting age is typed

struct TemperatureProfile {
  // Entry 0 the start age of week 1 (days), entries 1..20 weeks 1..20.
  std::array<double, kTempEntries> CalibTemp{};
  std::array<double, kTempEntries> FutureTemp{};
};

// Reset made when an existing location is loaded: weeks 1..20 of both
// arrays become 20, entry 21 of CalibTemp 0.
void SetTemps(TemperatureProfile& profile);

// A number as a print statement writes it to a file: one blank (or the minus
// sign), the shortest decimal text without a leading zero, one blank.
std::string PrintedNumber(double value);

// The 21 lines of a temperature file: CalibTemp[i], tab, FutureTemp[i].
std::vector<std::string> TemperatureFileLines(const TemperatureProfile& profile);

struct TemperatureLoad {
  bool found = false;    // false: nothing read, nothing changed
  int numbers = 0;       // numbers stored, alternately calibration and future
  int skippedLines = 0;  // lines holding text where a number should be
  std::string problem;   // for the user: why a file that exists was not read
};

// Reads pairs of numbers (separated by blanks, tabs, commas or line ends)
// into entries 0, 1, 2, ... of the two arrays, at most 25 entries; entries
// the file does not reach keep their values. A line holding anything that is
// not a number is skipped whole.
TemperatureLoad ReadTemperatureFile(const std::string& path, TemperatureProfile& profile);

// Writes the profile to `path` (temperatureFile). A failed write shows
// "Error 75 (Path/File access error) in procedure WriteTemperatureFile" and
// leaves the earlier file whole.
bool WriteTemperatureFile(const std::string& path,
                          const TemperatureProfile& profile,
                          Dialogs& dialogs);

// "Open Temperature File": asks for a ".stg" file; the choice becomes
// location.temperatureFile and is read. A cancelled dialog changes nothing.
bool OpenTemperatureFile(Location& location, TemperatureProfile& profile, Dialogs& dialogs);

// Column 0 of a week's row: " 21 -  27" for week 1 from age 21.
std::string WeekAgeRange(int startAge, int week);

// The window "Temperature during Growth", headless.
class TemperatureWindow {
 public:
  static constexpr int kRows = 22;
  static constexpr int kCols = 3;
  static constexpr int kAgeCol = 0;
  static constexpr int kCalibCol = 1;
  static constexpr int kFutureCol = 2;

  // The window's title, its menus and the captions above its two tables.
  static constexpr std::string_view kCaption = "Temperature during Growth";
  static constexpr std::string_view kCloseMenu = "Close";
  static constexpr std::string_view kCloseWithoutSavingCaption = "Close without Saving Changes";
  static constexpr std::string_view kSaveValuesCaption = "Save Values";
  static constexpr std::string_view kTransferMenu = "Transfer";
  static constexpr std::string_view kTransferValuesCaption = "Transfer Values to Main Program";
  static constexpr std::string_view kSaveAndCloseCaption = "Save and Close";
  static constexpr std::string_view kTransferAndCloseCaption = "Transfer and Close Window";
  static constexpr std::string_view kTransferAndSaveCaption = "Transfer and Save to File";
  static constexpr std::string_view kCurrentTableCaption = "Enter the Temperatures Here";
  static constexpr std::string_view kProfileTableCaption = "Temperatures Held by the Program";

  TemperatureWindow();

  // The editable table: every temperature starts at 20 when the window opens.
  Grid GridCurrTemp{kRows, kCols};
  // The profile the model holds now (as loaded or last transferred), read only.
  Grid gridCalibTemp{kRows, kCols};

  bool Visible() const { return visible_; }

  // Opens the window: the weeks start at the whole number of the main
  // window's "Starting Age, Days" field (50 when it is 0 or not a number).
  void Open(std::string_view startingAgeField, const TemperatureProfile& profile);

  // Rows 1..20 into the arrays (column 1 calibration, column 2 future);
  // entry 0 of both becomes the first age of row 1.
  void TakeTemperatures(TemperatureProfile& profile);

  // Menu "Close" and "Transfer".
  void CloseWithoutSaving();
  void SaveValues(TemperatureProfile& profile);
  void TransferValues(TemperatureProfile& profile);
  void SaveAndClose(TemperatureProfile& profile);
  void TransferAndClose(TemperatureProfile& profile);
  bool TransferAndSave(TemperatureProfile& profile, const std::string& stgFile, Dialogs& dialogs);

  // Refreshes gridCalibTemp from the arrays.
  void ShowProfile(const TemperatureProfile& profile);

 private:
  void WriteHeadings(Grid& grid);

  int startAge_ = kDefaultTempStartAge;
  bool visible_ = false;
};
