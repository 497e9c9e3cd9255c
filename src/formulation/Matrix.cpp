#include "formulation/Matrix.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "formulation/Restrictions.h"
#include "platform/NumberFormat.h"
#include "platform/TextFile.h"

namespace {

constexpr int kPrintZone = 14;
constexpr int kLastClearedDiet = 5;  // a matrix load clears the restrictions of diets 1..5
constexpr std::string_view kLoadProcedure = " LoadLP";  // reported with two blanks before it
constexpr std::string_view kSaveProcedure = "SaveMatrix";

constexpr std::array<std::string_view, kStandardNutrientRows + 1> kStandardNames{"",
                                                                                 "Weight",
                                                                                 "Net ENERGY",
                                                                                 "PROTEIN",
                                                                                 "ARGININE",
                                                                                 "HISTIDINE",
                                                                                 "LYSINE",
                                                                                 "TRYPTOPHAN",
                                                                                 "PHE + TYROSINE",
                                                                                 "PHENYLALANINE",
                                                                                 "MET + CYS",
                                                                                 "METHIONINE",
                                                                                 "THREONINE",
                                                                                 "LEUCINE",
                                                                                 "ISOLEUCINE",
                                                                                 "VALINE"};

struct ReadError {
  int number;
  std::string_view description;
};

// Walks the file's lines; running out is "Input past end of file".
class LineSource {
 public:
  explicit LineSource(const std::vector<std::string>& lines) : lines_(lines) {}
  const std::string* Next() { return next_ < lines_.size() ? &lines_[next_++] : nullptr; }

 private:
  const std::vector<std::string>& lines_;
  size_t next_ = 0;
};

// A whole count: every character of the token is part of the number.
std::optional<double> WholeNumber(std::string_view token) {
  std::string text(token);
  char* end = nullptr;
  double value = std::strtod(text.c_str(), &end);
  if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(value)) return {};
  return std::nearbyint(value);  // halves to even, as a count is stored
}

// Line 1: the two counts, separated by blanks and/or a comma.
std::optional<ReadError> ReadCounts(const std::string& line, FormulationTables& tables) {
  std::vector<std::string_view> tokens;
  std::string_view rest(line);
  while (!rest.empty() && tokens.size() < 2) {
    size_t start = rest.find_first_not_of(" \t,");
    if (start == std::string_view::npos) break;
    rest.remove_prefix(start);
    size_t end = std::min(rest.find_first_of(" \t,"), rest.size());
    tokens.push_back(rest.substr(0, end));
    rest.remove_prefix(end);
  }
  if (tokens.size() < 2) return ReadError{kErrTypeMismatch, kDescTypeMismatch};
  std::optional<double> ingCount = WholeNumber(tokens[0]);
  std::optional<double> nutCount = WholeNumber(tokens[1]);
  if (!ingCount || !nutCount) return ReadError{kErrTypeMismatch, kDescTypeMismatch};
  if (*ingCount < 0 || *ingCount > kMaxIngredients || *nutCount < 0 || *nutCount > kMaxNutrientRows)
    return ReadError{kErrSubscript, kDescSubscript};
  tables.ingredientCount = static_cast<std::int16_t>(*ingCount);
  tables.nutrientCount = static_cast<std::int32_t>(*nutCount);
  return {};
}

// A price or value line; an overflowing number cannot be stored.
std::optional<ReadError> ReadValue(LineSource& source, double& out) {
  const std::string* line = source.Next();
  if (!line) return ReadError{kErrInputPastEnd, kDescInputPastEnd};
  double value = ParseLeadingNumber(*line);
  if (!std::isfinite(value)) return ReadError{kErrOverflow, kDescOverflow};
  out = value;
  return {};
}

std::optional<ReadError> ReadBody(LineSource& source, FormulationTables& tables) {
  const std::string* line = source.Next();
  if (!line) return ReadError{kErrInputPastEnd, kDescInputPastEnd};
  if (auto error = ReadCounts(*line, tables)) return error;
  for (int i = 1; i <= tables.ingredientCount; ++i) {
    if (!(line = source.Next())) return ReadError{kErrInputPastEnd, kDescInputPastEnd};
    tables.ingredientName[i] = *line;
  }
  tables.nutrientName[kWeightRow] = kStandardNames[kWeightRow];
  for (int r = 2; r <= tables.nutrientCount; ++r) {
    if (!(line = source.Next())) return ReadError{kErrInputPastEnd, kDescInputPastEnd};
    tables.nutrientName[r] = *line;
  }
  for (int i = 1; i <= tables.ingredientCount; ++i) {
    if (auto error = ReadValue(source, tables.ingredientPrice[i])) return error;
    tables.matrix[kWeightRow][i] = kWeightRowValue;
    for (int r = 2; r <= tables.nutrientCount; ++r)
      if (auto error = ReadValue(source, tables.matrix[r][i])) return error;
  }
  return {};
}

// The last slot from `first` to `last` whose name is longer than `minLength`.
int LastNamedSlot(const auto& names, int first, int last, size_t minLength) {
  for (int slot = last; slot >= first; --slot)
    if (names[slot].size() > minLength) return slot;
  return first - 1;
}

}  // namespace

std::string_view StandardNutrientName(int row) {
  return row >= 1 && row <= kStandardNutrientRows ? kStandardNames[row] : std::string_view{};
}

std::string PrintedNumber(long value) {
  std::string text = value < 0 ? "" : " ";
  return text + std::to_string(value) + " ";
}

std::string PadToPrintZone(std::string text) {
  if (text.size() < kPrintZone) text.resize(kPrintZone, ' ');
  return text;
}

std::string FileNumberText(double value) {
  std::string text = NumberText(value, false);
  CommaToPoint(text);
  return text;
}

void ClearMatrix(FormulationTables& tables) {
  tables.ingredientCount = 0;
  tables.nutrientCount = 0;
  for (std::string& name : tables.ingredientName) name.clear();
  for (std::string& name : tables.nutrientName) name.clear();
  tables.ingredientPrice.fill(0);
  for (auto& row : tables.matrix) row.fill(0);
  tables.restrictionFilesRenumbered = false;
}

double ParseLeadingNumber(std::string_view line) {
  size_t end = line.find('\t');
  if (end == std::string_view::npos) end = line.find(',');
  std::string_view field = line.substr(0, end);
  // Words such as "nan" or "inf" are text, not numbers.
  size_t first = field.find_first_not_of(" \t");
  if (first == std::string_view::npos || std::isalpha(static_cast<unsigned char>(field[first])))
    return 0;
  return ReadNumber(field);
}

MatrixLoad ReadMatrixFile(FormulationTables& tables, const std::string& path, Dialogs& dialogs) {
  ClearMatrix(tables);
  ClearRestrictions(tables, 1, kLastClearedDiet);
  if (!TextFile::Exists(path)) return MatrixLoad::Missing;
  const TextFile::ReadResult read = TextFile::Read(path);
  if (!read.ok()) {
    dialogs.Message(ReadProblemText(path, read));
    return MatrixLoad::Failed;
  }
  LineSource source(read.lines);
  const std::optional<ReadError> error = ReadBody(source, tables);
  if (!error) return MatrixLoad::Loaded;
  dialogs.Message(ErrorText(error->number, error->description, kLoadProcedure));
  return MatrixLoad::Failed;
}

std::vector<std::string> MatrixFileLines(const FormulationTables& tables) {
  const int ingCount = std::clamp<int>(tables.ingredientCount, 0, kMaxIngredients);
  const int nutCount = std::clamp<int>(tables.nutrientCount, 0, kMaxNutrientRows);
  std::vector<std::string> lines;
  lines.reserve(1 + ingCount + nutCount + static_cast<size_t>(ingCount) * nutCount);
  lines.push_back(PadToPrintZone(PrintedNumber(ingCount)) + PrintedNumber(nutCount));
  for (int i = 1; i <= ingCount; ++i) lines.push_back(tables.ingredientName[i]);
  for (int r = 2; r <= nutCount; ++r) lines.push_back(tables.nutrientName[r]);
  for (int i = 1; i <= ingCount; ++i) {
    lines.push_back(FileNumberText(tables.ingredientPrice[i]) + "\tCost\t" +
                    tables.ingredientName[i]);
    for (int r = 2; r <= nutCount; ++r)
      lines.push_back(FileNumberText(tables.matrix[r][i]) + "\t" + tables.nutrientName[r] + "\t" +
                      tables.ingredientName[i]);
  }
  return lines;
}

SaveRequest MatrixSaveRequest(std::string dataFolder,
                              std::string_view locationName,
                              bool withoutAsking) {
  return {std::move(dataFolder),
          std::string(locationName) + "Matrix.txt",
          "*Matrix.txt",
          ".txt",
          withoutAsking};
}

bool SaveMatrix(FormulationTables& tables,
                Dialogs& dialogs,
                std::string& matrixFile,
                const SaveRequest& request) {
  for (int r = 1; r <= kStandardNutrientRows; ++r)
    if (tables.nutrientName[r].empty()) tables.nutrientName[r] = kStandardNames[r];
  // The counts follow the names; a short name inside the list is kept so that
  // no ingredient after it is lost and restriction numbers stay valid.
  int nutCount =
      std::max(kStandardNutrientRows,
               LastNamedSlot(tables.nutrientName, kStandardNutrientRows + 1, kMaxNutrientRows, 1));
  int ingCount = LastNamedSlot(tables.ingredientName, 1, kMaxIngredients, 2);
  tables.nutrientCount = nutCount;
  tables.ingredientCount = static_cast<std::int16_t>(ingCount);
  if (ingCount < 1) return false;
  if (!ChooseSavePath(dialogs, matrixFile, request)) return false;
  if (!WriteFileOrReport(dialogs, matrixFile, MatrixFileLines(tables), kSaveProcedure))
    return false;
  tables.unsaved.matrix = false;
  return true;
}

bool ChooseMatrixFile(Dialogs& dialogs, const std::string& dataFolder, std::string& matrixFile) {
  FileRequest request{"Select a Matrix File", dataFolder, "*Matrix.txt", ".txt", "*Matrix.txt"};
  std::string chosen = dialogs.OpenFile(request);
  if (chosen.empty() || chosen == request.fileName || IsPattern(chosen)) return false;
  matrixFile = chosen;
  return true;
}
