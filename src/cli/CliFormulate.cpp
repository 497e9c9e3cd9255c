#include "cli/CliFormulate.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "cli/CliOutput.h"
#include "cli/CliSensitivity.h"
#include "cli/CliSession.h"
#include "model/DietsTable.h"
#include "platform/NumberFormat.h"

namespace {

std::string Value(Precision precision, double value, bool decimalComma) {
  return NumberCell(precision, value, NumberText(value, decimalComma));
}

// A diet's block: heading, cost, the ingredients it uses, its nutrients.
void PrintDiet(const App& app, int diet, Precision precision) {
  const FormulationTables& tables = app.formulation;
  const FormulationState& state = *app.formulationState;
  const GrowthState& growth = app.growth;
  const bool comma = growth.decimalComma;
  const std::string name = app.mainForm.dietsTable.Text(kDietNameRow, diet);
  if (state.dietProblems[diet] > 0) {
    PrintRow({"Diet", std::to_string(diet), name, "Infeasible"});
    EndBlock();
    return;
  }
  PrintRow({"Diet", std::to_string(diet), name});
  PrintRow({"Cost", Value(precision, state.dietCost[diet], comma)});
  PrintRow({"Ingredient", "Per cent"});
  for (int c = 1; c <= tables.ingredientCount; ++c) {
    const double inclusion = state.dietInclusion[diet][c];
    if (inclusion > 0) PrintRow({tables.ingredientName[c], Value(precision, inclusion, comma)});
  }
  PrintRow({"Nutrient", "Level"});
  // Matrix row j + 1 is nutrient index j; row 1, the weight, is the total.
  const int lastNutrient = std::min<int>(tables.nutrientCount - 1, kMaxNutrientIndex);
  for (int j = 1; j <= lastNutrient; ++j)
    PrintRow({tables.nutrientName[j + 1], Value(precision, growth.dietNutrients[diet][j], comma)});
  EndBlock();
}

}  // namespace

int RunFormulateCommand(const CliOptions& options) {
  CliSession session;
  if (!session.OpenLocation(options.location)) return kExitRunFailed;
  App& app = *session.app;
  const int diets = std::clamp<int>(app.growth.dietCount, 0, kMaxDiets);
  if (diets == 0) {
    std::fputs("tamsel-cli: the location has no diets to formulate\n", stderr);
    return kExitRunFailed;
  }
  app.mainForm.Click(MainForm::Control::RunLp);
  // Without a price for ingredient 1 "Run LP" formulates nothing (its
  // message says so).
  if (app.formulation.ingredientCount == 0 || app.formulation.ingredientPrice[1] == 0)
    return kExitRunFailed;
  bool allFeasible = true;
  for (int d = 1; d <= diets; ++d) {
    PrintDiet(app, d, options.precision);
    if (options.sensitivity) PrintSensitivity(app, d, options.precision);
    allFeasible = allFeasible && app.formulationState->dietProblems[d] == 0;
  }
  return allFeasible ? kExitOk : kExitRunFailed;
}
