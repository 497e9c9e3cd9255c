#include "ui/TableUnits.h"

#include <QWidget>
#include <functional>

#include "app/App.h"
#include "app/TableFaces.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"

namespace {

struct TableOf {
  const char* window;  // the window's object name
  const char* table;
  std::function<TableFace(App&)> face;
};

}  // namespace

void ShowUnitsInTables(QWidget& mainWindow, App& app) {
  const GrowthState& growth = app.growth;
  const TableOf tables[] = {
      {"MainWindow", "resultsTable", [&](App&) { return ResultsFace(growth); }},
      {"MainWindow", "dietsTable", [&](App&) { return DietsFace(growth); }},
      {"MainWindow", "coefficientTable", [](App&) { return CoefficientsFace(); }},
      {"MainWindow", "formulaTable", [](App& a) { return FormulaFace(a.mainForm.formulaTable); }},
      {"RestrictionsWindow", "nutrientTable", [&](App&) { return NutrientRowsFace(growth); }},
      {"RestrictionsWindow", "ingredientTable", [](App&) { return PerCentColumnsFace(); }},
      {"MatrixEditorWindow", "matrixTable", [&](App&) { return MatrixFace(growth); }},
      {"DietDisplayWindow", "feedsTable", [&](App&) { return NutrientFeedsFace(growth); }},
      {"NutrientSourcesWindow", "resultsTable", [](App&) { return PerCentColumnsFace(); }},
      {"ChangeTrackingWindow", "comparisonTable", [&](App&) { return ComparisonFace(growth); }},
      {"ChangeTrackingWindow", "initialDiets", [&](App&) { return DietsFace(growth); }},
      {"ChangeTrackingWindow", "previousDiets", [&](App&) { return DietsFace(growth); }},
      {"ChangeTrackingWindow",
       "initialFormulas",
       [](App& a) { return FormulaFace(a.changeTrackingForm.initialFormulas); }},
      {"ChangeTrackingWindow",
       "previousFormulas",
       [](App& a) { return FormulaFace(a.changeTrackingForm.previousFormulas); }},
      {"CalibrationInputsWindow", "weighingsTable", [&](App&) { return WeighingsFace(growth); }},
      {"CalibrationTestWindow", "trialsTable", [&](App&) { return CalibrationTrialsFace(growth); }},
      {"OptimizationWindow",
       "optimizationTable",
       [&](App&) { return OptimizationFace(growth, 1); }},
      {"OptimizationWindow",
       "optimumDietsTable",
       [&](App&) { return OptimizationFace(growth, 0); }},
      {"OptimizationReportWindow", "optimumTable", [&](App&) { return OptimumSheetFace(growth); }},
      {"OptimizationReportWindow",
       "nutrientRestrictionTable",
       [&](App&) { return NutrientSheetFace(growth); }},
      {"OptimizationReportWindow",
       "ingredientRestrictionTable",
       [](App&) { return IngredientSheetFace(); }},
      {"OptimizationReportWindow", "formulationTable", [](App&) { return PerCentColumnsFace(); }},
  };
  QList<QWidget*> windows = mainWindow.findChildren<QWidget*>();
  windows << &mainWindow;
  for (QWidget* window : windows) {
    if (!window->isWindow()) continue;
    for (const TableOf& table : tables) {
      if (window->objectName() != QLatin1String(table.window)) continue;
      // A window's own tables, not those of the windows it holds.
      for (GridView* view : window->findChildren<GridView*>(QLatin1String(table.table))) {
        if (view->window() == window && view->Model()) view->Model()->SetFace(table.face(app));
      }
    }
  }
}
