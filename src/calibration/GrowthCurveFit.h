// Calibration: GrowthCurveFit, the growth curve fitted to a farm's weighings.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "calibration/CalibrationData.h"
#include "calibration/NelderMead.h"
#include "model/GrowthState.h"

class Dialogs;
class Grid;

// Fitting of the growth-curve coefficients B0..B4 to what a farm observed:
// a simulated group started at the observed age and weight and fed the diets
// should reach the final weight at the observed final age after eating the
// observed total feed, and pass through the weighings at the end of each
// diet. Every trial point runs the whole growth model. Three stages:
// repeated simplex searches, a coarse grid around the best point, then up to
// three finer grids with shrinking steps.
//
// Nothing in an evaluation allocates or writes a table: the best point is
// kept in FitState::bestPoint and written into the coefficient table once,
// when the fit ends. A caller that wants to show the search follows it
// through FitContext::progress, which may also set GrowthState::cancelRun.
namespace GrowthCurveFit {

// Scores.
inline constexpr double kFailedRunScore = 100000000;  // the growth run failed
inline constexpr double kNegativeB3Score = 1000000;   // B3 below 0: the model is not run
inline constexpr double kTargetWeight = 50;           // per kg^2 of feed and per day^2 of age
inline constexpr double kObsTermDivisor = 10;         // the observation-row term counts a tenth
inline constexpr double kLateDays = 10;    // a final age more than this beyond the observed...
inline constexpr double kLateFactor = 10;  // ...multiplies the score by this
inline constexpr double kRefineTargetWeight = 10;  // the score of the fine grids' second look

// Simplex stage.
inline constexpr int kCoefficients = 5;  // B0..B4, simplex variables 1..5
inline constexpr double kSimplexReqmin = 1e-8;
inline constexpr int kSimplexKonvge = 10;
inline constexpr int kSimplexKcount = 5000;
inline constexpr double kSimplexStepFraction = 1.0 / 10000;  // of each starting coefficient
// A pass starts again from the best point while its result is below
// bestFit; as every evaluation lowers bestFit to the best value met, one pass
// is the rule. This many passes at most.
inline constexpr int kMaxSimplexPasses = 20;

// Grid stages: six points per coefficient, index 3 at the centre.
inline constexpr int kGridPoints = 6;
inline constexpr int kGridCentre = 3;
inline constexpr double kCoarseStepB0 = 0.5;
inline constexpr double kCoarseStepB1 = 0.05;
inline constexpr double kCoarseStepB2 = 0.1;
inline constexpr double kCoarseB3 = 0.0001;  // first B3 of the coarse grid, and its step
inline constexpr int kCoarsePoints = kGridPoints * kGridPoints * kGridPoints * kGridPoints;
inline constexpr int kRefinePoints = kCoarsePoints * kGridPoints;
// The coarse grid repeats while it improves; this many grids at most.
inline constexpr int kMaxCoarseGrids = 20;
inline constexpr double kFineRegimeLimit = 60;  // below it the fine grids take small steps
inline constexpr double kGoodFit = 5;           // a best score below it ends the fit
inline constexpr int kLastRefineRound = 4;      // grids at scales 1/2, 1/3, 1/4
inline constexpr double kRefineContinueLimit = 100;

// fitRound while the simplex evaluates points.
inline constexpr std::int16_t kSimplexRound = 99;

inline constexpr const char* kPerfectFitMessage = "OH NOOOO OOOO";
inline constexpr const char* kLateEndMessage = "What  ";

// State of a fit; the App keeps one, so the next calibration run sees the
// value the last fit left.
struct FitState {
  double fitValue = 0;   // objective value of the last evaluation
  double bestFit = 0;    // lowest value met in this fit; 0: none known yet
  double searchFit = 0;  // value handed back by a search stage
  // The best point: B0..B4 in entries 1..5, its value in entry 0.
  std::array<double, kCoefficients + 1> bestPoint{};
  // At each new best: the value, the simulated final age, the simulated feed.
  std::array<double, 3> fitTrace{};
  // The mode at the start, then the pass of the fine grids; kSimplexRound
  // while the simplex evaluates.
  std::int16_t fitRound = 0;
  bool useObservationRows = true;  // add the observation-row term
  double targetTotalFeed = 0;      // kg, herdInputs[4]
  double targetFinalAge = 0;       // days, herdInputs[5]
  double simulatedFeed = 0;        // kg, total feed of the last evaluation (FS)
  long growthRuns = 0;             // growth runs of this fit
};

// Told every FitContext::progressEvery growth runs and at the end of the fit.
using FitProgress = std::function<void(long growthRuns, double bestFit)>;

// What a fit reads and changes.
struct FitContext {
  GrowthState& growth;           // model inputs set by the calibration run; cancelRun stops the fit
  const CalibrationData& calib;  // herdInputs and observations
  FitState& state;
  Grid* coefTable = nullptr;   // coefficientTable: row 1 gets the best B0..B4 when the fit ends
  Dialogs* dialogs = nullptr;  // the two messages that only inform
  FitProgress progress;
  long progressEvery = 1000;
  // The growth run of a trial point; empty: PigGrowth::RunGrowthDays, with no
  // results table. Tests put a stand-in here.
  std::function<void(GrowthState&)> growthRun;
};

enum class FitStatus { Finished, Cancelled };

struct FitSummary {
  FitStatus status = FitStatus::Finished;
  long evaluations = 0;  // growth runs
  double best = 0;       // FitObjective of the point the fit returns
};

// The whole fit; the calibration run calls it with mode 1 (which takes the
// final weight from herdInputs[3] and sets herdSex to 0). It clears
// cancelRun first, sets runSlot to 0 and the targets from herdInputs[4] and
// [5], and ends, finished or cancelled, with the best point in bestPoint,
// in growthCoef and, in full, in row 1 of the coefficient table; that point
// is scored once more (one growth run), so that fitValue, bestFit,
// fitTrace and the summary hold its own objective value. showDailyRows is
// off during the fit and restored after it.
FitSummary CalibrateFit(FitContext& context, int mode);

// One evaluation of the current growthCoef: leaves the value in fitValue and
// keeps a value below bestFit as the new best.
void FitObjective(FitContext& context);

// The simplex's function: copies x[1..5] into B0..B4 and returns the value;
// a negative B3 scores kNegativeB3Score without running the model.
double EvaluatePoint(FitContext& context, const NelderMead::Vector& x);

// The coarse grid: 6^4 points around bestPoint (B4 kept); searchFit = bestFit.
void GridSearch(FitContext& context);

// A fine grid: 6^5 points around bestPoint at step scale 1 / fitRound;
// searchFit = bestFit.
void RefineGridSearch(FitContext& context);

// Adds the observation-row term of the last growth run to `sum`: for each
// weighing after the first (rows 2.. while the ages are above 0) the squared
// misses of the weight at that age, of the feed of the phase and of the
// weight at the end of the diet. A row without a weight (0) adds only its
// feed term; a row past the diets in use (dietCount) has no diet-end term, and
// a diet the run was still feeding when it stopped ends at the run's last
// weight (at most finalWeight).
void ObservationDeviation(const GrowthState& growth, const CalibrationData& calib, double& sum);

// The day at which the last growth run stopped: the first day from startAge
// whose weight reached finalWeight, or the last day grown.
int RunEndDay(const GrowthState& growth);

// A day of age rounded to the nearest whole day, halves to the even day.
int RoundDay(double age);

}  // namespace GrowthCurveFit
