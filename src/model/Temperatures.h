// Model: the weekly temperature profile and its file (".stg").
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
  std::array<double, kTempEntries> calibrationTemps{};
  std::array<double, kTempEntries> futureTemps{};
};

// Reset made when an existing location is loaded: weeks 1..20 of both
// arrays become 20, entry 21 of calibrationTemps 0.
void ResetTemperatures(TemperatureProfile& profile);

// A number as a print statement writes it to a file: one blank (or the minus
// sign), the shortest decimal text without a leading zero, one blank.
std::string PrintedNumber(double value);

// The 21 lines of a temperature file: calibrationTemps[i], tab, futureTemps[i].
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
