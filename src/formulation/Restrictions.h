// Formulation: the restriction files ("Req.nut", "Req.ing") and the restriction summary.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formulation/Matrix.h"
#include "platform/Dialogs.h"
#include "platform/SaveProtocol.h"

// The least-cost restrictions of each diet and their two files: nutrient
// restrictions ("Req.nut", by nutrient index j = matrix row - 1) and
// ingredient restrictions ("Req.ing", by ingredient number). One restriction
// per line: diet, tab, index, tab, minimum, tab, maximum.

// Sets both kinds of restriction (working and file copies) of diets
// firstDiet..lastDiet to 0.
void ClearRestrictions(FormulationTables& tables, int firstDiet, int lastDiet);

struct RestrictionLine {
  int diet = 0;
  int index = 0;
  double minimum = 0;
  double maximum = 0;
};

// Diet, index, minimum and maximum of a restriction line; nothing when the
// line has fewer than two tabs or its numbers are out of all reason. Diet and
// index are rounded to whole numbers; the caller checks their bounds. With
// only three fields the maximum is 0.
std::optional<RestrictionLine> ParseRestrictionLine(std::string_view line);

struct RestrictionLoad {
  bool ingRead = false;          // the ingredient file was read: show it as in use
  bool nutRead = false;          // the nutrient file was read: show it as in use
  bool noEnergyMinimum = false;  // diet 1 has no energy minimum: clear matrixLoaded
};

// LoadRestrictions: reads `reqIngFile`, derives `reqNutFile` from it (its
// base + "Req.nut") and reads that. A missing file is reported and sets the
// "Feed Formulation" choice to "Use Diets on Grid"; a nutrient file whose diet
// 1 has an energy minimum sets it to "Least Cost Formulas". Lines naming a
// diet above 8, an ingredient above 100 or a nutrient index above 121 are
// skipped; an index above the matrix's count raises the count.
RestrictionLoad LoadRestrictions(FormulationTables& tables,
                                 Dialogs& dialogs,
                                 const std::string& reqIngFile,
                                 std::string& reqNutFile,
                                 std::int16_t& feedChoice);

// LoadNutRestrictions ("Open Nutrient Restrictions"): reads only the nutrient
// file into the listed entries. Returns true when the file was read.
bool LoadNutRestrictions(FormulationTables& tables,
                         Dialogs& dialogs,
                         const std::string& reqNutFile,
                         std::int16_t& feedChoice);

// File lines: ingredient restrictions of diets 1..numDiets whose minimum +
// maximum is not 0; nutrient restrictions j = 1..nutrientCount whose minimum or
// maximum is not 0.
std::vector<std::string> IngRestrictionLines(const FormulationTables& tables, int numDiets);
std::vector<std::string> NutRestrictionLines(const FormulationTables& tables, int numDiets);

// Save requests: offered name `locationName` + "Req.ing" (".ing"), or
// + "Req.nut" (".nut").
SaveRequest IngSaveRequest(std::string dataFolder,
                           std::string_view locationName,
                           bool withoutAsking);
SaveRequest NutSaveRequest(std::string dataFolder,
                           std::string_view locationName,
                           bool withoutAsking);

// SaveIngRestrictions / SaveNutRestrictions: save protocol (`path` in/out),
// then write. A nutrient count of 0 becomes 14 first. Return true when the
// file was written; a failed write is reported and keeps the earlier file.
bool SaveIngRestrictions(FormulationTables& tables,
                         int numDiets,
                         Dialogs& dialogs,
                         std::string& reqIngFile,
                         const SaveRequest& request);
bool SaveNutRestrictions(FormulationTables& tables,
                         int numDiets,
                         Dialogs& dialogs,
                         std::string& reqNutFile,
                         const SaveRequest& request);

// "Open Ingredient Restrictions" / "Open Nutrient Restrictions": ask for the
// file; true and `path` set when one was chosen, nothing changed on cancel.
bool ChooseIngRestrictionFile(Dialogs& dialogs, const std::string& dataFolder, std::string& path);
bool ChooseNutRestrictionFile(Dialogs& dialogs, const std::string& dataFolder, std::string& path);

// A number's ordinary decimal text, in full precision (up to 15 significant
// digits, no exponent for everyday sizes), always with a period.
std::string FullNumberText(double value);

// The restriction summary ("restrict.dat"): non-zero nutrient minima, nutrient
// maxima, ingredient minima and ingredient maxima of diets 1..5, each block
// ended by "0  0  0"; fields "d  index  value", the value with a period.
std::vector<std::string> RestrictSummaryLines(const FormulationTables& tables);
