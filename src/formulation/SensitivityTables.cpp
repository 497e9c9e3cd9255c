#include "formulation/SensitivityTables.h"

#include <array>
#include <cmath>
#include <string_view>

#include "formulation/ConflictMarks.h"
#include "formulation/Restrictions.h"
#include "platform/NumberFormat.h"

namespace {

struct PriceUnit {
  std::string_view heading;
  std::string_view phrase;
};

// By price code: per kg, per tonne, per lb, per short ton, per hundredweight.
constexpr std::array<PriceUnit, 5> kPriceUnits{{
    {"Cost/kg", "per kg"},
    {"Cost/tonne", "per tonne"},
    {"Cost/lb", "per lb"},
    {"Cost/sht ton", "per short ton"},
    {"Cost/cwt", "per hundredweight"},
}};

constexpr std::string_view kNoLimit = "no limit";

constexpr int kNameWidth = 146;  // pixels
constexpr int kKindWidth = 113;
constexpr int kNumberWidth = 73;
constexpr int kPriceWidth = 126;

const PriceUnit& PriceUnitOf(const GrowthState& growth) {
  const int code = growth.unitCodes[kPriceUnit];
  return kPriceUnits[code >= 0 && code < static_cast<int>(kPriceUnits.size()) ? code : 0];
}

std::string Number(double value, const GrowthState& growth, SensitivityNumbers numbers) {
  if (std::isinf(value)) {
    if (numbers == SensitivityNumbers::Full) return value > 0 ? "inf" : "-inf";
    return std::string(kNoLimit);
  }
  if (numbers == SensitivityNumbers::Full) return FullNumberText(value);
  return NumberText(value, growth.decimalComma);
}

// "100 Kcal/Kg", "1 %", "1" (a free row, in its own unit).
std::string StepText(double step, const std::string& unit, const GrowthState& growth) {
  const std::string number = FormatNumber(step, "0.###", growth.decimalComma);
  return unit.empty() ? number : number + " " + unit;
}

// Number columns right, "no limit" and "blocked" among them too; text left.
void AlignColumn(Grid& grid, int col, Align align) {
  for (int row = 1; row < grid.Rows(); ++row) grid.SetCellAlign(row, col, align);
}

void StartTable(Grid& grid, int rows, std::initializer_list<std::string> headings) {
  grid.Resize(rows + 1, static_cast<int>(headings.size()));
  grid.Clear();
  grid.SetFixedCols(0);  // the name is a column like the others, so it sorts
  grid.SetEditable(false);
  int col = 0;
  for (const std::string& heading : headings) {
    grid.SetText(0, col, heading);
    grid.SetColWidth(col, col == 0 ? kNameWidth : kNumberWidth);
    for (int row = 1; row <= rows; ++row) {
      grid.SetCellColor(row, col, kWhite);
      grid.SetCellAlign(row, col, Align::General);
    }
    ++col;
  }
}

}  // namespace

std::string PriceUnitHeading(const GrowthState& growth) {
  return std::string(PriceUnitOf(growth).heading);
}

std::string PriceUnitPhrase(const GrowthState& growth) {
  return std::string(PriceUnitOf(growth).phrase);
}

void FillRestrictionTable(Grid& grid,
                          const DietSensitivity& sensitivity,
                          const FormulationTables& tables,
                          const GrowthState& growth,
                          SensitivityNumbers numbers) {
  const int rows = static_cast<int>(sensitivity.restrictions.size());
  StartTable(grid,
             rows,
             {"Restriction",
              "Kind",
              "Limit",
              "Level",
              "Binding",
              "Shadow price, " + PriceUnitHeading(growth),
              "Per",
              "Range from",
              "Range to"});
  grid.SetColWidth(1, kKindWidth);
  grid.SetColWidth(5, kPriceWidth);
  for (int col : {2, 3, 5, 7, 8}) AlignColumn(grid, col, Align::Right);
  for (int col : {0, 1, 4, 6}) AlignColumn(grid, col, Align::Left);
  for (int row = 1; row <= rows; ++row) {
    const RestrictionSensitivity& r = sensitivity.restrictions[row - 1];
    grid.SetText(row, 0, RestrictionName(tables, r.restriction));
    grid.SetText(row, 1, RestrictionKindText(r.restriction.kind));
    grid.SetText(row, 2, Number(r.limit, growth, numbers));
    grid.SetText(row, 3, Number(r.level, growth, numbers));
    grid.SetText(row, 4, r.binding ? "Yes" : "No");
    grid.SetText(row, 5, Number(r.shadowPrice, growth, numbers));
    grid.SetText(row, 6, StepText(r.step, RestrictionUnit(growth, r.restriction), growth));
    grid.SetText(row, 7, Number(r.limitLow, growth, numbers));
    grid.SetText(row, 8, Number(r.limitHigh, growth, numbers));
    if (r.binding)
      for (int col = 0; col < kRestrictionColumns; ++col) grid.SetCellColor(row, col, kPeach);
  }
}

void FillIngredientTable(Grid& grid,
                         const DietSensitivity& sensitivity,
                         const FormulationTables& tables,
                         const GrowthState& growth,
                         SensitivityNumbers numbers) {
  const int rows = static_cast<int>(sensitivity.ingredients.size());
  const std::string unit = PriceUnitHeading(growth);
  StartTable(grid,
             rows,
             {"Ingredient",
              "Inclusion, %",
              "Price, " + unit,
              "Reduced cost, " + unit,
              "Price from",
              "Price to"});
  grid.SetColWidth(2, kPriceWidth);
  grid.SetColWidth(3, kPriceWidth);
  for (int col = 1; col < kIngredientColumns; ++col) AlignColumn(grid, col, Align::Right);
  AlignColumn(grid, 0, Align::Left);
  for (int row = 1; row <= rows; ++row) {
    const IngredientSensitivity& i = sensitivity.ingredients[row - 1];
    grid.SetText(
        row, 0, RestrictionName(tables, {RestrictionKind::IngredientMinimum, i.ingredient}));
    grid.SetText(row, 1, Number(i.inclusion, growth, numbers));
    grid.SetText(row, 2, Number(i.price, growth, numbers));
    grid.SetText(
        row, 3, i.blocked ? std::string("blocked") : Number(i.reducedCost, growth, numbers));
    grid.SetText(row, 4, Number(i.priceLow, growth, numbers));
    grid.SetText(row, 5, Number(i.priceHigh, growth, numbers));
  }
}

void FillConflictTable(Grid& grid,
                       const ConflictingSet& conflict,
                       const FormulationTables& tables,
                       const GrowthState& growth,
                       SensitivityNumbers numbers) {
  StartTable(grid, conflict.count, {"Conflicting restriction", "Kind", "Limit", "Unit"});
  grid.SetColWidth(1, kKindWidth);
  for (int row = 1; row <= conflict.count; ++row) {
    const ConflictingRestriction& member = conflict.members[row - 1];
    grid.SetText(row, 0, RestrictionName(tables, member.restriction));
    grid.SetText(row, 1, RestrictionKindText(member.restriction.kind));
    grid.SetText(row, 2, Number(member.limit, growth, numbers));
    grid.SetText(row, 3, RestrictionUnit(growth, member.restriction));
    for (int col = 0; col < kConflictColumns; ++col) grid.SetCellColor(row, col, kConflictRed);
  }
}
