#include "model/UnitsDialog.h"

#include <cstdint>

#include "app/SaveProtocol.h"
#include "calibration/CalibrationData.h"
#include "platform/TextFile.h"

namespace {

constexpr int kErrFileNotFound = 53;
constexpr std::string_view kDescFileNotFound = "File not found";
constexpr const char* kProcedure = "SaveUnitCodes";

// Lines 1..11 of a ".plt" file (coefficients, herd inputs, sex) stay; the
// unit codes follow them.
constexpr int kKeptLines = 11;
constexpr int kUnitLines = 3;
constexpr int kMaxReadLines = 15;

// The cost list's positions and the price codes they stand for.
constexpr std::int16_t kPerTonne = 1;
constexpr std::int16_t kPerShortTon = 3;
constexpr int kShortTonPosition = 1;

// What the main window's "Calibration Name" field shows until a location is chosen.
constexpr std::string_view kNoLocationName = "Calibration Name";

}  // namespace

WeightCaptions CaptionsForUnits(const GlobalPig& pig) {
  if (pig.UnitCodes[kEnergyUnit] != 0) return {"Starting Weight, lb", "Final Weight, lb"};
  return {"Starting Weight, kg", "Final Weight, kg"};
}

bool SaveUnitCodes(const std::string& pltFile, const GlobalPig& pig, Dialogs& dialogs) {
  auto read = TextFile::ReadLines(pltFile);
  if (!read) {
    dialogs.Message(ErrorText(kErrFileNotFound, kDescFileNotFound, kProcedure));
    return false;
  }
  std::vector<std::string>& lines = *read;
  if (lines.size() > kMaxReadLines) lines.resize(kMaxReadLines);
  lines.resize(kKeptLines);  // a short file gets empty lines up to line 11

  // The code lines exactly as the coefficient table's save writes them.
  PltContents contents;
  contents.unitCodes = pig.UnitCodes;
  const std::vector<std::string> written = PltFileLines(contents, PltStyle::Saved);
  lines.insert(lines.end(), written.end() - kUnitLines, written.end());
  return WriteFileOrReport(dialogs, pltFile, lines, kProcedure);
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

WeightCaptions UnitsDialog::OK(GlobalPig& pig,
                               std::string_view calibrationName,
                               const std::string& pltFile,
                               Dialogs& dialogs) {
  pig.UnitCodes[kWeightUnit] = static_cast<std::int16_t>(Weights.ListIndex);
  pig.UnitCodes[kEnergyUnit] = static_cast<std::int16_t>(FeedEnergy.ListIndex);
  pig.UnitCodes[kPriceUnit] = FeedCost.ListIndex == kShortTonPosition ? kPerShortTon : kPerTonne;
  if (calibrationName != kNoLocationName &&
      dialogs.Message(kSaveQuestion, Buttons::YesNo) == Answer::Yes) {
    SaveUnitCodes(pltFile, pig, dialogs);
  }
  visible_ = false;
  return CaptionsForUnits(pig);
}
