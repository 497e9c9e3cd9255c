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
  const GlobalPig& pig = app.pig;
  const TableOf tables[] = {
      {"AfrmMain", "Grid1", [&](App&) { return ResultsFace(pig); }},
      {"AfrmMain", "Griddiets", [&](App&) { return DietsFace(pig); }},
      {"AfrmMain", "GridWeight", [](App&) { return CoefficientsFace(); }},
      {"AfrmMain", "Gridformula", [](App& a) { return FormulaFace(a.mainForm.Gridformula); }},
      {"Restrict", "NUTS", [&](App&) { return NutrientRowsFace(pig); }},
      {"Restrict", "GridRestrict", [](App&) { return PerCentColumnsFace(); }},
      {"frmExcel", "GridImport", [&](App&) { return MatrixFace(pig); }},
      {"DietDisplay", "Grid2", [&](App&) { return NutrientFeedsFace(pig); }},
      {"frmMsgBoxA", "Grid1", [](App&) { return PerCentColumnsFace(); }},
      {"frmTrack", "griddiff", [&](App&) { return ComparisonFace(pig); }},
      {"frmTrack", "GridInitDiet", [&](App&) { return DietsFace(pig); }},
      {"frmTrack", "GridPrevDiet", [&](App&) { return DietsFace(pig); }},
      {"frmTrack", "GridInitForm", [](App& a) { return FormulaFace(a.trackForm.GridInitForm); }},
      {"frmTrack", "GridPrevForm", [](App& a) { return FormulaFace(a.trackForm.GridPrevForm); }},
      {"frmCalib", "GridCal", [&](App&) { return WeighingsFace(pig); }},
      {"frmCalibTest", "GridTest", [&](App&) { return CalibrationTrialsFace(pig); }},
      {"frmOpt", "GridOpt", [&](App&) { return OptimizationFace(pig, 1); }},
      {"frmOpt", "GridOptBest", [&](App&) { return OptimizationFace(pig, 0); }},
      {"OptReport", "GridOptimum", [&](App&) { return OptimumSheetFace(pig); }},
      {"OptReport", "GridNutRestrict", [&](App&) { return NutrientSheetFace(pig); }},
      {"OptReport", "GridIngRestrict", [](App&) { return IngredientSheetFace(); }},
      {"OptReport", "GridFormulation", [](App&) { return PerCentColumnsFace(); }},
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
