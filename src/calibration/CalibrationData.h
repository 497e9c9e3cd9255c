// Calibration: a farm's observed data and its files (".plt", ".cal").
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/GrowthState.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"

struct Location;

// What a farm observed for one group of weanling pigs, and the files that
// keep it: ".plt" (growth-curve coefficients, herd summary, sex and units)
// and ".cal" (weighings at the end of each diet phase).

inline constexpr int kHerdInputs = 5;     // herdInputs 1..5
inline constexpr int kMaxCalibRows = 15;  // observation rows 1..15

// herdInputs entries, display units.
inline constexpr int kHerdStartWeight = 1;
inline constexpr int kHerdStartAge = 2;
inline constexpr int kHerdFinalWeight = 3;
inline constexpr int kHerdTotalFeed = 4;
inline constexpr int kHerdFinalAge = 5;

// observations columns.
inline constexpr int kObsAge = 0;
inline constexpr int kObsWeight = 1;
inline constexpr int kObsFeed = 2;

// The coefficient table (coefficientTable): B0..B4 in columns 1..5 of row 1 (now)
// and row 4 (as loaded from the ".plt" file).
inline constexpr int kCoefRow = 1;
inline constexpr int kLoadedCoefRow = 4;
inline constexpr int kCoefCount = 5;

struct CalibrationData {
  // Starting weight, starting age, final weight, total feed, final age.
  std::array<double, kHerdInputs + 1> herdInputs{};
  // Rows 1..15: age (days), live weight and feed eaten since the row before.
  std::array<std::array<double, 3>, kMaxCalibRows + 1> observations{};
  std::int16_t observationCount = 0;
};

// Which writer's number formats a ".plt" file gets.
enum class PltStyle {
  Saved,   // coefficient table save and "save as": "###.00000", short texts, legend
  Fitted,  // end of a calibration run: "###.####00", long texts, code only
};

inline constexpr const char* kUnitLegend =
    "Energy 0 is kg, 1 is lbs, 2 is Mcal/kg 3 is mcal/lb 4 is MJ/kg";

// The values a ".plt" file holds.
struct PltContents {
  std::array<double, kCoefCount> coef{};  // B0..B4
  std::array<double, kHerdInputs + 1> herdInputs{};
  std::int16_t herdSex = -1;
  std::array<std::int16_t, 3> unitCodes{0, 0, 1};
};

// Gathers what a ".plt" file stores: B0..B4 from row 1 of the coefficient
// table, the herd inputs, the herd sex and the unit codes.
PltContents PltFromState(const Grid& coefficientTable,
                         const CalibrationData& calib,
                         const GrowthState& growth);

// The 14 lines of a ".plt" file in the writer's style.
std::vector<std::string> PltFileLines(const PltContents& contents, PltStyle style);

// Writes a ".plt" file. A failed write shows "Error 75 (Path/File access
// error) in procedure " + procedure and leaves the earlier file whole.
bool WriteCalibrationFile(const std::string& path,
                          const PltContents& contents,
                          PltStyle style,
                          Dialogs& dialogs,
                          const char* procedure = "SaveCalibrationFile");

enum class PltLoad { Loaded, Missing, Failed };

// Reads a ".plt" file: B0..B4 (0 takes the default coefficient) into rows 1
// and 4 of the coefficient table, the herd inputs, the herd sex and, where
// the file has them, the unit codes. A file cut short before line 11 shows
// "Error 62 (Input past end of file) in procedure LoadCalibrationFile", and a
// file that cannot be read is reported; both change nothing. A missing file
// changes nothing and shows nothing.
PltLoad LoadCalibrationFile(const std::string& path,
                            GrowthState& growth,
                            CalibrationData& calib,
                            Grid& coefficientTable,
                            Dialogs& dialogs);

// A growth-curve coefficient as the coefficient table shows a fitted one:
// every digit needed to read back the same double (a short text would turn
// B3 = 0.00149 into 0.001), fixed notation, the machine's separator.
std::string CoefficientText(double value, bool decimalComma);

// How a herd input is shown in its field, and the field's tooltip.
std::string HerdInputText(double value, bool decimalComma);
std::string InitialValueTip(double value, bool decimalComma);

// The lines of a ".cal" file for observation rows 1..rows (bounded to 15).
std::vector<std::string> CalibrationRowLines(const CalibrationData& calib, int rows);

struct CalRowsLoad {
  bool found = false;       // false: nothing read, nothing changed
  int rows = 0;             // rows read (lines beyond the 15th are ignored)
  bool dataLoaded = false;  // row 2 has a nonzero age: "Calibration Data Loaded"
  std::string problem;      // for the user: why a file that exists was not read
  // Every line was a row of at most three tab-separated numbers (empty
  // fields allowed) and no line beyond the 15th holds anything: written
  // back, the file would lose nothing.
  bool whole = false;
};

// Reads a ".cal" file into observations from row 1; the rows are emptied first
// so that no row of another location stays behind. A missing field counts 0.
CalRowsLoad LoadCalibrationRows(const std::string& path, CalibrationData& calib);

enum class RowsWrite {
  Written,
  Kept,    // the file there could not be read whole: left as it was, and said so
  Failed,  // the write failed, and said so
};

// Writes observation rows 1..rows to a ".cal" file (procedure name in the
// error message: WriteCalibrationRows). A ".cal" already there that could
// not be read whole is never written over: it may hold weighings this
// program could not read.
RowsWrite WriteCalibrationRows(const std::string& path,
                               const CalibrationData& calib,
                               int rows,
                               Dialogs& dialogs);

// "The observations file " + path + " could not be read, so it was kept as
// it is and not written over."
std::string KeptCalFileMessage(const std::string& path);

// Rows from row 1 while the weight is above 0: what the location save writes.
int RowsWithWeight(const CalibrationData& calib);

// Rows up to the last one holding anything (age, weight or feed not 0): what
// the calibration writes and shows of a ".cal" file.
int RowsHeld(const CalibrationData& calib);

// Asks "Do you want to save this calibration data?" (Yes/No); on Yes follows
// the save protocol (offered name "*pig", default extension ".plt") and
// writes location.calibrationFile in the saved style. True when written.
bool SaveCalibrationFile(Location& location, const PltContents& contents, Dialogs& dialogs);

// Asks for a file name (filter "*.plt"), makes it location.calibrationFile and writes
// it in the saved style. A cancelled dialog keeps the earlier name and the
// file is written there. True when written.
bool SaveCalibrationAs(Location& location, const PltContents& contents, Dialogs& dialogs);
