// The "Diet Optimization" window and the main window's side of a diet
// optimization: "Run Optimization", and the starting and best costs it shows.

#include "app/frmOpt.h"

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

std::vector<std::string> OptTableFileLines(const Grid& GridOpt,
                                           std::string_view targetWeight,
                                           std::string_view diets) {
  std::vector<std::string> lines;
  lines.emplace_back(frmOpt::kFileSignature);
  lines.push_back(FileNumberText(ReadNumber(targetWeight)) + "\t" +
                  std::to_string(ReadInteger(diets)));
  for (int row = 1; row <= kDietRows; ++row) {
    std::string line = Ticked(GridOpt, row) ? "1" : "0";
    for (int col = kOptCurrentCol; col <= kOptMaximumCol; ++col)
      line += "\t" + FileNumberText(ReadNumber(GridOpt.Text(row, col)));
    lines.push_back(std::move(line));
  }
  return lines;
}

bool ReadOptTableFile(const std::vector<std::string>& lines,
                      Grid& GridOpt,
                      std::string& targetWeight,
                      std::string& diets) {
  if (lines.size() < 2 || lines[0] != frmOpt::kFileSignature) return false;
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
    GridOpt.SetCellCheck(
        row, kOptTickCol, fields[0] == "1" ? CheckState::Checked : CheckState::Unchecked);
    for (int k = 1; k <= 3; ++k) GridOpt.SetText(row, kOptTickCol + k, fields[k]);
  }
  return true;
}

// ---------------------------------------------------------------------------
// The window.

frmOpt::frmOpt(App& app, DietOptState& opt, OptReport& report)
    : app_(app), opt_(opt), report_(report) {
  for (int row = 1; row <= kDietRows; ++row)
    for (int col = kOptCurrentCol; col <= kOptMaximumCol; ++col) GridOpt.SetText(row, col, "0");
  // The diet and the kind in columns 0 and 1 are the program's labels: no
  // typing there, and "Clear" keeps them.
  GridOpt.SetFixedCols(2);
  CmdView.enabled = false;
  CmdTransfer.enabled = false;  // until a run has found an optimum
  opt_.search.progress = [this](long evaluations, double best) {
    Evaluations = evaluations;
    BestCost = best;
    if (Progress) Progress();
  };
  opt_.objective.showNewBest = [this](const OptBestShown& best) {
    app_.mainForm.ShowOptNewBest(best);
  };
  opt_.showStartingCost = [this](double cost) { app_.mainForm.ShowOptStartingCost(cost); };
  opt_.writeResults = [this] { WriteResults(); };
}

std::string frmOpt::Number(double value) const {
  return NumberText(value, app_.growth.decimalComma);
}

int frmOpt::RowsInUse() const {
  return std::clamp(kOptKinds * static_cast<int>(app_.growth.dietCount), 0, kDietRows);
}

void frmOpt::Form_Load() {
  AfrmMain& main = app_.mainForm;
  LocationName = main.Text6.text;
  TargetWeight = main.Text3.text;
  CheckMarrowindEnabled = false;
  CheckCarcassVisible = false;
  CmdView.enabled = false;

  GridOpt.Resize(kOptTableRows, kOptTableCols);
  for (int col = kOptTickCol; col < kOptTableCols; ++col) GridOpt.SetText(0, col, kHeadings[col]);
  for (int d = 1; d <= kMaxDiets; ++d) {
    GridOpt.SetText(VariableOf(d, kFeedKind), 0, "Diet " + std::to_string(d));
    for (int k = 1; k <= kOptKinds; ++k) {
      const int row = VariableOf(d, k);
      GridOpt.SetText(row, 1, kKindCaptions[k]);
      GridOpt.SetCellCheck(row, kOptTickCol, CheckState::Checked);
    }
  }
  CorrectColor();

  // The current values: the diets table's feed amounts, and the energy and
  // protein minima of the restrictions (taken from the diets table, and kept
  // as the minima, where there are none).
  const Grid& diets = main.dietsTable;
  auto& nut = app_.formulation.nutrientRestrictions;
  for (int d = 1; d <= kMaxDiets; ++d) {
    const std::string& feed = diets.Text(kDietAmountRow, d);
    GridOpt.SetText(VariableOf(d, kFeedKind), kOptCurrentCol, feed.empty() ? "0" : feed);
    const std::pair<int, int> kinds[] = {{kEnergyKind, kEnergy}, {kProteinKind, kProtein}};
    for (const auto& [kind, j] : kinds) {
      double& minimum = nut[d][kMinKind][j];
      if (minimum == 0) minimum = ReadNumber(diets.Text(j + kDietRowOffset, d));
      GridOpt.SetText(VariableOf(d, kind), kOptCurrentCol, Number(minimum));
    }
  }
  TextOptDiet = std::to_string(app_.growth.dietCount);
  GridOpt.SetEdited(false);
  visible = true;
}

void frmOpt::ColorRow(int row) {
  if (row < 1 || row >= GridOpt.Rows()) return;
  const bool counts = row <= RowsInUse() && Ticked(GridOpt, row);
  GridOpt.SetCellColor(row, kOptCurrentCol, kWhite);
  for (int col = kOptMinimumCol; col <= kOptMaximumCol; ++col)
    GridOpt.SetCellColor(row, col, counts ? kWhite : kInactiveBorder);
}

void frmOpt::CorrectColor() {
  for (int row = 1; row < GridOpt.Rows(); ++row) {
    if (row > RowsInUse() && GridOpt.CellCheck(row, kOptTickCol) == CheckState::Checked)
      GridOpt.SetCellCheck(row, kOptTickCol, CheckState::Unchecked);
    ColorRow(row);
  }
}

bool frmOpt::minmax(double limit, double& value) {
  if (!(value > limit)) return false;
  value = limit;
  app_.dialogs.Message(kNotCorrect);
  return true;
}

void frmOpt::CheckFeedOnly_Click(bool ticked) {
  CheckFeedOnly.checked = ticked;
  const int rows = RowsInUse();
  for (int row = 1; row <= rows; ++row) {
    if (ticked && VariableKind(row) == kFeedKind) continue;
    GridOpt.SetCellCheck(row, kOptTickCol, ticked ? CheckState::Unchecked : CheckState::Checked);
  }
  CorrectColor();
  GridOpt.SetCurrent(1, kOptTickCol);
}

void frmOpt::GridOpt_AfterEdit(int row, int col) {
  if (row < 1 || row >= GridOpt.Rows()) return;
  if (col == kOptTickCol) ColorRow(row);
  if (col < kOptCurrentCol || col > kOptMaximumCol || row > RowsInUse()) return;
  if (ReadNumber(GridOpt.Text(row, col)) < 0) {
    app_.dialogs.Message(kNotAppropriate);
    GridOpt.SetText(row, col, "0");
    return;
  }
  double current = ReadNumber(GridOpt.Text(row, kOptCurrentCol));
  double minimum = ReadNumber(GridOpt.Text(row, kOptMinimumCol));
  const double maximum = ReadNumber(GridOpt.Text(row, kOptMaximumCol));
  // A maximum of 0 is one not entered yet: it holds nothing down.
  if (maximum > 0 && minmax(maximum, current))
    GridOpt.SetText(row, kOptCurrentCol, Number(current));
  if (minmax(current, minimum)) GridOpt.SetText(row, kOptMinimumCol, Number(minimum));
}

void frmOpt::CmdAddMinMax_Click() {
  for (int d = 1; d <= kMaxDiets; ++d) {
    for (int k = 1; k <= kOptKinds; ++k) {
      const int row = VariableOf(d, k);
      if (row >= GridOpt.Rows()) continue;
      const double current = ReadNumber(GridOpt.Text(row, kOptCurrentCol));
      GridOpt.SetText(row, kOptMinimumCol, Number(current * kAddMinFactor[k]));
      GridOpt.SetText(row, kOptMaximumCol, Number(current * kAddMaxFactor[k]));
    }
  }
  GridOpt.SetEdited(true);
  CmdRunOpt.backColor = kLightGreen;
}

void frmOpt::SetCommandsRunning(bool running) {
  Running = running;
  CmdRunOpt.enabled = !running;
  CmdTransfer.enabled = !running && opt_.result.done;
  CmdSaveOpt.enabled = !running;
  CmdOpenOpt.enabled = !running;
  CheckFeedOnlyEnabled = !running;
  auto& command = app_.mainForm.Command;
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

void frmOpt::CmdRunOpt_Click() {
  if (Running || !CmdRunOpt.enabled) return;
  const OptWindowView view{GridOpt,
                           LocationName,
                           TargetWeight,
                           TextOptDiet,
                           WorkingVisible,
                           CmdView.enabled,
                           CmdAddMinMax.visible};
  Evaluations = 0;
  BestCost = 0;
  SetCommandsRunning(true);
  RunOptimization(app_, opt_, view);
  SetCommandsRunning(false);
  CorrectColor();  // "Use Diets on Grid" may have unticked rows
}

void frmOpt::Cancel() {
  if (Running) app_.growth.cancelRun = true;
}

OptReportSource frmOpt::ReportSource() const {
  const AfrmMain& main = app_.mainForm;
  return {opt_.result,
          app_.formulation,
          app_.growth,
          opt_.objective.startWeight,
          main.TextFeedGain.text,
          main.Text5.text};
}

bool frmOpt::CmdView_Click() {
  if (!CmdView.enabled || !opt_.result.done) return false;
  report_.Form_Load(ReportSource());
  return true;
}

void frmOpt::CmdTransfer_Click() {
  if (Running || !opt_.result.done) return;
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

bool frmOpt::CmdSaveOpt_Click(bool withoutAsking) {
  if (Running) return false;
  SaveRequest request{app_.location.dataFolder,
                      LocationName + std::string(kFileExt),
                      std::string(kFilePattern),
                      std::string(kFileExt),
                      withoutAsking && !OptFile.empty()};
  if (!ChooseSavePath(app_.dialogs, OptFile, request)) return false;
  OptFile = ResolveInFolder(app_.location.dataFolder, OptFile);
  if (!WriteFileOrReport(app_.dialogs,
                         OptFile,
                         OptTableFileLines(GridOpt, TargetWeight, TextOptDiet),
                         kSaveProcedure))
    return false;
  GridOpt.SetEdited(false);
  return true;
}

bool frmOpt::CmdOpenOpt_Click() {
  if (Running) return false;
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
  if (!ReadOptTableFile(*lines, GridOpt, TargetWeight, TextOptDiet)) {
    app_.dialogs.Message(ErrorText(kErrTypeMismatch, kDescTypeMismatch, kOpenProcedure));
    return false;
  }
  // The file's numbers in the machine's own writing.
  for (int row = 1; row <= kDietRows; ++row)
    for (int col = kOptCurrentCol; col <= kOptMaximumCol; ++col)
      GridOpt.SetText(row, col, Number(ReadNumber(GridOpt.Text(row, col))));
  TargetWeight = Number(ReadNumber(TargetWeight));
  OptFile = resolved;
  CorrectColor();
  GridOpt.SetEdited(false);
  return true;
}

void frmOpt::WriteResults() {
  const std::string path =
      ResolveInFolder(app_.location.dataFolder, OptResultsFileName(LocationName, today()));
  const bool written =
      WriteFileOrReport(app_.dialogs, path, OptResultsFileLines(ReportSource()), kResultsProcedure);
  ResultsFile = written ? path : std::string();
}

bool frmOpt::KeyDown(Key key, KeyModifiers modifiers) {
  ActiveGrid = &GridOpt;
  return GridKey(GridOpt, key, modifiers, app_.dialogs);
}

void frmOpt::Popup(PopupAction action) { PopupCommand(action, ActiveGrid, app_.dialogs); }

// ---------------------------------------------------------------------------
// The main window's side.

void AfrmMain::Command9_Click() {
  const int diets = std::clamp<int>(app_.growth.dietCount, 0, kMaxDiets);
  for (int d = 1; d <= diets; ++d)
    app_.formulationState->dietCost[d] = ReadNumber(dietsTable.Text(kDietCostRow, d));
  if (!app_.optForm.visible) app_.optForm.Form_Load();
}

void AfrmMain::ShowOptStartingCost(double cost) {
  const bool comma = app_.growth.decimalComma;
  TextOptStart.caption = std::string(kOptStartCaption);
  TextOptStart.text = NumberText(cost, comma);
  TextOptBest.caption = std::string(kOptBestCaption);
  TextOptBest.text.clear();
  GridOptBest.Clear();
  for (int k = 1; k <= kOptKinds; ++k) GridOptBest.SetText(k, 0, frmOpt::kKindCaptions[k]);
}

void AfrmMain::ShowOptNewBest(const OptBestShown& best) {
  const bool comma = app_.growth.decimalComma;
  TextOptBest.text = NumberText(best.costPerPig, comma);
  for (int d = 1; d <= std::clamp(best.diets, 0, kMaxDiets); ++d) {
    GridOptBest.SetText(0, d, "Diet " + std::to_string(d));
    GridOptBest.SetText(kFeedKind, d, NumberText(best.feedAmount[d], comma));
    GridOptBest.SetText(kEnergyKind, d, NumberText(best.energy[d], comma));
    GridOptBest.SetText(kProteinKind, d, NumberText(best.protein[d], comma));
  }
}
