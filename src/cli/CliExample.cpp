#include "cli/CliExample.h"

#include <array>
#include <cstdint>
#include <cstdio>

#include "app/NumberFormat.h"
#include "cli/CliDialogs.h"
#include "cli/CliOptions.h"
#include "model/GlobalPig.h"
#include "model/PigGrowth.h"
#include "model/Units.h"
#include "platform/Grid.h"

namespace {

constexpr int kResultRows = 200;
constexpr int kResultCols = 14;

struct ExampleDiet {
  double pricePerTonne;
  double energy;     // kcal NE per kg
  double protein;    // % of feed
  double lysine;     // % of feed
  double allowance;  // kg per pig
};

// Three nursery phases; the other amino acids follow lysine in a common
// ideal-protein ratio.
constexpr std::array<ExampleDiet, 3> kExampleDiets{{
    {640, 2450, 22, 1.50, 3},
    {450, 2500, 20, 1.35, 8},
    {340, 2550, 19, 1.25, 20},
}};

// Arginine to valine (nutrients 3..14) relative to lysine.
constexpr std::array<double, 12> kRatioToLysine{
    0.85, 0.34, 1.0, 0.185, 1.14, 0.66, 0.55, 0.31, 0.59, 1.07, 0.60, 0.65};

void LoadExample(GlobalPig& pig) {
  SetUnitSwitch(pig, 0);
  pig.NumDiets = static_cast<std::int16_t>(kExampleDiets.size());
  for (int c = 1; c <= pig.NumDiets; ++c) {
    const ExampleDiet& diet = kExampleDiets[c - 1];
    auto& nutrients = pig.DietNutrients[c];
    nutrients[kPrice] = diet.pricePerTonne;
    nutrients[kEnergy] = diet.energy;
    nutrients[kProtein] = diet.protein;
    for (int i = kArginine; i <= kValine; ++i) {
      nutrients[i] = diet.lysine * kRatioToLysine[i - kArginine];
    }
    pig.DietFeedAmount[c] = diet.allowance;
  }
  pig.GrowthCoef = pig.DefaultGrowthCoef;
  pig.StartAge = 21;
  // Just above B0: a start below the curve's own starting weight fails at
  // once, as the next weight falls below B0.
  pig.StartWeight = 6.2;
  pig.LiveWeight[pig.StartAge][kHerdColumn] = pig.StartWeight;
  pig.FinalWeight = 25;
  pig.FinalAge = 0;
  pig.RunSlot = 0;
  pig.ShowDailyRows = true;
}

}  // namespace

int RunExampleCommand() {
  GlobalPig pig;
  LoadExample(pig);
  Grid results(kResultRows, kResultCols);
  CliDialogs dialogs;
  PigGrowth::RunGrowthDays(pig, &results, &dialogs);
  if (pig.GrowthFailed) {
    std::fputs("The growth run failed.\n", stderr);
    return kExitRunFailed;
  }
  std::puts("Age\tWeight\tDaily Feed\tTot FEED");
  for (int row = 1; row < results.Rows() && !results.Text(row, PigGrowth::kAgeColumn).empty();
       ++row) {
    std::printf("%s\t%s\t%s\t%s\n",
                results.Text(row, PigGrowth::kAgeColumn).c_str(),
                results.Text(row, PigGrowth::kWeightColumn).c_str(),
                results.Text(row, PigGrowth::kDailyFeedColumn).c_str(),
                results.Text(row, PigGrowth::kTotFeedColumn).c_str());
  }
  std::printf("Final age, days\t%s\n", FormatNumber(pig.FinalAge, "##0.0#").c_str());
  std::printf("Total feed, kg\t%s\n", FormatNumber(pig.CumFeed[pig.RunSlot], "##0.0##").c_str());
  return kExitOk;
}
