#include "model/UnitsDialog.h"

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
         dialogs.Message(UnitsDialog::kSaveQuestion, Buttons::YesNo) == Answer::Yes;
}

UnitsDialog::UnitsDialog() {
  Weights.caption = "Weights";
  Weights.items = {"Kilograms", "Pounds"};
  FeedEnergy.caption = "Feed Energy";
  FeedEnergy.items = {"Kcal/Kg", "Kcal/lb"};
  FeedCost.caption = "Feed Cost";
  FeedCost.items = {"Cost/tonne", "Cost/sht ton"};
}

void UnitsDialog::Open(const GlobalPig& pig) {
  Weights.selected = pig.UnitCodes[kWeightUnit];
  FeedEnergy.selected = pig.UnitCodes[kEnergyUnit];
  FeedCost.selected = pig.UnitCodes[kPriceUnit] == kPerShortTon ? kShortTonPosition : 0;
  visible_ = true;
}

UnitCodeSet UnitsDialog::ChosenCodes() const {
  UnitCodeSet codes{};
  codes[kWeightUnit] = static_cast<std::int16_t>(Weights.selected);
  codes[kEnergyUnit] = static_cast<std::int16_t>(FeedEnergy.selected);
  codes[kPriceUnit] = FeedCost.selected == kShortTonPosition ? kPerShortTon : kPerTonne;
  return codes;
}
