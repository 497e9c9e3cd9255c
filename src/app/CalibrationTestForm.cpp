#include "app/CalibrationTestForm.h"

#include <string>

#include "app/App.h"
#include "calibration/GrowthCurveFit.h"
#include "model/DietsFile.h"
#include "model/DietsTable.h"
#include "model/Units.h"
#include "platform/NumberFormat.h"

namespace {

constexpr double kB4Step = 0.05;  // relative

constexpr const char* kHeadings[] = {
    "Trial", "B0", "B1", "B2", "B3", "B4", "Score", "Final Age", "Total Feed"};

}  // namespace

CalibrationTestForm::CalibrationTestForm(App& app) : app_(app) {}

void CalibrationTestForm::Open() {
  GrowthCurveFit::FitState& fit = app_.fitState;
  if (fit.fitValue == 0) fit.fitValue = GrowthCurveFit::kNegativeB3Score;

  const bool comma = app_.growth.decimalComma;
  const Grid& weights = app_.mainForm.coefficientTable;
  trialsTable.Clear();
  for (int c = 0; c <= kTotalFeedCol; ++c) trialsTable.SetText(0, c, kHeadings[c]);
  std::array<double, kCoefCount> centre{};
  for (int k = 0; k < kCoefCount; ++k) centre[k] = ReadNumber(weights.Text(kCoefRow, k + 1));
  // The coarse grid's steps, so a trial shows what one grid step does.
  const std::array<double, kCoefCount> step{GrowthCurveFit::kCoarseStepB0,
                                            GrowthCurveFit::kCoarseStepB1,
                                            GrowthCurveFit::kCoarseStepB2,
                                            GrowthCurveFit::kCoarseB3,
                                            kB4Step * centre[4]};
  auto layOut = [&](int row, const std::string& name, std::array<double, kCoefCount> coef) {
    trialsTable.SetText(row, 0, name);
    for (int k = 0; k < kCoefCount; ++k)
      trialsTable.SetText(row, kFirstCoefCol + k, CoefficientText(coef[k], comma));
  };
  layOut(1, "Now", centre);
  for (int k = 0; k < kCoefCount; ++k) {
    const std::string name = "B" + std::to_string(k);
    for (int side = 0; side < 2; ++side) {
      std::array<double, kCoefCount> coef = centre;
      coef[k] += side == 0 ? -step[k] : step[k];
      layOut(2 + 2 * k + side, name + (side == 0 ? " -" : " +"), coef);
    }
  }
  visible = true;
}

void CalibrationTestForm::ScoreTrials() {
  GrowthState& growth = app_.growth;
  const CalibrationData& calib = app_.calibration;
  MainForm& main = app_.mainForm;
  if (auto message =
          DietCheckMessage(main.dietsTable, growth, DietsInUse(main.dietsTable, kMaxDiets))) {
    app_.dialogs.Message(*message);
    return;
  }
  if (!main.CalibrationDietsReady()) return;

  // As the fit scores a point (mode 1: a mixed herd), on a state of its own
  // so the last fit's values stay.
  const auto coef = growth.growthCoef;
  const auto sex = growth.herdSex;
  const bool showDailyRows = growth.showDailyRows;
  growth.showDailyRows = false;
  growth.herdSex = 0;
  growth.runSlot = 0;
  GrowthCurveFit::FitState state;
  state.targetTotalFeed = ConvertWeight(growth, kToInternal, calib.herdInputs[kHerdTotalFeed]);
  state.targetFinalAge = calib.herdInputs[kHerdFinalAge];
  GrowthCurveFit::FitContext context{growth, calib, state, nullptr, &app_.dialogs, {}, 0, {}};

  const bool comma = growth.decimalComma;
  for (int row = 1; row <= kTrials; ++row) {
    NelderMead::Vector x{};
    for (int k = 0; k < kCoefCount; ++k)
      x[k + 1] = ReadNumber(trialsTable.Text(row, kFirstCoefCol + k));
    const double score = GrowthCurveFit::EvaluatePoint(context, x);
    trialsTable.SetText(row, kScoreCol, NumberText(score, comma));
    // A negative B3 is scored without a run; a failed run has no end.
    const bool ran = !(x[4] < 0) && score != GrowthCurveFit::kFailedRunScore;
    trialsTable.SetText(row, kFinalAgeCol, ran ? NumberText(growth.finalAge, comma) : "");
    trialsTable.SetText(
        row,
        kTotalFeedCol,
        ran ? NumberText(ConvertWeight(growth, kToDisplay, state.simulatedFeed), comma) : "");
  }
  growth.growthCoef = coef;
  growth.herdSex = sex;
  growth.showDailyRows = showDailyRows;
}
