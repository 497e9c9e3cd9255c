// Platform: the save protocol every file writer follows, and error texts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/TextFile.h"

// The protocol every file writer of a location follows: unless the file's
// save-without-asking mark is set, a save dialog offers a new name; a
// cancelled dialog keeps the earlier name, and the file is written there.

struct SaveRequest {
  std::string dataFolder;   // where the dialog starts
  std::string offeredName;  // e.g. "Calibration Name" text + "Matrix.txt"
  std::string filter;       // e.g. "*Matrix.txt"
  std::string defaultExt;   // e.g. ".txt"
  bool saveWithoutAsking = false;
};

// "CURRENT FILE IS " + path + " -  CHOOSE THE LOCATION AND NAME TO CHANGE IT"
std::string SaveDialogTitle(std::string_view currentPath);

// True when the file name of `path` (not its folder) is a pattern such as
// "*.dts": what a save dialog hands back when no name was chosen.
bool IsPattern(std::string_view path);

// A save dialog's answer as the path to write: "" when the dialog was
// cancelled (it handed back the offered name) or the answer names no file; a
// name without a folder is taken in the request's folder.
std::string ChosenSavePath(const std::string& answer, const FileRequest& request);

// True when `path` ends in `ending`, in any case: ".CSV" is ".csv".
bool HasEnding(std::string_view path, std::string_view ending);

// Runs the protocol: `currentPath` becomes the chosen name. Returns false,
// changing nothing, when there is nowhere to write (the dialog was cancelled
// and there is no earlier name).
bool ChooseSavePath(Dialogs& dialogs, std::string& currentPath, const SaveRequest& request);

// The save dialog's reject button when the file has a name: rejecting writes
// the file there, so the button must not say "Cancel".
inline constexpr std::string_view kKeepNameCaption = "Keep Current Name";

// "Error " + number + " (" + description + ") in procedure " + name: the
// report of a procedure that traps run-time errors.
std::string ErrorText(int number, std::string_view description, std::string_view procedure);

// Classic run-time error numbers used by the file readers and writers.
inline constexpr int kErrOverflow = 6;
inline constexpr int kErrSubscript = 9;
inline constexpr int kErrTypeMismatch = 13;
inline constexpr int kErrInputPastEnd = 62;
inline constexpr int kErrPathFileAccess = 75;
inline constexpr std::string_view kDescOverflow = "Overflow";
inline constexpr std::string_view kDescSubscript = "Subscript out of range";
inline constexpr std::string_view kDescTypeMismatch = "Type mismatch";
inline constexpr std::string_view kDescInputPastEnd = "Input past end of file";
inline constexpr std::string_view kDescPathFileAccess = "Path/File access error";

// Writes `lines` to `path` (atomic, CR LF). A failed write shows
// "Error 75 (Path/File access error) in procedure " + procedure and, on a
// second line, the path and the system's reason; it leaves any earlier file
// whole and returns false.
bool WriteFileOrReport(Dialogs& dialogs,
                       const std::string& path,
                       const std::vector<std::string>& lines,
                       std::string_view procedure);

// What the user is told about a file that exists but was not read: the
// system's reason, "not a text file this program reads", or its size.
std::string ReadProblemText(const std::string& path, const TextFile::ReadResult& result);
