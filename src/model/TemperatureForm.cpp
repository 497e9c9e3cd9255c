#include "model/TemperatureForm.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "model/DietsFile.h"
#include "platform/NumberFormat.h"

namespace {

// Ages beyond a 16-bit day count are no ages; the last week must still fit.
constexpr int kMaxTempStartAge = 32000;

double CellNumber(const Grid& grid, int row, int col) {
  const double value = ReadNumber(grid.Text(row, col));
  return std::isfinite(value) ? value : 0.0;
}

}  // namespace

TemperatureForm::TemperatureForm() {
  WriteHeadings(entryTable);
  WriteHeadings(profileTable);
  profileTable.SetEditable(false);
}

void TemperatureForm::WriteHeadings(Grid& grid) {
  grid.SetText(0, kAgeCol, "Age, days");
  grid.SetText(0, kCalibrationCol, "Calib. T, C");
  grid.SetText(0, kFutureCol, "Future T, C");
}

void TemperatureForm::Open(std::string_view startingAgeField, const TemperatureProfile& profile) {
  const double typed = ReadNumber(startingAgeField);
  const double whole = std::isfinite(typed) ? std::trunc(typed) : 0;
  startAge_ = whole <= 0 ? kDefaultTempStartAge
                         : static_cast<int>(std::min<double>(whole, kMaxTempStartAge));
  const std::string shown = GeneralNumberText(kDefaultTemperature);
  for (int w = 1; w <= kTempWeeks; ++w) {
    entryTable.SetText(w, kAgeCol, WeekAgeRange(startAge_, w));
    entryTable.SetText(w, kCalibrationCol, shown);
    entryTable.SetText(w, kFutureCol, shown);
  }
  entryTable.SetCurrent(1, kCalibrationCol);
  ShowProfile(profile);
  visible_ = true;
}

void TemperatureForm::TakeTemperatures(TemperatureProfile& profile) {
  for (int w = 1; w <= kTempWeeks; ++w) {
    profile.calibrationTemps[w] = CellNumber(entryTable, w, kCalibrationCol);
    profile.futureTemps[w] = CellNumber(entryTable, w, kFutureCol);
  }
  // The whole first age of week 1, however many digits it has.
  const double start = std::trunc(CellNumber(entryTable, 1, kAgeCol));
  profile.calibrationTemps[0] = start;
  profile.futureTemps[0] = start;
  ShowProfile(profile);
}

void TemperatureForm::CloseWithoutSaving() { visible_ = false; }

void TemperatureForm::SaveValues(TemperatureProfile& profile) { TakeTemperatures(profile); }

void TemperatureForm::TransferValues(TemperatureProfile& profile) { TakeTemperatures(profile); }

void TemperatureForm::SaveAndClose(TemperatureProfile& profile) {
  TakeTemperatures(profile);
  visible_ = false;
}

void TemperatureForm::TransferAndClose(TemperatureProfile& profile) {
  TakeTemperatures(profile);
  visible_ = false;
}

bool TemperatureForm::TransferAndSave(TemperatureProfile& profile,
                                      const std::string& stgFile,
                                      Dialogs& dialogs) {
  TakeTemperatures(profile);
  return WriteTemperatureFile(stgFile, profile, dialogs);
}

void TemperatureForm::ShowProfile(const TemperatureProfile& profile) {
  const double start = profile.calibrationTemps[0];
  const int age = start > 0 && start <= kMaxTempStartAge ? static_cast<int>(start) : startAge_;
  for (int w = 1; w <= kTempWeeks; ++w) {
    profileTable.SetText(w, kAgeCol, WeekAgeRange(age, w));
    profileTable.SetText(w, kCalibrationCol, GeneralNumberText(profile.calibrationTemps[w]));
    profileTable.SetText(w, kFutureCol, GeneralNumberText(profile.futureTemps[w]));
  }
}
