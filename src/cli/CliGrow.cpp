#include "cli/CliGrow.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/GrowthChecks.h"
#include "cli/CliOutput.h"
#include "cli/CliSession.h"
#include "model/DietsFile.h"
#include "model/DietsTable.h"
#include "model/GrowthSummary.h"
#include "model/PigGrowth.h"
#include "model/Units.h"
#include "platform/NumberFormat.h"

namespace {

constexpr int kDailyFirstColumn = PigGrowth::kAgeColumn;
constexpr int kDailyLastColumn = PigGrowth::kTotFeedColumn;

double Shown(const GrowthState& growth, double kg) { return ConvertWeight(growth, kToDisplay, kg); }

int DietsRun(const GrowthState& growth) { return std::clamp<int>(growth.dietCount, 0, kMaxDiets); }

std::vector<std::string> HeadingRow(const Grid& results, int first, int last) {
  std::vector<std::string> cells;
  for (int col = first; col <= last; ++col) cells.push_back(results.Text(0, col));
  return cells;
}

// Daily rows: row r is age startAge + r - 1, except the last, the final day
// with its fractional age, which the model cut at the final weight.
void PrintDailyRows(const App& app, Precision precision) {
  const GrowthState& growth = app.growth;
  const Grid& results = app.resultsTable;
  PrintRow(HeadingRow(results, kDailyFirstColumn, kDailyLastColumn));
  double totalFeed = 0;
  for (int row = 1; row < results.Rows() && !results.Text(row, kDailyFirstColumn).empty(); ++row) {
    const int day = std::min(growth.startAge + row - 1, kMaxAge);
    const bool finalDay =
        day > growth.startAge && growth.liveWeight[day][kHerdColumn] >= growth.finalWeight;
    const double age = finalDay ? growth.finalAge : day;
    const double weight = finalDay ? growth.finalWeight : growth.liveWeight[day][kHerdColumn];
    const double feed = day > growth.startAge ? growth.dailyFeed[day][kHerdColumn] : 0;
    totalFeed += feed;
    auto cell = [&](int col, double value) {
      return NumberCell(precision, value, results.Text(row, col));
    };
    PrintRow({cell(PigGrowth::kAgeColumn, age),
              cell(PigGrowth::kWeightColumn, Shown(growth, weight)),
              cell(PigGrowth::kDailyFeedColumn, Shown(growth, feed)),
              cell(PigGrowth::kTotFeedColumn, Shown(growth, totalFeed))});
  }
  EndBlock();
}

// One row per diet: its end (weight, age), daily gain on it and its feed.
void PrintDietRows(const App& app, Precision precision) {
  const GrowthState& growth = app.growth;
  const Grid& results = app.resultsTable;
  PrintRow(HeadingRow(results, kSummaryNameColumn, kSummaryFeedColumn));
  for (int r = 1; r <= DietsRun(growth); ++r) {
    const PhaseEnd& before = growth.dietPhaseLog[r - 1];
    const PhaseEnd& end = growth.dietPhaseLog[r];
    const double days = end.age - before.age;
    const double gain = Shown(growth, end.weight) - Shown(growth, before.weight);
    auto cell = [&](int col, double value) {
      return NumberCell(precision, value, results.Text(r, col));
    };
    PrintRow({results.Text(r, kSummaryNameColumn),
              cell(kSummaryWeightColumn, Shown(growth, end.weight)),
              cell(kSummaryAgeColumn, end.age),
              cell(kSummaryGainColumn, days > 0 ? gain / days : 0),
              cell(kSummaryFeedColumn, Shown(growth, DietPhaseFeed(growth, r)))});
  }
  EndBlock();
}

void PrintResultFields(const App& app, Precision precision) {
  const MainForm& form = app.mainForm;
  const GrowthRunResults& run = app.growthResults;
  const GrowthState& growth = app.growth;
  PrintRow({"Result", "Value"});
  PrintRow({form.finalAge.caption, NumberCell(precision, growth.finalAge, form.finalAge.text)});
  PrintRow({form.totalFeedIntake.caption,
            NumberCell(precision, Shown(growth, run.totalFeed), form.totalFeedIntake.text)});
  PrintRow({form.feedGain.caption, NumberCell(precision, run.feedGain, form.feedGain.text)});
  PrintRow({form.costPerPig.caption, NumberCell(precision, run.costPerPig, form.costPerPig.text)});
}

}  // namespace

int RunGrowCommand(const CliOptions& options) {
  CliSession session;
  if (!session.OpenLocation(options.location)) return kExitRunFailed;
  App& app = *session.app;
  session.TypeInputs(options);
  app.mainForm.Click(MainForm::Control::Growth);
  // A fresh App: only a run that went through to its summary sets this.
  if (app.mainForm.initialRunDone) {
    PrintDailyRows(app, options.precision);
    PrintDietRows(app, options.precision);
    PrintResultFields(app, options.precision);
    // A herd short of the final weight is no answer to the question asked;
    // the application has said how far it got.
    return ShortOfFinalWeight(app.growth) ? kExitRunFailed : kExitOk;
  }
  // A failed model run leaves the days it grew; every stop has said why.
  if (app.growth.growthFailed && !app.resultsTable.Text(1, kDailyFirstColumn).empty())
    PrintDailyRows(app, options.precision);
  return kExitRunFailed;
}
