#include "model/Temperatures.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "model/DietsFile.h"
#include "platform/Location.h"
#include "platform/NumberFormat.h"
#include "platform/SaveProtocol.h"
#include "platform/TextFile.h"

namespace {

constexpr int kDaysPerWeek = 7;
// Ages beyond a 16-bit day count are no ages; the last week must still fit.
constexpr int kMaxTempStartAge = 32000;

std::string StrInt(long value) { return (value < 0 ? "" : " ") + std::to_string(value); }

bool IsSeparator(char ch) { return ch == ' ' || ch == '\t' || ch == ','; }

// A whole token as a plain decimal number (sign, digits, point, exponent).
bool ParseToken(std::string_view token, double& value) {
  if (!token.empty() && token.front() == '+') token.remove_prefix(1);
  if (token.empty()) return false;
  const char first = token.front() == '-' && token.size() > 1 ? token[1] : token.front();
  if (!(first >= '0' && first <= '9') && first != '.') return false;
  const auto [end, ec] =
      std::from_chars(token.data(), token.data() + token.size(), value, std::chars_format::general);
  return ec == std::errc{} && end == token.data() + token.size() && std::isfinite(value);
}

// The numbers of one line, or false when the line holds anything else.
bool LineNumbers(std::string_view line, std::vector<double>& numbers) {
  numbers.clear();
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsSeparator(line[i])) ++i;
    std::size_t start = i;
    while (i < line.size() && !IsSeparator(line[i])) ++i;
    if (i == start) break;
    double value = 0;
    if (!ParseToken(line.substr(start, i - start), value)) return false;
    numbers.push_back(value);
  }
  return true;
}

double CellNumber(const Grid& grid, int row, int col) {
  const double value = ReadNumber(grid.Text(row, col));
  return std::isfinite(value) ? value : 0.0;
}

}  // namespace

void SetTemps(TemperatureProfile& profile) {
  for (int w = 1; w <= kTempWeeks; ++w) {
    profile.CalibTemp[w] = kDefaultTemperature;
    profile.FutureTemp[w] = kDefaultTemperature;
  }
  profile.CalibTemp[kTempWeeks + 1] = 0;
}

std::string PrintedNumber(double value) {
  std::string digits = GeneralNumberText(std::fabs(value));
  if (digits.size() > 1 && digits[0] == '0' && digits[1] == '.') digits.erase(0, 1);
  const bool negative = value < 0 && digits != "0";
  return (negative ? "-" : " ") + digits + " ";
}

std::vector<std::string> TemperatureFileLines(const TemperatureProfile& profile) {
  std::vector<std::string> lines;
  lines.reserve(kTempFileLines);
  for (int i = 0; i < kTempFileLines; ++i) {
    lines.push_back(PrintedNumber(profile.CalibTemp[i]) + '\t' +
                    PrintedNumber(profile.FutureTemp[i]));
  }
  return lines;
}

TemperatureLoad ReadTemperatureFile(const std::string& path, TemperatureProfile& profile) {
  TemperatureLoad load;
  const TextFile::ReadResult read = TextFile::Read(path);
  if (!read.ok()) {
    if (read.status != TextFile::ReadStatus::Missing) load.problem = ReadProblemText(path, read);
    return load;
  }
  load.found = true;
  std::vector<double> numbers;
  constexpr int kMaxNumbers = 2 * kTempEntries;
  for (const std::string& line : read.lines) {
    if (load.numbers >= kMaxNumbers) break;
    if (!LineNumbers(line, numbers)) {
      ++load.skippedLines;
      continue;
    }
    for (double value : numbers) {
      if (load.numbers >= kMaxNumbers) break;
      const int entry = load.numbers / 2;
      (load.numbers % 2 == 0 ? profile.CalibTemp : profile.FutureTemp)[entry] = value;
      ++load.numbers;
    }
  }
  return load;
}

bool WriteTemperatureFile(const std::string& path,
                          const TemperatureProfile& profile,
                          Dialogs& dialogs) {
  return WriteFileOrReport(dialogs, path, TemperatureFileLines(profile), "WriteTemperatureFile");
}

bool OpenTemperatureFile(Location& location, TemperatureProfile& profile, Dialogs& dialogs) {
  FileRequest request;
  request.title = "Select a Temperature File";
  request.folder = location.dataFolder;
  request.filter = "*.stg";
  request.defaultExt = ".stg";
  request.fileName = "*.stg";
  const std::string chosen = dialogs.OpenFile(request);
  // A cancelled dialog must not leave the pattern as the profile's file name.
  if (chosen.empty() || chosen == request.fileName) return false;
  location.temperatureFile = chosen;
  ReadTemperatureFile(location.temperatureFile, profile);
  return true;
}

std::string WeekAgeRange(int startAge, int week) {
  const long first = startAge + static_cast<long>(kDaysPerWeek) * (week - 1);
  return StrInt(first) + " - " + StrInt(first + kDaysPerWeek - 1);
}

TemperatureWindow::TemperatureWindow() {
  WriteHeadings(GridCurrTemp);
  WriteHeadings(gridCalibTemp);
  gridCalibTemp.SetEditable(false);
}

void TemperatureWindow::WriteHeadings(Grid& grid) {
  grid.SetText(0, kAgeCol, "Age, days");
  grid.SetText(0, kCalibCol, "Calib. T, C");
  grid.SetText(0, kFutureCol, "Future T, C");
}

void TemperatureWindow::Open(std::string_view startingAgeField, const TemperatureProfile& profile) {
  const double typed = ReadNumber(startingAgeField);
  const double whole = std::isfinite(typed) ? std::trunc(typed) : 0;
  startAge_ = whole <= 0 ? kDefaultTempStartAge
                         : static_cast<int>(std::min<double>(whole, kMaxTempStartAge));
  const std::string shown = GeneralNumberText(kDefaultTemperature);
  for (int w = 1; w <= kTempWeeks; ++w) {
    GridCurrTemp.SetText(w, kAgeCol, WeekAgeRange(startAge_, w));
    GridCurrTemp.SetText(w, kCalibCol, shown);
    GridCurrTemp.SetText(w, kFutureCol, shown);
  }
  GridCurrTemp.SetCurrent(1, kCalibCol);
  ShowProfile(profile);
  visible_ = true;
}

void TemperatureWindow::TakeTemperatures(TemperatureProfile& profile) {
  for (int w = 1; w <= kTempWeeks; ++w) {
    profile.CalibTemp[w] = CellNumber(GridCurrTemp, w, kCalibCol);
    profile.FutureTemp[w] = CellNumber(GridCurrTemp, w, kFutureCol);
  }
  // The whole first age of week 1, however many digits it has.
  const double start = std::trunc(CellNumber(GridCurrTemp, 1, kAgeCol));
  profile.CalibTemp[0] = start;
  profile.FutureTemp[0] = start;
  ShowProfile(profile);
}

void TemperatureWindow::CloseWithoutSaving() { visible_ = false; }

void TemperatureWindow::SaveValues(TemperatureProfile& profile) { TakeTemperatures(profile); }

void TemperatureWindow::TransferValues(TemperatureProfile& profile) { TakeTemperatures(profile); }

void TemperatureWindow::SaveAndClose(TemperatureProfile& profile) {
  TakeTemperatures(profile);
  visible_ = false;
}

void TemperatureWindow::TransferAndClose(TemperatureProfile& profile) {
  TakeTemperatures(profile);
  visible_ = false;
}

bool TemperatureWindow::TransferAndSave(TemperatureProfile& profile,
                                        const std::string& stgFile,
                                        Dialogs& dialogs) {
  TakeTemperatures(profile);
  return WriteTemperatureFile(stgFile, profile, dialogs);
}

void TemperatureWindow::ShowProfile(const TemperatureProfile& profile) {
  const double start = profile.CalibTemp[0];
  const int age = start > 0 && start <= kMaxTempStartAge ? static_cast<int>(start) : startAge_;
  for (int w = 1; w <= kTempWeeks; ++w) {
    gridCalibTemp.SetText(w, kAgeCol, WeekAgeRange(age, w));
    gridCalibTemp.SetText(w, kCalibCol, GeneralNumberText(profile.CalibTemp[w]));
    gridCalibTemp.SetText(w, kFutureCol, GeneralNumberText(profile.FutureTemp[w]));
  }
}
