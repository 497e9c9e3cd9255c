#include "formulation/FormulaTable.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "model/Units.h"
#include "platform/NumberFormat.h"

namespace {

constexpr int kPoundsCode = 1;          // weight unit code of pounds
constexpr double kPoundsPerTon = 2000;  // short ton
constexpr double kKgPerTonne = 1000;
constexpr int kAmountOffset = 3;  // column NumDiets + 3: the herd amount
constexpr int kUnitOffset = 4;
constexpr int kCostOffset = 5;

int DietsInUse(const GlobalPig& pig) { return std::clamp<int>(pig.NumDiets, 0, kMaxDiets); }

int Ingredients(const FormulationTables& tables) {
  return std::clamp<int>(tables.ingredientCount, 0, kMaxIngredients);
}

double RoundTo2(double value) { return std::round(value * 100) / 100; }

// HerdPigs, read from the "Number of Pigs" box when it is 0.
std::int32_t HerdSize(GlobalPig& pig, std::string_view pigNoText) {
  if (pig.HerdPigs == 0) {
    const double typed = std::nearbyint(ReadNumber(pigNoText));
    const double limit = std::numeric_limits<std::int32_t>::max();
    pig.HerdPigs =
        std::isfinite(typed) ? static_cast<std::int32_t>(std::clamp(typed, 0.0, limit)) : 0;
  }
  return pig.HerdPigs;
}

}  // namespace

std::array<double, kMaxDiets + 1> DietFeedEaten(const GlobalPig& pig) {
  std::array<double, kMaxDiets + 1> eaten{};
  for (int d = 1; d <= DietsInUse(pig); ++d) {
    eaten[d] = ConvertWeight(pig, kToDisplay, pig.DietPhaseLog[d].cumFeed) -
               ConvertWeight(pig, kToDisplay, pig.DietPhaseLog[d - 1].cumFeed);
  }
  return eaten;
}

std::array<double, kMaxIngredients + 1> IngredientTotals(const FeedOptContext& context) {
  const auto eaten = DietFeedEaten(context.pig);
  std::array<double, kMaxIngredients + 1> total{};
  for (int i = 1; i <= Ingredients(context.tables); ++i) {
    for (int d = 1; d <= DietsInUse(context.pig); ++d) {
      total[i] += context.state.DietInclusion[d][i] * 0.01 * eaten[d];
    }
  }
  return total;
}

void SortByTotal(std::array<double, kMaxIngredients + 1>& total,
                 std::array<int, kMaxIngredients + 1>& ingredient,
                 int count) {
  count = std::clamp(count, 0, kMaxIngredients);
  for (int p = 1; p <= count; ++p) {
    for (int q = p; q <= count; ++q) {
      if (total[p] < total[q]) {
        std::swap(total[p], total[q]);
        std::swap(ingredient[p], ingredient[q]);
      }
    }
  }
}

void FormulaTableRefresh(FeedOptContext& context,
                         const Grid& Griddiets,
                         Grid& Gridformula,
                         std::string_view pigNoText) {
  const int diets = DietsInUse(context.pig);
  const int n = Ingredients(context.tables);
  auto total = IngredientTotals(context);
  std::array<int, kMaxIngredients + 1> ingredient{};
  int listed = 0;
  for (int i = 1; i <= n; ++i) {
    ingredient[i] = i;
    if (total[i] > kListedTotal) ++listed;
  }
  SortByTotal(total, ingredient, n);

  Gridformula.Clear();
  Gridformula.Resize(std::max(listed + 1, 2), diets + kFormulaExtraColumns);
  Gridformula.SetText(0, 0, "NO");
  Gridformula.SetText(0, 1, "Ing. Name");
  for (int d = 1; d <= diets; ++d) Gridformula.SetText(0, d + 1, Griddiets.Text(1, d));
  const bool comma = context.pig.DecimalComma;
  for (int row = 1; row <= listed; ++row) {
    const int i = ingredient[row];
    Gridformula.SetText(row, 0, " " + std::to_string(i));
    Gridformula.SetText(row, 1, context.tables.IngName[i]);
    for (int d = 1; d <= diets; ++d) {
      Gridformula.SetText(row, d + 1, NumberText(context.state.DietInclusion[d][i], comma));
    }
  }
  HerdTonnage(context, Gridformula, pigNoText);
}

void HerdTonnage(FeedOptContext& context, Grid& Gridformula, std::string_view pigNoText) {
  GlobalPig& pig = context.pig;
  const int diets = DietsInUse(pig);
  const double pigs = HerdSize(pig, pigNoText);
  const auto total = IngredientTotals(context);
  const bool pounds = pig.UnitCodes[kWeightUnit] == kPoundsCode;
  const bool comma = pig.DecimalComma;
  for (int row = 1; row < Gridformula.Rows(); ++row) {
    const double number = ReadNumber(Gridformula.Text(row, 0));
    if (!(number >= 1 && number <= Ingredients(context.tables))) continue;
    const int i = static_cast<int>(number);
    const double amount = pigs * total[i];  // display weight units
    const double kg = ConvertWeight(pig, kToInternal, amount);
    double shown = pounds ? amount : kg;
    std::string unit = pounds ? "lbs" : "Kg";
    if (shown >= kBulkAmount) {
      shown /= pounds ? kPoundsPerTon : kKgPerTonne;
      unit = pounds ? "Tons" : "Tonnes";
    }
    const double cost = kg * ConvertPrice(pig, kToInternal, context.tables.ingredientPrice[i]);
    Gridformula.SetText(row, diets + kAmountOffset, NumberText(shown, comma));
    Gridformula.SetText(row, diets + kUnitOffset, unit);
    Gridformula.SetText(row, diets + kCostOffset, NumberText(cost, comma));
  }
}

void PushRecentCost(FormulationState& state, double costPerPig) {
  for (int k = kRecentCosts; k > 1; --k) state.RecentCosts[k] = state.RecentCosts[k - 1];
  state.RecentCosts[1] = costPerPig;
}

std::string RecentCostsText(const FormulationState& state, bool decimalComma) {
  std::string text = "Last Cost " + NumberText(RoundTo2(state.RecentCosts[1]), decimalComma);
  for (int k = 2; k <= kRecentCostsShown; ++k) {
    if (state.RecentCosts[k] > 0) {
      text += "  # " + std::to_string(k) + " " +
              NumberText(RoundTo2(state.RecentCosts[k]), decimalComma);
    }
  }
  return text;
}

void ShowRecentCosts(const FormulationState& state, Dialogs& dialogs, bool decimalComma) {
  dialogs.Message(RecentCostsText(state, decimalComma));
}
