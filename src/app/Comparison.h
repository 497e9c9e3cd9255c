// App: the run comparison table.
#pragma once

#include <array>
#include <string>

#include "platform/Grid.h"

// The run comparison table: the results of the current growth run beside
// those of the previous one, an earlier one and the initial one. Column 0
// names the result of each row; every value is kept as the text the run
// showed.

inline constexpr int kComparisonRows = 15;  // row 0 headings, results 1..14
inline constexpr int kComparisonCols = 5;

inline constexpr int kCurrentRun = 1;
inline constexpr int kPreviousRun = 2;
inline constexpr int kEarlierRun = 3;
inline constexpr int kInitialRun = 4;

// Rows of the results.
inline constexpr int kCompareHerdSex = 1;
inline constexpr int kCompareLiveWeight = 2;
inline constexpr int kCompareFeedGain = 3;
inline constexpr int kCompareFinalAge = 4;
inline constexpr int kCompareCostPerPig = 5;
inline constexpr int kCompareEnergyPerGain = 6;
inline constexpr int kCompareStartWeight = 7;
inline constexpr int kCompareFirstDietFeed = 8;    // diets 1..4: rows 8..11
inline constexpr int kCompareFirstChangeAge = 12;  // diets 1..3: rows 12..14
inline constexpr int kComparedDietFeeds = 4;
inline constexpr int kComparedChangeAges = 3;

// One run's column, rows 1..14 (entry 0 unused).
using ComparisonColumn = std::array<std::string, kComparisonRows>;

// Gives the table its shape and writes the headings of row 0 and the names
// of column 0; the value cells are left as they are.
void ComparisonHeadings(Grid& table);

// A new run pushes the older ones along: "Previous" moves to "Earlier" and
// "Current" to "Previous", rows 1..14, then `current` becomes "Current".
// "Initial" is not touched.
void PushCurrentRun(Grid& table, const ComparisonColumn& current);
