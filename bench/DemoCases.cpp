#include "DemoCases.h"

#include <array>

#include "app/NumberFormat.h"
#include "model/DietsFile.h"
#include "model/Units.h"

namespace {

// The demo's curve as it shipped before its thorough fit.
constexpr std::array<double, kCoefCount> kDemoEarlierCurve{
    5.54119, 1.56109, 3.86114, .00060, .64984};

// "Program Add Min Max to Current", per kind.
constexpr double kLow[] = {0, 0.8, 0.98, 0.95};
constexpr double kHigh[] = {0, 1.2, 1.02, 1.05};

}  // namespace

DemoOptimization::DemoOptimization(int feedChoice) {
  AfrmMain& form = app->mainForm;
  form.Text6_Click();
  form.ComboSex.ListIndex = 0;
  form.Combo1.ListIndex = feedChoice;
  for (int k = 0; k < kCoefCount; ++k) {
    form.GridWeight.SetText(kCoefRow, k + 1, NumberText(kDemoEarlierCurve[k]));
  }
  form.RunGrowth();
  target = form.Text3.Text;
  const auto& nut = app->formulation.NutRestrict;
  for (int d = 1; d <= kDemoDiets; ++d) {
    const double current[] = {0,
                              ReadNumber(form.Griddiets.Text(kDietAmountRow, d)),
                              nut[d][kMinKind][kEnergy],
                              nut[d][kMinKind][kProtein]};
    for (int k = 1; k <= kOptKinds; ++k) {
      const int row = VariableOf(d, k);
      GridOpt.SetCellCheck(row, kOptTickCol, CheckState::Checked);
      GridOpt.SetText(row, kOptCurrentCol, NumberText(current[k]));
      GridOpt.SetText(row, kOptMinimumCol, NumberText(current[k] * kLow[k]));
      GridOpt.SetText(row, kOptMaximumCol, NumberText(current[k] * kHigh[k]));
    }
  }
  dialogs.messages = 0;
}

DemoCalibration::DemoCalibration() {
  const std::string base = DemoFile("Demo");
  LoadCalibrationFile(base + ".plt", *loaded, calib, GridWeight, dialogs);
  LoadCalibrationRows(base + ".cal", calib);
  ReadDietsFile(base + ".dts", Griddiets, *loaded);
  // As the calibration run, from the demo's curve before it was fitted
  // thoroughly (where the benchmarks' figures have always started): the
  // diets in use read into the model, the start and final weight from the
  // herd inputs.
  loaded->GrowthCoef = kDemoEarlierCurve;
  loaded->DefaultGrowthCoef = loaded->GrowthCoef;
  loaded->NumDiets = static_cast<std::int16_t>(DietsInUse(Griddiets, kMaxDiets));
  loaded->CurrentDiet = 1;
  TakeDietsFromTable(Griddiets, *loaded);
  loaded->StartAge = static_cast<std::int16_t>(calib.HerdInputs[kHerdStartAge]);
  loaded->LiveWeight[loaded->StartAge][kHerdColumn] =
      ConvertWeight(*loaded, kToInternal, calib.HerdInputs[kHerdStartWeight]);
  loaded->FinalWeight = ConvertWeight(*loaded, kToInternal, calib.HerdInputs[kHerdFinalWeight]);
  hard = calib;
  hard.HerdInputs[kHerdTotalFeed] *= 1.5;
}
