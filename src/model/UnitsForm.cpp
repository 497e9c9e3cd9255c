#include "model/UnitsForm.h"

#include <cstdint>

namespace {

// The cost list's positions and the price codes they stand for.
constexpr std::int16_t kPerTonne = 1;
constexpr std::int16_t kPerShortTon = 3;
constexpr int kShortTonPosition = 1;

// What the main window's "Calibration Name" field shows until a location is chosen.
constexpr std::string_view kNoLocationName = "Calibration Name";

}  // namespace

bool AskToSaveUnits(std::string_view calibrationName, Dialogs& dialogs) {
  return calibrationName != kNoLocationName &&
         dialogs.Message(UnitsForm::kSaveQuestion, Buttons::YesNo) == Answer::Yes;
}

UnitsForm::UnitsForm() {
  weights.caption = "Weights";
  weights.items = {"Kilograms", "Pounds"};
  feedEnergy.caption = "Feed Energy";
  feedEnergy.items = {"Kcal/Kg", "Kcal/lb"};
  feedCost.caption = "Feed Cost";
  feedCost.items = {"Cost/tonne", "Cost/sht ton"};
}

void UnitsForm::Open(const GrowthState& growth) {
  weights.selected = growth.unitCodes[kWeightUnit];
  feedEnergy.selected = growth.unitCodes[kEnergyUnit];
  feedCost.selected = growth.unitCodes[kPriceUnit] == kPerShortTon ? kShortTonPosition : 0;
  visible_ = true;
}

UnitCodeSet UnitsForm::ChosenCodes() const {
  UnitCodeSet codes{};
  codes[kWeightUnit] = static_cast<std::int16_t>(weights.selected);
  codes[kEnergyUnit] = static_cast<std::int16_t>(feedEnergy.selected);
  codes[kPriceUnit] = feedCost.selected == kShortTonPosition ? kPerShortTon : kPerTonne;
  return codes;
}
