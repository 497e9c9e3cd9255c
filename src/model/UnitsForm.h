// Model: UnitsForm, the units settings dialog's form, shown by UnitsWindow.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/GrowthState.h"
#include "model/Units.h"
#include "platform/Dialogs.h"

// The settings dialog "Set Location Values Here": the units in which weights,
// feed energy and feed cost are shown and typed, saved with the location's
// calibration file.

// One of the dialog's three lists; `selected` is the chosen position.
struct UnitList {
  std::string caption;
  std::vector<std::string> items;
  int selected = 0;
};

// After a change of units in a named location (`calibrationName` is not
// the placeholder "Calibration Name"): asks kSaveQuestion; true on Yes. A
// location not yet named is not asked about.
bool AskToSaveUnits(std::string_view calibrationName, Dialogs& dialogs);

class UnitsForm {
 public:
  static constexpr std::string_view kTitle = "Set Location Values Here";
  static constexpr std::string_view kOKCaption = "OK";
  // Every file of the location holds values in its units: saving the units
  // alone would leave the files' values read in units they are not in.
  static constexpr std::string_view kSaveQuestion =
      "Do you want to save the changes to file?  Every file of the location is then written "
      "in the new units.";
  static constexpr std::string_view kExplain =
      "The Program needs to know how you value Weight, Energy and feed cost.  Amino Acid values "
      "are expected to be Available or 85% of total.  Each Location or GrowOut is kept "
      "separately.   All data are stored  as text in your units to make them easier for you to "
      "read.";
  static constexpr std::string_view kInstructions =
      "Select the values you are using and then click OK.  Click on the X at the top Right if you "
      "want to close and not save.  If you set up a Location and then have that Location selected "
      "as the Current Location on the Current Flock Tab, those same values will be used for the "
      "new complex without need to set it up.  Come here to make changes.";
  // Clicking it opens the temperature window, as the main window's menu
  // "Set Temperature" does.
  static constexpr std::string_view kTemperatureLink =
      "If you want to estimate Temperature Effects for this Location, enter them before "
      "calibration !!";

  UnitsForm();

  UnitList weights;     // "Kilograms", "Pounds": the weight code
  UnitList feedEnergy;  // "Kcal/Kg", "Kcal/lb": the energy code
  UnitList feedCost;    // "Cost/tonne" (price code 1), "Cost/sht ton" (price code 3)

  bool Visible() const { return visible_; }

  // Shows the dialog with the lists at the current codes.
  void Open(const GrowthState& growth);

  // The unit codes the lists stand for.
  UnitCodeSet ChosenCodes() const;

  // OK closes the dialog; the main window takes ChosenCodes().
  void Accept() { visible_ = false; }

  // The window's close box: nothing changes.
  void Close() { visible_ = false; }

 private:
  bool visible_ = false;
};
