#include "app/Comparison.h"

namespace {

constexpr const char* kColumnHeadings[kComparisonCols] = {
    "Comparison", "Current", "Previous", "Earlier", "Initial"};

constexpr const char* kRowNames[kComparisonRows] = {"",
                                                    "Herd Sex",
                                                    "Live Weight",
                                                    "Feed/Gain",
                                                    "Final Age",
                                                    "Cost/Pig",
                                                    "Energy/ kg gain",
                                                    "Starting Wt",
                                                    "Initial Feed wt",
                                                    "Diet 2 wt",
                                                    "Diet 3 wt",
                                                    "Diet 4 wt",
                                                    "Age Diet Change 1",
                                                    "Diet 2 Change",
                                                    "Diet 3 Change"};

}  // namespace

void ComparisonHeadings(Grid& table) {
  table.Resize(kComparisonRows, kComparisonCols);
  for (int c = 0; c < kComparisonCols; ++c) table.SetText(0, c, kColumnHeadings[c]);
  for (int r = 1; r < kComparisonRows; ++r) table.SetText(r, 0, kRowNames[r]);
}

void PushCurrentRun(Grid& table, const ComparisonColumn& current) {
  for (int r = 1; r < kComparisonRows; ++r) {
    table.SetText(r, kEarlierRun, table.Text(r, kPreviousRun));
    table.SetText(r, kPreviousRun, table.Text(r, kCurrentRun));
    table.SetText(r, kCurrentRun, current[static_cast<std::size_t>(r)]);
  }
}
