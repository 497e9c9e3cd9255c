#include "app/FinishingReportParts.h"

#include <algorithm>
#include <cmath>

#include "app/App.h"
#include "app/TableFaces.h"
#include "calibration/CalibrationData.h"
#include "calibration/WeighingFit.h"
#include "model/Units.h"
#include "optimization/FeedCostObjective.h"
#include "platform/NumberFormat.h"

namespace {

ReportBlock Heading(std::string text) { return {ReportBlock::Kind::Heading, std::move(text), {}}; }
ReportBlock Paragraph(std::string text) {
  return {ReportBlock::Kind::Paragraph, std::move(text), {}};
}

std::string Number(double value, bool comma) { return WithLeadingZero(NumberText(value, comma)); }

std::string CoefficientsText(const Grid& coefficients) {
  std::string text;
  for (int k = 0; k < kCoefCount; ++k) {
    if (k > 0) text += ", ";
    text += "B" + std::to_string(k) + " " +
            WithDigits(coefficients.Text(kCoefRow, k + 1), kCoefficientDigits);
  }
  return text;
}

}  // namespace

GrowthChartData ReportChart(const App& app) {
  GrowthChartData chart;
  // Every weighing of the location, whether or not a calibration ran since
  // it was loaded.
  CalibrationData weighings = app.calibration;
  weighings.observationCount = kMaxCalibRows;
  FollowGrowthResults(chart, app.resultsTable, app.growth, weighings);
  return chart;
}

void AddCalibrationFit(const App& app, std::vector<ReportBlock>& blocks) {
  const GrowthState& growth = app.growth;
  const bool comma = growth.decimalComma;
  const std::string unit = WeightUnitName(growth.unitCodes[kWeightUnit]);
  blocks.push_back(Heading("Calibration fit"));
  blocks.push_back({ReportBlock::Kind::Facts,
                    {},
                    {{}, {{"Growth curve", CoefficientsText(app.mainForm.coefficientTable)}}}});
  const WeighingFitTable fit = CompareWeighings(growth, app.calibration);
  if (fit.count == 0) {
    blocks.push_back(Paragraph("No weighings at this location: there is no fit to report."));
    return;
  }
  // The table the calibration window shows after a fit.
  Grid weighings;
  FillWeighingGrid(weighings, fit, unit, comma);
  ReportTable table;
  double squares = 0;
  for (int row = 0; row < weighings.Rows(); ++row) {
    std::vector<std::string> cells;
    for (int col = 0; col < weighings.Cols(); ++col)
      cells.push_back(WithLeadingZero(weighings.Text(row, col)));
    if (row == 0) {
      table.headings = std::move(cells);
    } else {
      table.rows.push_back(std::move(cells));
      const WeighingFit& w = fit.rows[static_cast<std::size_t>(row)];
      squares += (w.observedWeight - w.simulatedWeight) * (w.observedWeight - w.simulatedWeight);
    }
  }
  blocks.push_back({ReportBlock::Kind::Table, {}, std::move(table)});
  blocks.push_back(Paragraph("The run is " + Number(std::sqrt(squares / fit.count), comma) + " " +
                             unit + " from the weighed pigs (root mean square)."));
}

void AddOptimizationSaving(const App& app, std::vector<ReportBlock>& blocks) {
  const OptResult& result = app.optimization->result;
  blocks.push_back(Heading("Diet optimization"));
  if (!result.done || result.cancelled || result.diets == 0) {
    blocks.push_back(Paragraph("No diet optimization was run on this location in this session."));
    return;
  }
  const GrowthState& growth = app.growth;
  const bool comma = growth.decimalComma;
  const double saving = result.startCost - result.bestCost;
  const double percent = result.startCost > 0 ? 100 * saving / result.startCost : 0;
  blocks.push_back({ReportBlock::Kind::Facts,
                    {},
                    {{},
                     {{"Starting cost per pig", Number(result.startCost, comma)},
                      {"Optimized cost per pig", Number(result.bestCost, comma)},
                      {"Saving per pig",
                       Number(saving, comma) + " (" + FormatNumber(percent, "0.0", comma) + " %)"},
                      {"Target weight, " + WeightUnitName(growth.unitCodes[kWeightUnit]),
                       Number(ConvertWeight(growth, kToDisplay, result.targetWeight), comma)}}}});
  const std::string weight = WeightUnitName(growth.unitCodes[kWeightUnit]);
  const std::string energy = EnergyUnitName(growth.unitCodes[kEnergyUnit]);
  ReportTable table;
  table.headings = {"Diet",
                    "Feed, " + weight + " per pig",
                    "Optimized",
                    "Net Energy, " + energy,
                    "Optimized",
                    "Protein, %",
                    "Optimized"};
  for (int d = 1; d <= std::min(result.diets, kMaxDiets); ++d) {
    const auto& start = result.tableValues[d];
    table.rows.push_back({
        "Diet " + std::to_string(d),
        Number(start[kFeedKind][kOptCurrent], comma),
        Number(ConvertWeight(growth, kToDisplay, result.feedAmount[d]), comma),
        Number(start[kEnergyKind][kOptCurrent], comma),
        Number(ConvertEnergy(growth, kToDisplay, result.dietNutrients[d][kEnergy]), comma),
        Number(start[kProteinKind][kOptCurrent], comma),
        Number(result.dietNutrients[d][kProtein], comma),
    });
  }
  blocks.push_back({ReportBlock::Kind::Table, {}, std::move(table)});
}
