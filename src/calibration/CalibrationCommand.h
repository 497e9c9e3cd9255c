// Calibration: the checks, messages and correlations of the "Calibration" command.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "calibration/CalibrationData.h"
#include "calibration/GrowthCurveFit.h"
#include "calibration/WeighingFit.h"
#include "model/GrowthState.h"
#include "platform/GlobalSearch.h"

class Dialogs;
class Grid;

// The calibration of a location: the pieces of the "Calibration" command, the
// calibration run and the correlations of a run with the weighings that need
// no window. The main window (AfrmMainCalibration.cpp) and the calibration
// inputs screen (CalibrationInputsForm) put them together.

// Messages of the "Calibration" command.
inline constexpr const char* kNoHerdSexMessage = "Set Flock Sex before Calibration";
inline constexpr const char* kNoDietsMessage = "Enter your Diets on The Diets Tab";
inline constexpr const char* kCalibrationNameTitle = "Calibration Name";
// Warnings of the calibration inputs screen.
inline constexpr const char* kLightStartMessage = "Starting Weight must be 4 kg or more";
inline constexpr const char* kHeavyFinishMessage = "Final Weight must be 25 kg or below ";
inline constexpr std::array<const char*, kHerdInputs + 1> kHerdZeroMessages{
    "",
    "Starting Weight is zero",
    "Starting Age is zero",
    "Final Weight is zero",
    "Total Feed Weight is zero",
    "Final Age is zero"};
// Message of the calibration run when the diets table and the feed amounts
// disagree.
inline constexpr const char* kDietInfoMessage = "Diet Info Not Right, Try again";

// Weights the growth model is made for, as typed (display units).
inline constexpr double kCalibLightestStart = 4;
inline constexpr double kCalibHeaviestFinish = 25;

// Start points of the fit: when the coefficient table has no B0, and after a
// fit that ended on a point whose B3 was negative.
inline constexpr std::array<double, kCoefCount> kCalibStartCoef{1.5, 1.3, 5.3, 0.004, 1.0};
inline constexpr std::array<double, kCoefCount> kCalibRestartCoef{10, 2.2, 2, 0.0002, 1};

// "Do you want to use " + name + " OR enter a new name".
std::string CalibrationNamePrompt(const std::string& name);

// Unit codes chosen from diet 1's net energy as typed: above 1800 it is per kg
// (kcal/kg, kg, per tonne), otherwise per lb (kcal/lb, lb, per short ton).
// Energies given in Mcal or MJ (energy codes 2 to 4) say nothing of the
// weight unit: their codes are kept (nullopt).
std::optional<std::array<std::int16_t, 3>> UnitCodesForEnergy(const GrowthState& growth,
                                                              double dietOneEnergy);

// Checks diets 1..numDiets of the diets table: net energy (kcal/kg after
// conversion) in [1800, 3000], protein in [12, 30] %, lysine in [0.5, 3] %.
// The message of the first failure ("Look at the Energy Value of Diet 2"),
// or nullopt when every diet passes.
std::optional<std::string> DietCheckMessage(const Grid& dietsTable,
                                            const GrowthState& growth,
                                            int numDiets);

// "Final Age " + age + "  Final Feed Intake is " + feed + "  Save this
// Calibration Data Set to " + name + " OK?", numbers in the short format.
std::string SaveCalibrationQuestion(double finalAge,
                                    double totalFeed,
                                    const std::string& name,
                                    bool decimalComma);

// A fit is poor when a growth run with its curve fails, or misses the
// observed final age by more than 2 days or the observed total feed by more
// than 5 %. A fit of weighings the model can follow meets both within a
// fraction of a day and of a per cent (the demo: 0.00 days, 0.01 %); a curve
// 2 days or 5 % of feed off moves feed/gain and the cost per pig by as much
// as the diet optimization's savings.
inline constexpr double kPoorFitDays = 2;
inline constexpr double kPoorFitFeedShare = 0.05;

struct FitAgainstObserved {
  bool grew = false;        // the run reached the final weight
  double finalAge = 0;      // days
  double totalFeed = 0;     // display units
  double observedAge = 0;   // herdInputs[5]
  double observedFeed = 0;  // herdInputs[4]
};

// "Poor fit: ..." with the numbers, or nullopt for a fit to keep; `unit` is
// the weight unit's name.
std::optional<std::string> PoorFitMessage(const FitAgainstObserved& fit,
                                          const std::string& unit,
                                          bool decimalComma);

enum class CalibrationStatus {
  Stopped,    // a check stopped the run before the fit; nothing changed
  Finished,   // the fit ran to its end
  Cancelled,  // cancelRun stopped the fit; its best point so far was kept
};

// What a calibration run did, for the window and the command line.
struct CalibrationOutcome {
  CalibrationStatus status = CalibrationStatus::Stopped;
  GrowthCurveFit::FitSummary fit;  // growth runs and best score of the fit
  double finalAge = 0;             // days, of a run with the fitted coefficients
  double totalFeed = 0;            // display units, of that run
  bool saved = false;              // the ".plt" file was written
  std::string poorFit;             // PoorFitMessage of that run; empty: a fit to keep
  // The classic fit and, when it ran, the thorough stage after it; fit.best
  // and fit.evaluations are those of both.
  SearchStageFigures classic;
  SearchStageFigures thorough;
  bool thoroughRan = false;
  WeighingFitTable weighings;  // the weighings against the run with the fitted curve
};

// The observed block of a daily results table after a run: rows 9 to N + 8
// hold the weighings at the end of diets 1..N (column 1 weight, 2 age, 4 the
// observed feed so far), and row N + 9 ("Correl." in column 0) the
// correlation of observed against simulated weight (column 1), age (column 2)
// and feed eaten by the end of each diet (column 4). N = numDiets (1 to 8);
// with no diet nothing is written.
inline constexpr int kObservedFirstRow = 9;
inline constexpr const char* kCorrelationLabel = "Correl.";
int CorrelationRow(int numDiets);
void WriteFitCorrelations(
    Grid& results, const CalibrationData& calib, int numDiets, bool decimalComma, Dialogs& dialogs);
