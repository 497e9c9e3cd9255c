#include "cli/CliSensitivity.h"

#include <memory>

#include "cli/CliOutput.h"
#include "formulation/SensitivityTables.h"

namespace {

void PrintTable(const Grid& grid) {
  for (int row = 0; row < grid.Rows(); ++row) {
    std::vector<std::string> cells;
    for (int col = 0; col < grid.Cols(); ++col) cells.push_back(grid.Text(row, col));
    PrintRow(cells);
  }
  EndBlock();
}

}  // namespace

void PrintSensitivity(App& app, int diet, Precision precision) {
  const auto numbers =
      precision == Precision::Full ? SensitivityNumbers::Full : SensitivityNumbers::Shown;
  const DietSensitivity sensitivity =
      AnalyzeDietSensitivity(*app.formulationState, app.growth, diet);
  Grid table;
  switch (sensitivity.status) {
    case SensitivityStatus::Analysed:
      FillRestrictionTable(table, sensitivity, app.formulation, app.growth, numbers);
      PrintTable(table);
      FillIngredientTable(table, sensitivity, app.formulation, app.growth, numbers);
      PrintTable(table);
      break;
    case SensitivityStatus::Infeasible:
      FillConflictTable(
          table, app.formulationState->conflicts[diet], app.formulation, app.growth, numbers);
      PrintTable(table);
      break;
    case SensitivityStatus::NotFormulated:
      break;
  }
}
