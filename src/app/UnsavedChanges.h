// App: the user's changes no file holds yet, and the question before they go.
#pragma once

#include <span>
#include <string>

class App;

// The user's changes that no file holds yet, by the file they belong in.
// Typing, pasting, clearing and the commands that change a table mark it;
// a save or a fresh fill of the table clears the mark.
enum class UnsavedData {
  Diets,              // the diets table: the ".dts" file
  Matrix,             // the ingredient matrix, in the matrix editor or kept from it
  IngRestrictions,    // in the restriction window or kept from it: "Req.ing"
  NutRestrictions,    // likewise: "Req.nut"
  CalibrationInputs,  // the weighings on the calibration inputs screen: ".cal"
  OptimizationTable,  // the "Diet Optimization" table: its ".opt" file
};

inline constexpr UnsavedData kAllData[] = {UnsavedData::Diets,
                                           UnsavedData::Matrix,
                                           UnsavedData::IngRestrictions,
                                           UnsavedData::NutRestrictions,
                                           UnsavedData::CalibrationInputs,
                                           UnsavedData::OptimizationTable};
// What opening a matrix file replaces (its restrictions are read with it).
inline constexpr UnsavedData kFormulationData[] = {
    UnsavedData::Matrix, UnsavedData::IngRestrictions, UnsavedData::NutRestrictions};
inline constexpr UnsavedData kRestrictionData[] = {UnsavedData::IngRestrictions,
                                                   UnsavedData::NutRestrictions};
inline constexpr UnsavedData kNutRestrictionData[] = {UnsavedData::NutRestrictions};
inline constexpr UnsavedData kOptimizationTableData[] = {UnsavedData::OptimizationTable};

// True when `data` holds changes of the user's not yet written to its file.
bool HasUnsavedChanges(const App& app, UnsavedData data);

// "Save changes to " + the file (or what the data are, before they have
// one) + "?"
std::string SaveChangesQuestion(const App& app, UnsavedData data);

// "Save": every kind of data with unsaved changes written to its file under
// its current name (through the save dialog only when it has none), as the
// Save answer of SaveChangesFirst writes it. Stops at a file that was not
// written (its message has been shown).
struct SavedChanges {
  int files = 0;       // files written
  std::string folder;  // where the last was written
  bool stopped = false;
};
SavedChanges SaveUnsavedChanges(App& app);

// Before data are dropped (the main window closes, a location is chosen or
// reopened, a file is opened over them): for each of `data` with unsaved
// changes, asks SaveChangesQuestion with Save, Discard and Cancel. Save
// writes the file under its current name (through the save dialog only when
// it has none), Discard forgets the changes. True when the caller may go on;
// false after Cancel or a save that did not write.
bool SaveChangesFirst(App& app, std::span<const UnsavedData> data = kAllData);
