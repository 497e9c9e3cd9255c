#include "model/PigGrowth.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "model/Units.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/NumberFormat.h"
#include "platform/VectorState.h"

namespace PigGrowth {
namespace {

// Tissue energies, kcal per kg deposited.
constexpr double kLipidDepositionEnergy = 6700;
constexpr double kLeanDepositionEnergy = 1231;

// Growth curve guards.
constexpr double kMinB0 = 1.0;      // kg
constexpr double kZeroB3 = 0.0001;  // replaces a rate of 0
constexpr double kMinCurveU = 0.0001;

// Energy of the day.
constexpr double kMaintenancePerMetabolicKg = 246.636;  // kcal per kg^0.6 per day
constexpr double kMetabolicExponent = 0.6;
constexpr double kCapacityPerDayOfAge = 27.0268;  // kcal/day per day of age
constexpr double kCapacityAtBirth = 1010.8;       // kcal/day
constexpr double kEnergyBalanceWeight = 10;       // kg; heavier pigs balance energy in lipid
constexpr double kMinSurplus = 1;                 // kcal/day
constexpr double kLipidFractionRise = 0.002;      // of live weight per day
constexpr double kProteinInLean = 0.22;

// Failure and replacement limits.
constexpr double kMaxLiveWeight = 1000;       // kg
constexpr double kMinIntake = 0.1;            // kg/day
constexpr double kNegativeGainStandIn = 0.6;  // kg/day
constexpr double kMinGrowthEnergy = 1.0;      // kcal/day
constexpr double kMinGain = 0.01;             // kg/day

// Protein and amino-acid response.
constexpr double kProteinMaintenance = 0.019805;  // g protein per kg^0.6 per day
constexpr double kSafetyMargin = 1.08;
constexpr double kRatioStart = 1.2;
constexpr double kRatioFloor = 0.7;
constexpr double kRatioCeiling = 1.0;
constexpr double kProteinResponseRate = 0.219;  // per % of feed above requirement
constexpr double kProteinResponseMax = 0.2959;
constexpr double kProteinFactorFloor = 0.1;

constexpr int kFirstNutrient = kEnergy;
constexpr int kLastNutrient = kValine;
constexpr int kFirstAminoAcid = kArginine;
constexpr int kRunSlots = 3;

const char* const kRunawayMessage = "alivewt ";

int DietCount(const GrowthState& growth) { return std::clamp<int>(growth.dietCount, 1, kMaxDiets); }

// A slot outside the cumFeed table counts as the herd's.
int SlotOf(const GrowthState& growth) {
  return growth.runSlot >= 0 && growth.runSlot < kRunSlots ? growth.runSlot : 0;
}

void SetNumberCell(
    Grid& grid, int row, int col, double value, std::string_view pattern, bool comma) {
  grid.SetText(row, col, FormatNumber(value, pattern, comma));
}

void SetIntegerCell(Grid& grid, int row, int col, int value) {
  char text[16];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  grid.SetText(row, col, std::string_view(text, static_cast<std::size_t>(end - text)));
}

// Writes the day's intake and the running total, which adds the intake to
// the total shown in the row above.
// The total is the run's own cumulative feed, not the rounded total shown in
// the row above plus today's: adding rounded texts drifts a tenth of a kg or
// more from the feed the pigs ate by the end of a run.
void SetFeedCells(const GrowthState& growth,
                  Grid& grid,
                  int row,
                  double intake,
                  double cumulative,
                  std::string_view feedPattern,
                  std::string_view totalPattern) {
  SetNumberCell(grid,
                row,
                kDailyFeedColumn,
                ConvertWeight(growth, kToDisplay, intake),
                feedPattern,
                growth.decimalComma);
  SetNumberCell(grid,
                row,
                kTotFeedColumn,
                ConvertWeight(growth, kToDisplay, cumulative),
                totalPattern,
                growth.decimalComma);
}

// Feeds the day the allowance of the current diet runs out as a mix: the old
// diet for what is left of its allowance, the new one for the rest, taking
// yesterday's intake for today's. The intake is this run's own (the herd
// column), never an entry left from another run. With no intake yesterday,
// or the allowance already overrun, the whole day is the new diet.
void SetChangeDaySupply(GrowthState& growth, int diet, double allowance, double yesterday) {
  const double left = allowance - growth.cumFeed[SlotOf(growth)];
  const double oldShare = yesterday > 0 ? std::clamp(left / yesterday, 0.0, 1.0) : 0.0;
  const auto& oldDiet = growth.dietNutrients[diet];
  const auto& newDiet = growth.dietNutrients[diet + 1];
  for (int i = kFirstNutrient; i <= kLastNutrient; ++i) {
    growth.daySupply[i] = (1 - oldShare) * newDiet[i] + oldShare * oldDiet[i];
  }
}

// Energy partition of one pass of the day.
struct DayBalance {
  double lipid = 0;    // kg lipid deposited
  double lean = 0;     // kg lean gained
  double protein = 0;  // kg protein deposited
  double growthEnergy = 0;
  double requirement = 0;  // kcal/day
};

DayBalance BalanceEnergy(GrowthState& growth, int day, double next, double maintenanceScale) {
  const double weight = growth.liveWeight[day][kHerdColumn];
  const double lipidToday = growth.bodyLipid[day];
  const double lipidFraction = lipidToday / weight + kLipidFractionRise;
  growth.dayMeanWeight = std::sqrt(weight * next);
  const double maintenance = std::pow(growth.dayMeanWeight, kMetabolicExponent) * maintenanceScale *
                             kMaintenancePerMetabolicKg;
  const double capacity = day * kCapacityPerDayOfAge + kCapacityAtBirth;

  DayBalance b;
  b.lipid = lipidFraction * next - lipidToday;
  b.lean = next - weight - b.lipid;
  b.protein = kProteinInLean * b.lean;
  b.growthEnergy = b.lipid * growth.lipidEnergy + b.lean * growth.leanEnergy;
  b.requirement = maintenance + b.growthEnergy;
  const double surplus = capacity - b.requirement;
  if (weight > kEnergyBalanceWeight) {
    if (surplus < kMinSurplus) b.requirement = capacity;
    b.lipid += surplus / growth.lipidEnergy;
  }
  return b;
}

// The end of the day's second pass: the intake is recorded and the diet
// moves on once its allowance has been eaten.
void FinishDay(GrowthState& growth,
               int day,
               double allowance,
               const DayBalance& b,
               double gain,
               double& next,
               Grid* results) {
  const int slot = SlotOf(growth);
  growth.dailyFeed[day + 1][kHerdColumn] = growth.dayFeedIntake;
  growth.cumFeed[slot] += growth.dayFeedIntake;
  if (growth.showDailyRows) {
    if (results) {
      SetFeedCells(growth,
                   *results,
                   day - growth.startAge + 2,
                   growth.dayFeedIntake,
                   growth.cumFeed[slot],
                   "##.0",
                   "###.0");
    }
    growth.liveWeight[day][kLeanGainColumn] = b.lean;
    growth.liveWeight[day][kLipidGainColumn] = b.lipid;
  }
  const int numDiets = DietCount(growth);
  const int diet = growth.currentDiet;
  if (growth.cumFeed[slot] >= allowance) {
    growth.dietPhaseLog[diet] = {
        static_cast<double>(day),
        growth.liveWeight[day][kHerdColumn],
        growth.dietPhaseLog[diet - 1].cumFeed + growth.dietFeedAmount[diet]};
    ++growth.currentDiet;
  }
  if (growth.currentDiet > numDiets) {
    growth.currentDiet = static_cast<std::int16_t>(numDiets);
    growth.dietPhaseLog[numDiets].cumFeed = growth.cumFeed[slot];
  }
  if (b.growthEnergy < kMinGrowthEnergy) {
    growth.growthFailed = true;
    return;
  }
  next = growth.liveWeight[day][kHerdColumn] + gain;
}

}  // namespace

double CurveWeight(const GrowthCoefficients& coef, double curveAge) {
  return coef[0] * std::exp(coef[2] * (1 - std::exp(-coef[3] * std::pow(curveAge, coef[1]))));
}

double CurveAgeAt(const GrowthCoefficients& coef, double weight) {
  const double logRatio = std::log(weight / coef[0]);
  const double u = std::clamp((coef[2] - logRatio) / coef[2], kMinCurveU, 1.0);
  return std::pow(-std::log(u) / coef[3], 1 / coef[1]);
}

void RunGrowthDays(GrowthState& growth, Grid* results, Dialogs* dialogs) {
  ClearUpperVectorState();  // or each day's pow and exp may run several times slower
  growth.lipidEnergy = kLipidDepositionEnergy;
  growth.leanEnergy = kLeanDepositionEnergy;
  growth.currentDiet = 1;
  growth.daySupply[kPrice] = ConvertPrice(growth, kToInternal, growth.dietNutrients[1][kPrice]);
  for (int i = kFirstNutrient; i <= kLastNutrient; ++i)
    growth.daySupply[i] = growth.dietNutrients[1][i];
  // Every day of the herd column belongs to this run, so the diet mix never
  // reads an intake left from an earlier one.
  for (auto& feed : growth.dailyFeed) feed[kHerdColumn] = 0;
  growth.growthFailed = false;
  growth.cumFeed[SlotOf(growth)] = 0;

  auto& coef = growth.growthCoef;
  if (coef[3] == 0) coef[3] = kZeroB3;
  if (coef[0] < kMinB0) coef[0] = kMinB0;
  if (growth.startAge < 0 || growth.startAge > kMaxAge || !(coef[1] > 0) || !(coef[2] > 0)) {
    growth.growthFailed = true;
    return;
  }
  const int start = growth.startAge;
  // Age 0 holds B0 during a run, unless the run starts there.
  if (start > 0) growth.liveWeight[0][kHerdColumn] = coef[0];

  const double startWeight = growth.liveWeight[start][kHerdColumn];
  const auto& c = growth.lipidCurve;
  growth.bodyLipid[start] =
      startWeight * (c[0] + c[1] * startWeight + c[2] * startWeight * startWeight +
                     c[3] * startWeight * startWeight * startWeight);
  if (!(startWeight > 0)) {
    growth.growthFailed = true;
    return;
  }
  growth.dietPhaseLog = {};
  growth.dietPhaseLog[0] = {static_cast<double>(start), startWeight, 0};

  int d = start;
  while (growth.liveWeight[d][kHerdColumn] < growth.finalWeight) {
    if (d >= kMaxAge) break;  // tomorrow would be past the day tables
    const double weight = growth.liveWeight[d][kHerdColumn];
    const double t = CurveAgeAt(coef, weight);
    growth.curveAge = t;
    const double w0 = CurveWeight(coef, t);
    const double w1 = CurveWeight(coef, t + 1);
    // The slope term takes the power at T + 1 but the exponential at T.
    const double slope = coef[1] * coef[2] * coef[3] * std::pow(t + 1, coef[1] - 1) * w1 *
                         std::exp(-coef[3] * std::pow(t, coef[1]));
    growth.nextWeight = weight + (w1 - w0 + slope) * 0.5;
    if (w0 == 0) {
      growth.growthFailed = true;
      return;
    }
    GrowOneDay(growth, t, d, growth.nextWeight, results, dialogs);
    if (growth.growthFailed) return;
    if (d >= kLastGrowthAge) break;
    growth.liveWeight[d + 1][kHerdColumn] = growth.nextWeight;
    if (results) {
      const int row = d - start + 1;
      SetNumberCell(*results,
                    row,
                    kWeightColumn,
                    ConvertWeight(growth, kToDisplay, weight),
                    "###.#",
                    growth.decimalComma);
      SetIntegerCell(*results, row, kAgeColumn, d);
    }
    ++d;
  }
  if (growth.liveWeight[d][kHerdColumn] >= growth.finalWeight) CloseFinalDay(growth, d, results);
  if (growth.finalAge == 0) growth.finalAge = d;
}

void GrowOneDay(GrowthState& growth,
                double /*curveAge*/,
                int day,
                double& next,
                Grid* results,
                Dialogs* dialogs) {
  // Today and tomorrow must both be in the day tables, and today's weight
  // carries the lipid fraction.
  if (day < 0 || day >= kMaxAge || !(growth.liveWeight[day][kHerdColumn] > 0)) {
    growth.growthFailed = true;
    return;
  }
  const int numDiets = DietCount(growth);
  growth.currentDiet = static_cast<std::int16_t>(std::clamp<int>(growth.currentDiet, 1, numDiets));
  const int diet = growth.currentDiet;
  double allowance = 0;
  for (int k = 1; k <= diet; ++k) allowance += growth.dietFeedAmount[k];
  for (int i = kFirstNutrient; i <= kLastNutrient; ++i) {
    growth.daySupply[i] = growth.dietNutrients[diet][i];
  }
  const double yesterday = growth.dailyFeed[day][kHerdColumn];
  if (diet < numDiets && growth.cumFeed[SlotOf(growth)] + yesterday >= allowance) {
    SetChangeDaySupply(growth, diet, allowance, yesterday);
  }

  const double maintenanceScale = growth.growthCoef[4] == 0 ? 1.0 : growth.growthCoef[4];
  const double weight = growth.liveWeight[day][kHerdColumn];
  // The amino-acid limit applies once, to the energy-based gain of the first
  // pass; the second pass re-balances energy for the limited weight.
  for (int pass = 1; pass <= 2; ++pass) {
    if (next > kMaxLiveWeight) {
      growth.growthFailed = true;
      if (dialogs) dialogs->Message(kRunawayMessage);
      return;
    }
    if (next < growth.growthCoef[0] || std::isnan(next)) {
      growth.growthFailed = true;
      return;
    }
    const DayBalance b = BalanceEnergy(growth, day, next, maintenanceScale);
    // Feed without energy: the day keeps its potential weight, no intake.
    if (growth.daySupply[kEnergy] == 0) {
      growth.dayFeedIntake = 0;
      growth.bodyLipid[day + 1] = growth.bodyLipid[day] + b.lipid;
      return;
    }
    growth.dayFeedIntake = b.requirement / growth.daySupply[kEnergy];
    if (!(growth.dayFeedIntake >= kMinIntake)) {
      growth.growthFailed = true;
      return;
    }
    growth.bodyLipid[day + 1] = growth.bodyLipid[day] + b.lipid;
    double gain = b.lipid + b.lean;
    if (gain < 0) gain = kNegativeGainStandIn;
    if (pass == 1) {
      AminoAcidFactor(growth, b.protein, gain);
      next = weight + gain;
      if (growth.growthFailed) return;
    } else {
      FinishDay(growth, day, allowance, b, gain, next, results);
    }
  }
}

void AminoAcidFactor(GrowthState& growth, double proteinDeposition, double& gain) {
  const double intake = growth.dayFeedIntake;
  // Requirements are per cent of the feed eaten; without feed there is none.
  if (!(intake > 0)) {
    growth.growthFailed = true;
    return;
  }
  std::array<double, kNutrients> requirement{};
  requirement[kProtein] =
      (kProteinMaintenance * std::pow(growth.dayMeanWeight, kMetabolicExponent) / 1000 +
       proteinDeposition) *
      100 / intake;
  for (int i = kFirstAminoAcid; i <= kLastNutrient; ++i) {
    requirement[i] =
        proteinDeposition * 10 * growth.aminoAcidPattern[i - kFirstAminoAcid + 1] * 10 / intake;
  }

  double ratio = kRatioStart;
  for (int i = kProtein; i <= kLastNutrient; ++i) {
    // A nutrient with no requirement cannot limit; an empty supply entry
    // (ratio 0) is not counted either.
    const double need = requirement[i] * kSafetyMargin;
    growth.nutrientRatio[i] = need > 0 ? growth.daySupply[i] / need : 0;
    if (growth.nutrientRatio[i] > 0 && growth.nutrientRatio[i] < ratio)
      ratio = growth.nutrientRatio[i];
  }
  if (ratio < kRatioFloor) ratio = kRatioFloor;
  if (ratio >= kRatioCeiling) ratio = kRatioCeiling;

  const double excess = growth.daySupply[kProtein] - requirement[kProtein];
  double k = (1 - std::exp(-kProteinResponseRate * excess)) * kProteinResponseMax + 1;
  if (k < 0) k = kProteinFactorFloor;

  gain = k * gain * ratio;
  if (gain < kMinGain) growth.growthFailed = true;
}

void CloseFinalDay(GrowthState& growth, int day, Grid* results) {
  const int start = growth.startAge;
  if (day < start || day < 0 || day > kMaxAge) return;  // not a day of this run
  const int slot = SlotOf(growth);
  const int row = day - start + 1;

  if (day == start) {
    // The group starts at or above the final weight: no day is grown.
    growth.cumFeed[slot] = 0;
    growth.finalAge = start;
    if (results) {
      if (growth.showDailyRows) SetFeedCells(growth, *results, row, 0, 0, "###.00#", "##.0");
      SetNumberCell(*results,
                    row,
                    kWeightColumn,
                    ConvertWeight(growth, kToDisplay, growth.liveWeight[day][kHerdColumn]),
                    "####.0",
                    growth.decimalComma);
      SetNumberCell(*results, row, kAgeColumn, start, "###.0", growth.decimalComma);
    }
    return;
  }

  const double weight = growth.liveWeight[day][kHerdColumn];
  const double step = weight - growth.liveWeight[day - 1][kHerdColumn];
  // The share of the last step needed to reach the final weight; a step of
  // zero has nothing to share.
  const double share =
      step > 0 ? std::clamp(1 - (weight - growth.finalWeight) / step, 0.0, 1.0) : 1.0;
  const double feedBefore = growth.cumFeed[slot] - growth.dailyFeed[day][kHerdColumn];
  growth.dailyFeed[day][kHerdColumn] *= share;
  const double finalAge = (day - 1) + share;

  if (results) {
    if (growth.showDailyRows) {
      SetFeedCells(growth,
                   *results,
                   row,
                   growth.dailyFeed[day][kHerdColumn],
                   feedBefore + growth.dailyFeed[day][kHerdColumn],
                   "###.00#",
                   "##.0");
    }
    SetNumberCell(*results,
                  row,
                  kWeightColumn,
                  ConvertWeight(growth, kToDisplay, growth.finalWeight),
                  "####.0",
                  growth.decimalComma);
    SetNumberCell(*results, row, kAgeColumn, finalAge, "###.0", growth.decimalComma);
  }
  growth.cumFeed[slot] = feedBefore + growth.dailyFeed[day][kHerdColumn];
  growth.finalAge = finalAge;
}

}  // namespace PigGrowth
