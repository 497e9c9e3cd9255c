#include "app/SearchStagesTable.h"

#include <string>

#include "platform/Grid.h"
#include "platform/NumberFormat.h"

namespace {

void FillRow(
    Grid& grid, int row, std::string_view caption, const SearchStageFigures* figures, bool comma) {
  grid.SetText(row, 0, std::string(caption));
  for (int c = 1; c < kStagesCols; ++c) grid.SetText(row, c, "");
  if (figures == nullptr) return;
  grid.SetText(row, 1, NumberText(figures->score, comma));
  grid.SetText(row, 2, std::to_string(figures->evaluations));
  grid.SetText(row, 3, ShortNumberText(figures->seconds, comma));
}

}  // namespace

void FillSearchStagesGrid(Grid& grid,
                          std::string_view scoreCaption,
                          std::string_view countCaption,
                          const SearchStageFigures& classic,
                          const SearchStageFigures* thorough,
                          bool comma) {
  grid.Resize(kStagesRows, kStagesCols);
  grid.SetText(0, 0, "Search");
  grid.SetText(0, 1, std::string(scoreCaption));
  grid.SetText(0, 2, std::string(countCaption));
  grid.SetText(0, 3, "Seconds");
  FillRow(grid, 1, "Classic", &classic, comma);
  FillRow(grid, 2, "Thorough", thorough, comma);
}
