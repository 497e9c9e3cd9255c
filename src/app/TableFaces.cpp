#include "app/TableFaces.h"

#include "app/Comparison.h"
#include "calibration/CalibrationData.h"
#include "model/DietsTable.h"
#include "model/GrowthState.h"
#include "model/GrowthSummary.h"
#include "model/PigGrowth.h"
#include "model/Units.h"
#include "optimization/FeedCostObjective.h"
#include "optimization/OptimizationReportForm.h"
#include "platform/Grid.h"

namespace {

constexpr const char* kPerCentUnit = "%";
constexpr const char* kDaysUnit = "days";
constexpr const char* kPerPigUnit = "per pig";
constexpr int kEnergyMatrixRow = 2;  // the matrix's first nutrient

std::string Weight(const GrowthState& growth) {
  return WeightUnitName(growth.unitCodes[kWeightUnit]);
}
std::string Energy(const GrowthState& growth) {
  return EnergyUnitName(growth.unitCodes[kEnergyUnit]);
}
std::string Price(const GrowthState& growth) { return PriceUnitName(growth.unitCodes[kPriceUnit]); }
std::string FeedPerGain(const GrowthState& growth) { return Weight(growth) + "/" + Weight(growth); }

std::string ResultsColumnUnit(const GrowthState& growth, int col) {
  switch (col) {
    case kSummaryWeightColumn:
    case kSummaryFeedColumn:
    case PigGrowth::kWeightColumn:
    case PigGrowth::kDailyFeedColumn:
    case PigGrowth::kTotFeedColumn:
      return Weight(growth);
    case kSummaryAgeColumn:
    case PigGrowth::kAgeColumn:
      return kDaysUnit;
    default:
      return {};  // the daily gain names its unit; the pig count is a count
  }
}

std::string FinishingRowUnit(const GrowthState& growth, int row) {
  switch (row) {
    case kFinishWeightRow:
    case kFinishFeedRow:
      return Weight(growth);
    case kFinishCostRow:
      return kPerPigUnit;
    case kFinishFeedGainRow:
      return FeedPerGain(growth);
    default:
      return {};
  }
}

// The unit of nutrient row `row` of the matrix (row 1 the weight, 100 %).
std::string MatrixRowUnit(const GrowthState& growth, int row) {
  return row == kEnergyMatrixRow ? Energy(growth) : kPerCentUnit;
}

}  // namespace

TableFace ResultsFace(const GrowthState& growth) {
  return {[&growth](int row, int col) {
            if (row == 0) return ResultsColumnUnit(growth, col);
            return col == 0 ? FinishingRowUnit(growth, row) : std::string();
          },
          {}};
}

std::string DietsRowUnit(const GrowthState& growth, int row) {
  if (row == kDietCostRow) return Price(growth);
  if (row == kDietAmountRow) return Weight(growth) + " " + kPerPigUnit;
  if (row == kDietEnergyRow) return Energy(growth);
  if (row > kDietEnergyRow && row <= kDietSpareRow) return kPerCentUnit;
  return {};
}

TableFace DietsFace(const GrowthState& growth) {
  return {
      [&growth](int row, int col) { return col == 0 ? DietsRowUnit(growth, row) : std::string(); },
      {}};
}

TableFace NutrientFeedsFace(const GrowthState& growth) {
  // Columns beyond the diets table's rows are further nutrients of the matrix.
  return {[&growth](int row, int col) {
            if (row != 0) return std::string();
            return col > kDietSpareRow ? std::string(kPerCentUnit) : DietsRowUnit(growth, col);
          },
          {}};
}

TableFace FormulaFace(const Grid& formula) {
  // Diets from column 2 up to the empty column before the herd's amounts.
  return {[&formula](int row, int col) {
            if (row != 0 || col < 2) return std::string();
            for (int c = 2; c <= col; ++c)
              if (formula.Text(0, c).empty()) return std::string();
            return std::string(kPerCentUnit);
          },
          {}};
}

TableFace CoefficientsFace() {
  constexpr int kB0Col = 1;
  return {[](int row, int col) { return row == 0 && col == kB0Col ? "kg" : ""; },
          [](int, int col) { return col >= 1 && col <= kCoefCount ? kCoefficientDigits : 0; }};
}

TableFace CalibrationTrialsFace(const GrowthState& growth) {
  constexpr int kFinalAgeCol = 7;
  constexpr int kTotalFeedCol = 8;
  TableFace face = CoefficientsFace();
  face.unit = [&growth, coefficient = face.unit](int row, int col) -> std::string {
    if (row == 0 && col == kFinalAgeCol) return kDaysUnit;
    if (row == 0 && col == kTotalFeedCol) return Weight(growth);
    return coefficient(row, col);
  };
  return face;
}

TableFace ComparisonFace(const GrowthState& growth) {
  return {[&growth](int row, int col) -> std::string {
            if (col != 0) return {};
            if (row == kCompareLiveWeight || row == kCompareStartWeight) return Weight(growth);
            if (row >= kCompareFirstDietFeed && row < kCompareFirstChangeAge) return Weight(growth);
            if (row == kCompareFinalAge || row >= kCompareFirstChangeAge) return kDaysUnit;
            if (row == kCompareFeedGain) return FeedPerGain(growth);
            if (row == kCompareCostPerPig) return kPerPigUnit;
            if (row == kCompareEnergyPerGain) return Energy(growth);
            return {};
          },
          {}};
}

TableFace NutrientRowsFace(const GrowthState& growth) {
  return {
      [&growth](int row, int col) { return col == 0 && row > 0 ? MatrixRowUnit(growth, row) : ""; },
      {}};
}

TableFace PerCentColumnsFace() {
  return {[](int row, int col) { return row == 0 && col > 0 ? kPerCentUnit : ""; }, {}};
}

TableFace IngredientSheetFace() {
  constexpr int kFirstLimitCol = 2;
  return {[](int row, int col) { return row == 0 && col >= kFirstLimitCol ? kPerCentUnit : ""; },
          {}};
}

TableFace OptimumSheetFace(const GrowthState& growth) {
  constexpr int kFeedGainCol = 2;
  constexpr int kAgeCol = 3;
  // Each diet's block: its name, then energy, protein and feed amount.
  constexpr int kEnergyOffset = 1;
  constexpr int kFeedOffset = 3;
  return {[&growth](int row, int col) -> std::string {
            if (row == 0 && col == kFeedGainCol) return FeedPerGain(growth);
            if (row == 0 && col == kAgeCol) return kDaysUnit;
            if (col != 0 || row < OptimizationReportForm::kFirstBlockRow) return {};
            const int offset =
                (row - OptimizationReportForm::kFirstBlockRow) % OptimizationReportForm::kBlockRows;
            if (offset == kEnergyOffset) return Energy(growth);
            if (offset == kFeedOffset) return Weight(growth) + " " + kPerPigUnit;
            return {};
          },
          {}};
}

TableFace NutrientSheetFace(const GrowthState& growth) {
  constexpr int kNameCol = 1;
  constexpr int kFirstNutrientRow = 2;  // table row r holds matrix row r
  return {[&growth](int row, int col) {
            return col == kNameCol && row >= kFirstNutrientRow ? MatrixRowUnit(growth, row)
                                                               : std::string();
          },
          {}};
}

TableFace MatrixFace(const GrowthState& growth) {
  constexpr int kPriceCol = 1;
  return {[&growth](int row, int col) {
            if (row != 0 || col < kPriceCol) return std::string();
            return col == kPriceCol ? Price(growth) : MatrixRowUnit(growth, col);
          },
          {}};
}

TableFace WeighingsFace(const GrowthState& growth) {
  constexpr int kFeedCol = 2;
  return {[&growth](int row, int col) { return row == 0 && col == kFeedCol ? Weight(growth) : ""; },
          {}};
}

TableFace OptimizationFace(const GrowthState& growth, int labelCol) {
  return {[&growth, labelCol](int row, int col) -> std::string {
            if (col != labelCol || row < 1) return {};
            switch ((row - 1) % kOptKinds + 1) {
              case kFeedKind:
                return Weight(growth) + " " + kPerPigUnit;
              case kEnergyKind:
                return Energy(growth);
              default:
                return kPerCentUnit;
            }
          },
          {}};
}
