#include "app/TableFaces.h"

#include "app/Comparison.h"
#include "calibration/CalibrationData.h"
#include "model/DietsTable.h"
#include "model/GlobalPig.h"
#include "model/GrowthSummary.h"
#include "model/PigGrowth.h"
#include "model/Units.h"
#include "optimization/FeedCostObjective.h"
#include "optimization/OptReport.h"
#include "platform/Grid.h"

namespace {

constexpr const char* kPerCentUnit = "%";
constexpr const char* kDaysUnit = "days";
constexpr const char* kPerPigUnit = "per pig";
constexpr int kEnergyMatrixRow = 2;  // the matrix's first nutrient

std::string Weight(const GlobalPig& pig) { return WeightUnitName(pig.UnitCodes[kWeightUnit]); }
std::string Energy(const GlobalPig& pig) { return EnergyUnitName(pig.UnitCodes[kEnergyUnit]); }
std::string Price(const GlobalPig& pig) { return PriceUnitName(pig.UnitCodes[kPriceUnit]); }
std::string FeedPerGain(const GlobalPig& pig) { return Weight(pig) + "/" + Weight(pig); }

std::string ResultsColumnUnit(const GlobalPig& pig, int col) {
  switch (col) {
    case kSummaryWeightColumn:
    case kSummaryFeedColumn:
    case PigGrowth::kWeightColumn:
    case PigGrowth::kDailyFeedColumn:
    case PigGrowth::kTotFeedColumn:
      return Weight(pig);
    case kSummaryAgeColumn:
    case PigGrowth::kAgeColumn:
      return kDaysUnit;
    default:
      return {};  // the daily gain names its unit; the pig count is a count
  }
}

std::string FinishingRowUnit(const GlobalPig& pig, int row) {
  switch (row) {
    case kFinishWeightRow:
    case kFinishFeedRow:
      return Weight(pig);
    case kFinishCostRow:
      return kPerPigUnit;
    case kFinishFeedGainRow:
      return FeedPerGain(pig);
    default:
      return {};
  }
}

// The unit of nutrient row `row` of the matrix (row 1 the weight, 100 %).
std::string MatrixRowUnit(const GlobalPig& pig, int row) {
  return row == kEnergyMatrixRow ? Energy(pig) : kPerCentUnit;
}

}  // namespace

TableFace ResultsFace(const GlobalPig& pig) {
  return {[&pig](int row, int col) {
            if (row == 0) return ResultsColumnUnit(pig, col);
            return col == 0 ? FinishingRowUnit(pig, row) : std::string();
          },
          {}};
}

std::string DietsRowUnit(const GlobalPig& pig, int row) {
  if (row == kDietCostRow) return Price(pig);
  if (row == kDietAmountRow) return Weight(pig) + " " + kPerPigUnit;
  if (row == kDietEnergyRow) return Energy(pig);
  if (row > kDietEnergyRow && row <= kDietSpareRow) return kPerCentUnit;
  return {};
}

TableFace DietsFace(const GlobalPig& pig) {
  return {[&pig](int row, int col) { return col == 0 ? DietsRowUnit(pig, row) : std::string(); },
          {}};
}

TableFace NutrientFeedsFace(const GlobalPig& pig) {
  // Columns beyond the diets table's rows are further nutrients of the matrix.
  return {[&pig](int row, int col) {
            if (row != 0) return std::string();
            return col > kDietSpareRow ? std::string(kPerCentUnit) : DietsRowUnit(pig, col);
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

TableFace CalibrationTrialsFace(const GlobalPig& pig) {
  constexpr int kFinalAgeCol = 7;
  constexpr int kTotalFeedCol = 8;
  TableFace face = CoefficientsFace();
  face.unit = [&pig, coefficient = face.unit](int row, int col) -> std::string {
    if (row == 0 && col == kFinalAgeCol) return kDaysUnit;
    if (row == 0 && col == kTotalFeedCol) return Weight(pig);
    return coefficient(row, col);
  };
  return face;
}

TableFace ComparisonFace(const GlobalPig& pig) {
  return {[&pig](int row, int col) -> std::string {
            if (col != 0) return {};
            if (row == kCompareLiveWeight || row == kCompareStartWeight) return Weight(pig);
            if (row >= kCompareFirstDietFeed && row < kCompareFirstChangeAge) return Weight(pig);
            if (row == kCompareFinalAge || row >= kCompareFirstChangeAge) return kDaysUnit;
            if (row == kCompareFeedGain) return FeedPerGain(pig);
            if (row == kCompareCostPerPig) return kPerPigUnit;
            if (row == kCompareEnergyPerGain) return Energy(pig);
            return {};
          },
          {}};
}

TableFace NutrientRowsFace(const GlobalPig& pig) {
  return {[&pig](int row, int col) { return col == 0 && row > 0 ? MatrixRowUnit(pig, row) : ""; },
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

TableFace OptimumSheetFace(const GlobalPig& pig) {
  constexpr int kFeedGainCol = 2;
  constexpr int kAgeCol = 3;
  // Each diet's block: its name, then energy, protein and feed amount.
  constexpr int kEnergyOffset = 1;
  constexpr int kFeedOffset = 3;
  return {[&pig](int row, int col) -> std::string {
            if (row == 0 && col == kFeedGainCol) return FeedPerGain(pig);
            if (row == 0 && col == kAgeCol) return kDaysUnit;
            if (col != 0 || row < OptReport::kFirstBlockRow) return {};
            const int offset = (row - OptReport::kFirstBlockRow) % OptReport::kBlockRows;
            if (offset == kEnergyOffset) return Energy(pig);
            if (offset == kFeedOffset) return Weight(pig) + " " + kPerPigUnit;
            return {};
          },
          {}};
}

TableFace NutrientSheetFace(const GlobalPig& pig) {
  constexpr int kNameCol = 1;
  constexpr int kFirstNutrientRow = 2;  // table row r holds matrix row r
  return {[&pig](int row, int col) {
            return col == kNameCol && row >= kFirstNutrientRow ? MatrixRowUnit(pig, row)
                                                               : std::string();
          },
          {}};
}

TableFace MatrixFace(const GlobalPig& pig) {
  constexpr int kPriceCol = 1;
  return {[&pig](int row, int col) {
            if (row != 0 || col < kPriceCol) return std::string();
            return col == kPriceCol ? Price(pig) : MatrixRowUnit(pig, col);
          },
          {}};
}

TableFace WeighingsFace(const GlobalPig& pig) {
  constexpr int kFeedCol = 2;
  return {[&pig](int row, int col) { return row == 0 && col == kFeedCol ? Weight(pig) : ""; }, {}};
}

TableFace OptimizationFace(const GlobalPig& pig, int labelCol) {
  return {[&pig, labelCol](int row, int col) -> std::string {
            if (col != labelCol || row < 1) return {};
            switch ((row - 1) % kOptKinds + 1) {
              case kFeedKind:
                return Weight(pig) + " " + kPerPigUnit;
              case kEnergyKind:
                return Energy(pig);
              default:
                return kPerCentUnit;
            }
          },
          {}};
}
