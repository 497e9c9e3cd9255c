#include "formulation/Restrictions.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

#include "platform/NumberFormat.h"
#include "platform/TextFile.h"

namespace {

constexpr int kSummaryDiets = 5;  // the summary holds diets 1..5
constexpr int kDefaultNutCount = 14;
constexpr size_t kIngSuffixLength = 7;  // "Req.ing"
constexpr std::string_view kNutSuffix = "Req.nut";
constexpr std::string_view kSummaryEnd = "0  0  0";
constexpr std::string_view kIngKind = "Ingredient";
constexpr std::string_view kNutKind = "Nutrient";
constexpr std::string_view kSaveIngProcedure = "SaveIngRestrictions";
constexpr std::string_view kSaveNutProcedure = "SaveNutRestrictions";

// The leading number of a field; words ("nan", "inf") are text and give 0.
double FieldNumber(std::string_view field) {
  size_t first = field.find_first_not_of(" \t");
  if (first == std::string_view::npos || std::isalpha(static_cast<unsigned char>(field[first])))
    return 0;
  return ReadNumber(field);
}

// A diet or index field: rounded to a whole number, halves to even.
std::optional<int> WholeField(std::string_view field) {
  double value = std::nearbyint(FieldNumber(field));
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<int>::max()) return {};
  return static_cast<int>(value);
}

void Store(FormulationTables::NutrientRestrictionTable& table, const RestrictionLine& line) {
  table[line.diet][kMinKind][line.index] = line.minimum;
  table[line.diet][kMaxKind][line.index] = line.maximum;
}

void Store(FormulationTables::IngredientRestrictionTable& table, const RestrictionLine& line) {
  table[line.diet][kMinKind][line.index] = line.minimum;
  table[line.diet][kMaxKind][line.index] = line.maximum;
}

bool DietInRange(int diet) { return diet >= 1 && diet <= kMaxDiets; }

// What a restriction file held: lines that could not be used as they stand
// ("Line N: ..."), and how many lines restrict anything.
struct FileReport {
  std::vector<std::string> problems;
  int restrictions = 0;
};

constexpr std::size_t kListedProblems = 10;

bool BlankLine(std::string_view text) { return text.find_first_not_of(" \t") == text.npos; }

std::string LineNote(std::size_t index, std::string_view note) {
  std::string text = "Line " + std::to_string(index + 1);
  return text.append(note);
}

// The line's restriction when it names a diet; otherwise nothing, and the
// note why.
std::optional<RestrictionLine> UsableLine(const std::string& text,
                                          std::size_t index,
                                          FileReport& report) {
  std::optional<RestrictionLine> line = ParseRestrictionLine(text);
  if (!line) {
    report.problems.push_back(
        LineNote(index, " is not diet, index, minimum and maximum separated by tabs"));
  } else if (!DietInRange(line->diet)) {
    report.problems.push_back(LineNote(index,
                                       ": Diet " + std::to_string(line->diet) +
                                           " is not one of diets 1 to " +
                                           std::to_string(kMaxDiets)));
    line.reset();
  }
  return line;
}

void Count(const RestrictionLine& line, FileReport& report) {
  if (line.minimum != 0 || line.maximum != 0) ++report.restrictions;
}

// Reads every usable line of the ingredient file; a line naming an ingredient
// past the matrix raises the ingredient count.
FileReport ReadIngLines(FormulationTables& tables, const std::vector<std::string>& lines) {
  FileReport report;
  for (std::size_t n = 0; n < lines.size(); ++n) {
    if (BlankLine(lines[n])) continue;
    std::optional<RestrictionLine> line = UsableLine(lines[n], n, report);
    if (!line) continue;
    if (line->index < 1 || line->index > kMaxIngredients) {
      report.problems.push_back(LineNote(n,
                                         ": Ingredient " + std::to_string(line->index) +
                                             " is not one of ingredients 1 to " +
                                             std::to_string(kMaxIngredients)));
      continue;
    }
    Store(tables.ingredientRestrictionsInFile, *line);
    Store(tables.ingredientRestrictions, *line);
    Count(*line, report);
    if (line->index > tables.ingredientCount)
      tables.ingredientCount = static_cast<std::int16_t>(line->index);
  }
  return report;
}

// The nutrient rows of the matrix in use; 0 when the count does not come
// from a matrix (none read, or one a restriction file or a save set).
int MatrixNutrientRows(const FormulationTables& tables) {
  const int rows = tables.nutrientCount;
  return rows >= 1 && rows <= kMaxNutrientRows && !tables.nutrientName[rows].empty() ? rows : 0;
}

std::string NutrientLabel(const FormulationTables& tables, int index) {
  const int row = index + 1;
  if (row <= kMaxNutrientRows && !tables.nutrientName[row].empty()) return tables.nutrientName[row];
  return std::to_string(index);
}

// Reads every usable line of the nutrient file. Without a matrix an index
// raises the nutrient count; with one, an index the matrix lacks is reported.
FileReport ReadNutLines(FormulationTables& tables, const std::vector<std::string>& lines) {
  FileReport report;
  const int matrixRows = MatrixNutrientRows(tables);
  const int lastIndex = matrixRows > 0 ? matrixRows - 1 : kMaxNutrientRows;
  for (std::size_t n = 0; n < lines.size(); ++n) {
    if (BlankLine(lines[n])) continue;
    std::optional<RestrictionLine> line = UsableLine(lines[n], n, report);
    if (!line) continue;
    if (line->index < 0 || line->index > lastIndex) {
      const std::string range = " 1 to " + std::to_string(lastIndex);
      report.problems.push_back(
          LineNote(n,
                   ": Nutrient " + std::to_string(line->index) +
                       (matrixRows > 0 ? " is not in the matrix, whose nutrients are" + range
                                       : " is not one of nutrients" + range)));
      continue;
    }
    if (line->maximum > 0 && line->maximum < line->minimum) {
      report.problems.push_back(
          LineNote(n,
                   ": The Min Restriction on Diet " + std::to_string(line->diet) + " Nutrient " +
                       NutrientLabel(tables, line->index) + " is greater than the Maximum"));
    }
    Store(tables.nutrientRestrictionsInFile, *line);
    Store(tables.nutrientRestrictions, *line);
    Count(*line, report);
    if (line->index > tables.nutrientCount) tables.nutrientCount = line->index;
  }
  return report;
}

// One message for a file: that it restricts nothing (when `sayWhenEmpty`)
// and the lines not used as they stand.
void ReportFile(Dialogs& dialogs,
                std::string_view kind,
                const std::string& path,
                const FileReport& report,
                bool sayWhenEmpty) {
  std::string text;
  if (sayWhenEmpty && report.restrictions == 0)
    text = "No " + std::string(kind) + " Restriction found in " + path;
  else if (!report.problems.empty())
    text = "Check these lines of " + path + ":";
  else
    return;
  const std::size_t listed = std::min(report.problems.size(), kListedProblems);
  for (std::size_t i = 0; i < listed; ++i) text += "\n" + report.problems[i];
  if (report.problems.size() > listed)
    text += "\n... and " + std::to_string(report.problems.size() - listed) + " more";
  dialogs.Message(text);
}

void FallBackToGrid(Dialogs& dialogs, std::string_view message, std::int16_t& feedChoice) {
  dialogs.Message(message);
  feedChoice = kFeedGrid;
}

// The file's lines; a file that is missing or cannot be read is reported and
// the formulation falls back to the diets on the grid.
std::optional<std::vector<std::string>> ReadOrFallBack(Dialogs& dialogs,
                                                       std::string_view kind,
                                                       const std::string& path,
                                                       std::int16_t& feedChoice) {
  TextFile::ReadResult read = TextFile::Read(path);
  if (read.ok()) return std::move(read.lines);
  const bool missing = read.status == TextFile::ReadStatus::Missing;
  FallBackToGrid(dialogs,
                 missing ? "No " + std::string(kind) + " Restriction File found named " + path
                         : ReadProblemText(path, read),
                 feedChoice);
  return std::nullopt;
}

int DietsInUse(int numDiets) { return std::clamp(numDiets, 0, kMaxDiets); }

void AppendSummaryBlock(std::vector<std::string>& lines, const auto& table, int kind, int count) {
  for (int d = 1; d <= kSummaryDiets; ++d)
    for (int j = 1; j <= count; ++j) {
      double value = table[d][kind][j];
      if (value != 0)
        lines.push_back(std::to_string(d) + "  " + std::to_string(j) + "  " +
                        FullNumberText(value));
    }
  lines.emplace_back(kSummaryEnd);
}

bool ChooseOpenFile(Dialogs& dialogs,
                    std::string title,
                    const std::string& dataFolder,
                    std::string pattern,
                    std::string& path) {
  FileRequest request{std::move(title), dataFolder, pattern, pattern.substr(1), pattern};
  std::string chosen = dialogs.OpenFile(request);
  if (chosen.empty() || chosen == request.fileName || IsPattern(chosen)) return false;
  path = chosen;
  return true;
}

}  // namespace

// The number's ordinary decimal text: up to 15 significant digits, no
// exponent for everyday magnitudes, always a period.
std::string FullNumberText(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  std::string text = buffer;
  if (text.find('e') != std::string::npos && std::fabs(value) >= 1e-10 && std::fabs(value) < 1e15) {
    std::snprintf(buffer, sizeof buffer, "%.15f", value);
    text = buffer;
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  CommaToPoint(text);
  return text;
}

void ClearRestrictions(FormulationTables& tables, int firstDiet, int lastDiet) {
  for (int d = std::max(firstDiet, 0); d <= std::min(lastDiet, kMaxDiets); ++d) {
    for (auto* table : {&tables.nutrientRestrictions, &tables.nutrientRestrictionsInFile})
      for (auto& kind : (*table)[d]) kind.fill(0);
    for (auto* table : {&tables.ingredientRestrictions, &tables.ingredientRestrictionsInFile})
      for (auto& kind : (*table)[d]) kind.fill(0);
  }
}

std::optional<RestrictionLine> ParseRestrictionLine(std::string_view line) {
  size_t t1 = line.find('\t');
  if (t1 == std::string_view::npos) return {};
  size_t t2 = line.find('\t', t1 + 1);
  if (t2 == std::string_view::npos) return {};
  size_t t3 = line.find('\t', t2 + 1);
  std::optional<int> diet = WholeField(line.substr(0, t1));
  std::optional<int> index = WholeField(line.substr(t1 + 1, t2 - t1 - 1));
  if (!diet || !index) return {};
  RestrictionLine parsed{*diet, *index, 0, 0};
  if (t3 != std::string_view::npos) {
    parsed.minimum = FieldNumber(line.substr(t2 + 1, t3 - t2 - 1));
    parsed.maximum = FieldNumber(line.substr(t3 + 1));
  } else {
    parsed.minimum = FieldNumber(line.substr(t2 + 1));
  }
  if (!std::isfinite(parsed.minimum) || !std::isfinite(parsed.maximum)) return {};
  return parsed;
}

RestrictionLoad LoadRestrictions(FormulationTables& tables,
                                 Dialogs& dialogs,
                                 const std::string& reqIngFile,
                                 std::string& reqNutFile,
                                 std::int16_t& feedChoice) {
  RestrictionLoad load;
  std::optional<std::vector<std::string>> lines =
      ReadOrFallBack(dialogs, kIngKind, reqIngFile, feedChoice);
  if (!lines) return load;
  for (int d = 1; d <= kMaxDiets; ++d)
    for (int k = kMinKind; k <= kMaxKind; ++k)
      for (int i = 1; i <= std::min<int>(tables.ingredientCount, kMaxIngredients); ++i) {
        tables.ingredientRestrictions[d][k][i] = 0;
        tables.ingredientRestrictionsInFile[d][k][i] = 0;
      }
  load.ingRead = true;
  ReportFile(dialogs, kIngKind, reqIngFile, ReadIngLines(tables, *lines), true);

  // The nutrient file sits beside it under the set's own suffix.
  size_t baseLength = reqIngFile.size() - std::min(reqIngFile.size(), kIngSuffixLength);
  reqNutFile = reqIngFile.substr(0, baseLength) + std::string(kNutSuffix);
  if (!(lines = ReadOrFallBack(dialogs, kNutKind, reqNutFile, feedChoice))) return load;
  load.nutRead = true;
  // A file without restrictions has no energy minimum either: said below.
  ReportFile(dialogs, kNutKind, reqNutFile, ReadNutLines(tables, *lines), false);
  if (tables.nutrientRestrictions[1][kMinKind][kEnergy] != 0) {
    feedChoice = kFeedLeastCost;
  } else {
    FallBackToGrid(dialogs, "No Nutrient Restriction File found named " + reqNutFile, feedChoice);
    load.noEnergyMinimum = true;
  }
  return load;
}

bool LoadNutRestrictions(FormulationTables& tables,
                         Dialogs& dialogs,
                         const std::string& reqNutFile,
                         std::int16_t& feedChoice) {
  std::optional<std::vector<std::string>> lines =
      ReadOrFallBack(dialogs, kNutKind, reqNutFile, feedChoice);
  if (!lines) return false;
  ReportFile(dialogs, kNutKind, reqNutFile, ReadNutLines(tables, *lines), true);
  return true;
}

std::vector<std::string> IngRestrictionLines(const FormulationTables& tables, int numDiets) {
  std::vector<std::string> lines;
  const int ingCount = std::clamp<int>(tables.ingredientCount, 0, kMaxIngredients);
  for (int d = 1; d <= DietsInUse(numDiets); ++d)
    for (int i = 1; i <= ingCount; ++i) {
      double minimum = tables.ingredientRestrictions[d][kMinKind][i];
      double maximum = tables.ingredientRestrictions[d][kMaxKind][i];
      if (minimum + maximum == 0) continue;
      lines.push_back(PadToPrintZone(PrintedNumber(d)) + "\t" + PrintedNumber(i) + "\t" +
                      FileNumberText(minimum) + "\t" + FileNumberText(maximum));
    }
  return lines;
}

std::vector<std::string> NutRestrictionLines(const FormulationTables& tables, int numDiets) {
  std::vector<std::string> lines;
  const int nutCount = std::clamp<int>(tables.nutrientCount, 0, kMaxNutrientRows);
  for (int j = 1; j <= nutCount; ++j)
    for (int d = 1; d <= DietsInUse(numDiets); ++d) {
      double minimum = tables.nutrientRestrictions[d][kMinKind][j];
      double maximum = tables.nutrientRestrictions[d][kMaxKind][j];
      if (minimum == 0 && maximum == 0) continue;
      lines.push_back(PrintedNumber(d) + "\t" + PrintedNumber(j) + "\t" + FileNumberText(minimum) +
                      "\t" + FileNumberText(maximum));
    }
  return lines;
}

SaveRequest IngSaveRequest(std::string dataFolder,
                           std::string_view locationName,
                           bool withoutAsking) {
  return {std::move(dataFolder),
          std::string(locationName) + "Req.ing",
          "*Req.ing",
          ".ing",
          withoutAsking};
}

SaveRequest NutSaveRequest(std::string dataFolder,
                           std::string_view locationName,
                           bool withoutAsking) {
  return {std::move(dataFolder),
          std::string(locationName) + "Req.nut",
          "*Req.nut",
          ".nut",
          withoutAsking};
}

bool SaveIngRestrictions(FormulationTables& tables,
                         int numDiets,
                         Dialogs& dialogs,
                         std::string& reqIngFile,
                         const SaveRequest& request) {
  if (!ChooseSavePath(dialogs, reqIngFile, request)) return false;
  if (!WriteFileOrReport(
          dialogs, reqIngFile, IngRestrictionLines(tables, numDiets), kSaveIngProcedure))
    return false;
  tables.unsaved.ingRestrictions = false;
  return true;
}

bool SaveNutRestrictions(FormulationTables& tables,
                         int numDiets,
                         Dialogs& dialogs,
                         std::string& reqNutFile,
                         const SaveRequest& request) {
  if (tables.nutrientCount == 0) tables.nutrientCount = kDefaultNutCount;
  if (!ChooseSavePath(dialogs, reqNutFile, request)) return false;
  if (!WriteFileOrReport(
          dialogs, reqNutFile, NutRestrictionLines(tables, numDiets), kSaveNutProcedure))
    return false;
  tables.unsaved.nutRestrictions = false;
  return true;
}

bool ChooseIngRestrictionFile(Dialogs& dialogs, const std::string& dataFolder, std::string& path) {
  return ChooseOpenFile(
      dialogs, "Select an Ingredient Restriction File", dataFolder, "*.ing", path);
}

bool ChooseNutRestrictionFile(Dialogs& dialogs, const std::string& dataFolder, std::string& path) {
  return ChooseOpenFile(dialogs, "Select a Nutrient Restriction File", dataFolder, "*.nut", path);
}

std::vector<std::string> RestrictSummaryLines(const FormulationTables& tables) {
  const int nutCount = std::clamp<int>(tables.nutrientCount, 0, kMaxNutrientRows);
  const int ingCount = std::clamp<int>(tables.ingredientCount, 0, kMaxIngredients);
  std::vector<std::string> lines;
  AppendSummaryBlock(lines, tables.nutrientRestrictions, kMinKind, nutCount);
  AppendSummaryBlock(lines, tables.nutrientRestrictions, kMaxKind, nutCount);
  AppendSummaryBlock(lines, tables.ingredientRestrictions, kMinKind, ingCount);
  AppendSummaryBlock(lines, tables.ingredientRestrictions, kMaxKind, ingCount);
  return lines;
}
