#include "model/Units.h"

#include <array>
#include <string_view>

namespace {

struct UnitEntry {
  std::string_view label;
  double factor;  // display value x factor = internal value
};

constexpr double kPoundsPerKg = 2.205;
constexpr double kKcalPerMJ = 1000 / 4.184;

constexpr std::array<UnitEntry, 5> kEnergyUnits{{
    {"Kcal/Kg", 1},
    {"Kcal/lb", kPoundsPerKg},
    {"Mcal/Kg", 1000},
    {"Mcal/lb", 2205},
    {"MJ/Kg", kKcalPerMJ},
}};

constexpr std::array<UnitEntry, 3> kWeightUnits{{
    {"Kg.", 1},
    {"Lbs.", 1 / kPoundsPerKg},
    {"Grams", 1.0 / 1000},
}};

// Per kg, per tonne, per lb, per short ton of 2000 lb, per hundredweight of 100 lb.
constexpr std::array<double, 5> kPriceFactors{1, 1.0 / 1000, kPoundsPerKg, 0.0011025, 0.02205};

template <std::size_t N>
const UnitEntry* FindUnit(const std::array<UnitEntry, N>& table, int code) {
  if (code < 0 || code >= static_cast<int>(N)) return nullptr;
  return &table[static_cast<std::size_t>(code)];
}

// A code outside the table has factor 0; converting back through it gives 0
// rather than an infinite value.
double Convert(double factor, int direction, double value) {
  if (direction == kToInternal) return value * factor;
  return factor == 0 ? 0 : value / factor;
}

double FactorOf(const UnitEntry* entry) { return entry ? entry->factor : 0; }

}  // namespace

double ConvertWeight(const GlobalPig& pig, int direction, double value) {
  return Convert(FactorOf(FindUnit(kWeightUnits, pig.UnitCodes[kWeightUnit])), direction, value);
}

double ConvertEnergy(const GlobalPig& pig, int direction, double value) {
  return Convert(FactorOf(FindUnit(kEnergyUnits, pig.UnitCodes[kEnergyUnit])), direction, value);
}

double ConvertPrice(const GlobalPig& pig, int direction, double value) {
  int code = pig.UnitCodes[kPriceUnit];
  double factor = code >= 0 && code < static_cast<int>(kPriceFactors.size())
                      ? kPriceFactors[static_cast<std::size_t>(code)]
                      : 0;
  return Convert(factor, direction, value);
}

std::string WeightUnitLabel(const GlobalPig& pig) {
  const UnitEntry* entry = FindUnit(kWeightUnits, pig.UnitCodes[kWeightUnit]);
  return entry ? std::string(entry->label) : std::string();
}

std::string EnergyUnitLabel(const GlobalPig& pig) {
  const UnitEntry* entry = FindUnit(kEnergyUnits, pig.UnitCodes[kEnergyUnit]);
  return entry ? std::string(entry->label) : std::string();
}

void SetUnitSwitch(GlobalPig& pig, int position) {
  if (position == 0) {
    pig.UnitCodes = {0, 0, 1};  // kcal/kg, kg, per tonne
  } else {
    pig.UnitCodes = {1, 1, 3};  // kcal/lb, lb, per short ton
  }
}

std::string FinalWeightCaption(int position) {
  return position == 0 ? "Final Weight, kg" : "Final Weight, lb";
}
