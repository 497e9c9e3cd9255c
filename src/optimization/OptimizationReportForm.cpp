// The optimization report: the optimum against the start and the limits, the
// restrictions the formulations used, the formulated diets, and the results
// file of a run.

#include "optimization/OptimizationReportForm.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <ctime>
#include <optional>
#include <span>

#include "model/Units.h"
#include "platform/NumberFormat.h"

namespace {

constexpr std::array<std::string_view, 5> kCostLabels{
    "Cost /kg", "Cost /tonne", "Cost /lb", "Cost /sht ton", "Cost /100 lb"};
constexpr int kFirstPoundPrice = 2;  // price codes from here price by the pound
constexpr std::array<std::string_view, 12> kMonths{
    "JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

// Restriction tables: column widths (pixels) of the number, name and first
// diet columns; headings over five diets.
constexpr std::array<int, 4> kRestrictWidths{33, 120, 66, 66};
constexpr int kHeadedDiets = 5;
constexpr int kFirstNutrientRow = 2;  // matrix row r in table row r
constexpr int kLastNutrientRow = kMaxNutrientRows;
constexpr int kFormulationNameWidth = 166;  // pixels
constexpr int kSortedDiets = 6;             // the formulation table sorts on diets 1..6
constexpr double kUsedInclusion = 0.0002;   // per cent over all diets: the ingredient is used
constexpr double kSavingScale = 1000000;    // summary row 4: the saving per million pigs
constexpr double kPerThousand = 1000;
constexpr double kGrams = 1000;

// Per-diet summary of the optimum: what column 1 of each block shows.
constexpr int kEnergyOffset = 1;
constexpr int kProteinOffset = 2;
constexpr int kFeedOffset = 3;

// The report's number texts.
struct Formats {
  bool comma = false;
  std::string Short(double v) const { return ShortNumberText(v, comma); }
  std::string Full(double v) const { return NumberText(v, comma); }
  std::string Brief(double v) const { return BriefNumberText(v, comma); }
};

// A quotient, or nothing when the divisor is 0 or the result is no number.
std::optional<double> Ratio(double numerator, double divisor) {
  if (divisor == 0) return std::nullopt;
  const double value = numerator / divisor;
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

void Put(Grid& g, int row, int col, const std::string& text, Rgb color = kWhite) {
  g.SetText(row, col, text);
  g.SetCellColor(row, col, color);
}

void PutCentred(Grid& g, int row, int col, const std::string& text, Rgb color = kWhite) {
  Put(g, row, col, text, color);
  g.SetCellAlign(row, col, Align::Center);
}

// A table emptied and shaped afresh: no text, white, general alignment, every
// row and column shown.
void Reset(Grid& g, int rows, int cols) {
  g.Resize(rows, cols);
  g.Clear();
  for (int r = 0; r < rows; ++r) {
    g.SetRowHidden(r, false);
    for (int c = 0; c < cols; ++c) {
      g.SetCellColor(r, c, kWhite);
      g.SetCellAlign(r, c, Align::General);
    }
  }
  for (int c = 0; c < cols; ++c) g.SetColHidden(c, false);
}

int Diets(const OptResult& r) { return std::clamp(r.diets, 0, kMaxDiets); }

std::string TwoDigits(int value) { return FormatNumber(value, "##"); }

// Feed amount of diet d in the optimum, display units: the amount allowed
// when the search kept it fixed, else what the diet's phase ate.
std::string OptimizedFeedText(const OptimizationReportSource& s, int d, const Formats& f) {
  const OptResult& r = s.result;
  const int v = VariableOf(d, kFeedKind);
  const bool fixed = v > kMaxOptVars || r.fixed[v] != 0;
  if (fixed) return f.Short(ConvertWeight(s.growth, kToDisplay, r.feedAmount[d]));
  return f.Brief(ConvertWeight(s.growth, kToDisplay, r.phaseFeed[d]));
}

double OptimizedEnergy(const OptimizationReportSource& s, int d) {
  return ConvertEnergy(s.growth, kToDisplay, s.result.dietNutrients[d][kEnergy]);
}

void FillDietBlock(Grid& g, const OptimizationReportSource& s, int d, const Formats& f) {
  const OptResult& r = s.result;
  const int R =
      OptimizationReportForm::kFirstBlockRow + OptimizationReportForm::kBlockRows * (d - 1);
  const auto& table = r.tableValues[d];
  Put(g, R, 0, "Diet  " + TwoDigits(d));
  Put(g, R + kEnergyOffset, 0, "     ENERGY");
  Put(g, R + kProteinOffset, 0, " Protein, %");
  Put(g, R + kFeedOffset, 0, "    Feed Wt.");

  Put(g, R + kEnergyOffset, 1, f.Short(OptimizedEnergy(s, d)), kLightGreen);
  Put(g, R + kProteinOffset, 1, f.Short(r.dietNutrients[d][kProtein]), kLightGreen);
  Put(g, R + kFeedOffset, 1, OptimizedFeedText(s, d, f), kLightGreen);

  constexpr std::array<int, 4> kKindOfOffset{0, kEnergyKind, kProteinKind, kFeedKind};
  for (int offset = kEnergyOffset; offset <= kFeedOffset; ++offset) {
    const auto& row = table[kKindOfOffset[offset]];
    Put(g, R + offset, 2, f.Short(row[kOptCurrent]), kLightCyan);
    Put(g, R + offset, 3, f.Short(row[kOptMaximum]));
    Put(g, R + offset, 4, f.Short(row[kOptMinimum]));
    const int v = VariableOf(d, kKindOfOffset[offset]);
    if (v <= kMaxOptVars) {
      Put(g, R + offset, 7, f.Short(r.singlePoint[v]));
      Put(g, R + offset, 8, f.Short(r.singleCost[v]));
    }
  }
  Put(g, R + kEnergyOffset, 5, f.Short(r.nutrientRestrictions[d][kMinKind][kEnergy]), kLightGreen);
  Put(g,
      R + kProteinOffset,
      5,
      f.Short(r.nutrientRestrictions[d][kMinKind][kProtein]),
      kLightGreen);
  Put(g, R + kEnergyOffset, 6, f.Full(r.dietNutrients[d][kPrice]), kLightGreen);
}

void PutRatio(Grid& g, int row, int col, std::optional<double> value, std::string text, Rgb color) {
  Put(g, row, col, value ? text : std::string(), color);
}

}  // namespace

std::string ReportCostLabel(int priceCode) {
  if (priceCode < 0 || priceCode >= static_cast<int>(kCostLabels.size())) return "";
  return std::string(kCostLabels[static_cast<std::size_t>(priceCode)]);
}

std::string ReportWeightLabel(int priceCode) { return priceCode >= kFirstPoundPrice ? "lb" : "kg"; }

void OptimizationReportForm::Open(const OptimizationReportSource& source) {
  windowHeight = kHeight;
  windowWidth = kWidth;
  caption = std::string(kCaption);
  showCurrentVisible = false;
  FillOptimum(source);
  FillIngredientRestrictions(source);
  FillNutrientRestrictions(source);
  FillDietFormulation(source);
  chart = ReadOptChart(source.result, source.growth);
  currentTab = kOptimumTab;
  optimumTable.SetCurrent(3, 3);
  const double target = ConvertWeight(source.growth, kToDisplay, source.result.targetWeight);
  targetText = "Target Wt. " + ShortNumberText(target, source.growth.decimalComma);
  visible = true;
}

void OptimizationReportForm::FillOptimum(const OptimizationReportSource& s) {
  const OptResult& r = s.result;
  const GrowthState& growth = s.growth;
  const Formats f{growth.decimalComma};
  const int diets = Diets(r);
  Grid& g = optimumTable;
  Reset(g, std::max(7 + 6 * diets, kFirstBlockRow + 1), kOptimumCols);

  Put(g, kHeadingRow, 1, "Optimized", kLightGreen);
  Put(g, kHeadingRow, 2, "Initial", kLightCyan);
  Put(g, kHeadingRow, 3, "Maximum");
  Put(g, kHeadingRow, 4, "Minimum");
  Put(g, kHeadingRow, 5, "LP Restrict.", kLightGreen);
  Put(g, kHeadingRow, 6, "FEED COST");
  Put(g, kFirstBlockRow, 6, ReportCostLabel(growth.unitCodes[kPriceUnit]));
  for (int d = 1; d <= diets; ++d) FillDietBlock(g, s, d, f);

  optimizedCost = 0;
  totalFeed = 0;
  double energyEaten = 0;  // display energy x display feed, optimized and initial
  double initialEnergy = 0;
  for (int d = 1; d <= diets; ++d) {
    optimizedCost += ConvertPrice(growth, kToInternal, r.dietCost[d]) * r.feedAmount[d];
    totalFeed += r.feedAmount[d];
    energyEaten += OptimizedEnergy(s, d) * ConvertWeight(growth, kToDisplay, r.feedAmount[d]);
    initialEnergy +=
        r.tableValues[d][kEnergyKind][kOptCurrent] * r.tableValues[d][kFeedKind][kOptCurrent];
  }

  const double target = ConvertWeight(growth, kToDisplay, r.targetWeight);
  const double gain = target - ConvertWeight(growth, kToDisplay, s.startWeight);
  const double initialCost = r.startCost;
  Put(g, 0, 1, "COST/Pig");
  Put(g, 0, 2, "Feed/Gain");
  Put(g, 0, 3, " Age");
  Put(g, 0, 4, "Percent Saved");
  Put(g, 1, 0, "Optimized");
  Put(g, 1, 1, f.Full(optimizedCost), kLightGreen);
  const auto feedGain = Ratio(ConvertWeight(growth, kToDisplay, totalFeed), gain);
  PutRatio(g, 1, 2, feedGain, feedGain ? f.Full(*feedGain) : "", kLightGreen);
  Put(g, 1, 3, f.Short(r.finalAge), kLightGreen);
  const auto saved = Ratio((initialCost - optimizedCost) * 100, initialCost);
  PutRatio(g, 1, 4, saved, saved ? f.Short(*saved) : "", kWhite);
  Put(g, 2, 0, "Initial");
  Put(g, 2, 1, f.Full(initialCost), kLightCyan);
  Put(g, 2, 2, s.initialFeedGain);
  Put(g, 2, 3, s.initialFinalAge);
  Put(g, 3, 1, "Cost /" + ReportWeightLabel(growth.unitCodes[kPriceUnit]));
  Put(g, 4, 0, "Optimized");
  const auto perWeight = Ratio(optimizedCost, target);
  PutRatio(g, 4, 1, perWeight, perWeight ? f.Full(*perWeight) : "", kLightGreen);
  Put(g, 4, 4, f.Short((initialCost - optimizedCost) * kSavingScale));
  const auto perEnergy = Ratio(optimizedCost * kPerThousand, energyEaten);
  PutRatio(g, 4, 7, perEnergy, perEnergy ? f.Full(*perEnergy) : "", kLightGreen);
  Put(g, 5, 0, "Initial");
  const auto initialPerWeight = Ratio(ReadNumber(g.Text(2, 1)), target);
  PutRatio(
      g, 5, 1, initialPerWeight, initialPerWeight ? f.Full(*initialPerWeight) : "", kLightCyan);
  if (initialEnergy > 0) {
    const auto initialPerEnergy = Ratio(initialCost * kPerThousand, initialEnergy);
    PutRatio(
        g, 5, 7, initialPerEnergy, initialPerEnergy ? f.Short(*initialPerEnergy) : "", kLightCyan);
  }

  Put(g, 6, 7, "Value of Single Change");
  Put(g, 6, 8, "Value of Single Change");
  Put(g, kHeadingRow, 7, "Opt Point");
  Put(g, kHeadingRow, 8, "Opt Cost");
}

namespace {

// Rows 0 and 1 of a restriction table: the headings and the diet numbers.
void RestrictHeadings(Grid& g, std::string_view name, int diets) {
  for (int c = 0; c < static_cast<int>(kRestrictWidths.size()); ++c)
    g.SetColWidth(c, kRestrictWidths[static_cast<std::size_t>(c)]);
  Put(g, 0, 1, std::string(name));
  for (int d = 1; d <= kHeadedDiets; ++d) {
    PutCentred(g, 0, 2 * d, "Minimum");
    PutCentred(g, 0, 2 * d + 1, "Maximum");
  }
  Put(g, 1, 1, "Diet");
  for (int d = 1; d <= diets; ++d) {
    PutCentred(g, 1, 2 * d, TwoDigits(d));
    PutCentred(g, 1, 2 * d + 1, TwoDigits(d));
  }
}

// A restriction value: peach when it restricts (above 0), white otherwise.
void PutRestriction(Grid& g, int row, int col, double value, bool comma) {
  PutCentred(g, row, col, NumberText(value, comma), value > 0 ? kPeach : kWhite);
}

}  // namespace

void OptimizationReportForm::FillNutrientRestrictions(const OptimizationReportSource& s) {
  const OptResult& r = s.result;
  const int diets = Diets(r);
  Grid& g = nutrientRestrictionTable;
  Reset(g, kNutRestrictRows, kRestrictCols);
  RestrictHeadings(g, "Restriction Name", diets);
  for (int row = kFirstNutrientRow; row <= kLastNutrientRow; ++row) {
    Put(g, row, 0, TwoDigits(row - 1));
    Put(g, row, 1, s.tables.nutrientName[static_cast<std::size_t>(row)]);
    for (int d = 1; d <= diets; ++d) {
      PutRestriction(
          g, row, 2 * d, r.nutrientRestrictions[d][kMinKind][row - 1], s.growth.decimalComma);
      PutRestriction(
          g, row, 2 * d + 1, r.nutrientRestrictions[d][kMaxKind][row - 1], s.growth.decimalComma);
    }
  }
}

void OptimizationReportForm::FillIngredientRestrictions(const OptimizationReportSource& s) {
  const int diets = Diets(s.result);
  const int ingredients = std::clamp<int>(s.tables.ingredientCount, 0, kMaxIngredients);
  Grid& g = ingredientRestrictionTable;
  // Two heading rows above every ingredient of the matrix.
  Reset(g, std::max(kIngRestrictRows, ingredients + 2), kRestrictCols);
  RestrictHeadings(g, "Ingredient Name", diets);
  for (int i = 1; i <= ingredients; ++i) {
    const int row = i + 1;
    Put(g, row, 0, TwoDigits(i));
    Put(g, row, 1, s.tables.ingredientName[static_cast<std::size_t>(i)]);
    for (int d = 1; d <= diets; ++d) {
      const auto& restrict = s.tables.ingredientRestrictions[d];
      PutRestriction(g, row, 2 * d, restrict[kMinKind][i], s.growth.decimalComma);
      PutRestriction(g, row, 2 * d + 1, restrict[kMaxKind][i], s.growth.decimalComma);
    }
  }
}

void OptimizationReportForm::FillDietFormulation(const OptimizationReportSource& s) {
  const OptResult& r = s.result;
  const int diets = Diets(r);
  const int ingredients = std::clamp<int>(s.tables.ingredientCount, 0, kMaxIngredients);
  std::vector<int> used;
  for (int i = 1; i <= ingredients; ++i) {
    double total = 0;
    for (int d = 1; d <= diets; ++d) total += r.dietInclusion[d][i];
    if (total > kUsedInclusion) used.push_back(i);
  }
  Grid& g = formulationTable;
  Reset(g, 2 + static_cast<int>(used.size()), diets + 1);
  g.SetColWidth(0, kFormulationNameWidth);
  for (int d = 1; d <= diets; ++d) Put(g, 0, d, "Diet " + std::to_string(d));

  // Largest share in diet 1 first, ties broken by diet 2 and so on, on the
  // values as shown.
  struct Row {
    std::string name;
    std::array<std::string, kMaxDiets + 1> text{};
    std::array<double, kSortedDiets + 1> key{};
  };
  std::vector<Row> rows;
  for (int i : used) {
    Row row;
    row.name = s.tables.ingredientName[static_cast<std::size_t>(i)];
    for (int d = 1; d <= diets; ++d) {
      row.text[d] = FormatNumber(r.dietInclusion[d][i], "###.#0", s.growth.decimalComma);
      if (d <= kSortedDiets) row.key[d] = ReadNumber(row.text[d]);
    }
    rows.push_back(std::move(row));
  }
  std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
    return std::lexicographical_compare(
        b.key.begin() + 1, b.key.end(), a.key.begin() + 1, a.key.end());
  });
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const int row = 2 + static_cast<int>(k);
    Put(g, row, 0, rows[k].name);
    for (int d = 1; d <= diets; ++d) Put(g, row, d, rows[k].text[d]);
  }
}

void OptimizationReportForm::CopyToClipboard() {
  Grid& g = optimumTable;
  if (currentTab == kOptimumTab) g.SetSelection(0, 0, g.Rows() - 1, g.Cols() - 1);
  GridKey(g, Key::C, kControlModifier, dialogs_);
  if (currentTab == kFormulationTab) g.SetCurrent(0, 0);
}

bool OptimizationReportForm::KeyDown(Grid& grid, Key key, KeyModifiers modifiers) {
  activeGrid = &grid;
  return GridKey(grid, key, modifiers, dialogs_);
}

void OptimizationReportForm::Popup(PopupAction action) {
  PopupCommand(action, activeGrid, dialogs_);
}

// ---------------------------------------------------------------------------
// The results file.

std::string TodayText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, "%d/%m/%Y", &local);
  return text;
}

std::string OptResultsFileName(std::string_view locationName, std::string_view today) {
  // "dd/mm/yyyy": the month between the two slashes, the year after the second.
  const std::size_t first = today.find('/');
  const std::size_t second = first == std::string_view::npos ? first : today.find('/', first + 1);
  std::string month;
  std::string year;
  if (second != std::string_view::npos) {
    const int m = ReadInteger(today.substr(first + 1, second - first - 1));
    if (m >= 1 && m <= 12) month = kMonths[static_cast<std::size_t>(m - 1)];
    year = today.substr(second + 1);
  }
  std::string name(locationName);
  name += "OPT" + month + " " + year + ".txt";
  return name;
}

namespace {

constexpr std::string_view kBlockStart = "  ";
constexpr std::string_view kBlockGap = " ";
constexpr std::string_view kDaysHeadings1[] = {"    Age,    ",
                                               "    Live Wt.",
                                               "     Daily    ",
                                               "    Accum.    ",
                                               "  Feed/Gain ",
                                               "Lean Tissue  "};
constexpr std::string_view kDaysHeadings2[] = {"    Days    ",
                                               "     , g    ",
                                               "    Feed, g   ",
                                               "   Feed, g    ",
                                               "  Marrowind  ",
                                               "      g\""};

// A number as the file holds it: with a period whatever the machine writes.
std::string FileShort(double value) {
  std::string text = ShortNumberText(value);
  return CommaToPoint(text);
}

std::string FileFull(double value) {
  std::string text = NumberText(value);
  return CommaToPoint(text);
}

std::string Joined(std::span<const std::string_view> fields) {
  std::string line;
  for (std::size_t k = 0; k < fields.size(); ++k) {
    if (k > 0) line += '\t';
    line += fields[k];
  }
  return line;
}

void Heading(std::vector<std::string>& lines, std::string_view heading) {
  lines.emplace_back(heading);
  lines.emplace_back(kBlockStart);
}

bool NamedNutrient(const FormulationTables& t, int row) {
  return t.nutrientName[static_cast<std::size_t>(row)].size() >= 2;
}

int NutrientRows(const FormulationTables& t) {
  return std::clamp<int>(t.nutrientCount, 0, kMaxNutrientRows);
}

void DietContents(std::vector<std::string>& lines, const OptimizationReportSource& s, int diets) {
  const OptResult& r = s.result;
  Heading(lines, "DIET Results:          Calculated Diet Contents");
  std::string feed = "Feed Wt./Pig";
  for (int d = 1; d <= diets; ++d)
    feed += "\t" + FileShort(ConvertWeight(s.growth, kToDisplay, r.feedAmount[d]));
  lines.push_back(feed + ";");
  for (int row = 2; row <= NutrientRows(s.tables); ++row) {
    if (!NamedNutrient(s.tables, row)) continue;
    std::string line = s.tables.nutrientName[static_cast<std::size_t>(row)];
    for (int d = 1; d <= diets; ++d) {
      const double level = r.dietNutrients[d][row - 1];
      line +=
          "\t" + FileFull(row - 1 == kEnergy ? ConvertEnergy(s.growth, kToDisplay, level) : level);
    }
    lines.push_back(line + ";");
  }
}

void IngredientWeights(std::vector<std::string>& lines,
                       const OptimizationReportSource& s,
                       int diets) {
  const OptResult& r = s.result;
  Heading(lines, "DIET Results:          Ingredient Weights");
  for (int i = 1; i <= std::clamp<int>(s.tables.ingredientCount, 0, kMaxIngredients); ++i) {
    double total = 0;
    for (int d = 1; d <= diets; ++d) total += r.dietInclusion[d][i];
    if (!(total > 0)) continue;
    std::string line = s.tables.ingredientName[static_cast<std::size_t>(i)] + " ";
    for (int d = 1; d <= diets; ++d) {
      if (d > 1) line += '\t';
      line += FileFull(r.dietInclusion[d][i]);
    }
    lines.push_back(line + ";");
  }
}

// One line a day from the start of the optimum's run to its final age: age,
// live weight, daily and accumulated feed (g), and feed per gain.
void DailyGrowth(std::vector<std::string>& lines, const OptimizationReportSource& s) {
  const OptResult& r = s.result;
  Heading(lines, "GROWTH Results:          Live Weight and Feed Intake");
  lines.push_back(Joined(kDaysHeadings1) + ";");
  lines.push_back(Joined(kDaysHeadings2) + ";");
  const int last = std::min({static_cast<int>(std::ceil(r.finalAge)), r.lastDay, kMaxAge});
  const int first = std::clamp<int>(s.growth.startAge, 1, kMaxAge);
  double accumulated = 0;
  for (int age = first; age <= last; ++age) {
    const double daily = age > first ? r.dailyFeed[age] : 0;
    accumulated += daily;
    const auto feedGain = Ratio(accumulated, r.liveWeight[age] - r.liveWeight[first]);
    lines.push_back(std::to_string(age) + "\t" + FileFull(r.liveWeight[age] * kGrams) + "\t" +
                    FileFull(daily * kGrams) + "\t" + FileFull(accumulated * kGrams) + "\t" +
                    (feedGain && age > first ? FileShort(*feedGain) : std::string()) + ";");
  }
}

template <typename Table>
std::string RestrictionLine(std::string name, const Table& table, int index, int diets) {
  for (int d = 1; d <= diets; ++d) {
    name +=
        "\t" + FileFull(table[d][kMinKind][index]) + "   " + FileFull(table[d][kMaxKind][index]);
  }
  return name + ";";
}

}  // namespace

std::vector<std::string> OptResultsFileLines(const OptimizationReportSource& s) {
  const int diets = Diets(s.result);
  std::vector<std::string> lines;
  lines.emplace_back(kBlockStart);
  DietContents(lines, s, diets);
  lines.emplace_back(kBlockGap);
  IngredientWeights(lines, s, diets);
  lines.emplace_back(kBlockGap);
  DailyGrowth(lines, s);
  lines.emplace_back(kBlockGap);
  Heading(lines, "DIET Inputs:          Nutrient Constraints");
  for (int row = 2; row <= NutrientRows(s.tables); ++row) {
    if (!NamedNutrient(s.tables, row)) continue;
    lines.push_back(RestrictionLine(s.tables.nutrientName[static_cast<std::size_t>(row)],
                                    s.result.nutrientRestrictions,
                                    row - 1,
                                    diets));
  }
  lines.emplace_back(kBlockGap);
  Heading(lines, "DIET Inputs:          Ingredient Constraints");
  for (int i = 1; i <= std::clamp<int>(s.tables.ingredientCount, 0, kMaxIngredients); ++i) {
    lines.push_back(RestrictionLine(s.tables.ingredientName[static_cast<std::size_t>(i)],
                                    s.tables.ingredientRestrictions,
                                    i,
                                    diets));
  }
  return lines;
}
