// Feeds arbitrary bytes to the restriction readers (as both the ingredient
// and the nutrient file), then writes the files and the summary back out.
#include <memory>
#include <string>

#include "FuzzFile.h"
#include "formulation/Restrictions.h"
#include "platform/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ScratchFile ingFile("restrict", "Req.ing");
  const ScratchFile nutFile("restrict", "Req.nut");
  if (!ingFile.Write(data, size) || !nutFile.Write(data, size)) return 0;
  const std::string& ing = ingFile.Path();

  SilentDialogs dialogs;
  auto tables = std::make_unique<FormulationTables>();
  tables->ingredientCount = static_cast<std::int16_t>(size % (kMaxIngredients + 1));
  tables->nutrientCount = static_cast<std::int32_t>(size % (kMaxNutrientRows + 1));
  std::string nut;
  std::int16_t feedChoice = kFeedNotChosen;
  LoadRestrictions(*tables, dialogs, ing, nut, feedChoice);
  LoadNutRestrictions(*tables, dialogs, nut, feedChoice);
  if (tables->ingredientCount < 0 || tables->ingredientCount > kMaxIngredients ||
      tables->nutrientCount < 0 || tables->nutrientCount > kMaxNutrientRows)
    __builtin_trap();

  for (const std::string& line : TextFile::SplitLines(std::string(data, data + size)))
    ParseRestrictionLine(line);
  for (int diets = 0; diets <= kMaxDiets; diets += 4) {
    IngRestrictionLines(*tables, diets);
    NutRestrictionLines(*tables, diets);
  }
  RestrictSummaryLines(*tables);
  return 0;
}
