// Model: the summary of a growth run in the results table.
#pragma once

#include <array>

#include "model/GrowthState.h"

class Grid;

// The summary of a growth run in the results table (resultsTable): one row per diet,
// the energy eaten per kg of gain, how many of 20 pigs are at the final
// weight, the split of the herd into males and females with their finishing
// figures, the carcass estimates of heavy pigs, and the feed cost per pig.
// Daily rows (columns 5..8) are the model's; row d - startAge + 1 is age d.

inline constexpr int kResultRows = 200;
inline constexpr int kResultCols = 14;

// Per-diet summary, rows 1..dietCount.
inline constexpr int kSummaryNameColumn = 0;
inline constexpr int kSummaryWeightColumn = 1;
inline constexpr int kSummaryAgeColumn = 2;
inline constexpr int kSummaryGainColumn = 3;
inline constexpr int kSummaryFeedColumn = 4;

inline constexpr int kEnergyPerGainRow = 8;  // value in column 1
inline constexpr int kPigCountColumn = 9;
inline constexpr int kPigCountStartRow = 4;  // "Starts at .. Days"
inline constexpr int kPigCountWidth = 98;    // pixels, once a count is shown
inline constexpr int kFirstCarcassColumn = 10;

// Finishing-weight block: males in column 1, females in column 2.
inline constexpr int kFinishingTitleRow = 18;
inline constexpr int kSexHeadingRow = 19;
inline constexpr int kFinishWeightRow = 20;
inline constexpr int kFinishFeedRow = 21;
inline constexpr int kFinishCostRow = 22;
inline constexpr int kFinishFeedGainRow = 23;

inline constexpr int kCountedPigs = 20;
inline constexpr double kCarcassWeight = 110;  // kg; carcass estimates above it

// Herd sex codes.
inline constexpr int kMixedHerd = 0;
inline constexpr int kMaleHerd = 1;
inline constexpr int kFemaleHerd = 2;

struct SexWeights {
  double male = 0;  // kg
  double female = 0;
};

// What a run's summary found, kept beside the tables.
struct GrowthRunResults {
  double totalFeed = 0;                 // kg per pig eaten by the herd that was run
  double finalWeight = 0;               // kg: finalWeight, or the last weight when not reached
  double costPerPig = 0;                // feed cost per pig, currency
  double feedGain = 0;                  // kg feed per kg gain; 0 without gain
  double energyPerGain = 0;             // kcal NE per kg of gain, as shown
  int pigCountStartAge = -1;            // first age with pigs counted near the final weight
  double carcassDepth = 0;              // cm (inches in pounds) of the heaviest row above 110 kg
  std::array<double, 3> sexCost{};      // 1 males, 2 females; 0 the herd
  std::array<double, 3> sexFeedGain{};  // 1 males, 2 females; 0 the herd
  double score = 0;                     // against the calibration targets
  bool scored = false;
};

// Row 0 of the results table, the gain's heading in the weight unit.
void WriteResultHeadings(Grid& results, int weightCode);

// The day of the last weight of this run: finalAge rounded up, within
// startAge..200.
int FinishDay(const GrowthState& growth);

// Ends the phase log of a finished run: entry 0 the start, entry dietCount the
// final age, weight and the run's total feed (kg). Diets the run never
// finished (the final weight came first) end there too, so they show no
// gain and no feed.
void CloseDietPhases(GrowthState& growth);

// Feed per pig eaten of a diet (kg), from the phase log.
double DietPhaseFeed(const GrowthState& growth, int diet);

// Per-diet rows: name (diets table row 1), live weight and age at the diet's
// end, daily gain on the diet ("#0.0##") and its feed, in display units. The
// daily gain is the weight gained during the diet over the diet's days (the
// change ages); a diet of no days shows 0.
void FillDietRows(const GrowthState& growth, const Grid& dietsTable, Grid& results);

// Energy per kg of gain: the feed of each diet as shown times its net energy,
// over the gain from the starting weight field to the end of the last diet.
// Shown in row 8, column 1 under "Calories/KG" / "    of gain"; 0 without
// gain.
double ShowEnergyPerGain(const GrowthState& growth, double startWeightShown, Grid& results);

// Standard-normal lookup of the pig-count block: z = 0.05 k, k rounded half
// to even; p = normalTable[k].
double PigsAtOrAboveFinal(const GrowthState& growth, double weightKg);

// Column 9: how many of 20 pigs of each daily row are at or above the final
// weight, for rows whose weight lies within 1.5 standard deviations of it.
// Returns the age of the first counted row, -1 when none.
int CountPigsAtFinalWeight(const GrowthState& growth, Grid& results);

// Male and female weights (kg) of a herd weighing `weight` kg.
SexWeights SplitWeight(double weight, int herdSex);
// Expected daily intakes, used only as a ratio.
double MaleIntake(double male);
double FemaleIntake(double female);
// Male over female expected intake; 1 when either is not above 0 (pigs
// lighter than about 4.3 kg, where the curves leave their range).
double IntakeRatio(const SexWeights& weights);

// The sex split of a finished run: male and female weights and daily feed in
// columns 1 and 2 of liveWeight and dailyFeed for every daily row, cumFeed
// 0..2 from the run's total, the last diet's allowance set to what was eaten
// of it, and each diet's share eaten by each sex. The run's own feed and
// weight go to the column of its sex (column 0 for a mixed herd).
struct SexSplit {
  int ownColumn = 0;
  // Feed of diet r eaten by column c over that of the run's own column.
  std::array<std::array<double, 3>, kMaxDiets + 1> dietShare{};
  SexWeights start;   // kg at startAge
  SexWeights finish;  // kg at FinishDay
};
SexSplit SplitBySex(GrowthState& growth, const Grid& results);

// Feed cost per pig: each diet's price per kg (a price of 0 re-read from the
// diets table row 2) times its feed eaten (kg, rounded to 3 decimals), with
// `share` of each diet for one sex (nullptr: the herd).
double FeedCostPerPig(const GrowthState& growth,
                      const Grid& dietsTable,
                      const std::array<std::array<double, 3>, kMaxDiets + 1>* share = nullptr,
                      int column = 0);

// Feed per kg of gain; 0 when there is no gain.
double FeedPerGain(double feed, double gain);

// Rows 18..23: live weight, feed, cost and feed/gain of males and females.
void ShowFinishingBlock(const GrowthState& growth,
                        const SexSplit& split,
                        const GrowthRunResults& run,
                        Grid& results);

// Columns 10..13 for daily rows above 110 kg; returns the depth estimate of
// the heaviest such row (0 when none).
double CarcassBlock(const GrowthState& growth, Grid& results);

// The whole summary after a successful model run: phase log, per-diet rows,
// energy per kg of gain, pig count, sex split, finishing block, carcass
// block, cost per pig and feed/gain.
GrowthRunResults SummarizeGrowthRun(GrowthState& growth,
                                    const Grid& dietsTable,
                                    double startWeightShown,
                                    Grid& results);
