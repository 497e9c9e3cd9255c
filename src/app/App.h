// App: App, the one context of a running program.
#pragma once

#include <memory>
#include <string>

#include "app/AboutForm.h"
#include "app/CalibrationInputsForm.h"
#include "app/CalibrationTestForm.h"
#include "app/ChangeTrackingForm.h"
#include "app/Comparison.h"
#include "app/MainForm.h"
#include "app/OptimizationForm.h"
#include "calibration/CalibrationData.h"
#include "calibration/GrowthCurveFit.h"
#include "formulation/DietDisplayForm.h"
#include "formulation/LeastCost.h"
#include "formulation/Matrix.h"
#include "formulation/MatrixEditorForm.h"
#include "formulation/NutrientSourcesForm.h"
#include "formulation/RestrictionsForm.h"
#include "formulation/SensitivityForm.h"
#include "model/GrowthState.h"
#include "model/GrowthSummary.h"
#include "model/TemperatureForm.h"
#include "model/Temperatures.h"
#include "model/UnitsForm.h"
#include "optimization/DietOptimization.h"
#include "optimization/OptimizationReportForm.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/Location.h"

// The one context of a running program: it owns the model state, the
// formulation tables, the location and the forms, and holds the way to talk
// to the user. `main` makes one; every test makes its own.
class App {
 public:
  static constexpr int kResultRows = 200;
  static constexpr int kResultCols = 14;

  // Runs the main window's start-up.
  explicit App(
      Dialogs& dialogs,
      const MainForm::StartupEnvironment& machine = MainForm::StartupEnvironment::OfMachine());
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  Dialogs& dialogs;
  GrowthState growth;
  Grid resultsTable{kResultRows, kResultCols};  // daily growth results

  // Where the program keeps its own files (the window-size file): its own
  // folder, or the user's data folder when that is not writable.
  std::string programFolder;

  FormulationTables formulation;  // ingredient matrix and restrictions
  // Least-cost results, LP tables and recent costs: large, so kept off the
  // stack of whoever makes the App.
  std::unique_ptr<FormulationState> formulationState = std::make_unique<FormulationState>();
  GrowthRunResults growthResults;                     // of the last successful growth run
  Grid comparison{kComparisonRows, kComparisonCols};  // the run comparison table
  TemperatureProfile temperatures;
  CalibrationData calibration;
  GrowthCurveFit::FitState fitState;  // what the last fit left
  Location location;

  MainForm mainForm{*this};
  RestrictionsForm restrictionsForm{dialogs, formulation, growth};
  TemperatureForm temperatureForm;
  TrackingTables tracking;  // the main window's stores of earlier diets and formulas
  ChangeTrackingForm changeTrackingForm;
  UnitsForm unitsForm;
  AboutForm aboutForm;
  DietDisplayForm dietDisplayForm{
      dialogs, formulation, growth, mainForm.dietsTable, location, mainForm.filesTable};
  MatrixEditorForm matrixEditorForm{dialogs, formulation, growth, dietDisplayForm.nutrientColumns};
  NutrientSourcesForm nutrientSourcesForm{dialogs, formulation, growth, *formulationState};
  SensitivityForm sensitivityForm{
      formulation, growth, *formulationState};         // the sources window's tab
  CalibrationInputsForm calibrationInputsForm{*this};  // the calibration inputs screen
  CalibrationTestForm calibrationTestForm{*this};      // the calibration test window
  // The diet optimization: its state (about 90 kB, off the stack), the
  // "Diet Optimization" window and the report.
  std::unique_ptr<DietOptState> optimization = std::make_unique<DietOptState>();
  OptimizationReportForm optimizationReportForm{dialogs};
  OptimizationForm optimizationForm{*this, *optimization, optimizationReportForm};
};
