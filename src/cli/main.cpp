// tamsel-cli: runs the growth model without a display.

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

#include "app/NumberFormat.h"
#include "model/GlobalPig.h"
#include "model/PigGrowth.h"
#include "model/Units.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"

namespace {

constexpr int kResultRows = 200;
constexpr int kResultCols = 14;

// The command line answers every message on the console.
class ConsoleDialogs : public Dialogs {
 public:
  Answer Message(std::string_view text, Buttons, std::string_view) override {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    return Answer::OK;
  }
  std::string Input(std::string_view, std::string_view, std::string_view) override { return {}; }
  std::string OpenFile(const FileRequest& request) override { return request.fileName; }
  std::string SaveFile(const FileRequest& request) override { return request.fileName; }
  void SetClipboard(std::string_view text) override { clipboard_ = text; }
  std::string Clipboard() override { return clipboard_; }
  void ClearClipboard() override { clipboard_.clear(); }

 private:
  std::string clipboard_;
};

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

void PrintUsage() {
  std::puts(
      "Usage: tamsel-cli [example | --help]\n"
      "\n"
      "Runs the growth model on a built-in example: a group of weanling pigs\n"
      "from 6.2 kg at 21 days to 25 kg on three nursery diets (3, 8 and 20 kg per\n"
      "pig) with the default growth curve B0..B4 = 6.154, 1.5343, 3.5705,\n"
      "0.0020532, 1.0. Prints the daily growth as tab-separated columns (age in\n"
      "days, weight, daily feed and total feed in kg), then the final age and\n"
      "the total feed per pig.");
}

int RunExample() {
  GlobalPig pig;
  LoadExample(pig);
  Grid results(kResultRows, kResultCols);
  ConsoleDialogs dialogs;
  PigGrowth::RunGrowthDays(pig, &results, &dialogs);
  if (pig.GrowthFailed) {
    std::fputs("The growth run failed.\n", stderr);
    return 1;
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
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view command = argc > 1 ? argv[1] : "example";
  if (command == "--help" || command == "-h" || command == "help") {
    PrintUsage();
    return 0;
  }
  if (command == "example" && argc <= 2) return RunExample();
  std::fprintf(stderr, "tamsel-cli: unknown command '%s'\n\n", argv[1]);
  PrintUsage();
  return 2;
}
