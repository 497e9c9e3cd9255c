// Model: the unit codes and the conversions between the user's units and the model's.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/GrowthState.h"

// Conversions between the user's units and the model's. Direction 1 goes
// towards internal units (value x factor), any other back (value / factor).
inline constexpr int kToInternal = 1;
inline constexpr int kToDisplay = 2;

// Energy, weight and price codes, as GrowthState::unitCodes holds them.
using UnitCodeSet = std::array<std::int16_t, 3>;

inline constexpr std::int16_t kKgCode = 0;  // weight codes
inline constexpr std::int16_t kLbCode = 1;

double ConvertWeight(const GrowthState& growth, int direction, double value);
double ConvertEnergy(const GrowthState& growth, int direction, double value);
double ConvertPrice(const GrowthState& growth, int direction, double value);

std::string WeightUnitLabel(const GrowthState& growth);
std::string EnergyUnitLabel(const GrowthState& growth);

// What a value shown in the units `from` is multiplied by to be shown in the
// units `to`, for one element (kEnergyUnit, kWeightUnit or kPriceUnit). 1
// when the codes agree or either has no factor.
double DisplayRescale(const UnitCodeSet& from, const UnitCodeSet& to, int element);

// The whole kg or lb set of units: position 0 kcal/kg, kg and per tonne, any
// other kcal/lb, lb and per short ton.
void SetUnitSwitch(GrowthState& growth, int position);

// The weight code a position of the main window's weight-unit list stands
// for (0 kg, any other lb), and the position that shows a code (-1: none
// shows it).
std::int16_t WeightCodeOfSwitch(int position);
int SwitchPositionOf(int weightCode);

// "kg", "lb" or "g" for a weight code.
std::string WeightUnitName(int weightCode);
// "kcal/kg", "kcal/lb", "Mcal/kg", "Mcal/lb" or "MJ/kg" for an energy code.
std::string EnergyUnitName(int energyCode);
// "per kg", "per tonne", "per lb", "per short ton" or "per hundredweight".
std::string PriceUnitName(int priceCode);
// The captions that carry the weight unit: "Starting Weight, lb",
// "Final Weight, lb", and the results table's "Daily Wt. Gain, lb".
std::string StartWeightCaption(int weightCode);
std::string FinalWeightCaption(int weightCode);
std::string DailyGainHeading(int weightCode);

// Codes none of the screens offers (Mcal or MJ, grams, per kg, per lb, per
// hundredweight), which only a file can hold: a note naming them and saying
// that they are used as they stand; nothing when every code is one the
// screens offer.
std::optional<std::string> UnitsNoScreenOffers(const UnitCodeSet& codes);
