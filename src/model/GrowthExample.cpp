#include "model/GrowthExample.h"

#include <array>
#include <cstdint>

#include "model/GrowthState.h"
#include "model/Units.h"

namespace {

struct ExampleDiet {
  double pricePerTonne;
  double energy;     // kcal NE per kg
  double protein;    // % of feed
  double lysine;     // % of feed
  double allowance;  // kg per pig
};

// Three nursery phases; the other amino acids follow lysine in a common
// ideal-protein ratio.
constexpr std::array<ExampleDiet, 3> kExampleDiets{{
    {640, 2450, 22, 1.50, 3},
    {450, 2500, 20, 1.35, 8},
    {340, 2550, 19, 1.25, 20},
}};

// Arginine to valine (nutrients 3..14) relative to lysine.
constexpr std::array<double, 12> kRatioToLysine{
    0.85, 0.34, 1.0, 0.185, 1.14, 0.66, 0.55, 0.31, 0.59, 1.07, 0.60, 0.65};

}  // namespace

void LoadExampleDiets(GrowthState& growth) {
  SetUnitSwitch(growth, 0);
  growth.dietCount = static_cast<std::int16_t>(kExampleDiets.size());
  for (int c = 1; c <= growth.dietCount; ++c) {
    const ExampleDiet& diet = kExampleDiets[c - 1];
    auto& nutrients = growth.dietNutrients[c];
    nutrients[kPrice] = diet.pricePerTonne;
    nutrients[kEnergy] = diet.energy;
    nutrients[kProtein] = diet.protein;
    for (int i = kArginine; i <= kValine; ++i) {
      nutrients[i] = diet.lysine * kRatioToLysine[i - kArginine];
    }
    growth.dietFeedAmount[c] = diet.allowance;
  }
  growth.growthCoef = growth.defaultGrowthCoef;
  growth.startAge = 21;
  // Just above B0: a start below the curve's own starting weight fails at
  // once, as the next weight falls below B0.
  growth.startWeight = 6.2;
  growth.liveWeight[growth.startAge][kHerdColumn] = growth.startWeight;
  growth.finalWeight = 25;
  growth.finalAge = 0;
  growth.runSlot = 0;
  growth.showDailyRows = false;
}
