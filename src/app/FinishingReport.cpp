#include "app/FinishingReport.h"

#include <algorithm>

#include "app/App.h"
#include "app/FinishingReportParts.h"
#include "app/TableFaces.h"
#include "model/DietsTable.h"
#include "model/GrowthSummary.h"
#include "model/Units.h"
#include "platform/Location.h"
#include "platform/NumberFormat.h"
#include "platform/SaveProtocol.h"

namespace {

ReportBlock Heading(std::string text) { return {ReportBlock::Kind::Heading, std::move(text), {}}; }

ReportBlock Facts(std::vector<std::vector<std::string>> rows) {
  return {ReportBlock::Kind::Facts, {}, {{}, std::move(rows)}};
}

std::string Shown(const Grid& grid, const TableFace& face, int row, int col) {
  return ShownText(grid, face, row, col);
}

std::string UnitsText(const GrowthState& growth) {
  return "weights in " + WeightUnitName(growth.unitCodes[kWeightUnit]) + ", energy in " +
         EnergyUnitName(growth.unitCodes[kEnergyUnit]) + ", feed cost " +
         PriceUnitName(growth.unitCodes[kPriceUnit]);
}

// The herd as the main window's inputs give it.
ReportBlock HerdFacts(const App& app) {
  const MainForm& form = app.mainForm;
  const std::string weight = WeightUnitName(app.growth.unitCodes[kWeightUnit]);
  return Facts({
      {"Herd Sex", form.herdSex.Text()},
      {"Number of Pigs", std::to_string(app.growth.pigCount)},
      {"Starting Weight, " + weight, form.startWeight.text},
      {"Starting Age, Days", form.startAge.text},
      {"Final Weight, " + weight, form.finalWeight.text},
      {"Feed Formulation", form.feedFormulation.Text()},
      {"No. of Diets", std::to_string(app.growth.dietCount)},
      {"Units", UnitsText(app.growth)},
  });
}

// Each diet a column: cost, feed per pig and nutrient levels as the diets
// table holds them.
ReportBlock DietsTable(const App& app) {
  const Grid& diets = app.mainForm.dietsTable;
  const TableFace face = DietsFace(app.growth);
  const int count = std::clamp<int>(app.growth.dietCount, 0, kMaxDiets);
  ReportTable table;
  table.headings.push_back("Diet");
  for (int d = 1; d <= count; ++d) table.headings.push_back(diets.Text(kDietNameRow, d));
  for (int row = kDietCostRow; row <= kDietSpareRow; ++row) {
    if (diets.Text(row, 0).empty()) continue;
    std::vector<std::string> cells{Shown(diets, face, row, 0)};
    for (int d = 1; d <= count; ++d) cells.push_back(Shown(diets, face, row, d));
    table.rows.push_back(std::move(cells));
  }
  return {ReportBlock::Kind::Table, {}, std::move(table)};
}

// The formula table as the Formulas tab shows it; nothing when no diet was
// formulated. A column without a heading (the herd amount's unit) joins the
// column before it.
std::optional<ReportBlock> FormulaTable(const App& app) {
  const Grid& formula = app.mainForm.formulaTable;
  if (formula.Rows() < 2 || formula.Text(1, 1).empty()) return std::nullopt;
  const TableFace face = FormulaFace(formula);
  ReportTable table;
  for (int row = 0; row < formula.Rows(); ++row) {
    std::vector<std::string> cells;
    for (int col = 1; col < formula.Cols(); ++col) {
      const std::string text = Shown(formula, face, row, col);
      if (!formula.Text(0, col).empty()) {
        cells.push_back(text);
      } else if (!text.empty()) {
        cells.back() += " " + text;
      }
    }
    if (row == 0) {
      table.headings = std::move(cells);
    } else {
      cells.resize(table.headings.size());
      table.rows.push_back(std::move(cells));
    }
  }
  return ReportBlock{ReportBlock::Kind::Table, {}, std::move(table)};
}

// The results table's rows `first`..`last`, columns `firstCol`..`lastCol`,
// headed by its row `headingRow`.
ReportTable ResultsBlock(const App& app, int headingRow, int first, int last, int lastCol) {
  const Grid& results = app.resultsTable;
  const TableFace face = ResultsFace(app.growth);
  ReportTable table;
  for (int col = 0; col <= lastCol; ++col)
    table.headings.push_back(Shown(results, face, headingRow, col));
  for (int row = first; row <= last; ++row) {
    std::vector<std::string> cells;
    for (int col = 0; col <= lastCol; ++col) cells.push_back(Shown(results, face, row, col));
    table.rows.push_back(std::move(cells));
  }
  return table;
}

ReportBlock ResultFacts(const App& app) {
  const MainForm& form = app.mainForm;
  const std::string weight = WeightUnitName(app.growth.unitCodes[kWeightUnit]);
  return Facts({
      {form.finalAge.caption, form.finalAge.text},
      {form.totalFeedIntake.caption + ", " + weight + " per pig", form.totalFeedIntake.text},
      {form.feedGain.caption, form.feedGain.text},
      {form.costPerPig.caption, form.costPerPig.text},
      {"Calories/KG of gain", WithLeadingZero(app.resultsTable.Text(kEnergyPerGainRow, 1))},
  });
}

}  // namespace

std::optional<std::string> FinishingReportProblem(const App& app) {
  if (app.growthResults.finalWeight > 0) return std::nullopt;
  return std::string(kNoRunToReport);
}

ReportDocument FinishingReport(const App& app, std::string_view today) {
  ReportDocument report;
  report.title = std::string(kFinishingReportTitle);
  const std::string& base = app.location.locationBase;
  report.subtitle =
      "Location " + FileNameOf(base) + " (" + FolderOf(base) + "), " + std::string(today);
  auto& blocks = report.blocks;
  blocks.push_back(Heading("Herd"));
  blocks.push_back(HerdFacts(app));
  blocks.push_back(Heading("Diets"));
  blocks.push_back(DietsTable(app));
  if (auto formula = FormulaTable(app)) {
    blocks.push_back(Heading("Formulas, per cent of each diet"));
    blocks.push_back(std::move(*formula));
  }
  blocks.push_back(Heading("Growth"));
  report.chart = ReportChart(app);
  blocks.push_back({ReportBlock::Kind::GrowthChart, {}, {}});
  blocks.push_back(Heading("Per-diet summary"));
  const int diets = std::clamp<int>(app.growth.dietCount, 1, kMaxDiets);
  blocks.push_back(
      {ReportBlock::Kind::Table, {}, ResultsBlock(app, 0, 1, diets, kSummaryFeedColumn)});
  blocks.push_back(Heading("Results"));
  blocks.push_back(ResultFacts(app));
  ReportTable bySex = ResultsBlock(app, kSexHeadingRow, kFinishWeightRow, kFinishFeedGainRow, 2);
  bySex.headings.front() = app.resultsTable.Text(kFinishingTitleRow, 0);
  blocks.push_back({ReportBlock::Kind::Table, {}, std::move(bySex)});
  AddCalibrationFit(app, blocks);
  AddOptimizationSaving(app, blocks);
  return report;
}

std::string ReportPdfOffer(const App& app) {
  const Location& location = app.location;
  return location.dataFolder + FileNameOf(location.locationBase) + " Finishing Report.pdf";
}

std::string ChooseReportPdf(Dialogs& dialogs, const App& app) {
  const FileRequest request{"Export PDF",
                            app.location.dataFolder,
                            "PDF documents (*.pdf)",
                            ".pdf",
                            FileNameOf(ReportPdfOffer(app))};
  std::string path = ChosenSavePath(dialogs.SaveFile(request), request);
  if (path.empty()) return {};
  if (!HasEnding(path, ".pdf")) path += ".pdf";
  return path;
}

std::string ReportPdfError() {
  return ErrorText(kErrPathFileAccess, kDescPathFileAccess, "ExportPdf");
}
