#include "formulation/RestrictionRows.h"

#include "model/Units.h"

namespace {

constexpr int kEnergyIndex = 1;                               // nutrient index of net energy
constexpr int kLastPercentIndex = kStandardNutrientRows - 1;  // protein to valine are per cent

}  // namespace

bool IsNutrient(RestrictionKind kind) {
  return kind == RestrictionKind::NutrientMinimum || kind == RestrictionKind::NutrientMaximum;
}

bool IsUserRestriction(RestrictionKind kind) {
  return kind != RestrictionKind::None && kind != RestrictionKind::Total;
}

std::string RestrictionKindText(RestrictionKind kind) {
  switch (kind) {
    case RestrictionKind::NutrientMinimum:
      return "Nutrient minimum";
    case RestrictionKind::NutrientMaximum:
      return "Nutrient maximum";
    case RestrictionKind::IngredientMinimum:
      return "Ingredient minimum";
    case RestrictionKind::IngredientMaximum:
      return "Ingredient maximum";
    case RestrictionKind::Total:
      return "Total";
    case RestrictionKind::None:
      break;
  }
  return "";
}

std::string RestrictionName(const FormulationTables& tables, const RestrictionRef& restriction) {
  if (IsNutrient(restriction.kind) || restriction.kind == RestrictionKind::Total) {
    const int row = restriction.index + 1;
    return row >= 1 && row <= kMaxNutrientRows ? tables.nutrientName[row] : std::string();
  }
  const int i = restriction.index;
  return i >= 1 && i <= kMaxIngredients ? tables.ingredientName[i] : std::string();
}

std::string RestrictionUnit(const GrowthState& growth, const RestrictionRef& restriction) {
  if (!IsNutrient(restriction.kind)) return "%";
  if (restriction.index == kEnergyIndex) return EnergyUnitLabel(growth);
  return restriction.index <= kLastPercentIndex ? "%" : "";
}
