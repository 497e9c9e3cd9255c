#pragma once

#include <vector>

#include "app/ReportDocument.h"

class App;

// The parts of the Finishing Report that depend on what else ran.

// The run's chart: its curve, diet changes, final weight and weighings.
GrowthChartData ReportChart(const App& app);

// The weighings of the location against the run at their ages (weight and
// feed), and the curve's coefficients; a note when there are no weighings.
void AddCalibrationFit(const App& app, std::vector<ReportBlock>& blocks);

// The last diet optimization's saving and its diets against the start; a
// note when none ran.
void AddOptimizationSaving(const App& app, std::vector<ReportBlock>& blocks);
