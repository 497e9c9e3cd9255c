#include "model/PigGrowth.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "model/Units.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/NumberFormat.h"

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

int DietCount(const GlobalPig& pig) { return std::clamp<int>(pig.NumDiets, 1, kMaxDiets); }

// A slot outside the CumFeed table counts as the herd's.
int SlotOf(const GlobalPig& pig) {
  return pig.RunSlot >= 0 && pig.RunSlot < kRunSlots ? pig.RunSlot : 0;
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
void SetFeedCells(const GlobalPig& pig,
                  Grid& grid,
                  int row,
                  double intake,
                  double cumulative,
                  std::string_view feedPattern,
                  std::string_view totalPattern) {
  SetNumberCell(grid,
                row,
                kDailyFeedColumn,
                ConvertWeight(pig, kToDisplay, intake),
                feedPattern,
                pig.DecimalComma);
  SetNumberCell(grid,
                row,
                kTotFeedColumn,
                ConvertWeight(pig, kToDisplay, cumulative),
                totalPattern,
                pig.DecimalComma);
}

// Feeds the day the allowance of the current diet runs out as a mix: the old
// diet for what is left of its allowance, the new one for the rest, taking
// yesterday's intake for today's. The intake is this run's own (the herd
// column), never an entry left from another run. With no intake yesterday,
// or the allowance already overrun, the whole day is the new diet.
void SetChangeDaySupply(GlobalPig& pig, int diet, double allowance, double yesterday) {
  const double left = allowance - pig.CumFeed[SlotOf(pig)];
  const double oldShare = yesterday > 0 ? std::clamp(left / yesterday, 0.0, 1.0) : 0.0;
  const auto& oldDiet = pig.DietNutrients[diet];
  const auto& newDiet = pig.DietNutrients[diet + 1];
  for (int i = kFirstNutrient; i <= kLastNutrient; ++i) {
    pig.DaySupply[i] = (1 - oldShare) * newDiet[i] + oldShare * oldDiet[i];
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

DayBalance BalanceEnergy(GlobalPig& pig, int day, double next, double maintenanceScale) {
  const double weight = pig.LiveWeight[day][kHerdColumn];
  const double lipidToday = pig.BodyLipid[day];
  const double lipidFraction = lipidToday / weight + kLipidFractionRise;
  pig.DayMeanWeight = std::sqrt(weight * next);
  const double maintenance = std::pow(pig.DayMeanWeight, kMetabolicExponent) * maintenanceScale *
                             kMaintenancePerMetabolicKg;
  const double capacity = day * kCapacityPerDayOfAge + kCapacityAtBirth;

  DayBalance b;
  b.lipid = lipidFraction * next - lipidToday;
  b.lean = next - weight - b.lipid;
  b.protein = kProteinInLean * b.lean;
  b.growthEnergy = b.lipid * pig.LipidEnergy + b.lean * pig.LeanEnergy;
  b.requirement = maintenance + b.growthEnergy;
  const double surplus = capacity - b.requirement;
  if (weight > kEnergyBalanceWeight) {
    if (surplus < kMinSurplus) b.requirement = capacity;
    b.lipid += surplus / pig.LipidEnergy;
  }
  return b;
}

// The end of the day's second pass: the intake is recorded and the diet
// moves on once its allowance has been eaten.
void FinishDay(GlobalPig& pig,
               int day,
               double allowance,
               const DayBalance& b,
               double gain,
               double& next,
               Grid* results) {
  const int slot = SlotOf(pig);
  pig.DailyFeed[day + 1][kHerdColumn] = pig.DayFeedIntake;
  pig.CumFeed[slot] += pig.DayFeedIntake;
  if (pig.ShowDailyRows) {
    if (results) {
      SetFeedCells(pig,
                   *results,
                   day - pig.StartAge + 2,
                   pig.DayFeedIntake,
                   pig.CumFeed[slot],
                   "##.0",
                   "###.0");
    }
    pig.LiveWeight[day][kLeanGainColumn] = b.lean;
    pig.LiveWeight[day][kLipidGainColumn] = b.lipid;
  }
  const int numDiets = DietCount(pig);
  const int diet = pig.CurrentDiet;
  if (pig.CumFeed[slot] >= allowance) {
    pig.DietPhaseLog[diet] = {static_cast<double>(day),
                              pig.LiveWeight[day][kHerdColumn],
                              pig.DietPhaseLog[diet - 1].cumFeed + pig.DietFeedAmount[diet]};
    ++pig.CurrentDiet;
  }
  if (pig.CurrentDiet > numDiets) {
    pig.CurrentDiet = static_cast<std::int16_t>(numDiets);
    pig.DietPhaseLog[numDiets].cumFeed = pig.CumFeed[slot];
  }
  if (b.growthEnergy < kMinGrowthEnergy) {
    pig.GrowthFailed = true;
    return;
  }
  next = pig.LiveWeight[day][kHerdColumn] + gain;
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

void RunGrowthDays(GlobalPig& pig, Grid* results, Dialogs* dialogs) {
  pig.LipidEnergy = kLipidDepositionEnergy;
  pig.LeanEnergy = kLeanDepositionEnergy;
  pig.CurrentDiet = 1;
  pig.DaySupply[kPrice] = ConvertPrice(pig, kToInternal, pig.DietNutrients[1][kPrice]);
  for (int i = kFirstNutrient; i <= kLastNutrient; ++i) pig.DaySupply[i] = pig.DietNutrients[1][i];
  // Every day of the herd column belongs to this run, so the diet mix never
  // reads an intake left from an earlier one.
  for (auto& feed : pig.DailyFeed) feed[kHerdColumn] = 0;
  pig.GrowthFailed = false;
  pig.CumFeed[SlotOf(pig)] = 0;

  auto& coef = pig.GrowthCoef;
  if (coef[3] == 0) coef[3] = kZeroB3;
  if (coef[0] < kMinB0) coef[0] = kMinB0;
  if (pig.StartAge < 0 || pig.StartAge > kMaxAge || !(coef[1] > 0) || !(coef[2] > 0)) {
    pig.GrowthFailed = true;
    return;
  }
  const int start = pig.StartAge;
  // Age 0 holds B0 during a run, unless the run starts there.
  if (start > 0) pig.LiveWeight[0][kHerdColumn] = coef[0];

  const double startWeight = pig.LiveWeight[start][kHerdColumn];
  const auto& c = pig.LipidCurve;
  pig.BodyLipid[start] =
      startWeight * (c[0] + c[1] * startWeight + c[2] * startWeight * startWeight +
                     c[3] * startWeight * startWeight * startWeight);
  if (!(startWeight > 0)) {
    pig.GrowthFailed = true;
    return;
  }
  pig.DietPhaseLog = {};
  pig.DietPhaseLog[0] = {static_cast<double>(start), startWeight, 0};

  int d = start;
  while (pig.LiveWeight[d][kHerdColumn] < pig.FinalWeight) {
    if (d >= kMaxAge) break;  // tomorrow would be past the day tables
    const double weight = pig.LiveWeight[d][kHerdColumn];
    const double t = CurveAgeAt(coef, weight);
    pig.CurveAge = t;
    const double w0 = CurveWeight(coef, t);
    const double w1 = CurveWeight(coef, t + 1);
    // The slope term takes the power at T + 1 but the exponential at T.
    const double slope = coef[1] * coef[2] * coef[3] * std::pow(t + 1, coef[1] - 1) * w1 *
                         std::exp(-coef[3] * std::pow(t, coef[1]));
    pig.NextWeight = weight + (w1 - w0 + slope) * 0.5;
    if (w0 == 0) {
      pig.GrowthFailed = true;
      return;
    }
    GrowOneDay(pig, t, d, pig.NextWeight, results, dialogs);
    if (pig.GrowthFailed) return;
    if (d >= kLastGrowthAge) break;
    pig.LiveWeight[d + 1][kHerdColumn] = pig.NextWeight;
    if (results) {
      const int row = d - start + 1;
      SetNumberCell(*results,
                    row,
                    kWeightColumn,
                    ConvertWeight(pig, kToDisplay, weight),
                    "###.#",
                    pig.DecimalComma);
      SetIntegerCell(*results, row, kAgeColumn, d);
    }
    ++d;
  }
  if (pig.LiveWeight[d][kHerdColumn] >= pig.FinalWeight) CloseFinalDay(pig, d, results);
  if (pig.FinalAge == 0) pig.FinalAge = d;
}

void GrowOneDay(
    GlobalPig& pig, double /*curveAge*/, int day, double& next, Grid* results, Dialogs* dialogs) {
  // Today and tomorrow must both be in the day tables, and today's weight
  // carries the lipid fraction.
  if (day < 0 || day >= kMaxAge || !(pig.LiveWeight[day][kHerdColumn] > 0)) {
    pig.GrowthFailed = true;
    return;
  }
  const int numDiets = DietCount(pig);
  pig.CurrentDiet = static_cast<std::int16_t>(std::clamp<int>(pig.CurrentDiet, 1, numDiets));
  const int diet = pig.CurrentDiet;
  double allowance = 0;
  for (int k = 1; k <= diet; ++k) allowance += pig.DietFeedAmount[k];
  for (int i = kFirstNutrient; i <= kLastNutrient; ++i) {
    pig.DaySupply[i] = pig.DietNutrients[diet][i];
  }
  const double yesterday = pig.DailyFeed[day][kHerdColumn];
  if (diet < numDiets && pig.CumFeed[SlotOf(pig)] + yesterday >= allowance) {
    SetChangeDaySupply(pig, diet, allowance, yesterday);
  }

  const double maintenanceScale = pig.GrowthCoef[4] == 0 ? 1.0 : pig.GrowthCoef[4];
  const double weight = pig.LiveWeight[day][kHerdColumn];
  // The amino-acid limit applies once, to the energy-based gain of the first
  // pass; the second pass re-balances energy for the limited weight.
  for (int pass = 1; pass <= 2; ++pass) {
    if (next > kMaxLiveWeight) {
      pig.GrowthFailed = true;
      if (dialogs) dialogs->Message(kRunawayMessage);
      return;
    }
    if (next < pig.GrowthCoef[0] || std::isnan(next)) {
      pig.GrowthFailed = true;
      return;
    }
    const DayBalance b = BalanceEnergy(pig, day, next, maintenanceScale);
    // Feed without energy: the day keeps its potential weight, no intake.
    if (pig.DaySupply[kEnergy] == 0) {
      pig.DayFeedIntake = 0;
      pig.BodyLipid[day + 1] = pig.BodyLipid[day] + b.lipid;
      return;
    }
    pig.DayFeedIntake = b.requirement / pig.DaySupply[kEnergy];
    if (!(pig.DayFeedIntake >= kMinIntake)) {
      pig.GrowthFailed = true;
      return;
    }
    pig.BodyLipid[day + 1] = pig.BodyLipid[day] + b.lipid;
    double gain = b.lipid + b.lean;
    if (gain < 0) gain = kNegativeGainStandIn;
    if (pass == 1) {
      AminoAcidFactor(pig, b.protein, gain);
      next = weight + gain;
      if (pig.GrowthFailed) return;
    } else {
      FinishDay(pig, day, allowance, b, gain, next, results);
    }
  }
}

void AminoAcidFactor(GlobalPig& pig, double proteinDeposition, double& gain) {
  const double intake = pig.DayFeedIntake;
  // Requirements are per cent of the feed eaten; without feed there is none.
  if (!(intake > 0)) {
    pig.GrowthFailed = true;
    return;
  }
  std::array<double, kNutrients> requirement{};
  requirement[kProtein] =
      (kProteinMaintenance * std::pow(pig.DayMeanWeight, kMetabolicExponent) / 1000 +
       proteinDeposition) *
      100 / intake;
  for (int i = kFirstAminoAcid; i <= kLastNutrient; ++i) {
    requirement[i] =
        proteinDeposition * 10 * pig.AminoAcidPattern[i - kFirstAminoAcid + 1] * 10 / intake;
  }

  double ratio = kRatioStart;
  for (int i = kProtein; i <= kLastNutrient; ++i) {
    // A nutrient with no requirement cannot limit; an empty supply entry
    // (ratio 0) is not counted either.
    const double need = requirement[i] * kSafetyMargin;
    pig.NutrientRatio[i] = need > 0 ? pig.DaySupply[i] / need : 0;
    if (pig.NutrientRatio[i] > 0 && pig.NutrientRatio[i] < ratio) ratio = pig.NutrientRatio[i];
  }
  if (ratio < kRatioFloor) ratio = kRatioFloor;
  if (ratio >= kRatioCeiling) ratio = kRatioCeiling;

  const double excess = pig.DaySupply[kProtein] - requirement[kProtein];
  double k = (1 - std::exp(-kProteinResponseRate * excess)) * kProteinResponseMax + 1;
  if (k < 0) k = kProteinFactorFloor;

  gain = k * gain * ratio;
  if (gain < kMinGain) pig.GrowthFailed = true;
}

void CloseFinalDay(GlobalPig& pig, int day, Grid* results) {
  const int start = pig.StartAge;
  if (day < start || day < 0 || day > kMaxAge) return;  // not a day of this run
  const int slot = SlotOf(pig);
  const int row = day - start + 1;

  if (day == start) {
    // The group starts at or above the final weight: no day is grown.
    pig.CumFeed[slot] = 0;
    pig.FinalAge = start;
    if (results) {
      if (pig.ShowDailyRows) SetFeedCells(pig, *results, row, 0, 0, "###.00#", "##.0");
      SetNumberCell(*results,
                    row,
                    kWeightColumn,
                    ConvertWeight(pig, kToDisplay, pig.LiveWeight[day][kHerdColumn]),
                    "####.0",
                    pig.DecimalComma);
      SetNumberCell(*results, row, kAgeColumn, start, "###.0", pig.DecimalComma);
    }
    return;
  }

  const double weight = pig.LiveWeight[day][kHerdColumn];
  const double step = weight - pig.LiveWeight[day - 1][kHerdColumn];
  // The share of the last step needed to reach the final weight; a step of
  // zero has nothing to share.
  const double share = step > 0 ? std::clamp(1 - (weight - pig.FinalWeight) / step, 0.0, 1.0) : 1.0;
  const double feedBefore = pig.CumFeed[slot] - pig.DailyFeed[day][kHerdColumn];
  pig.DailyFeed[day][kHerdColumn] *= share;
  const double finalAge = (day - 1) + share;

  if (results) {
    if (pig.ShowDailyRows) {
      SetFeedCells(pig,
                   *results,
                   row,
                   pig.DailyFeed[day][kHerdColumn],
                   feedBefore + pig.DailyFeed[day][kHerdColumn],
                   "###.00#",
                   "##.0");
    }
    SetNumberCell(*results,
                  row,
                  kWeightColumn,
                  ConvertWeight(pig, kToDisplay, pig.FinalWeight),
                  "####.0",
                  pig.DecimalComma);
    SetNumberCell(*results, row, kAgeColumn, finalAge, "###.0", pig.DecimalComma);
  }
  pig.CumFeed[slot] = feedBefore + pig.DailyFeed[day][kHerdColumn];
  pig.FinalAge = finalAge;
}

}  // namespace PigGrowth
