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
  Weights.Caption = "Weights";
  Weights.List = {"Kilograms", "Pounds"};
  FeedEnergy.Caption = "Feed Energy";
  FeedEnergy.List = {"Kcal/Kg", "Kcal/lb"};
  FeedCost.Caption = "Feed Cost";
  FeedCost.List = {"Cost/tonne", "Cost/sht ton"};
}

void UnitsDialog::Open(const GlobalPig& pig) {
  Weights.ListIndex = pig.UnitCodes[kWeightUnit];
  FeedEnergy.ListIndex = pig.UnitCodes[kEnergyUnit];
  FeedCost.ListIndex = pig.UnitCodes[kPriceUnit] == kPerShortTon ? kShortTonPosition : 0;
  visible_ = true;
}

UnitCodeSet UnitsDialog::ChosenCodes() const {
  UnitCodeSet codes{};
  codes[kWeightUnit] = static_cast<std::int16_t>(Weights.ListIndex);
  codes[kEnergyUnit] = static_cast<std::int16_t>(FeedEnergy.ListIndex);
  codes[kPriceUnit] = FeedCost.ListIndex == kShortTonPosition ? kPerShortTon : kPerTonne;
  return codes;
}
