#include "app/FinishingReportParts.h"

#include <algorithm>
#include <cmath>

#include "app/App.h"
#include "app/NumberFormat.h"
#include "app/TableFaces.h"
#include "calibration/CalibrationData.h"
#include "model/Units.h"
#include "optimization/FeedCostObjective.h"

namespace {

ReportBlock Heading(std::string text) { return {ReportBlock::Kind::Heading, std::move(text), {}}; }
ReportBlock Paragraph(std::string text) {
  return {ReportBlock::Kind::Paragraph, std::move(text), {}};
}

std::string Number(double value, bool comma) { return WithLeadingZero(NumberText(value, comma)); }

// The curve's weight at `age` between its daily rows; nothing outside them.
std::optional<double> CurveWeight(const GrowthCurve& curve, double age) {
  for (int d = 2; d <= curve.dayCount; ++d) {
    const ChartDay& before = curve.days[d - 1];
    const ChartDay& after = curve.days[d];
    if (age < before.age || age > after.age) continue;
    const double span = after.age - before.age;
    const double share = span > 0 ? (age - before.age) / span : 0;
    return before.weight + share * (after.weight - before.weight);
  }
  return std::nullopt;
}

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
  weighings.CalibRowCount = kMaxCalibRows;
  FollowGrowthResults(chart, app.Grid1, app.pig, weighings);
  return chart;
}

void AddCalibrationFit(const App& app, std::vector<ReportBlock>& blocks) {
  const GlobalPig& pig = app.pig;
  const bool comma = pig.DecimalComma;
  const GrowthChartData chart = ReportChart(app);
  const std::string unit = ChartWeightUnit(chart.weightCode);
  blocks.push_back(Heading("Calibration fit"));
  blocks.push_back({ReportBlock::Kind::Facts,
                    {},
                    {{}, {{"Growth curve", CoefficientsText(app.mainForm.GridWeight)}}}});
  if (chart.observedCount == 0) {
    blocks.push_back(Paragraph("No weighings at this location: there is no fit to report."));
    return;
  }
  ReportTable table;
  table.headings = {"Age, days", "Weighed, " + unit, "Curve, " + unit, "Difference, " + unit};
  double squares = 0;
  int compared = 0;
  for (int i = 1; i <= chart.observedCount; ++i) {
    const ObservedWeight& weighed = chart.observed[i];
    const std::optional<double> curve = CurveWeight(chart.curve, weighed.age);
    std::vector<std::string> row{Number(weighed.age, comma), Number(weighed.weight, comma)};
    if (curve) {
      row.push_back(Number(*curve, comma));
      row.push_back(Number(weighed.weight - *curve, comma));
      squares += (weighed.weight - *curve) * (weighed.weight - *curve);
      ++compared;
    } else {
      row.insert(row.end(), {"not grown to", ""});
    }
    table.rows.push_back(std::move(row));
  }
  blocks.push_back({ReportBlock::Kind::Table, {}, std::move(table)});
  if (compared > 0) {
    blocks.push_back(Paragraph("The curve is " + Number(std::sqrt(squares / compared), comma) +
                               " " + unit + " from the weighings (root mean square)."));
  }
}

void AddOptimizationSaving(const App& app, std::vector<ReportBlock>& blocks) {
  const OptResult& result = app.optimization->result;
  blocks.push_back(Heading("Diet optimization"));
  if (!result.done || result.cancelled || result.diets == 0) {
    blocks.push_back(Paragraph("No diet optimization was run on this location in this session."));
    return;
  }
  const GlobalPig& pig = app.pig;
  const bool comma = pig.DecimalComma;
  const double saving = result.startCost - result.bestCost;
  const double percent = result.startCost > 0 ? 100 * saving / result.startCost : 0;
  blocks.push_back({ReportBlock::Kind::Facts,
                    {},
                    {{},
                     {{"Starting cost per pig", Number(result.startCost, comma)},
                      {"Optimized cost per pig", Number(result.bestCost, comma)},
                      {"Saving per pig",
                       Number(saving, comma) + " (" + FormatNumber(percent, "0.0", comma) + " %)"},
                      {"Target weight, " + WeightUnitName(pig.UnitCodes[kWeightUnit]),
                       Number(ConvertWeight(pig, kToDisplay, result.targetWeight), comma)}}}});
  const std::string weight = WeightUnitName(pig.UnitCodes[kWeightUnit]);
  const std::string energy = EnergyUnitName(pig.UnitCodes[kEnergyUnit]);
  ReportTable table;
  table.headings = {"Diet",
                    "Feed, " + weight + " per pig",
                    "Optimized",
                    "Net Energy, " + energy,
                    "Optimized",
                    "Protein, %",
                    "Optimized"};
  for (int d = 1; d <= std::min(result.diets, kMaxDiets); ++d) {
    const auto& start = result.OptTable[d];
    table.rows.push_back({
        "Diet " + std::to_string(d),
        Number(start[kFeedKind][kOptCurrent], comma),
        Number(ConvertWeight(pig, kToDisplay, result.feedAmount[d]), comma),
        Number(start[kEnergyKind][kOptCurrent], comma),
        Number(ConvertEnergy(pig, kToDisplay, result.DietNutrients[d][kEnergy]), comma),
        Number(start[kProteinKind][kOptCurrent], comma),
        Number(result.DietNutrients[d][kProtein], comma),
    });
  }
  blocks.push_back({ReportBlock::Kind::Table, {}, std::move(table)});
}
