#include "cli/CliOptimize.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/OptimizationForm.h"
#include "cli/CliOutput.h"
#include "cli/CliSearchStages.h"
#include "cli/CliSession.h"
#include "model/GrowthState.h"
#include "model/Units.h"
#include "optimization/DietOptimization.h"
#include "platform/NumberFormat.h"

namespace {

constexpr long kProgressEvery = 100;  // evaluations between progress lines

void TypeInputs(const CliOptions& options, MainForm& form) {
  if (options.feedChoice) form.feedFormulation.selected = *options.feedChoice;
  // The starting cost is that of a run to the target, so the saving compares
  // like with like. A target at or below the starting weight is left to the
  // optimization's own check.
  const std::string& target = *options.targetWeight;
  if (ReadNumber(target) > ReadNumber(form.startWeight.text)) form.finalWeight.text = target;
}

// Which values may move: every row the window ticks as it opens, less
// energy and protein with --feed-only, less the rows of --fix. False, with
// the reason on standard error, for a row the location has no diet for.
bool ChooseRows(const CliOptions& options, OptimizationForm& window) {
  window.AddMinMaxToCurrent();
  if (options.feedOnly) window.FeedWeightsOnlyClicked(true);
  const int rows = window.RowsInUse();
  for (int row : options.fixRows) {
    if (row > rows) {
      std::fprintf(stderr,
                   "tamsel-cli: --fix %d: the location has %d diets, rows 1 to %d\n",
                   row,
                   rows / kOptKinds,
                   rows);
      return false;
    }
    window.optimizationTable.SetCellCheck(row, kOptTickCol, CheckState::Unchecked);
    window.TableEdited(row, kOptTickCol);
  }
  return true;
}

// Variable v at the optimum, in table units: a fixed value is its current
// one; a free one maps its coordinate back (7 the row's minimum, 15 its
// maximum).
double OptimumValue(const OptResult& r, int v) {
  const auto& row = r.tableValues[VariableDiet(v)][VariableKind(v)];
  if (r.fixed[v] != 0) return row[kOptCurrent];
  return row[kOptMinimum] +
         (row[kOptMaximum] - row[kOptMinimum]) * (r.bestVar[v] - kCoordLow) / kCoordSpan;
}

int Variables(const OptResult& r) {
  return std::min(kOptKinds * std::clamp(r.diets, 0, kMaxDiets), kMaxOptVars);
}

struct Cells {
  Precision precision;
  bool comma;
  std::string Short(double value) const {
    return NumberCell(precision, value, ShortNumberText(value, comma));
  }
  std::string Full(double value) const {
    return NumberCell(precision, value, NumberText(value, comma));
  }
};

std::string KindCaption(int v) {
  return std::string(OptimizationForm::kKindCaptions[VariableKind(v)]);
}

// What the optimum's run fed, in the user's units: the feed the diet's
// phase ate, the energy and protein of the diet as formulated (the optimum
// sets their minima).
double Fed(const OptResult& r, const GrowthState& growth, int v) {
  const int d = VariableDiet(v);
  switch (VariableKind(v)) {
    case kFeedKind:
      return ConvertWeight(growth, kToDisplay, r.phaseFeed[d]);
    case kEnergyKind:
      return ConvertEnergy(growth, kToDisplay, r.dietNutrients[d][kEnergy]);
    default:
      return r.dietNutrients[d][kProtein];
  }
}

// Per diet and value: the start, the optimum, what its run fed, the limits
// and whether it moved.
void PrintOptimum(const OptResult& r, const GrowthState& growth, const Cells& cells) {
  PrintRow({"Diet", "Value", "Start", "Optimum", "Fed", "Minimum", "Maximum", "Optimize"});
  for (int v = 1; v <= Variables(r); ++v) {
    const auto& row = r.tableValues[VariableDiet(v)][VariableKind(v)];
    PrintRow({std::to_string(VariableDiet(v)),
              KindCaption(v),
              cells.Short(row[kOptCurrent]),
              cells.Short(OptimumValue(r, v)),
              cells.Short(Fed(r, growth, v)),
              cells.Short(row[kOptMinimum]),
              cells.Short(row[kOptMaximum]),
              r.fixed[v] == 0 ? "Yes" : "No"});
  }
  EndBlock();
}

void PrintCosts(const OptResult& r, const Cells& cells) {
  const double saving = r.startCost - r.bestCost;
  PrintRow({"Result", "Value"});
  PrintRow({std::string(MainForm::kOptStartCaption), cells.Full(r.startCost)});
  PrintRow({std::string(MainForm::kOptBestCaption), cells.Full(r.bestCost)});
  PrintRow({"Saving Per Pig", cells.Full(saving)});
  // The run refuses a starting cost of 0.
  PrintRow({"Percent Saved", cells.Short(saving * 100 / r.startCost)});
  PrintRow({"Optimized Final Age, Days", cells.Short(r.finalAge)});
  PrintRow({"Evaluations", std::to_string(r.evaluations)});
  EndBlock();
}

// Each value that moved, optimized alone: where it went and what it cost.
void PrintSingleChanges(const OptResult& r, const Cells& cells) {
  PrintRow({"Diet", "Single Change", "Opt Point", "Opt Cost"});
  for (int v = 1; v <= Variables(r); ++v) {
    if (r.fixed[v] != 0) continue;
    PrintRow({std::to_string(VariableDiet(v)),
              KindCaption(v),
              cells.Short(r.singlePoint[v]),
              cells.Short(r.singleCost[v])});
  }
  EndBlock();
}

// Why "Run Opt." ended without a message box.
std::string QuietStop(const App& app) {
  if (app.optimizationForm.locationName.find_first_not_of(" \t") == std::string::npos)
    return "the location has no name";
  return "diet 1 has no feed amount in the diets table";
}

// "Growth" to the target: its cost per pig is the starting cost. False,
// with the reason on standard error, when the run stopped.
bool GrowToTarget(CliSession& session, const CliOptions& options) {
  MainForm& form = session.app->mainForm;
  TypeInputs(options, form);
  const int messagesBefore = session.dialogs.MessageCount();
  form.Click(MainForm::Control::Growth);
  // A fresh App: only a run that went through to its summary sets this.
  if (form.initialRunDone) return true;
  if (session.dialogs.MessageCount() == messagesBefore) {
    std::fputs(
        "tamsel-cli: the growth run to the target weight stopped (tamsel-cli grow says why)\n",
        stderr);
  }
  return false;
}

// The search's progress on standard error, every kProgressEvery evaluations.
void ReportProgress(OptimizationForm& window, bool show) {
  if (!show) return;
  window.onProgress = [&window, reported = 0L]() mutable {
    if (window.evaluationCount < reported + kProgressEvery) return;
    reported = window.evaluationCount;
    std::fprintf(stderr,
                 "optimizing: %ld evaluations, best cost per pig %s\n",
                 window.evaluationCount,
                 NumberText(window.bestCost).c_str());
  };
}

}  // namespace

int RunOptimizeCommand(const CliOptions& options) {
  CliSession session;
  if (!session.OpenLocation(options.location)) return kExitRunFailed;
  if (!GrowToTarget(session, options)) return kExitRunFailed;
  App& app = *session.app;
  CliDialogs& dialogs = session.dialogs;
  if (app.mainForm.Click(MainForm::Control::RunOptimization) != MainForm::Window::Optimization) {
    std::fputs("tamsel-cli: \"Run Optimization\" is not available\n", stderr);
    return kExitRunFailed;
  }
  OptimizationForm& window = app.optimizationForm;
  window.targetWeight = *options.targetWeight;
  if (!ChooseRows(options, window)) return kExitUsage;
  ReportProgress(window, options.progress || ::isatty(STDERR_FILENO));
  window.thoroughSearch.checked = !options.classic;

  // With "Use Diets on Grid" the run asks whether to optimize the feed
  // amounts only: Yes, as the user does to go on.
  if (app.mainForm.feedFormulation.selected == kFeedGrid) dialogs.AnswerYesNo(Answer::Yes);
  const int messagesBefore = dialogs.MessageCount();
  window.Run();
  dialogs.AnswerYesNo(Answer::No);

  const OptResult& result = app.optimization->result;
  if (!result.done) {
    if (dialogs.MessageCount() == messagesBefore)
      std::fprintf(stderr, "tamsel-cli: %s\n", QuietStop(app).c_str());
    return kExitRunFailed;
  }
  const Cells cells{options.precision, app.growth.decimalComma};
  PrintOptimum(result, app.growth, cells);
  PrintCosts(result, cells);
  PrintSingleChanges(result, cells);
  PrintSearchStages(std::string(OptimizationForm::kCostCaption),
                    std::string(OptimizationForm::kEvaluationsCountCaption),
                    result.classic,
                    result.thoroughRan ? &result.thorough : nullptr,
                    options.precision,
                    app.growth.decimalComma);
  // A file that could not be written showed its error.
  PrintRow({"Results File", window.resultsFile});
  return window.resultsFile.empty() ? kExitRunFailed : kExitOk;
}
