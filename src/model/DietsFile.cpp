#include "model/DietsFile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <utility>

#include "platform/Location.h"
#include "platform/NumberFormat.h"
#include "platform/SaveProtocol.h"
#include "platform/TextFile.h"

namespace {

constexpr int kNameRecord = 1;
constexpr int kPriceRecord = 2;
constexpr int kFirstNumberRecord = 3;

const std::array<std::string, kDietRecords + 1> kDefaultRecordLabels{"",
                                                                     "Diet Name",
                                                                     "Feed Cost",
                                                                     "Feed Weight",
                                                                     "Energy NE",
                                                                     "Protein",
                                                                     "Arginine",
                                                                     "Histidine",
                                                                     "Lysine",
                                                                     "Diet Type",
                                                                     "Tryptophan",
                                                                     "Phe + Tyrosine",
                                                                     "Phenylalanine",
                                                                     "MET_CYS",
                                                                     "Methionine",
                                                                     "Threonine",
                                                                     "LEUCINE",
                                                                     "Isoleucine",
                                                                     "Valine"};

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// A tab or a line end inside a cell would split its record in two.
std::string OneLine(std::string_view text) {
  std::string line(text);
  std::replace_if(
      line.begin(),
      line.end(),
      [](char ch) { return ch == '\t' || ch == '\r' || ch == '\n'; },
      ' ');
  return line;
}

// One item of the older comma form: blanks around it dropped, and the
// quotes of a quoted item removed (a quoted item may hold commas).
std::string_view CommaItem(std::string_view text, std::size_t& next) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i < text.size() && text[i] == '"') {
    const std::size_t close = text.find('"', i + 1);
    if (close != std::string_view::npos) {
      const std::size_t comma = text.find(',', close);
      next = comma == std::string_view::npos ? text.size() : comma + 1;
      return text.substr(i + 1, close - i - 1);
    }
  }
  const std::size_t comma = text.find(',', i);
  next = comma == std::string_view::npos ? text.size() : comma + 1;
  return TrimBlanks(text.substr(i, comma == std::string_view::npos ? text.npos : comma - i));
}

struct Record {
  std::string label;
  std::string value;
};

Record SplitRecord(std::string_view line, bool commaForm) {
  if (!commaForm) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) return {std::string(line), {}};
    return {std::string(line.substr(0, tab)), std::string(line.substr(tab + 1))};
  }
  std::size_t next = 0;
  Record record;
  record.label = std::string(CommaItem(line, next));
  if (next >= line.size()) return record;
  std::string_view rest = line.substr(next);
  std::string_view trimmed = TrimBlanks(rest);
  if (trimmed.size() >= 2 && trimmed.front() == '"' && trimmed.back() == '"') {
    trimmed = trimmed.substr(1, trimmed.size() - 2);
  }
  // The rest of the line, so that a decimal comma ("3,25") stays one value.
  record.value = std::string(trimmed);
  return record;
}

// "line 19" or "lines 19 to 27".
std::string LineRange(std::size_t first, std::size_t last) {
  if (first == last) return "line " + std::to_string(first);
  return "lines " + std::to_string(first) + " to " + std::to_string(last);
}

// What was read of a file of `lines` lines, when that is not all of it.
std::string PartlyRead(const std::string& path, std::size_t lines, int numDiets) {
  const std::size_t used = static_cast<std::size_t>(numDiets) * kDietRecords;
  if (lines == used && lines > 0) return {};
  std::string text = "Read ";
  text += numDiets == 0   ? "no diet of "
          : numDiets == 1 ? "1 diet (" + LineRange(1, used) + ") of "
                          : std::to_string(numDiets) + " diets (" + LineRange(1, used) + ") of ";
  text += path;
  if (lines == 0) return text + ": the file is empty";
  const std::string rest = LineRange(used + 1, lines);
  const std::string notRead = used + 1 == lines ? " was not read" : " were not read";
  if (numDiets == kMaxDiets)
    return text + "; " + rest + notRead + ": the table holds " + std::to_string(kMaxDiets) +
           " diets";
  return text + "; " + rest + (used + 1 == lines ? " does" : " do") + " not make a whole diet of " +
         std::to_string(kDietRecords) + " lines and" + notRead;
}

double FileNumber(std::string_view text) {
  const double value = ReadNumber(text);
  return std::isfinite(value) ? value : 0.0;
}

}  // namespace

std::string GeneralNumberText(double value, bool decimalComma) {
  if (!std::isfinite(value) || value == 0) return "0";
  // 15 significant digits, as a classic general number text keeps.
  std::array<char, 40> sci{};
  std::snprintf(sci.data(), sci.size(), "%.14e", value);
  const double rounded = std::strtod(sci.data(), nullptr);
  std::array<char, 400> fixed{};
  const auto [end, ec] =
      std::to_chars(fixed.data(), fixed.data() + fixed.size(), rounded, std::chars_format::fixed);
  if (ec != std::errc{}) return "0";
  std::string text(fixed.data(), end);
  if (decimalComma) std::replace(text.begin(), text.end(), '.', ',');
  return text;
}

const std::string& DefaultDietRecordLabel(int row) {
  static const std::string kNone;
  if (row < 1 || row > kDietRecords) return kNone;
  return kDefaultRecordLabels[row];
}

std::vector<std::string> DietsFileLines(const Grid& dietsTable, int numDiets) {
  numDiets = std::clamp(numDiets, 0, kMaxDiets);
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(numDiets) * kDietRecords);
  for (int c = 1; c <= numDiets; ++c) {
    for (int r = 1; r <= kDietRecords; ++r) {
      const std::string& shown = dietsTable.Text(r, 0);
      std::string label = OneLine(shown.empty() ? kDefaultRecordLabels[r] : shown);
      std::string value = OneLine(TrimBlanks(dietsTable.Text(r, c)));
      CommaToPoint(value);
      lines.push_back(label + '\t' + value);
    }
  }
  return lines;
}

DietsLoad ReadDietsFile(const std::string& path, Grid& dietsTable, GrowthState& growth) {
  DietsLoad load;
  const TextFile::ReadResult read = TextFile::Read(path);
  if (read.status == TextFile::ReadStatus::Missing) {
    load.numDiets = growth.dietCount;
    return load;
  }
  if (!read.ok()) {
    // No diet, as from an empty file; the table keeps what it shows.
    load.problem = ReadProblemText(path, read);
    growth.dietCount = 0;
    return load;
  }
  const std::vector<std::string>& lines = read.lines;
  load.found = true;
  load.commaForm = lines.empty() || lines.front().find('\t') == std::string::npos;
  load.numDiets = static_cast<int>(std::min<std::size_t>(lines.size() / kDietRecords, kMaxDiets));
  load.problem = PartlyRead(path, lines.size(), load.numDiets);
  growth.dietCount = static_cast<std::int16_t>(load.numDiets);
  if (load.numDiets == 0) return load;

  for (int d = 1; d <= load.numDiets; ++d) {
    for (int k = 1; k <= kDietRecords; ++k) {
      const std::string& line = lines[static_cast<std::size_t>((d - 1) * kDietRecords + k - 1)];
      Record record = SplitRecord(line, load.commaForm);
      if (k == kNameRecord || k == kPriceRecord) {
        dietsTable.SetText(k, d, record.value);
        continue;
      }
      load.labels[k] = std::move(record.label);
      dietsTable.SetText(k, d, GeneralNumberText(FileNumber(record.value), growth.decimalComma));
    }
  }
  for (int r = kFirstNumberRecord; r <= kDietRecords; ++r) dietsTable.SetText(r, 0, load.labels[r]);
  // Diets of an earlier file must not run with this file's diets.
  for (int c = load.numDiets + 1; c <= kMaxDiets; ++c) {
    dietsTable.ClearRange(1, c, kDietRecords, c);
  }
  return load;
}

bool SaveDietsFile(
    Location& location, const Grid& dietsTable, int numDiets, Grid& filesTable, Dialogs& dialogs) {
  SaveRequest request;
  request.dataFolder = location.dataFolder;
  request.offeredName = "*.dts";
  request.filter = "*.dts";
  request.defaultExt = ".dts";
  request.saveWithoutAsking = location.saveWithoutAsking[kDietsRow];
  // The chosen name becomes the location's only once the file is written.
  std::string path = location.dietsFile;
  if (!ChooseSavePath(dialogs, path, request)) return false;
  if (!WriteFileOrReport(dialogs, path, DietsFileLines(dietsTable, numDiets), "SaveDietsFile")) {
    return false;
  }
  location.dietsFile = path;
  filesTable.SetText(kDietsRow, 0, location.dietsFile);
  return true;
}
