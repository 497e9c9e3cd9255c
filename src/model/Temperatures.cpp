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

}  // namespace

void ResetTemperatures(TemperatureProfile& profile) {
  for (int w = 1; w <= kTempWeeks; ++w) {
    profile.calibrationTemps[w] = kDefaultTemperature;
    profile.futureTemps[w] = kDefaultTemperature;
  }
  profile.calibrationTemps[kTempWeeks + 1] = 0;
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
    lines.push_back(PrintedNumber(profile.calibrationTemps[i]) + '\t' +
                    PrintedNumber(profile.futureTemps[i]));
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
      (load.numbers % 2 == 0 ? profile.calibrationTemps : profile.futureTemps)[entry] = value;
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
