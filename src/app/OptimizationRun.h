// App: "Run Opt.", the diet optimization run with the optimization form's table.
#pragma once

#include <string>

#include "formulation/Matrix.h"
#include "optimization/DietOptimization.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"

class App;

// What "Run Opt." reads and changes of the "Diet Optimization" window.
struct OptWindowView {
  Grid& optimizationTable;
  const std::string& locationName;
  const std::string& targetWeight;
  const std::string& dietCountText;  // "No. of Diets"
  bool& workingVisible;              // the "WORKING..." label
  bool& viewEnabled;                 // "View Optimization"
  bool& addMinMaxVisible;            // "Program Add Min Max to Current"
};

// Texts of the run.
inline constexpr const char* kGivenCostsQuestion =
    "The feed calculation is set to [Given Costs], we will only optimize Feed Weights";
static_assert(kOptDiets == 6, "the message below names the count");
inline constexpr const char* kTooManyOptDiets =
    "The optimization holds at most 6 diets: set No. of Diets to 6 or fewer";
inline constexpr const char* kNoLowerAnswer =
    "This Optimization could not find a lower answer with your current minimum and maximum "
    "values.  Consider changing minimums or maximums and try again";

// Validates the table before a run; shows its message (every ticked row
// outside its limits in one) and returns true when the run must not start.
bool CheckOptTable(const Grid& optimizationTable,
                   int diets,
                   const FormulationTables& tables,
                   int feedChoice,
                   Dialogs& dialogs);

// "Run Opt.": the checks, the first search, the single changes, the full
// search, the thorough stage when asked for, and the optimum scored once
// more; then the result snapshot, the user's restrictions restored, and the
// results file. cancelRun stops the
// searches and keeps the best point found so far.
void RunOptimization(App& app, DietOptState& opt, const OptWindowView& window);
