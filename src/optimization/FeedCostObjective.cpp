// The feed-cost objective of the diet optimization: each trial point is
// formulated, grown and priced, with a per-diet cache of the energy and
// protein each diet was last formulated at.

#include "optimization/FeedCostObjective.h"

#include <algorithm>
#include <cmath>

#include "model/GrowthSummary.h"
#include "model/PigGrowth.h"
#include "model/Units.h"
#include "platform/Grid.h"

namespace {

constexpr double kWholeUnitsAbove = 900;  // kcal-sized energies: whole units
constexpr double kTwoPlacesAbove = 10;    // MJ-sized energies: 2 decimals

int Diets(const OptVariables& x) { return std::clamp(x.n / kOptKinds, 0, kOptDiets); }

// Rounds to `places` decimals, halves to even (the default rounding mode).
double RoundPlaces(double value, int places) {
  const double factor = std::pow(10.0, places);
  return std::nearbyint(value * factor) / factor;
}

}  // namespace

bool FailedScore(double score) { return !(score < kOptBig); }

bool OptBestRecord::Offer(double score, const OptVector& x) {
  if (FailedScore(score)) return false;
  if (found && !(score < bestScore)) return false;
  found = true;
  bestScore = score;
  bestVar = x;
  return true;
}

double RoundTriedEnergy(double energy) {
  if (energy > kWholeUnitsAbove) return RoundPlaces(energy, 0);
  if (energy > kTwoPlacesAbove) return RoundPlaces(energy, 2);
  return RoundPlaces(energy, 3);
}

double RoundTriedProtein(double protein) { return RoundPlaces(protein, 1); }

void PrepareFeedCost(FeedCostState& state, const FormulationTables& tables, int diets) {
  diets = std::clamp(diets, 0, kMaxDiets);
  for (int d = 1; d <= kMaxDiets; ++d) {
    const auto& minimum = tables.nutrientRestrictions[d][kMinKind];
    const auto& maximum = tables.nutrientRestrictions[d][kMaxKind];
    state.baseDiet[d] = minimum;
    // A diet without an energy maximum keeps none; otherwise the band keeps
    // its width as the minimum moves.
    state.energyBand[d] =
        maximum[kEnergy] > 0 ? std::max(maximum[kEnergy] - minimum[kEnergy], 0.0) : -1;
    state.formulated[d] = false;
    state.formulatedAt[d] = {0, 0};
    state.triedFeedAmount[d] = state.tableValues[d][kFeedKind][kOptCurrent];
  }
  state.scale.fill(0);
  for (int i = 1; i <= std::min(kOptKinds * diets, kMaxOptVars); ++i) {
    const auto& row = state.tableValues[VariableDiet(i)][VariableKind(i)];
    state.scale[i] = (row[kOptMaximum] - row[kOptMinimum]) / kCoordSpan;
  }
  state.evaluations = 0;
  state.lpSolves = 0;
  state.growthRuns = 0;
}

double FeedCostObjective::TableValue(const OptVariables& x, int i) const {
  const int d = VariableDiet(i);
  const int k = VariableKind(i);
  if (x.fixedFlags[i] == 0) {
    return (x.point[i] - x.lower[i]) * state_.scale[i] + state_.tableValues[d][k][kOptMinimum];
  }
  if (k == kFeedKind) return state_.tableValues[d][k][kOptCurrent];
  return state_.baseDiet[d][k == kEnergyKind ? kEnergy : kProtein];
}

// The restrictions of `diet` at its tried energy and protein minima.
void FeedCostObjective::SetTriedDiet(int diet) {
  auto& minimum = lp_.tables.nutrientRestrictions[diet][kMinKind];
  auto& maximum = lp_.tables.nutrientRestrictions[diet][kMaxKind];
  if (minimum[kEnergy] == 0) return;
  minimum[kEnergy] = RoundTriedEnergy(minimum[kEnergy]);
  const double band = state_.energyBand[diet];
  maximum[kEnergy] = band < 0 ? 0 : minimum[kEnergy] + band;
  // The protein maximum is left to the formulation (FormulateDiets): a diet
  // that is not re-formulated keeps the maximum it was formulated with.
  minimum[kProtein] = RoundTriedProtein(minimum[kProtein]);
  // Amino acids keep their ratio to protein; without a base protein there is
  // no ratio and they stay.
  const auto& base = state_.baseDiet[diet];
  if (!(base[kProtein] > 0)) return;
  for (int j = kArginine; j <= kValine; ++j) {
    minimum[j] = base[j] * minimum[kProtein] / base[kProtein];
  }
}

void FeedCostObjective::FormulateDiets(int diets) {
  GrowthState& growth = lp_.growth;
  for (int d = 1; d <= diets; ++d) {
    const auto& kinds = lp_.tables.nutrientRestrictions[d];
    const std::array<double, 2> at{kinds[kMinKind][kEnergy], kinds[kMinKind][kProtein]};
    if (state_.formulated[d] && state_.formulatedAt[d] == at) continue;
    // BuildLp sets the protein maximum the diet is formulated with (its
    // band, or minimum + 0.25), so the restrictions show what was used.
    BuildLp(lp_, d);
    lp_.state.dietProblems[d] = 0;
    SolveDiet(lp_, d);
    state_.formulatedAt[d] = at;
    state_.formulated[d] = true;
    ++state_.lpSolves;
    growth.dietNutrients[d][kEnergy] =
        ConvertEnergy(growth, kToInternal, growth.dietNutrients[d][kEnergy]);
  }
}

// Grows the pigs on the tried feed amounts and prices the feed of each phase.
double FeedCostObjective::PriceRun(int diets) {
  GrowthState& growth = lp_.growth;
  for (int d = 1; d <= diets; ++d) {
    growth.dietFeedAmount[d] = ConvertWeight(growth, kToInternal, state_.triedFeedAmount[d]);
  }
  if (growth.startAge >= 0 && growth.startAge <= kMaxAge) {
    growth.liveWeight[growth.startAge][kHerdColumn] = state_.startWeight;
  }
  growth.runSlot = 0;
  growth.growthFailed = false;
  growth.currentDiet = 1;
  growth.finalAge = 0;
  PigGrowth::RunGrowthDays(growth);
  ++state_.growthRuns;
  if (growth.growthFailed) return kOptBig;
  CloseDietPhases(growth);
  // Pigs that stop short of the target have no cost to the target.
  if (growth.dietPhaseLog[diets].weight < growth.finalWeight) return kOptBig;
  // The last diet is fed to the target: its amount is what the pigs ate of it.
  growth.dietFeedAmount[diets] = DietPhaseFeed(growth, diets);
  return FeedCostPerPig(growth, dietsTable_);
}

double FeedCostObjective::Evaluate(const OptVariables& x, int evaluations) {
  GrowthState& growth = lp_.growth;
  FormulationState& lp = lp_.state;
  auto& nut = lp_.tables.nutrientRestrictions;
  const int diets = Diets(x);
  ++state_.evaluations;
  if (diets == 0) return kOptBig;

  if (evaluations == 0) {
    for (int i = 1; i <= kOptKinds * diets; ++i) {
      if (x.fixedFlags[i] == 0) state_.formulated[VariableDiet(i)] = false;
    }
  }
  for (int i = 1; i <= kOptKinds * diets; ++i) {
    const int d = VariableDiet(i);
    const double value = TableValue(x, i);
    switch (VariableKind(i)) {
      case kFeedKind:
        state_.triedFeedAmount[d] = value;
        break;
      case kEnergyKind:
        nut[d][kMinKind][kEnergy] = value;
        break;
      default:
        nut[d][kMinKind][kProtein] = value;
        SetTriedDiet(d);
        break;
    }
  }

  growth.dietCount = static_cast<std::int16_t>(diets);
  growth.finalWeight = state_.targetWeight;
  if (state_.feedChoice == kFeedGrid) {
    for (int d = 1; d <= diets; ++d) growth.dietNutrients[d][kPrice] = lp.dietCost[d];
  } else {
    FormulateDiets(diets);
    for (int d = 1; d <= diets; ++d) {
      if (lp.dietProblems[d] <= 0) continue;
      // A diet never formulated has no cost to scale: the point is simply poor.
      const double cost = lp.dietCost[d];
      return cost > 0 ? cost * kInfeasiblePenalty : kOptBig;
    }
  }
  return PriceRun(diets);
}

void FeedCostObjective::NewBest(const OptVariables& x, double score) {
  if (!state_.showNewBest) return;
  OptBestShown shown;
  shown.costPerPig = score;
  shown.diets = Diets(x);
  for (int d = 1; d <= shown.diets; ++d) {
    shown.feedAmount[d] = state_.triedFeedAmount[d];
    shown.energy[d] = lp_.tables.nutrientRestrictions[d][kMinKind][kEnergy];
    shown.protein[d] = lp_.tables.nutrientRestrictions[d][kMinKind][kProtein];
  }
  state_.showNewBest(shown);
}
