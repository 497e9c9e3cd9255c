// Formulation: the ingredient matrix and restriction tables, and the matrix file.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/GrowthState.h"
#include "platform/Dialogs.h"
#include "platform/SaveProtocol.h"

// The ingredient matrix of a location (its feed-ingredient database) and the
// least-cost restrictions of each diet: the formulation tables the App owns.

inline constexpr int kMaxIngredients = 100;   // ingredients 1..100
inline constexpr int kMaxNutrientRows = 121;  // nutrient rows 1..121, row 1 the weight
inline constexpr int kWeightRow = 1;
inline constexpr double kWeightRowValue = 100;    // every ingredient is 100 % of itself
inline constexpr int kStandardNutrientRows = 15;  // rows 1..15 have a fixed meaning
inline constexpr int kMinKind = 1;                // restriction kinds: 1 minimum, 2 maximum;
inline constexpr int kMaxKind = 2;                // kind 0 keeps the minimum a diet edit replaced

struct FormulationTables {
  // Ingredient matrix. Nutrient row r is nutrient index j = r - 1.
  std::int16_t ingredientCount = 0;
  std::int32_t nutrientCount = 0;  // row 1 ("Weight") included
  std::array<std::string, kMaxIngredients + 1> ingredientName{};
  std::array<std::string, kMaxNutrientRows + 1> nutrientName{};
  std::array<double, kMaxIngredients + 1> ingredientPrice{};  // per kg of feed, price unit
  // matrix[r][i]: content of row r in ingredient i, in the unit diets state it.
  std::array<std::array<double, kMaxIngredients + 1>, kMaxNutrientRows + 1> matrix{};

  // Restrictions by [diet 1..8][kind 0..2][index]: nutrient index j 0..121,
  // ingredient 1..100. 0 means no restriction; an ingredient maximum of -1
  // blocks the ingredient.
  using NutrientRestrictionTable =
      std::array<std::array<std::array<double, kMaxNutrientRows + 1>, 3>, kMaxDiets + 1>;
  using IngredientRestrictionTable =
      std::array<std::array<std::array<double, kMaxIngredients + 1>, 3>, kMaxDiets + 1>;
  NutrientRestrictionTable nutrientRestrictions{};
  IngredientRestrictionTable ingredientRestrictions{};
  // As last read from the restriction files; the diet display restores from them.
  NutrientRestrictionTable nutrientRestrictionsInFile{};
  IngredientRestrictionTable ingredientRestrictionsInFile{};
  // Ingredients or nutrients with restrictions were inserted or deleted since
  // the matrix was read: the restriction files still number them as before.
  bool restrictionFilesRenumbered = false;

  // Changed by the user's commands since last written to the file (the
  // question about unsaved changes); a save of the file clears its mark.
  struct Unsaved {
    bool matrix = false;
    bool ingRestrictions = false;
    bool nutRestrictions = false;
  } unsaved;
};

// Standard name of nutrient rows 1..15 ("Weight", "Net ENERGY", ...); "" otherwise.
std::string_view StandardNutrientName(int row);

// An integer as a print statement writes it: a blank (or the sign) before
// and a blank after, " 12 ".
std::string PrintedNumber(long value);

// Print zones are 14 characters wide: pads `text` with blanks to that width.
std::string PadToPrintZone(std::string text);

// A number as the data files hold it: the value format of the tables
// ("0.###0", "0.######" below 0.1, ...) with a decimal point.
std::string FileNumberText(double value);

// Empties the ingredient matrix: counts, names, prices and values; the
// restriction files number it afresh.
void ClearMatrix(FormulationTables& tables);

// The number of a price or value line: the text before the first tab, or
// before the first comma when there is no tab; a decimal comma is accepted;
// text that does not start with a number gives 0.
double ParseLeadingNumber(std::string_view line);

enum class MatrixLoad { Loaded, Missing, Failed };

// The reading part of LoadMatrix: clears the matrix and the restrictions of
// diets 1..5, then reads `path`. A missing file is not reported. A read error
// shows "Error N (...) in procedure  LoadLP" and ends the load keeping what was
// read so far; nothing is stored outside the tables.
MatrixLoad ReadMatrixFile(FormulationTables& tables, const std::string& path, Dialogs& dialogs);

// The matrix file's lines, CR LF to be added by the writer.
std::vector<std::string> MatrixFileLines(const FormulationTables& tables);

// The save request of the matrix file: offered name `locationName` +
// "Matrix.txt", default extension ".txt".
SaveRequest MatrixSaveRequest(std::string dataFolder,
                              std::string_view locationName,
                              bool withoutAsking);

// SaveMatrix: names empty standard rows, recounts ingredients and nutrients
// from their names, asks where (save protocol, `matrixFile` in/out) and
// writes. Returns true when the file was written.
bool SaveMatrix(FormulationTables& tables,
                Dialogs& dialogs,
                std::string& matrixFile,
                const SaveRequest& request);

// "Open Matrix File": asks for a matrix file; true and `matrixFile` set when
// one was chosen. A cancelled dialog changes nothing.
bool ChooseMatrixFile(Dialogs& dialogs, const std::string& dataFolder, std::string& matrixFile);
