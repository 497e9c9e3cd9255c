#pragma once

#include <string>
#include <string_view>

// What the main window's status bar says after a command.

// "Growth: 25 kg at 65.0 days, cost per pig 10.62".
std::string GrowthStatus(double finalWeight,
                         std::string_view weightUnit,
                         double finalAge,
                         double costPerPig,
                         bool decimalComma);
inline constexpr std::string_view kGrowthStoppedStatus = "Growth: no result (see the message)";

// "Saved 7 files to /home/me/farms/" (1 file: "Saved 1 file to ...").
std::string SavedStatus(int files, std::string_view folder);
inline constexpr std::string_view kNothingToSaveStatus =
    "Nothing to save: no table has changes that its file does not hold";
inline constexpr std::string_view kSaveStoppedStatus = "Saving stopped: a file was not written";

// "Opened location Demo in /home/me/farms/"; a name not yet on disk:
// "New location Farm in /home/me/farms/: nothing read, the save commands
// write its files".
std::string OpenedStatus(std::string_view locationBase, bool loaded);

// "Exported 25 rows to /home/me/farms/Demo daily.csv".
std::string ExportedStatus(int rows, std::string_view path);

// "Wrote the Finishing Report to /home/me/farms/Demo report.pdf".
std::string ReportWrittenStatus(std::string_view path);

inline constexpr std::string_view kReportPrintedStatus = "Sent the Finishing Report to the printer";

// "Run LP: 3 diets formulated at least cost".
std::string FormulatedStatus(int diets, bool allFormulated);
