#pragma once

#include <array>

#include "model/GlobalPig.h"
#include "model/Units.h"

// A group of weanling pigs from 6.2 kg at 21 days to 25 kg on three nursery
// diets (3, 8 and 20 kg per pig) with the default growth curve.
inline void LoadThreeDiets(GlobalPig& pig) {
  struct Diet {
    double pricePerTonne, energy, protein, lysine, allowance;
  };
  constexpr std::array<Diet, 3> kDiets{{
      {640, 2450, 22, 1.50, 3},
      {450, 2500, 20, 1.35, 8},
      {340, 2550, 19, 1.25, 20},
  }};
  // Arginine to valine relative to lysine.
  constexpr std::array<double, 12> kRatio{
      0.85, 0.34, 1.0, 0.185, 1.14, 0.66, 0.55, 0.31, 0.59, 1.07, 0.60, 0.65};
  SetUnitSwitch(pig, 0);
  pig.NumDiets = 3;
  for (int c = 1; c <= 3; ++c) {
    const Diet& diet = kDiets[c - 1];
    pig.DietNutrients[c][kPrice] = diet.pricePerTonne;
    pig.DietNutrients[c][kEnergy] = diet.energy;
    pig.DietNutrients[c][kProtein] = diet.protein;
    for (int i = kArginine; i <= kValine; ++i) {
      pig.DietNutrients[c][i] = diet.lysine * kRatio[i - kArginine];
    }
    pig.DietFeedAmount[c] = diet.allowance;
  }
  pig.GrowthCoef = pig.DefaultGrowthCoef;
  pig.StartAge = 21;
  pig.StartWeight = 6.2;
  pig.LiveWeight[21][kHerdColumn] = 6.2;
  pig.FinalWeight = 25;
  pig.FinalAge = 0;
  pig.RunSlot = 0;
  pig.ShowDailyRows = false;
}

// One diet of `energy` kcal/kg, 22 % protein and every amino acid at
// `aminoAcids` %, with an allowance of `allowance` kg.
inline void LoadOneDiet(GlobalPig& pig, double energy, double aminoAcids, double allowance) {
  pig.NumDiets = 1;
  pig.DietNutrients[1][kEnergy] = energy;
  pig.DietNutrients[1][kProtein] = 22;
  for (int i = kArginine; i <= kValine; ++i) pig.DietNutrients[1][i] = aminoAcids;
  pig.DietFeedAmount[1] = allowance;
}
