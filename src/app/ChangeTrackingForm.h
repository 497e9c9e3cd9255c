// App: ChangeTrackingForm, the change tracking's form, shown by ChangeTrackingWindow.
#pragma once

#include <array>
#include <string_view>

#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/GridClipboard.h"

// Change tracking: three states of the diets table and of the formula table
// (initial, as at the end of the last growth run, and current) beside the run
// comparison table, shown side by side in the window "Marrowind Change
// Tracking". Every copy is a plain text copy in the layout of its source.

// The main window's stores of earlier tables, never shown there.
struct TrackingTables {
  Grid savedDiets;        // diets table at the end of the last run
  Grid savedFormulas;     // formula table at the end of the last run
  Grid previousDiets;     // previous diets; cells differing from the diets table are peach
  Grid previousFormulas;  // previous formulas
  Grid initialDiets;      // initial diets, cell (0, 0) "Init Nutrients"
  Grid initialFormulas;   // initial formulas, cell (0, 0) "Init Formulas"
};

// What change tracking reads and writes of the main window.
struct TrackedWindow {
  const Grid& dietsTable;
  const Grid& formulaTable;
  Grid& comparison;  // the run comparison table; column 1 current, 4 initial
  int numDiets;      // diet columns 1..numDiets of the diets table are in use
};

// The change-tracking window, headless.
class ChangeTrackingForm {
 public:
  static constexpr std::string_view kCaption = "Marrowind Change Tracking";
  static constexpr std::string_view kInitialCaption = "Initial Nutrients and Formulas";
  static constexpr std::string_view kPreviousCaption = "Previous Nutrients and Formulas";
  static constexpr std::string_view kCurrentCaption =
      "With Enzyme on top is Current - Without is Previous";
  static constexpr std::string_view kResetCaption = "Reset Initial ";
  static constexpr std::string_view kCopyCaption = "Copy to Clipboard";

  struct PopupEntry {
    std::string_view caption;
    PopupAction action;
  };
  static constexpr std::array<PopupEntry, 4> kPopup{{
      {"Copy Highlighted Cells", PopupAction::CopyHighlighted},
      {"Copy All", PopupAction::CopyAll},
      {"Clear Highlighted Cells", PopupAction::Clear},
      {"Paste ", PopupAction::Paste},
  }};

  Grid comparisonTable{2, 5};  // the run comparison table
  Grid initialDiets;
  Grid initialFormulas;
  Grid previousDiets;
  Grid previousFormulas;
  Grid* activeGrid = nullptr;  // the table last right-clicked

  bool Visible() const { return visible_; }

  // Opening the window: the main window's tracking tables are copied in (as
  // ShowTrackedTables does), then "Init. Diets" and "Prev. Formulas" label the
  // initial diets and the previous formulas.
  void Open(const TrackingTables& tables, const Grid& comparison);
  void Close() { visible_ = false; }

  // "Copy to Clipboard": the whole comparison table, headings included.
  void CopyToClipboard(Dialogs& dialogs);
  // The pop-up menu on the active table.
  void Popup(PopupAction action, Dialogs& dialogs);

 private:
  bool visible_ = false;
};

// End of a growth run: the formula table and diet columns 0..numDiets of the
// diets table become the saved copies.
void SaveRunTables(TrackingTables& tables, const TrackedWindow& window);

// The saved formulas become the previous formulas; the saved diets become
// the previous diets, each cell peach when its text differs from the diets
// table's cell, white when equal. Run before this run's SaveRunTables, the
// marks show what changed since the last run.
void UpdatePreviousTables(TrackingTables& tables, const TrackedWindow& window);

// The comparison table (columns 0..4) and the stored initial and previous
// tables into the window's tables, text and colours, cell by cell.
void ShowTrackedTables(const TrackingTables& tables,
                       const Grid& comparison,
                       ChangeTrackingForm& track);

// The current tables become the initial state: the comparison table's
// current column is copied into its initial column (the headings stay), the
// formula and diets tables into the initial stores of the main window and of
// the window.
void ResetInitial(TrackingTables& tables, const TrackedWindow& window, ChangeTrackingForm& track);

// The window's "Reset Initial " button: ResetInitial, then the comparison
// table into the window's comparisonTable.
void ResetInitialClick(TrackingTables& tables,
                       const TrackedWindow& window,
                       ChangeTrackingForm& track);
