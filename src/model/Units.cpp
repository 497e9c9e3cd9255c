#include "model/Units.h"

#include <array>
#include <string_view>
#include <vector>

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
constexpr std::array<std::string_view, 5> kPriceNames{
    "per kg", "per tonne", "per lb", "per short ton", "per hundredweight"};

// The codes the units dialog and the weight-unit list can set.
constexpr std::int16_t kPerTonneCode = 1;
constexpr std::int16_t kPerShortTonCode = 3;
bool ScreensOffer(int element, int code) {
  if (element == kPriceUnit) return code == kPerTonneCode || code == kPerShortTonCode;
  return code == 0 || code == 1;
}

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

double PriceFactor(int code) {
  return code >= 0 && code < static_cast<int>(kPriceFactors.size())
             ? kPriceFactors[static_cast<std::size_t>(code)]
             : 0;
}

double FactorOf(int element, int code) {
  switch (element) {
    case kEnergyUnit:
      return FactorOf(FindUnit(kEnergyUnits, code));
    case kWeightUnit:
      return FactorOf(FindUnit(kWeightUnits, code));
    default:
      return PriceFactor(code);
  }
}

}  // namespace

double ConvertWeight(const GrowthState& growth, int direction, double value) {
  return Convert(FactorOf(kWeightUnit, growth.unitCodes[kWeightUnit]), direction, value);
}

double ConvertEnergy(const GrowthState& growth, int direction, double value) {
  return Convert(FactorOf(kEnergyUnit, growth.unitCodes[kEnergyUnit]), direction, value);
}

double ConvertPrice(const GrowthState& growth, int direction, double value) {
  return Convert(FactorOf(kPriceUnit, growth.unitCodes[kPriceUnit]), direction, value);
}

std::string WeightUnitLabel(const GrowthState& growth) {
  const UnitEntry* entry = FindUnit(kWeightUnits, growth.unitCodes[kWeightUnit]);
  return entry ? std::string(entry->label) : std::string();
}

std::string EnergyUnitLabel(const GrowthState& growth) {
  const UnitEntry* entry = FindUnit(kEnergyUnits, growth.unitCodes[kEnergyUnit]);
  return entry ? std::string(entry->label) : std::string();
}

double DisplayRescale(const UnitCodeSet& from, const UnitCodeSet& to, int element) {
  const auto e = static_cast<std::size_t>(element);
  const double before = FactorOf(element, from[e]);
  const double after = FactorOf(element, to[e]);
  if (from[e] == to[e] || before == 0 || after == 0) return 1;
  return before / after;
}

void SetUnitSwitch(GrowthState& growth, int position) {
  if (position == 0) {
    growth.unitCodes = {0, kKgCode, kPerTonneCode};  // kcal/kg, kg, per tonne
  } else {
    growth.unitCodes = {1, kLbCode, kPerShortTonCode};  // kcal/lb, lb, per short ton
  }
}

std::int16_t WeightCodeOfSwitch(int position) { return position == 0 ? kKgCode : kLbCode; }

int SwitchPositionOf(int weightCode) {
  return weightCode == kKgCode || weightCode == kLbCode ? weightCode : -1;
}

std::string WeightUnitName(int weightCode) {
  switch (weightCode) {
    case kLbCode:
      return "lb";
    case 2:
      return "g";
    default:
      return "kg";
  }
}

std::string EnergyUnitName(int energyCode) {
  constexpr std::array<std::string_view, 5> kNames{
      "kcal/kg", "kcal/lb", "Mcal/kg", "Mcal/lb", "MJ/kg"};
  if (energyCode < 0 || energyCode >= static_cast<int>(kNames.size())) return {};
  return std::string(kNames[static_cast<std::size_t>(energyCode)]);
}

std::string PriceUnitName(int priceCode) {
  if (priceCode < 0 || priceCode >= static_cast<int>(kPriceNames.size())) return {};
  return std::string(kPriceNames[static_cast<std::size_t>(priceCode)]);
}

std::string StartWeightCaption(int weightCode) {
  return "Starting Weight, " + WeightUnitName(weightCode);
}

std::string FinalWeightCaption(int weightCode) {
  return "Final Weight, " + WeightUnitName(weightCode);
}

std::string DailyGainHeading(int weightCode) {
  return "Daily Wt. Gain, " + WeightUnitName(weightCode);
}

std::optional<std::string> UnitsNoScreenOffers(const UnitCodeSet& codes) {
  std::vector<std::string> odd;
  if (!ScreensOffer(kEnergyUnit, codes[kEnergyUnit])) {
    const UnitEntry* entry = FindUnit(kEnergyUnits, codes[kEnergyUnit]);
    odd.push_back("energy in " + std::string(entry ? entry->label : "an unknown unit"));
  }
  if (!ScreensOffer(kWeightUnit, codes[kWeightUnit])) {
    const UnitEntry* entry = FindUnit(kWeightUnits, codes[kWeightUnit]);
    odd.push_back("weights in " + std::string(entry ? entry->label : "an unknown unit"));
  }
  const int price = codes[kPriceUnit];
  if (!ScreensOffer(kPriceUnit, price)) {
    odd.push_back(price >= 0 && price < static_cast<int>(kPriceNames.size())
                      ? "cost " + std::string(kPriceNames[static_cast<std::size_t>(price)])
                      : "cost in an unknown unit");
  }
  if (odd.empty()) return std::nullopt;
  std::string list;
  for (const std::string& item : odd) list += (list.empty() ? "" : ", ") + item;
  return "This location's calibration file sets units the screens do not offer (" + list +
         "). Its values are read in those units. To work in units the screens offer, choose "
         "them in \"Set Unit - Lbs, KGs\": what is shown is converted.";
}
