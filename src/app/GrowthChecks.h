// App: what the "Growth" command says when it cannot run or its run went wrong.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/GrowthState.h"

class Grid;
struct Location;

// What the "Growth" command says when it cannot run, and when its run went
// wrong: every refused input names its field and what it accepts, in the
// weight unit the user works in.

// Starting and final weights this tool is made for (kg).
inline constexpr double kLightestStart = 4;
inline constexpr double kHeaviestWeight = 25;

// Why there is no location to grow in, and what to do.
std::string NoLocationMessage(const Location& location);

// The herd inputs as the run takes them: kg, whole days.
struct HerdValues {
  double startKg = 0;
  int startAge = 0;
  double finalKg = 0;
};

// "Starting Weight" from 4 to 25 kg, "Starting Age, Days" from 0 to 200,
// "Final Weight" from the starting weight to 25 kg, each a number as typed
// (a decimal comma is taken). The first problem, or nothing.
std::optional<std::string> HerdFieldsProblem(std::string_view startWeight,
                                             std::string_view startAge,
                                             std::string_view finalWeight,
                                             const GrowthState& growth,
                                             HerdValues& values);

// Diet 1 needs its net energy; diets past the six the run feeds must have
// none.
std::optional<std::string> DietsProblem(const Grid& dietsTable);

// A model run that failed: where it stopped (the last daily row of
// `results`) and on which diet; a herd too far below the curve's B0 for its
// first day to reach it is told so.
std::string GrowthFailedMessage(const GrowthState& growth,
                                const Grid& results,
                                const Grid& dietsTable);

// A finished run whose herd never reached the final weight (the day tables
// end at day 200): how far it got.
std::optional<std::string> ShortOfFinalWeight(const GrowthState& growth);
