// The "Diet Optimization" window and the main window's side of a diet
// optimization: "Run Optimization", and the starting and best costs it shows.

#include "app/OptimizationForm.h"

#include <algorithm>
#include <optional>

#include "app/App.h"
#include "app/OptimizationRun.h"
#include "app/UnsavedChanges.h"
#include "model/DietsTable.h"
#include "model/Units.h"
#include "platform/Location.h"
#include "platform/NumberFormat.h"
#include "platform/SaveProtocol.h"
#include "platform/TextFile.h"

namespace {

constexpr int kDietRows = kOptKinds * kMaxDiets;  // rows 1..24 hold the diets
constexpr int kNutrientsMoved = kValine;          // the transfer moves nutrients 1..14
constexpr int kErrFileNotFound = 53;
constexpr std::string_view kDescFileNotFound = "File not found";
constexpr std::string_view kSaveProcedure = "CmdSaveOpt";
constexpr std::string_view kOpenProcedure = "CmdOpenOpt";
constexpr std::string_view kResultsProcedure = "WriteResults";
// The main window's commands that run the model: none may start during a run.
constexpr int kRunCommands[] = {1, 2, 7, 9};

constexpr const char* kHeadings[] = {"", "", "Optimize", "Current", "Minimum", "Maximum"};

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

// A chosen file, or nothing when the dialog was cancelled.
std::optional<std::string> Chosen(const std::string& answer, std::string_view offered) {
  if (answer.empty() || answer == offered || answer.find('*') != std::string::npos) return {};
  return answer;
}

bool Ticked(const Grid& g, int row) { return g.CellCheck(row, kOptTickCol) == CheckState::Checked; }

}  // namespace

// ---------------------------------------------------------------------------
// The table file.

std::vector<std::string> OptTableFileLines(const Grid& optimizationTable,
                                           std::string_view targetWeight,
                                           std::string_view diets) {
  std::vector<std::string> lines;
  lines.emplace_back(OptimizationForm::kFileSignature);
  lines.push_back(FileNumberText(ReadNumber(targetWeight)) + "\t" +
                  std::to_string(ReadInteger(diets)));
  for (int row = 1; row <= kDietRows; ++row) {
    std::string line = Ticked(optimizationTable, row) ? "1" : "0";
    for (int col = kOptCurrentCol; col <= kOptMaximumCol; ++col)
      line += "\t" + FileNumberText(ReadNumber(optimizationTable.Text(row, col)));
    lines.push_back(std::move(line));
  }
  return lines;
}

bool ReadOptTableFile(const std::vector<std::string>& lines,
                      Grid& optimizationTable,
                      std::string& targetWeight,
                      std::string& diets) {
  if (lines.size() < 2 || lines[0] != OptimizationForm::kFileSignature) return false;
  const std::vector<std::string> head = SplitTabs(lines[1]);
  if (head.size() != 2) return false;
  const int rows = std::min<int>(static_cast<int>(lines.size()) - 2, kDietRows);
  std::vector<std::vector<std::string>> cells;
  for (int row = 1; row <= rows; ++row) {
    std::vector<std::string> fields = SplitTabs(lines[static_cast<std::size_t>(row) + 1]);
    if (fields.size() != 4 || (fields[0] != "0" && fields[0] != "1")) return false;
    cells.push_back(std::move(fields));
  }
  targetWeight = head[0];
  const int count = std::clamp<int>(ReadInteger(head[1]), 0, kMaxDiets);
  diets = std::to_string(count);
  for (int row = 1; row <= rows; ++row) {
    const auto& fields = cells[static_cast<std::size_t>(row) - 1];
    optimizationTable.SetCellCheck(
        row, kOptTickCol, fields[0] == "1" ? CheckState::Checked : CheckState::Unchecked);
    for (int k = 1; k <= 3; ++k) optimizationTable.SetText(row, kOptTickCol + k, fields[k]);
  }
  return true;
}

// ---------------------------------------------------------------------------
// The window.

OptimizationForm::OptimizationForm(App& app, DietOptState& opt, OptimizationReportForm& report)
    : app_(app), opt_(opt), report_(report) {
  for (int row = 1; row <= kDietRows; ++row)
    for (int col = kOptCurrentCol; col <= kOptMaximumCol; ++col)
      optimizationTable.SetText(row, col, "0");
  // The diet and the kind in columns 0 and 1 are the program's labels: no
  // typing there, and "Clear" keeps them.
  optimizationTable.SetFixedCols(2);
  viewOptimization.enabled = false;
  transferOptimum.enabled = false;  // until a run has found an optimum
  opt_.search.progress = [this](long evaluations, double best) {
    evaluationCount = evaluations;
    bestCost = best;
    if (onProgress) onProgress();
  };
  opt_.objective.showNewBest = [this](const OptBestShown& best) {
    app_.mainForm.ShowOptNewBest(best);
  };
  opt_.showStartingCost = [this](double cost) { app_.mainForm.ShowOptStartingCost(cost); };
  opt_.writeResults = [this] { WriteResults(); };
}

std::string OptimizationForm::Number(double value) const {
  return NumberText(value, app_.growth.decimalComma);
}

int OptimizationForm::RowsInUse() const {
  return std::clamp(kOptKinds * static_cast<int>(app_.growth.dietCount), 0, kDietRows);
}

void OptimizationForm::Open() {
  MainForm& main = app_.mainForm;
  locationName = main.locationName.text;
  targetWeight = main.finalWeight.text;
  setMarrowindEnabled = false;
  setCarcassVisible = false;
  viewOptimization.enabled = false;

  optimizationTable.Resize(kOptTableRows, kOptTableCols);
  for (int col = kOptTickCol; col < kOptTableCols; ++col)
    optimizationTable.SetText(0, col, kHeadings[col]);
  for (int d = 1; d <= kMaxDiets; ++d) {
    optimizationTable.SetText(VariableOf(d, kFeedKind), 0, "Diet " + std::to_string(d));
    for (int k = 1; k <= kOptKinds; ++k) {
      const int row = VariableOf(d, k);
      optimizationTable.SetText(row, 1, kKindCaptions[k]);
      optimizationTable.SetCellCheck(row, kOptTickCol, CheckState::Checked);
    }
  }
  ColorRows();

  // The current values: the diets table's feed amounts, and the energy and
  // protein minima of the restrictions (taken from the diets table, and kept
  // as the minima, where there are none).
  const Grid& diets = main.dietsTable;
  auto& nut = app_.formulation.nutrientRestrictions;
  for (int d = 1; d <= kMaxDiets; ++d) {
    const std::string& feed = diets.Text(kDietAmountRow, d);
    optimizationTable.SetText(VariableOf(d, kFeedKind), kOptCurrentCol, feed.empty() ? "0" : feed);
    const std::pair<int, int> kinds[] = {{kEnergyKind, kEnergy}, {kProteinKind, kProtein}};
    for (const auto& [kind, j] : kinds) {
      double& minimum = nut[d][kMinKind][j];
      if (minimum == 0) minimum = ReadNumber(diets.Text(j + kDietRowOffset, d));
      optimizationTable.SetText(VariableOf(d, kind), kOptCurrentCol, Number(minimum));
    }
  }
  dietCountText = std::to_string(app_.growth.dietCount);
  optimizationTable.SetEdited(false);
  visible = true;
}

void OptimizationForm::ColorRow(int row) {
  if (row < 1 || row >= optimizationTable.Rows()) return;
  const bool counts = row <= RowsInUse() && Ticked(optimizationTable, row);
  optimizationTable.SetCellColor(row, kOptCurrentCol, kWhite);
  for (int col = kOptMinimumCol; col <= kOptMaximumCol; ++col)
    optimizationTable.SetCellColor(row, col, counts ? kWhite : kInactiveBorder);
}

void OptimizationForm::ColorRows() {
  for (int row = 1; row < optimizationTable.Rows(); ++row) {
    if (row > RowsInUse() && optimizationTable.CellCheck(row, kOptTickCol) == CheckState::Checked)
      optimizationTable.SetCellCheck(row, kOptTickCol, CheckState::Unchecked);
    ColorRow(row);
  }
}

bool OptimizationForm::LimitValue(double limit, double& value) {
  if (!(value > limit)) return false;
  value = limit;
  app_.dialogs.Message(kNotCorrect);
  return true;
}

void OptimizationForm::FeedWeightsOnlyClicked(bool ticked) {
  feedWeightsOnly.checked = ticked;
  const int rows = RowsInUse();
  for (int row = 1; row <= rows; ++row) {
    if (ticked && VariableKind(row) == kFeedKind) continue;
    optimizationTable.SetCellCheck(
        row, kOptTickCol, ticked ? CheckState::Unchecked : CheckState::Checked);
  }
  ColorRows();
  optimizationTable.SetCurrent(1, kOptTickCol);
}

void OptimizationForm::TableEdited(int row, int col) {
  if (row < 1 || row >= optimizationTable.Rows()) return;
  if (col == kOptTickCol) ColorRow(row);
  if (col < kOptCurrentCol || col > kOptMaximumCol || row > RowsInUse()) return;
  if (ReadNumber(optimizationTable.Text(row, col)) < 0) {
    app_.dialogs.Message(kNotAppropriate);
    optimizationTable.SetText(row, col, "0");
    return;
  }
  double current = ReadNumber(optimizationTable.Text(row, kOptCurrentCol));
  double minimum = ReadNumber(optimizationTable.Text(row, kOptMinimumCol));
  const double maximum = ReadNumber(optimizationTable.Text(row, kOptMaximumCol));
  // A maximum of 0 is one not entered yet: it holds nothing down.
  if (maximum > 0 && LimitValue(maximum, current))
    optimizationTable.SetText(row, kOptCurrentCol, Number(current));
  if (LimitValue(current, minimum)) optimizationTable.SetText(row, kOptMinimumCol, Number(minimum));
}

void OptimizationForm::AddMinMaxToCurrent() {
  for (int d = 1; d <= kMaxDiets; ++d) {
    for (int k = 1; k <= kOptKinds; ++k) {
      const int row = VariableOf(d, k);
      if (row >= optimizationTable.Rows()) continue;
      const double current = ReadNumber(optimizationTable.Text(row, kOptCurrentCol));
      optimizationTable.SetText(row, kOptMinimumCol, Number(current * kAddMinFactor[k]));
      optimizationTable.SetText(row, kOptMaximumCol, Number(current * kAddMaxFactor[k]));
    }
  }
  optimizationTable.SetEdited(true);
  runOptimization.backColor = kLightGreen;
}

void OptimizationForm::SetCommandsRunning(bool running) {
  runInProgress = running;
  runOptimization.enabled = !running;
  transferOptimum.enabled = !running && opt_.result.done;
  saveTable.enabled = !running;
  openTable.enabled = !running;
  feedWeightsOnlyEnabled = !running;
  auto& command = app_.mainForm.buttons;
  for (int number : kRunCommands) {
    auto& button = command[static_cast<std::size_t>(number)];
    if (running) {
      mainEnabled_[static_cast<std::size_t>(number)] = button.enabled;
      button.enabled = false;
    } else {
      button.enabled = mainEnabled_[static_cast<std::size_t>(number)];
    }
  }
}

void OptimizationForm::Run() {
  if (runInProgress || !runOptimization.enabled) return;
  const OptWindowView view{optimizationTable,
                           locationName,
                           targetWeight,
                           dietCountText,
                           workingVisible,
                           viewOptimization.enabled,
                           addMinMax.visible};
  evaluationCount = 0;
  bestCost = 0;
  opt_.thorough = thoroughSearch.checked;
  SetCommandsRunning(true);
  RunOptimization(app_, opt_, view);
  SetCommandsRunning(false);
  const OptResult& r = opt_.result;
  stagesShown = r.done;
  if (stagesShown) {
    FillSearchStagesGrid(stagesTable,
                         kCostCaption,
                         kEvaluationsCountCaption,
                         r.classic,
                         r.thoroughRan ? &r.thorough : nullptr,
                         app_.growth.decimalComma);
  }
  ColorRows();  // "Use Diets on Grid" may have unticked rows
}

void OptimizationForm::Cancel() {
  if (runInProgress) app_.growth.cancelRun = true;
}

OptimizationReportSource OptimizationForm::ReportSource() const {
  const MainForm& main = app_.mainForm;
  return {opt_.result,
          app_.formulation,
          app_.growth,
          opt_.objective.startWeight,
          main.feedGain.text,
          main.finalAge.text};
}

bool OptimizationForm::ViewOptimization() {
  if (!viewOptimization.enabled || !opt_.result.done) return false;
  report_.Open(ReportSource());
  return true;
}

void OptimizationForm::TransferOptimum() {
  if (runInProgress || !opt_.result.done) return;
  const OptResult& r = opt_.result;
  auto& nut = app_.formulation.nutrientRestrictions;
  LeastCostContext lp{app_.formulation, app_.growth, *app_.formulationState, app_.dialogs};
  const int diets = std::clamp(r.diets, 0, kMaxDiets);
  for (int d = 1; d <= diets; ++d) {
    for (int kind : {kMinKind, kMaxKind}) {
      for (int j = kEnergy; j <= kNutrientsMoved; ++j)
        nut[d][kind][j] = r.nutrientRestrictions[d][kind][j];
    }
    // The protein maximum the diet was formulated with: a diet whose energy
    // and protein did not change since its last formulation keeps the
    // maximum of that formulation, not the margin written before it.
    if (opt_.objective.feedChoice != kFeedGrid) ApplyProteinMargin(lp, d);
    app_.mainForm.dietsTable.SetText(
        kDietAmountRow, d, Number(ConvertWeight(app_.growth, kToDisplay, r.feedAmount[d])));
  }
  // Changes of the user's, not yet in the diets and restriction files.
  app_.mainForm.dietsTable.SetEdited(true);
  app_.formulation.unsaved.nutRestrictions = true;
}

bool OptimizationForm::SaveTable(bool withoutAsking) {
  if (runInProgress) return false;
  SaveRequest request{app_.location.dataFolder,
                      locationName + std::string(kFileExt),
                      std::string(kFilePattern),
                      std::string(kFileExt),
                      withoutAsking && !tableFile.empty()};
  if (!ChooseSavePath(app_.dialogs, tableFile, request)) return false;
  tableFile = ResolveInFolder(app_.location.dataFolder, tableFile);
  if (!WriteFileOrReport(app_.dialogs,
                         tableFile,
                         OptTableFileLines(optimizationTable, targetWeight, dietCountText),
                         kSaveProcedure))
    return false;
  optimizationTable.SetEdited(false);
  return true;
}

bool OptimizationForm::OpenTable() {
  if (runInProgress) return false;
  const FileRequest request{std::string(kOpenTitle),
                            app_.location.dataFolder,
                            std::string(kFilePattern),
                            std::string(kFileExt),
                            std::string(kFilePattern)};
  const std::optional<std::string> path = Chosen(app_.dialogs.OpenFile(request), request.fileName);
  if (!path || !SaveChangesFirst(app_, kOptimizationTableData)) return false;
  const std::string resolved = ResolveInFolder(app_.location.dataFolder, *path);
  const std::optional<std::vector<std::string>> lines = TextFile::ReadLines(resolved);
  if (!lines) {
    app_.dialogs.Message(ErrorText(kErrFileNotFound, kDescFileNotFound, kOpenProcedure));
    return false;
  }
  if (!ReadOptTableFile(*lines, optimizationTable, targetWeight, dietCountText)) {
    app_.dialogs.Message(ErrorText(kErrTypeMismatch, kDescTypeMismatch, kOpenProcedure));
    return false;
  }
  // The file's numbers in the machine's own writing.
  for (int row = 1; row <= kDietRows; ++row)
    for (int col = kOptCurrentCol; col <= kOptMaximumCol; ++col)
      optimizationTable.SetText(row, col, Number(ReadNumber(optimizationTable.Text(row, col))));
  targetWeight = Number(ReadNumber(targetWeight));
  tableFile = resolved;
  ColorRows();
  optimizationTable.SetEdited(false);
  return true;
}

void OptimizationForm::WriteResults() {
  const std::string path =
      ResolveInFolder(app_.location.dataFolder, OptResultsFileName(locationName, today()));
  const bool written =
      WriteFileOrReport(app_.dialogs, path, OptResultsFileLines(ReportSource()), kResultsProcedure);
  resultsFile = written ? path : std::string();
}

bool OptimizationForm::KeyDown(Key key, KeyModifiers modifiers) {
  activeGrid = &optimizationTable;
  return GridKey(optimizationTable, key, modifiers, app_.dialogs);
}

void OptimizationForm::Popup(PopupAction action) { PopupCommand(action, activeGrid, app_.dialogs); }
