#include "DemoCases.h"

#include <array>

#include "model/DietsFile.h"
#include "model/Units.h"
#include "platform/NumberFormat.h"

namespace {

// The demo's curve as it shipped before its thorough fit.
constexpr std::array<double, kCoefCount> kDemoEarlierCurve{
    5.54119, 1.56109, 3.86114, .00060, .64984};

// "Program Add Min Max to Current", per kind.
constexpr double kLow[] = {0, 0.8, 0.98, 0.95};
constexpr double kHigh[] = {0, 1.2, 1.02, 1.05};

}  // namespace

DemoOptimization::DemoOptimization(int feedChoice) {
  MainForm& form = app->mainForm;
  form.LocationNameClicked();
  form.herdSex.selected = 0;
  form.feedFormulation.selected = feedChoice;
  for (int k = 0; k < kCoefCount; ++k) {
    form.coefficientTable.SetText(kCoefRow, k + 1, NumberText(kDemoEarlierCurve[k]));
  }
  form.Growth();
  target = form.finalWeight.text;
  const auto& nut = app->formulation.nutrientRestrictions;
  for (int d = 1; d <= kDemoDiets; ++d) {
    const double current[] = {0,
                              ReadNumber(form.dietsTable.Text(kDietAmountRow, d)),
                              nut[d][kMinKind][kEnergy],
                              nut[d][kMinKind][kProtein]};
    for (int k = 1; k <= kOptKinds; ++k) {
      const int row = VariableOf(d, k);
      optimizationTable.SetCellCheck(row, kOptTickCol, CheckState::Checked);
      optimizationTable.SetText(row, kOptCurrentCol, NumberText(current[k]));
      optimizationTable.SetText(row, kOptMinimumCol, NumberText(current[k] * kLow[k]));
      optimizationTable.SetText(row, kOptMaximumCol, NumberText(current[k] * kHigh[k]));
    }
  }
  dialogs.messages = 0;
}

DemoCalibration::DemoCalibration() {
  const std::string base = DemoFile("Demo");
  LoadCalibrationFile(base + ".plt", *loaded, calib, coefficientTable, dialogs);
  LoadCalibrationRows(base + ".cal", calib);
  ReadDietsFile(base + ".dts", dietsTable, *loaded);
  // As the calibration run, from the demo's curve before it was fitted
  // thoroughly (where the benchmarks' figures have always started): the
  // diets in use read into the model, the start and final weight from the
  // herd inputs.
  loaded->growthCoef = kDemoEarlierCurve;
  loaded->defaultGrowthCoef = loaded->growthCoef;
  loaded->dietCount = static_cast<std::int16_t>(DietsInUse(dietsTable, kMaxDiets));
  loaded->currentDiet = 1;
  TakeDietsFromTable(dietsTable, *loaded);
  loaded->startAge = static_cast<std::int16_t>(calib.herdInputs[kHerdStartAge]);
  loaded->liveWeight[loaded->startAge][kHerdColumn] =
      ConvertWeight(*loaded, kToInternal, calib.herdInputs[kHerdStartWeight]);
  loaded->finalWeight = ConvertWeight(*loaded, kToInternal, calib.herdInputs[kHerdFinalWeight]);
  hard = calib;
  hard.herdInputs[kHerdTotalFeed] *= 1.5;
}
