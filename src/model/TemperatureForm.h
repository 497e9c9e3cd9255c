// Model: TemperatureForm, the temperature window's form, shown by TemperatureWindow.
#pragma once

#include <string>
#include <string_view>

#include "model/Temperatures.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"

// The window "Temperature during Growth", headless.
class TemperatureForm {
 public:
  static constexpr int kRows = 22;
  static constexpr int kCols = 3;
  static constexpr int kAgeCol = 0;
  static constexpr int kCalibrationCol = 1;
  static constexpr int kFutureCol = 2;

  // The window's title, its menus and the captions above its two tables.
  static constexpr std::string_view kCaption = "Temperature during Growth";
  static constexpr std::string_view kCloseMenu = "Close";
  static constexpr std::string_view kCloseWithoutSavingCaption = "Close without Saving Changes";
  static constexpr std::string_view kSaveValuesCaption = "Save Values";
  static constexpr std::string_view kTransferMenu = "Transfer";
  static constexpr std::string_view kTransferValuesCaption = "Transfer Values to Main Program";
  static constexpr std::string_view kSaveAndCloseCaption = "Save and Close";
  static constexpr std::string_view kTransferAndCloseCaption = "Transfer and Close Window";
  static constexpr std::string_view kTransferAndSaveCaption = "Transfer and Save to File";
  static constexpr std::string_view kCurrentTableCaption = "Enter the Temperatures Here";
  static constexpr std::string_view kProfileTableCaption = "Temperatures Held by the Program";

  TemperatureForm();

  // The editable table: every temperature starts at 20 when the window opens.
  Grid entryTable{kRows, kCols};
  // The profile the model holds now (as loaded or last transferred), read only.
  Grid profileTable{kRows, kCols};

  bool Visible() const { return visible_; }

  // Opens the window: the weeks start at the whole number of the main
  // window's "Starting Age, Days" field (50 when it is 0 or not a number).
  void Open(std::string_view startingAgeField, const TemperatureProfile& profile);

  // Rows 1..20 into the arrays (column 1 calibration, column 2 future);
  // entry 0 of both becomes the first age of row 1.
  void TakeTemperatures(TemperatureProfile& profile);

  // Menu "Close" and "Transfer".
  void CloseWithoutSaving();
  void SaveValues(TemperatureProfile& profile);
  void TransferValues(TemperatureProfile& profile);
  void SaveAndClose(TemperatureProfile& profile);
  void TransferAndClose(TemperatureProfile& profile);
  bool TransferAndSave(TemperatureProfile& profile, const std::string& stgFile, Dialogs& dialogs);

  // Refreshes profileTable from the arrays.
  void ShowProfile(const TemperatureProfile& profile);

 private:
  void WriteHeadings(Grid& grid);

  int startAge_ = kDefaultTempStartAge;
  bool visible_ = false;
};
