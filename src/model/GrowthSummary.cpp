#include "model/GrowthSummary.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "model/DietsTable.h"
#include "model/PigGrowth.h"
#include "model/Units.h"
#include "platform/Grid.h"
#include "platform/NumberFormat.h"

namespace {

constexpr int kPoundsCode = 1;  // weight unit code of pounds

constexpr double kCvSlope = 0.14006;
constexpr double kCvBase = 1.8405;
constexpr double kCountedZ = 1.5;  // rows beyond +-1.5 SD are not counted
constexpr double kNormalStep = 0.05;
constexpr int kNormalEntries = 30;

// Carcass estimates, kg live weight.
constexpr double kSquareCmToInch = 0.155;
constexpr double kCmToInch = 0.3937;

int Diets(const GrowthState& growth) {
  return std::clamp<int>(growth.dietCount, 1, kRunDietColumns);
}

int StartDay(const GrowthState& growth) { return std::clamp<int>(growth.startAge, 0, kMaxAge); }

double Shown(const GrowthState& growth, double kg) { return ConvertWeight(growth, kToDisplay, kg); }

double Kg(const GrowthState& growth, double shown) {
  return ConvertWeight(growth, kToInternal, shown);
}

bool Pounds(const GrowthState& growth) { return growth.unitCodes[kWeightUnit] == kPoundsCode; }

double Mean(double a, double b) { return (a + b) / 2; }

double RoundHalfEven(double x) {
  double r = std::round(x);
  if (std::fabs(x - std::trunc(x)) == 0.5) r = 2 * std::round(x / 2);
  return r;
}

double Round3(double x) { return std::round(x * 1000) / 1000; }

// Standard deviations between a weight (kg) and the final weight, with the
// group's spread CV = 0.14006 W + 1.8405 per cent.
double PigCountZ(const GrowthState& growth, double w) {
  const double cv = kCvSlope * w + kCvBase;
  return (w - growth.finalWeight) / (w * cv * 0.01);
}

// A daily row's weight as shown (column 6); rows end at the first without one.
double RowWeight(const Grid& results, int row) {
  return ReadNumber(results.Text(row, PigGrowth::kWeightColumn));
}

void SetNumber(Grid& grid, int row, int col, double value, const GrowthState& growth) {
  grid.SetText(row, col, NumberText(value, growth.decimalComma));
}

void SetPattern(Grid& grid, int row, int col, double value, const char* pattern, bool comma) {
  grid.SetText(row, col, FormatNumber(value, pattern, comma));
}

}  // namespace

void WriteResultHeadings(Grid& results, int weightCode) {
  const std::string gain = DailyGainHeading(weightCode);
  const char* headings[] = {"Diet Name",
                            "Live Wt.",
                            "Age",
                            gain.c_str(),
                            "Feed Wt.",
                            "Age",
                            "Weight",
                            "Daily Feed",
                            "Tot FEED",
                            "   No. of Pigs"};
  for (int c = 0; c <= kPigCountColumn; ++c) results.SetText(0, c, headings[c]);
}

int FinishDay(const GrowthState& growth) {
  const double day = std::ceil(growth.finalAge);
  return static_cast<int>(std::clamp(day, static_cast<double>(StartDay(growth)), double{kMaxAge}));
}

void CloseDietPhases(GrowthState& growth) {
  const int n = Diets(growth);
  const int start = StartDay(growth);
  const int last = FinishDay(growth);
  PhaseEnd end;
  end.age = growth.finalAge;
  // A group that never reached the final weight ends at its last weight.
  end.weight = growth.liveWeight[last][kHerdColumn] >= growth.finalWeight
                   ? growth.finalWeight
                   : growth.liveWeight[last][kHerdColumn];
  end.cumFeed = growth.cumFeed[growth.runSlot >= 0 && growth.runSlot < 3 ? growth.runSlot : 0];
  growth.dietPhaseLog[0] = {static_cast<double>(start), growth.liveWeight[start][kHerdColumn], 0};
  // Diets from the one being fed at the end were never finished.
  const int fed = std::clamp<int>(growth.currentDiet, 1, n);
  for (int r = fed; r <= n; ++r) growth.dietPhaseLog[r] = end;
}

double DietPhaseFeed(const GrowthState& growth, int diet) {
  if (diet < 1 || diet > kMaxDiets) return 0;
  return growth.dietPhaseLog[diet].cumFeed - growth.dietPhaseLog[diet - 1].cumFeed;
}

void FillDietRows(const GrowthState& growth, const Grid& dietsTable, Grid& results) {
  const bool comma = growth.decimalComma;
  for (int r = 1; r <= Diets(growth); ++r) {
    const PhaseEnd& before = growth.dietPhaseLog[r - 1];
    const PhaseEnd& end = growth.dietPhaseLog[r];
    const double gain = Shown(growth, end.weight) - Shown(growth, before.weight);
    const double days = end.age - before.age;
    results.SetText(r, kSummaryNameColumn, dietsTable.Text(kDietNameRow, r));
    SetNumber(results, r, kSummaryWeightColumn, Shown(growth, end.weight), growth);
    SetNumber(results, r, kSummaryAgeColumn, end.age, growth);
    SetPattern(results, r, kSummaryGainColumn, days > 0 ? gain / days : 0, "#0.0##", comma);
    SetNumber(results, r, kSummaryFeedColumn, Shown(growth, DietPhaseFeed(growth, r)), growth);
  }
}

double ShowEnergyPerGain(const GrowthState& growth, double startWeightShown, Grid& results) {
  const int n = Diets(growth);
  double energy = 0;
  for (int r = 1; r <= n; ++r) {
    energy += ReadNumber(results.Text(r, kSummaryFeedColumn)) * growth.dietNutrients[r][kEnergy];
  }
  // The gain runs to the end of the last diet, the whole run.
  const double gain = ReadNumber(results.Text(n, kSummaryWeightColumn)) - startWeightShown;
  const std::string text = NumberText(gain > 0 ? energy / gain : 0, growth.decimalComma);
  results.SetText(kEnergyPerGainRow, 0, "Calories/KG");
  results.SetText(kEnergyPerGainRow + 1, 0, "    of gain");
  results.SetText(kEnergyPerGainRow, 1, text);
  return ReadNumber(text);
}

double PigsAtOrAboveFinal(const GrowthState& growth, double weightKg) {
  const double z = PigCountZ(growth, weightKg);
  const int k =
      static_cast<int>(std::min(RoundHalfEven(std::fabs(z) / kNormalStep), double{kNormalEntries}));
  const double p = growth.normalTable[static_cast<std::size_t>(k)];
  return z >= 0 ? kCountedPigs * p : kCountedPigs - kCountedPigs * p;
}

int CountPigsAtFinalWeight(const GrowthState& growth, Grid& results) {
  int firstAge = -1;
  for (int row = 1; row < results.Rows() && RowWeight(results, row) > 0; ++row) {
    const double w = Kg(growth, RowWeight(results, row));
    const double z = PigCountZ(growth, w);
    if (!(z > -kCountedZ && z < kCountedZ)) continue;
    // The table's values are rounded to five places; a product such as
    // 20 x 0.7 must not fall to the integer below.
    const long pigs = std::lround(std::floor(PigsAtOrAboveFinal(growth, w) + 1e-9));
    results.SetText(row, kPigCountColumn, std::to_string(pigs));
    if (firstAge < 0) firstAge = StartDay(growth) + row - 1;
  }
  results.SetText(0, kPigCountColumn, "   No. of Pigs");
  results.SetText(1, kPigCountColumn, "   At Final Wt");
  results.SetText(2, kPigCountColumn, "   of 20 Pigs");
  if (firstAge >= 0) {
    results.SetText(
        kPigCountStartRow, kPigCountColumn, "Starts at " + std::to_string(firstAge) + " Days");
    results.SetColWidth(kPigCountColumn, kPigCountWidth);
  }
  return firstAge;
}

SexWeights SplitWeight(double w, int herdSex) {
  SexWeights s;
  if (herdSex == kMaleHerd) {
    s.male = w;
    s.female = 1.0307 * w + 0.0152552 - 0.001125 * w * w + 4.54e-06 * w * w * w;
  } else if (herdSex == kFemaleHerd) {
    s.female = w;
    s.male = 0.96413 * w - 0.10645 + 0.00125982 * w * w - 5.23e-06 * w * w * w;
  } else {
    s.male = 0.888330684 * std::pow(0.999681931, w) * std::pow(w, 1.036525935);
    s.female = 2 * w - s.male;
  }
  if (s.female > s.male) s = {w, w};
  return s;
}

double MaleIntake(double m) {
  const double m2 = m * m;
  return 218.692 * m - 877.268 - 2.50775 * m2 + 0.017897 * m2 * m - 5.591e-05 * m2 * m2;
}

double FemaleIntake(double f) {
  const double f2 = f * f;
  return 215.86493 * f - 851.343 - 2.46838 * f2 + 0.01761605 * f2 * f - 5.50525e-05 * f2 * f2;
}

double IntakeRatio(const SexWeights& weights) {
  const double male = MaleIntake(weights.male);
  const double female = FemaleIntake(weights.female);
  return male > 0 && female > 0 ? male / female : 1.0;
}

SexSplit SplitBySex(GrowthState& growth, const Grid& results) {
  const int n = Diets(growth);
  const int sex = growth.herdSex;
  SexSplit split;
  split.ownColumn = sex == kMaleHerd || sex == kFemaleHerd ? sex : 0;
  const double runFeed = growth.dietPhaseLog[n].cumFeed;
  growth.dietFeedAmount[n] = DietPhaseFeed(growth, n);

  // Running totals of columns 0..2, and their values at each diet's end.
  std::array<double, 3> total{};
  std::array<std::array<double, 3>, kMaxDiets + 1> atEnd{};
  std::array<bool, kMaxDiets + 1> ended{};
  for (int row = 1; row < results.Rows(); ++row) {
    const double age = ReadNumber(results.Text(row, PigGrowth::kAgeColumn));
    if (!(age > 0)) continue;
    const int d = static_cast<int>(std::min(std::ceil(age), double{kMaxAge}));
    const SexWeights w = SplitWeight(growth.liveWeight[d][kHerdColumn], sex);
    growth.liveWeight[d][kMaleColumn] = w.male;
    growth.liveWeight[d][kFemaleColumn] = w.female;
    const double herd = growth.dailyFeed[d][kHerdColumn];
    const double ratio = IntakeRatio(w);
    double male = herd * ratio;
    double female = 2 * herd - male;
    double mean = herd;
    if (sex == kMaleHerd) {
      male = herd;
      female = herd / ratio;
      mean = Mean(male, female);
    } else if (sex == kFemaleHerd) {
      female = herd;
      mean = Mean(male, female);
    }
    // Column 0 keeps the run's own daily feed, which other commands read.
    growth.dailyFeed[d][kMaleColumn] = male;
    growth.dailyFeed[d][kFemaleColumn] = female;
    total[0] += mean;
    total[1] += male;
    total[2] += female;
    for (int r = 1; r < n; ++r) {
      if (!ended[r] && age == growth.dietPhaseLog[r].age) {
        atEnd[r] = total;
        ended[r] = true;
      }
    }
  }
  // A diet whose end matched no row ends with the one before it.
  for (int r = 1; r < n; ++r) {
    if (!ended[r]) atEnd[r] = atEnd[r - 1];
  }
  atEnd[n] = total;

  const int own = split.ownColumn;
  for (int c = 0; c < 3; ++c) {
    growth.cumFeed[c] = total[own] > 0 ? runFeed * total[c] / total[own] : runFeed;
    for (int r = 1; r <= n; ++r) {
      const double ownFeed = atEnd[r][own] - atEnd[r - 1][own];
      const double feed = atEnd[r][c] - atEnd[r - 1][c];
      split.dietShare[r][c] = ownFeed > 0 ? feed / ownFeed : 1.0;
    }
  }
  split.start = SplitWeight(growth.liveWeight[StartDay(growth)][kHerdColumn], sex);
  split.finish = SplitWeight(growth.liveWeight[FinishDay(growth)][kHerdColumn], sex);
  return split;
}

double FeedCostPerPig(const GrowthState& growth,
                      const Grid& dietsTable,
                      const std::array<std::array<double, 3>, kMaxDiets + 1>* share,
                      int column) {
  double cost = 0;
  for (int r = 1; r <= Diets(growth); ++r) {
    double price = growth.dietNutrients[r][kPrice];
    if (price == 0) price = ReadNumber(dietsTable.Text(kDietCostRow, r));
    const double part = share ? (*share)[r][column] : 1.0;
    cost += ConvertPrice(growth, kToInternal, price) * Round3(DietPhaseFeed(growth, r)) * part;
  }
  return cost;
}

double FeedPerGain(double feed, double gain) { return gain > 0 ? feed / gain : 0; }

void ShowFinishingBlock(const GrowthState& growth,
                        const SexSplit& split,
                        const GrowthRunResults& run,
                        Grid& results) {
  const bool comma = growth.decimalComma;
  results.SetText(kFinishingTitleRow, 0, "At Finishing Wt");
  results.SetText(kSexHeadingRow, kMaleColumn, "Males");
  results.SetText(kSexHeadingRow, kFemaleColumn, "Females");
  results.SetText(kFinishWeightRow, 0, "Live Wt");
  results.SetText(kFinishFeedRow, 0, "Feed In.");
  results.SetText(kFinishCostRow, 0, "Cost");
  results.SetText(kFinishFeedGainRow, 0, "Feed/gain");
  const double weight[3] = {0, split.finish.male, split.finish.female};
  for (int c = kMaleColumn; c <= kFemaleColumn; ++c) {
    SetPattern(results, kFinishWeightRow, c, Shown(growth, weight[c]), "###.0", comma);
    SetPattern(results, kFinishFeedRow, c, Shown(growth, growth.cumFeed[c]), "###.0", comma);
    SetPattern(results, kFinishCostRow, c, run.sexCost[c], "###.#0", comma);
    SetPattern(results, kFinishFeedGainRow, c, run.sexFeedGain[c], "###.##0", comma);
  }
}

double CarcassBlock(const GrowthState& growth, Grid& results) {
  const bool pounds = Pounds(growth);
  double depth = 0;
  for (int row = 1; row < results.Rows() && RowWeight(results, row) > 0; ++row) {
    const double w = Kg(growth, RowWeight(results, row));
    if (!(w > kCarcassWeight)) continue;
    const double area = Mean(0.1949 * w + 21.2, 0.6951 * w - 13.34 - 0.00169 * w * w);
    const double values[4] = {Mean(0.1809 * w + 2.0, 0.2022 * w - 4.5),
                              pounds ? area * kSquareCmToInch : area,
                              Mean(72 - 0.1083 * w, 76.3 - 0.1265 * w),
                              Mean(0.0508 * w + 60.8, 0.0419 * w + 62.0)};
    for (int k = 0; k < 4; ++k) SetNumber(results, row, kFirstCarcassColumn + k, values[k], growth);
    depth = Mean(0.01066 * w + 4.07, 0.06789 * w + 0.004);
    if (pounds) depth *= kCmToInch;
  }
  return depth;
}

GrowthRunResults SummarizeGrowthRun(GrowthState& growth,
                                    const Grid& dietsTable,
                                    double startWeightShown,
                                    Grid& results) {
  GrowthRunResults run;
  CloseDietPhases(growth);
  const int n = Diets(growth);
  run.totalFeed = growth.dietPhaseLog[n].cumFeed;
  run.finalWeight = growth.dietPhaseLog[n].weight;
  FillDietRows(growth, dietsTable, results);
  run.energyPerGain = ShowEnergyPerGain(growth, startWeightShown, results);
  run.pigCountStartAge = CountPigsAtFinalWeight(growth, results);

  const SexSplit split = SplitBySex(growth, results);
  run.costPerPig = FeedCostPerPig(growth, dietsTable);
  run.feedGain = FeedPerGain(run.totalFeed, run.finalWeight - growth.dietPhaseLog[0].weight);
  run.sexCost[0] = run.costPerPig;
  run.sexFeedGain[0] = run.feedGain;
  const SexWeights gain{split.finish.male - split.start.male,
                        split.finish.female - split.start.female};
  run.sexCost[kMaleColumn] = FeedCostPerPig(growth, dietsTable, &split.dietShare, kMaleColumn);
  run.sexCost[kFemaleColumn] = FeedCostPerPig(growth, dietsTable, &split.dietShare, kFemaleColumn);
  run.sexFeedGain[kMaleColumn] = FeedPerGain(growth.cumFeed[kMaleColumn], gain.male);
  run.sexFeedGain[kFemaleColumn] = FeedPerGain(growth.cumFeed[kFemaleColumn], gain.female);
  ShowFinishingBlock(growth, split, run, results);
  run.carcassDepth = CarcassBlock(growth, results);
  return run;
}
