// Model: PigGrowth, the daily growth model.
#pragma once

#include <array>

#include "model/GrowthState.h"

class Dialogs;
class Grid;

// Daily growth of a group of weanling pigs. A calibrated growth curve
//   W(T) = B0 * exp(B2 * (1 - exp(-B3 * T^B1)))
// gives each day's potential gain; the feed limits it through a daily energy
// capacity and the energy cost of depositing lipid and lean tissue, then
// through the protein and amino-acid supply against the day's requirement.
// All values are in internal units (kg, days, kcal NE per kg, % of feed).
namespace PigGrowth {

// Columns of the daily rows of the results table.
inline constexpr int kAgeColumn = 5;
inline constexpr int kWeightColumn = 6;
inline constexpr int kDailyFeedColumn = 7;
inline constexpr int kTotFeedColumn = 8;

// The run stops after computing the day that starts at this age.
inline constexpr int kLastGrowthAge = 198;

using GrowthCoefficients = std::array<double, 5>;  // B0..B4

// Potential weight (kg) at curve age T (days).
double CurveWeight(const GrowthCoefficients& coef, double curveAge);
// Curve age (days) of a weight (kg); weights below B0 give 0 and weights at
// or above the mature weight B0 * exp(B2) the age of 0.01 % of the way left.
// B1, B2 and B3 must be above 0.
double CurveAgeAt(const GrowthCoefficients& coef, double weight);

// Runs the whole simulation from startAge; growthFailed tells whether it
// failed. When `results` is given, the daily rows (age and weight, and the
// feed columns when showDailyRows is set) are written into it; `dialogs`, when
// given, shows the message of a runaway weight.
void RunGrowthDays(GrowthState& growth, Grid* results = nullptr, Dialogs* dialogs = nullptr);

// Limits one day's potential gain by the feed. `day` is the current age;
// `next` comes in as tomorrow's potential weight and goes out as the weight
// achieved.
void GrowOneDay(GrowthState& growth,
                double curveAge,
                int day,
                double& next,
                Grid* results = nullptr,
                Dialogs* dialogs = nullptr);

// Scales `gain` (kg/day) by the protein and amino-acid adequacy of daySupply
// for a protein deposition of `proteinDeposition` kg/day.
void AminoAcidFactor(GrowthState& growth, double proteinDeposition, double& gain);

// On the first day whose weight reaches finalWeight: the fractional final
// age and the part of that day's feed needed to reach it exactly.
void CloseFinalDay(GrowthState& growth, int day, Grid* results = nullptr);

}  // namespace PigGrowth
