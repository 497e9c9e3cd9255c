// Model: GrowthState, the one model state a growth run reads and writes.
#pragma once

#include <array>
#include <cstdint>

// The one model state a run reads and writes: the run inputs, the day
// tables indexed by age, the working values of the day and the results.
// Internal units: kg, days, kcal net energy per kg of feed, per cent of feed
// for protein and amino acids, price per kg of feed.

inline constexpr int kMaxAge = 200;  // day tables hold ages 0..200
inline constexpr int kDays = kMaxAge + 1;
inline constexpr int kMaxDiets = 8;            // diets 1..8
inline constexpr int kNutrients = 15;          // supply vectors 0..14
inline constexpr int kMaxNutrientIndex = 121;  // formulation may fill past 14
inline constexpr int kFeedAmounts = 25;        // dietFeedAmount 0..24
inline constexpr int kDefaultHerdPigs = 20;

// Nutrient index shared by the model, the diets table and the formulation.
enum Nutrient : int {
  kPrice = 0,
  kEnergy = 1,
  kProtein = 2,
  kArginine = 3,
  kHistidine = 4,
  kLysine = 5,
  kTryptophan = 6,
  kPheTyr = 7,
  kPhenylalanine = 8,
  kMetCys = 9,
  kMethionine = 10,
  kThreonine = 11,
  kLeucine = 12,
  kIsoleucine = 13,
  kValine = 14,
};

// "Feed Formulation" list positions.
inline constexpr int kFeedNotChosen = 0;
inline constexpr int kFeedLeastCost = 1;
inline constexpr int kFeedGrid = 2;

// Columns of the day tables liveWeight and dailyFeed.
inline constexpr int kHerdColumn = 0;
inline constexpr int kLeanGainColumn = 1;   // liveWeight during a run: the day's lean gain
inline constexpr int kLipidGainColumn = 2;  // liveWeight during a run: the day's lipid gain
inline constexpr int kMaleColumn = 1;       // after the run's summary
inline constexpr int kFemaleColumn = 2;

struct PhaseEnd {
  double age = 0;
  double weight = 0;   // kg
  double cumFeed = 0;  // kg per pig
};

// Unit codes: element 0 energy, 1 weight, 2 price.
inline constexpr int kEnergyUnit = 0;
inline constexpr int kWeightUnit = 1;
inline constexpr int kPriceUnit = 2;

struct GrowthState {
  // Run inputs, copied from the main window by the growth run.
  std::int16_t herdSex = -1;  // 0 mixed, 1 males, 2 females, -1 none chosen
  std::int32_t pigCount = kDefaultHerdPigs;
  double startWeight = 0;  // kg
  std::int16_t startAge = 0;
  double finalWeight = 0;      // kg
  double totalFeedIntake = 0;  // kg
  double finalAge = 0;         // days, fractional
  std::int16_t dietCount = 6;
  std::int16_t feedChoice = kFeedNotChosen;
  std::array<double, 5> growthCoef{};  // B0..B4

  // Day tables by age 0..200.
  std::array<std::array<double, 3>, kDays> liveWeight{};  // kg; [0][0] holds B0 in a run
  std::array<std::array<double, 3>, kDays> dailyFeed{};   // kg on the step ending at age d
  std::array<double, kDays> bodyLipid{};                  // kg
  std::array<double, 3> cumFeed{};                        // kg per pig, per runSlot
  std::int16_t runSlot = 0;

  // Diets 1..8 by nutrient index; the model reads 0..14.
  std::array<std::array<double, kMaxNutrientIndex + 1>, kMaxDiets + 1> dietNutrients{};
  std::array<double, kFeedAmounts> dietFeedAmount{};  // kg per pig
  std::int16_t currentDiet = 1;
  std::array<PhaseEnd, kMaxDiets + 1> dietPhaseLog{};  // [0] the start

  // Working values of the current day.
  std::array<double, kNutrients> daySupply{};
  std::array<double, kNutrients> nutrientRatio{};  // 2..14 used
  double dayFeedIntake = 0;                        // kg/day
  double dayMeanWeight = 0;                        // kg
  double curveAge = 0;                             // days on the growth curve
  double nextWeight = 0;                           // kg

  bool growthFailed = false;
  bool showDailyRows = false;
  bool cancelRun = false;

  // Constants of the model, set at start-up.
  std::array<double, 4> lipidCurve{0.021917, 0.0039284, -2.635e-05, 1.0986e-07};
  double lipidEnergy = 6700;  // kcal per kg lipid deposited
  double leanEnergy = 1231;   // kcal per kg lean tissue deposited
  // g amino acid per g protein deposited, nutrients 3..14 as entries 1..12.
  std::array<double, 13> aminoAcidPattern{0,
                                          0.0685,
                                          0.028,
                                          0.0681,
                                          0.0121,
                                          0.0842,
                                          0.0411,
                                          0.0358,
                                          0.0188,
                                          0.0469,
                                          0.078,
                                          0.043,
                                          0.0525};
  std::array<double, 5> defaultGrowthCoef{6.154, 1.5343, 3.5705, 0.0020532, 1.0};
  // Phi(0.05 k) for k = 0..30, for the pig-count block of the growth run.
  std::array<double, 31> normalTable{};

  // Display settings the model's own table cells follow.
  std::array<std::int16_t, 3> unitCodes{0, 0, 1};
  bool decimalComma = false;
};
