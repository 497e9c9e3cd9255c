#include "model/GrowthExample.h"

#include <array>
#include <cstdint>

#include "model/GlobalPig.h"
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

void LoadExampleDiets(GlobalPig& pig) {
  SetUnitSwitch(pig, 0);
  pig.NumDiets = static_cast<std::int16_t>(kExampleDiets.size());
  for (int c = 1; c <= pig.NumDiets; ++c) {
    const ExampleDiet& diet = kExampleDiets[c - 1];
    auto& nutrients = pig.DietNutrients[c];
    nutrients[kPrice] = diet.pricePerTonne;
    nutrients[kEnergy] = diet.energy;
    nutrients[kProtein] = diet.protein;
    for (int i = kArginine; i <= kValine; ++i) {
      nutrients[i] = diet.lysine * kRatioToLysine[i - kArginine];
    }
    pig.DietFeedAmount[c] = diet.allowance;
  }
  pig.GrowthCoef = pig.DefaultGrowthCoef;
  pig.StartAge = 21;
  // Just above B0: a start below the curve's own starting weight fails at
  // once, as the next weight falls below B0.
  pig.StartWeight = 6.2;
  pig.LiveWeight[pig.StartAge][kHerdColumn] = pig.StartWeight;
  pig.FinalWeight = 25;
  pig.FinalAge = 0;
  pig.RunSlot = 0;
  pig.ShowDailyRows = false;
}
