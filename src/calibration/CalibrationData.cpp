#include "calibration/CalibrationData.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "model/DietsFile.h"
#include "platform/Location.h"
#include "platform/NumberFormat.h"
#include "platform/SaveProtocol.h"
#include "platform/TextFile.h"

namespace {

// Lines of a ".plt" file (1-based).
constexpr int kFirstHerdLine = 6;
constexpr int kSexLine = 11;
constexpr int kEnergyCodeLine = 12;
constexpr int kExtraSexLine = 15;

// Unit codes with a conversion factor, by element (energy, weight, price).
constexpr std::array<int, 3> kHighestUnitCode{4, 2, 4};

constexpr const char* kSavedCoefPattern = "###.00000";
constexpr const char* kFittedCoefPattern = "###.####00";

double FileNumber(std::string_view text) {
  const double value = ReadNumber(text);
  return std::isfinite(value) ? value : 0.0;
}

// Str-style integer: a blank in place of the sign of a non-negative number.
std::string PrintedCode(int code) { return (code < 0 ? "" : " ") + std::to_string(code) + " "; }

bool ValidSex(int sex) { return sex >= -1 && sex <= 2; }

std::string PointText(std::string text) { return CommaToPoint(text); }

// A field of a ".cal" line that the reader takes in full: empty (0), or a
// finite number with blanks around it at most.
bool WholeNumberField(std::string_view field) {
  const std::size_t first = field.find_first_not_of(' ');
  if (first == std::string_view::npos) return true;
  field = field.substr(first, field.find_last_not_of(' ') - first + 1);
  std::string text(field);
  CommaToPoint(text);
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc{} && end == text.data() + text.size() && std::isfinite(value);
}

bool WholeRowLine(std::string_view line) {
  for (int field = 0;; ++field) {
    const std::size_t tab = line.find('\t');
    if (field == 3 || !WholeNumberField(line.substr(0, tab))) return false;
    if (tab == std::string_view::npos) return true;
    line.remove_prefix(tab + 1);
  }
}

// A herd input as `shown`, unless that would change it: a weight converted
// into pounds (55.125 lb) must read back as it was, not as 55.13.
std::string ExactText(std::string shown, double value, bool decimalComma = false) {
  return ReadNumber(shown) == value ? shown : GeneralNumberText(value, decimalComma);
}

// The chosen name becomes the location's only once the file is written.
bool SavePlt(Location& location,
             const SaveRequest& request,
             const PltContents& contents,
             Dialogs& dialogs,
             const char* procedure) {
  std::string path = location.calibrationFile;
  if (!ChooseSavePath(dialogs, path, request)) return false;
  if (!WriteFileOrReport(dialogs, path, PltFileLines(contents, PltStyle::Saved), procedure)) {
    return false;
  }
  location.calibrationFile = path;
  return true;
}

}  // namespace

PltContents PltFromState(const Grid& coefficientTable,
                         const CalibrationData& calib,
                         const GrowthState& growth) {
  PltContents contents;
  for (int k = 0; k < kCoefCount; ++k) {
    contents.coef[k] = FileNumber(coefficientTable.Text(kCoefRow, k + 1));
  }
  contents.herdInputs = calib.herdInputs;
  contents.herdSex = growth.herdSex;
  contents.unitCodes = growth.unitCodes;
  return contents;
}

namespace {

// A coefficient in the writer's pattern or, where the pattern would drop
// digits (a fitted B3 of 0.000602361 as .00060), with every digit needed to
// read back the same value; like the pattern, without a zero before the point.
std::string CoefficientLine(double b, const char* pattern) {
  std::string text = PointText(FormatNumber(b, pattern));
  if (!std::isfinite(b) || ReadNumber(text) == b) return text;
  text = CoefficientText(b, false);
  const std::size_t zero = text.find("0.");
  if (zero == 0 || (zero == 1 && text[0] == '-')) text.erase(zero, 1);
  return text;
}

}  // namespace

std::vector<std::string> PltFileLines(const PltContents& contents, PltStyle style) {
  const bool saved = style == PltStyle::Saved;
  std::vector<std::string> lines;
  lines.reserve(14);
  for (double b : contents.coef) {
    lines.push_back(CoefficientLine(b, saved ? kSavedCoefPattern : kFittedCoefPattern));
  }
  for (int i = 1; i <= kHerdInputs; ++i) {
    const double value = contents.herdInputs[i];
    lines.push_back(
        PointText(saved ? HerdInputText(value, false) : ExactText(NumberText(value), value)));
  }
  lines.push_back(std::to_string(contents.herdSex));
  std::string energyLine = PrintedCode(contents.unitCodes[0]);
  if (saved) energyLine += std::string("\t") + kUnitLegend;
  lines.push_back(energyLine);
  lines.push_back(PrintedCode(contents.unitCodes[1]));
  lines.push_back(PrintedCode(contents.unitCodes[2]));
  return lines;
}

bool WriteCalibrationFile(const std::string& path,
                          const PltContents& contents,
                          PltStyle style,
                          Dialogs& dialogs,
                          const char* procedure) {
  return WriteFileOrReport(dialogs, path, PltFileLines(contents, style), procedure);
}

PltLoad LoadCalibrationFile(const std::string& path,
                            GrowthState& growth,
                            CalibrationData& calib,
                            Grid& coefficientTable,
                            Dialogs& dialogs) {
  const TextFile::ReadResult read = TextFile::Read(path);
  if (read.status == TextFile::ReadStatus::Missing) return PltLoad::Missing;
  if (!read.ok()) {
    dialogs.Message(ReadProblemText(path, read));
    return PltLoad::Failed;
  }
  const std::vector<std::string>& lines = read.lines;
  const int count = static_cast<int>(lines.size());
  if (count < kSexLine) {
    dialogs.Message(ErrorText(kErrInputPastEnd, kDescInputPastEnd, "LoadCalibrationFile"));
    return PltLoad::Failed;
  }
  auto line = [&](int n) -> const std::string& { return lines[static_cast<std::size_t>(n - 1)]; };

  for (int k = 0; k < kCoefCount; ++k) {
    double b = FileNumber(line(k + 1));
    if (b == 0) b = growth.defaultGrowthCoef[k];
    const std::string text = CoefficientText(b, growth.decimalComma);
    coefficientTable.SetText(kCoefRow, k + 1, text);
    coefficientTable.SetText(kLoadedCoefRow, k + 1, text);
  }
  for (int i = 1; i <= kHerdInputs; ++i) {
    calib.herdInputs[i] = FileNumber(line(kFirstHerdLine + i - 1));
  }
  // A sex outside the list would select nothing: it counts as none chosen.
  const int sex = ReadInteger(line(kSexLine));
  growth.herdSex = static_cast<std::int16_t>(ValidSex(sex) ? sex : -1);

  for (int e = 0; e < 3 && kEnergyCodeLine + e <= count; ++e) {
    std::string_view text = line(kEnergyCodeLine + e);
    if (e == 0) text = text.substr(0, 2);  // the legend follows the code
    const int code = ReadInteger(text);
    // A code without a conversion factor would divide by zero later.
    if (code >= 0 && code <= kHighestUnitCode[e])
      growth.unitCodes[e] = static_cast<std::int16_t>(code);
  }
  // An older writer put the sex once more after the units; files without it
  // keep the sex of line 11.
  if (count >= kExtraSexLine) {
    const std::string& extra = line(kExtraSexLine);
    const int again = ReadInteger(extra);
    if (extra.find_first_not_of(" \t") != std::string::npos && ValidSex(again)) {
      growth.herdSex = static_cast<std::int16_t>(again);
    }
  }
  return PltLoad::Loaded;
}

std::string CoefficientText(double value, bool decimalComma) {
  if (!std::isfinite(value)) return "0";
  std::array<char, 400> text{};
  const auto [end, ec] =
      std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (ec != std::errc{}) return GeneralNumberText(value, decimalComma);
  std::string shown(text.data(), end);
  if (decimalComma) std::replace(shown.begin(), shown.end(), '.', ',');
  return shown;
}

std::string HerdInputText(double value, bool decimalComma) {
  return ExactText(ShortNumberText(value, decimalComma), value, decimalComma);
}

std::string InitialValueTip(double value, bool decimalComma) {
  return "Initial value was " + ShortNumberText(value, decimalComma);
}

std::vector<std::string> CalibrationRowLines(const CalibrationData& calib, int rows) {
  rows = std::clamp(rows, 0, kMaxCalibRows);
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(rows));
  for (int r = 1; r <= rows; ++r) {
    const auto& obs = calib.observations[r];
    lines.push_back(PointText(NumberText(obs[kObsAge])) + '\t' +
                    PointText(NumberText(obs[kObsWeight])) + '\t' +
                    PointText(NumberText(obs[kObsFeed])));
  }
  return lines;
}

CalRowsLoad LoadCalibrationRows(const std::string& path, CalibrationData& calib) {
  CalRowsLoad load;
  const TextFile::ReadResult read = TextFile::Read(path);
  if (!read.ok()) {
    if (read.status != TextFile::ReadStatus::Missing) load.problem = ReadProblemText(path, read);
    return load;
  }
  const std::vector<std::string>& lines = read.lines;
  load.found = true;
  for (auto& row : calib.observations) row.fill(0);
  load.rows = static_cast<int>(std::min<std::size_t>(lines.size(), kMaxCalibRows));
  for (int r = 1; r <= load.rows; ++r) {
    std::string_view text = lines[static_cast<std::size_t>(r - 1)];
    for (int field = 0; field < 3; ++field) {
      const std::size_t tab = text.find('\t');
      calib.observations[r][field] = FileNumber(text.substr(0, tab));
      if (tab == std::string_view::npos) break;  // the missing fields stay 0
      text.remove_prefix(tab + 1);
    }
  }
  load.dataLoaded = calib.observations[2][kObsAge] != 0;
  load.whole = true;
  for (std::size_t i = 0; i < lines.size() && load.whole; ++i) {
    const std::string& line = lines[i];
    load.whole =
        i < kMaxCalibRows ? WholeRowLine(line) : line.find_first_not_of(" \t") == std::string::npos;
  }
  return load;
}

RowsWrite WriteCalibrationRows(const std::string& path,
                               const CalibrationData& calib,
                               int rows,
                               Dialogs& dialogs) {
  CalibrationData there;
  if (TextFile::Exists(path) && !LoadCalibrationRows(path, there).whole) {
    dialogs.Message(KeptCalFileMessage(path));
    return RowsWrite::Kept;
  }
  return WriteFileOrReport(dialogs, path, CalibrationRowLines(calib, rows), "WriteCalibrationRows")
             ? RowsWrite::Written
             : RowsWrite::Failed;
}

std::string KeptCalFileMessage(const std::string& path) {
  return "The observations file " + path + " could not be read, so it was kept as it is and not " +
         "written over.";
}

int RowsWithWeight(const CalibrationData& calib) {
  int rows = 0;
  while (rows < kMaxCalibRows && calib.observations[rows + 1][kObsWeight] > 0) ++rows;
  return rows;
}

int RowsHeld(const CalibrationData& calib) {
  int rows = 0;
  for (int r = 1; r <= kMaxCalibRows; ++r) {
    const auto& obs = calib.observations[r];
    if (obs[kObsAge] != 0 || obs[kObsWeight] != 0 || obs[kObsFeed] != 0) rows = r;
  }
  return rows;
}

bool SaveCalibrationFile(Location& location, const PltContents& contents, Dialogs& dialogs) {
  if (dialogs.Message("Do you want to save this calibration data?", Buttons::YesNo) !=
      Answer::Yes) {
    return false;
  }
  SaveRequest request;
  request.dataFolder = location.dataFolder;
  request.offeredName = "*pig";
  request.filter = "*.plt";
  request.defaultExt = ".plt";
  request.saveWithoutAsking = location.saveWithoutAsking[kPltRow];
  return SavePlt(location, request, contents, dialogs, "SaveCalibrationFile");
}

bool SaveCalibrationAs(Location& location, const PltContents& contents, Dialogs& dialogs) {
  SaveRequest request;
  request.dataFolder = location.dataFolder;
  request.offeredName = "*.plt";
  request.filter = "*.plt";
  request.defaultExt = ".plt";
  return SavePlt(location, request, contents, dialogs, "SaveCalibrationAs");
}
