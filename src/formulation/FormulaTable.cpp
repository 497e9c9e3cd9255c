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
constexpr int kAmountOffset = 3;  // column dietCount + 3: the herd amount
constexpr int kUnitOffset = 4;
constexpr int kCostOffset = 5;

int DietsInUse(const GrowthState& growth) {
  return std::clamp<int>(growth.dietCount, 0, kMaxDiets);
}

int Ingredients(const FormulationTables& tables) {
  return std::clamp<int>(tables.ingredientCount, 0, kMaxIngredients);
}

double RoundTo2(double value) { return std::round(value * 100) / 100; }

// pigCount, read from the "Number of Pigs" box when it is 0.
std::int32_t HerdSize(GrowthState& growth, std::string_view pigCountText) {
  if (growth.pigCount == 0) {
    const double typed = std::nearbyint(ReadNumber(pigCountText));
    const double limit = std::numeric_limits<std::int32_t>::max();
    growth.pigCount =
        std::isfinite(typed) ? static_cast<std::int32_t>(std::clamp(typed, 0.0, limit)) : 0;
  }
  return growth.pigCount;
}

}  // namespace

std::array<double, kMaxDiets + 1> DietFeedEaten(const GrowthState& growth) {
  std::array<double, kMaxDiets + 1> eaten{};
  for (int d = 1; d <= DietsInUse(growth); ++d) {
    eaten[d] = ConvertWeight(growth, kToDisplay, growth.dietPhaseLog[d].cumFeed) -
               ConvertWeight(growth, kToDisplay, growth.dietPhaseLog[d - 1].cumFeed);
  }
  return eaten;
}

std::array<double, kMaxIngredients + 1> IngredientTotals(const LeastCostContext& context) {
  const auto eaten = DietFeedEaten(context.growth);
  std::array<double, kMaxIngredients + 1> total{};
  for (int i = 1; i <= Ingredients(context.tables); ++i) {
    for (int d = 1; d <= DietsInUse(context.growth); ++d) {
      total[i] += context.state.dietInclusion[d][i] * 0.01 * eaten[d];
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

void FormulaTableRefresh(LeastCostContext& context,
                         const Grid& dietsTable,
                         Grid& formulaTable,
                         std::string_view pigCountText) {
  const int diets = DietsInUse(context.growth);
  const int n = Ingredients(context.tables);
  auto total = IngredientTotals(context);
  std::array<int, kMaxIngredients + 1> ingredient{};
  int listed = 0;
  for (int i = 1; i <= n; ++i) {
    ingredient[i] = i;
    if (total[i] > kListedTotal) ++listed;
  }
  SortByTotal(total, ingredient, n);

  formulaTable.Clear();
  formulaTable.Resize(std::max(listed + 1, 2), diets + kFormulaExtraColumns);
  formulaTable.SetText(0, 0, "NO");
  formulaTable.SetText(0, 1, "Ing. Name");
  for (int d = 1; d <= diets; ++d) formulaTable.SetText(0, d + 1, dietsTable.Text(1, d));
  formulaTable.SetText(0, diets + kAmountOffset, "For the Herd");
  formulaTable.SetText(0, diets + kCostOffset, "Herd Cost");
  const bool comma = context.growth.decimalComma;
  for (int row = 1; row <= listed; ++row) {
    const int i = ingredient[row];
    formulaTable.SetText(row, 0, " " + std::to_string(i));
    formulaTable.SetText(row, 1, context.tables.ingredientName[i]);
    for (int d = 1; d <= diets; ++d) {
      formulaTable.SetText(row, d + 1, NumberText(context.state.dietInclusion[d][i], comma));
    }
  }
  HerdTonnage(context, formulaTable, pigCountText);
}

void HerdTonnage(LeastCostContext& context, Grid& formulaTable, std::string_view pigCountText) {
  GrowthState& growth = context.growth;
  const int diets = DietsInUse(growth);
  const double pigs = HerdSize(growth, pigCountText);
  const auto total = IngredientTotals(context);
  const bool pounds = growth.unitCodes[kWeightUnit] == kPoundsCode;
  const bool comma = growth.decimalComma;
  for (int row = 1; row < formulaTable.Rows(); ++row) {
    const double number = ReadNumber(formulaTable.Text(row, 0));
    if (!(number >= 1 && number <= Ingredients(context.tables))) continue;
    const int i = static_cast<int>(number);
    const double amount = pigs * total[i];  // display weight units
    const double kg = ConvertWeight(growth, kToInternal, amount);
    double shown = pounds ? amount : kg;
    std::string unit = pounds ? "lbs" : "Kg";
    if (shown >= kBulkAmount) {
      shown /= pounds ? kPoundsPerTon : kKgPerTonne;
      unit = pounds ? "Tons" : "Tonnes";
    }
    const double cost = kg * ConvertPrice(growth, kToInternal, context.tables.ingredientPrice[i]);
    formulaTable.SetText(row, diets + kAmountOffset, NumberText(shown, comma));
    formulaTable.SetText(row, diets + kUnitOffset, unit);
    formulaTable.SetText(row, diets + kCostOffset, NumberText(cost, comma));
  }
}

void PushRecentCost(FormulationState& state, double costPerPig) {
  for (int k = kRecentCosts; k > 1; --k) state.recentCosts[k] = state.recentCosts[k - 1];
  state.recentCosts[1] = costPerPig;
}

std::string RecentCostsText(const FormulationState& state, bool decimalComma) {
  std::string text = "Last Cost " + NumberText(RoundTo2(state.recentCosts[1]), decimalComma);
  for (int k = 2; k <= kRecentCostsShown; ++k) {
    if (state.recentCosts[k] > 0) {
      text += "  # " + std::to_string(k) + " " +
              NumberText(RoundTo2(state.recentCosts[k]), decimalComma);
    }
  }
  return text;
}

void ShowRecentCosts(const FormulationState& state, Dialogs& dialogs, bool decimalComma) {
  dialogs.Message(RecentCostsText(state, decimalComma));
}
