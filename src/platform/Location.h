// Platform: a location's folder and the names of its file set.
#pragma once

#include <array>
#include <string>
#include <string_view>

class Grid;

// A location is a folder and a name; every file of its set is the location's
// base path followed by the kind's suffix (Farm1.dts, Farm1Matrix.txt, ...).
// Both "/" and "\" separate folders in every path handled here.

// Rows of the "Files in Use" table (filesTable); odd rows are commands, even
// rows show the path of the file of that kind.
inline constexpr int kFilesHeadingRow = 0;
inline constexpr int kPltRow = 2;
inline constexpr int kDietsRow = 4;
inline constexpr int kMatrixRow = 6;
inline constexpr int kReqNutRow = 8;
inline constexpr int kReqIngRow = 10;
inline constexpr int kFileRows = 10;  // rows 1..10 below the heading

inline constexpr std::string_view kDietsSuffix = ".dts";
inline constexpr std::string_view kMatrixSuffix = "Matrix.txt";
inline constexpr std::string_view kReqNutSuffix = "Req.nut";
inline constexpr std::string_view kReqIngSuffix = "Req.ing";
inline constexpr std::string_view kPltSuffix = ".plt";
inline constexpr std::string_view kCalSuffix = ".cal";
inline constexpr std::string_view kStgSuffix = ".stg";

inline constexpr std::string_view kNotOpen = "Not Open";

struct Location {
  // The current location's folder, ending in a separator once a location is
  // chosen; the program's folder before that. Relative names resolve here.
  std::string dataFolder;
  // Full path of the location without extension; empty until one is chosen.
  std::string locationBase;
  std::string dietsFile;
  std::string matrixFile;
  std::string nutRestrictionsFile;
  std::string ingRestrictionsFile;
  std::string calibrationFile;
  std::string observationsFile;
  std::string temperatureFile;
  // By row of filesTable (1..10): write that row's file to its current name
  // without a save dialog. True only while a save command runs.
  std::array<bool, kFileRows + 1> saveWithoutAsking{};
  // True once an existing calibration file was chosen and its set loaded.
  bool loaded = false;

  void ClearSaveWithoutAsking() { saveWithoutAsking.fill(false); }
};

bool IsFolderSeparator(char ch);

// Position just after the last "/" or "\" (0 when there is none).
std::size_t FileNameStart(std::string_view path);

// The path up to and including its last separator ("" when there is none).
std::string FolderOf(std::string_view path);

// The path after its last separator.
std::string FileNameOf(std::string_view path);

// The path without the extension of its file name: the last period of the
// file name and what follows are cut; a period in a folder name is kept.
std::string LocationBaseOf(std::string_view path);

// Replaces `path` by the part after its last folder separator; text without
// one stays unchanged.
void StripFolder(std::string& path);

// `folder` with a separator at its end (unless empty or already there).
std::string WithSeparator(std::string_view folder);

// A relative file name resolved against the data folder; a name that starts
// with a separator, or a drive such as "C:", is taken as it is.
std::string ResolveInFolder(std::string_view folder, std::string_view name);

// What the location field shows of its text: a location's name without its
// folder ("/home/me/farms/Demo" shows "Demo"); any other text as it is.
std::string LocationFieldText(std::string_view fieldText);

// Derives every file name of the set from `base`, shows the diets, matrix
// and restriction names in rows 4, 6, 8 and 10 of filesTable, and clears the
// save-without-asking marks.
void SetFileNames(Location& location, const std::string& base, Grid& filesTable);

// The program's own folder (the executable's), or the user's data folder
// when the program's folder is not writable; ends in a separator.
std::string ProgramFolder();

// `exeFolder` when it is writable, otherwise the user's data folder
// ($XDG_DATA_HOME/tamsel or ~/.local/share/tamsel, made when missing).
std::string ProgramFolderFor(const std::string& exeFolder);
