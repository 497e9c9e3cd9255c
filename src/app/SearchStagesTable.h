// App: the classic and thorough search stages side by side.
#pragma once

#include <string_view>

#include "platform/GlobalSearch.h"

class Grid;

// The classic search and the thorough stage after it, side by side, as the
// calibration and the diet optimization windows show them when a run ends:
// row 1 "Classic", row 2 "Thorough" (empty when the stage did not run);
// columns the score (its caption given: "Score", "Cost Per Pig"), the
// evaluations (their caption given: "Growth Runs", "Evaluations") and the
// seconds each took.
inline constexpr int kStagesRows = 3;
inline constexpr int kStagesCols = 4;
void FillSearchStagesGrid(Grid& grid,
                          std::string_view scoreCaption,
                          std::string_view countCaption,
                          const SearchStageFigures& classic,
                          const SearchStageFigures* thorough,
                          bool comma);
