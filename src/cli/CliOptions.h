// Command line: the options of tamsel-cli.
#pragma once

#include <optional>
#include <string>
#include <vector>

// The command line of tamsel-cli: a command, its location and the inputs a
// user would type into the main window, each checked before anything runs.

enum class CliCommand { Help, Example, Grow, Formulate, Calibrate, Optimize, Report };

// How numbers are printed: as the tables show them, or every number of the
// model state at full double precision ("%.17g") for comparison with other
// tools.
enum class Precision { Shown, Full };

// Exit codes: a run that fails exits 1 with the application's message on
// standard error; a bad command line exits 2.
inline constexpr int kExitOk = 0;
inline constexpr int kExitRunFailed = 1;
inline constexpr int kExitUsage = 2;

struct CliOptions {
  CliCommand command = CliCommand::Help;
  std::string location;  // the location's calibration file (.plt)
  Precision precision = Precision::Shown;

  // Main-window inputs of the growth run; unset ones keep the location's.
  std::optional<int> herdSex;     // "Herd Sex" list position
  std::optional<int> feedChoice;  // "Feed Formulation" list position
  // Numbers as typed, already checked.
  std::optional<std::string> startWeight;
  std::optional<std::string> startAge;
  std::optional<std::string> finalWeight;
  std::optional<std::string> pigs;

  // calibrate: answer Yes to the save question (the ".plt" gets the fitted
  // curve); report the fit's progress on standard error even when it is no
  // terminal.
  bool save = false;
  bool progress = false;
  // calibrate and optimize: the classic search alone, without the thorough
  // stage after it.
  bool classic = false;

  // formulate: each diet's sensitivity tables, or an infeasible diet's
  // conflicting restrictions.
  bool sensitivity = false;

  // optimize: the "Target Weight" as typed; only the feed amounts move
  // ("Use Feed Weights Only"); optimization-table rows kept at their current
  // value (3(d - 1) + 1 feed, + 2 energy, + 3 protein of diet d).
  std::optional<std::string> targetWeight;
  bool feedOnly = false;
  std::vector<int> fixRows;

  // report: the PDF file to write.
  std::string pdf;
};

struct CliParse {
  CliOptions options;
  std::string error;  // empty when the command line is sound
};

// Reads argv[1..]; an empty command line is the built-in example.
CliParse ParseCommandLine(const std::vector<std::string>& args);

// What --help prints.
std::string UsageText();
