#include "calibration/CalibrationCommand.h"

#include <algorithm>
#include <cmath>

#include "calibration/Correlation.h"
#include "model/DietsFile.h"
#include "model/DietsTable.h"
#include "model/GrowthSummary.h"
#include "model/Units.h"
#include "platform/Grid.h"
#include "platform/NumberFormat.h"

namespace {

constexpr double kPerKgEnergyAbove = 1800;  // kcal: diet 1 above it is given per kg
constexpr int kKcalPerKgCode = 0;
constexpr int kKcalPerLbCode = 1;

struct DietLimit {
  int row;  // of the diets table
  double low;
  double high;
  const char* message;
};
constexpr DietLimit kDietLimits[] = {
    {kDietEnergyRow, 1800, 3000, "Look at the Energy Value of Diet "},
    {kDietProteinRow, 12, 30, "Look at the Protein Value of Diet "},
    {kDietLysineRow, 0.5, 3.0, "Look at the Lysine Value of Diet "},
};

}  // namespace

std::string CalibrationNamePrompt(const std::string& name) {
  return "Do you want to use " + name + " OR enter a new name";
}

std::optional<std::array<std::int16_t, 3>> UnitCodesForEnergy(const GrowthState& growth,
                                                              double dietOneEnergy) {
  const int energyCode = growth.unitCodes[kEnergyUnit];
  if (energyCode != kKcalPerKgCode && energyCode != kKcalPerLbCode) return std::nullopt;
  if (dietOneEnergy > kPerKgEnergyAbove) return std::array<std::int16_t, 3>{0, 0, 1};
  return std::array<std::int16_t, 3>{1, 1, 3};
}

std::optional<std::string> DietCheckMessage(const Grid& dietsTable,
                                            const GrowthState& growth,
                                            int numDiets) {
  numDiets = std::min(numDiets, kMaxDiets);
  for (int d = 1; d <= numDiets; ++d) {
    for (const DietLimit& limit : kDietLimits) {
      double value = ReadNumber(dietsTable.Text(limit.row, d));
      if (limit.row == kDietEnergyRow) value = ConvertEnergy(growth, kToInternal, value);
      // NaN fails too: a diet must show that it lies within the limits.
      if (!(value >= limit.low && value <= limit.high)) {
        return limit.message + std::to_string(d);
      }
    }
  }
  return std::nullopt;
}

std::string SaveCalibrationQuestion(double finalAge,
                                    double totalFeed,
                                    const std::string& name,
                                    bool decimalComma) {
  return "Final Age " + ShortNumberText(finalAge, decimalComma) + "  Final Feed Intake is " +
         ShortNumberText(totalFeed, decimalComma) + "  Save this Calibration Data Set to " + name +
         " OK?";
}

std::optional<std::string> PoorFitMessage(const FitAgainstObserved& fit,
                                          const std::string& unit,
                                          bool decimalComma) {
  if (!fit.grew) {
    return std::string(
        "Poor fit: a growth run with the fitted curve fails before the final "
        "weight.");
  }
  const bool lateOrEarly = !(std::abs(fit.finalAge - fit.observedAge) <= kPoorFitDays);
  const bool feedOff =
      !(std::abs(fit.totalFeed - fit.observedFeed) <= kPoorFitFeedShare * fit.observedFeed);
  if (!lateOrEarly && !feedOff) return std::nullopt;
  auto text = [decimalComma](double value) { return ShortNumberText(value, decimalComma); };
  return "Poor fit: a growth run with the fitted curve reaches the final weight at " +
         text(fit.finalAge) + " days against " + text(fit.observedAge) + " observed, on " +
         text(fit.totalFeed) + " " + unit + " of feed against " + text(fit.observedFeed) +
         " observed (more than " + GeneralNumberText(kPoorFitDays, decimalComma) + " days or " +
         GeneralNumberText(100 * kPoorFitFeedShare, decimalComma) + " % off).";
}

int CorrelationRow(int numDiets) { return kObservedFirstRow + numDiets; }

void WriteFitCorrelations(Grid& results,
                          const CalibrationData& calib,
                          int numDiets,
                          bool decimalComma,
                          Dialogs& dialogs) {
  const int n = std::min(numDiets, kMaxDiets);
  if (n < 1) return;
  const auto& obs = calib.observations;
  // An earlier block, written for another diet count, goes first; row 9's
  // label "    of gain" stays.
  results.ClearRange(kObservedFirstRow, 1, kFinishingTitleRow - 1, kSummaryFeedColumn);
  results.ClearRange(kObservedFirstRow + 1, 0, kFinishingTitleRow - 1, 0);

  double observedFeed = 0;
  for (int i = 1; i <= n; ++i) {
    const int row = kObservedFirstRow + i - 1;
    observedFeed += obs[i + 1][kObsFeed];
    results.SetText(
        row, kSummaryWeightColumn, GeneralNumberText(obs[i + 1][kObsWeight], decimalComma));
    results.SetText(row, kSummaryAgeColumn, GeneralNumberText(obs[i + 1][kObsAge], decimalComma));
    results.SetText(row, kSummaryFeedColumn, GeneralNumberText(observedFeed, decimalComma));
  }

  // Weight and age at the end of each diet, and the feed eaten by then.
  Correlation::PairTable weight{};
  Correlation::PairTable age{};
  Correlation::PairTable feed{};
  double simulatedFeed = 0;
  for (int i = 1; i <= n; ++i) {
    const int row = kObservedFirstRow + i - 1;
    weight[i] = {0, obs[i + 1][kObsWeight], ReadNumber(results.Text(i, kSummaryWeightColumn))};
    age[i] = {0, obs[i + 1][kObsAge], ReadNumber(results.Text(i, kSummaryAgeColumn))};
    simulatedFeed += ReadNumber(results.Text(i, kSummaryFeedColumn));
    feed[i] = {0, ReadNumber(results.Text(row, kSummaryFeedColumn)), simulatedFeed};
  }
  const int correl = CorrelationRow(n);
  const std::pair<int, const Correlation::PairTable*> columns[] = {
      {kSummaryWeightColumn, &weight}, {kSummaryAgeColumn, &age}, {kSummaryFeedColumn, &feed}};
  for (const auto& [column, pairs] : columns) {
    const double r = Correlation::CorrelationCoefficient(*pairs, n, &dialogs);
    results.SetText(correl, column, ShortNumberText(r, decimalComma));
  }
  results.SetText(correl, 0, kCorrelationLabel);
}
