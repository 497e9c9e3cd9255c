#include "cli/CliExample.h"

#include <cstdio>

#include "cli/CliDialogs.h"
#include "cli/CliOptions.h"
#include "model/GrowthExample.h"
#include "model/GrowthState.h"
#include "model/PigGrowth.h"
#include "platform/Grid.h"
#include "platform/NumberFormat.h"

namespace {

constexpr int kResultRows = 200;
constexpr int kResultCols = 14;

}  // namespace

int RunExampleCommand() {
  GrowthState growth;
  LoadExampleDiets(growth);
  growth.showDailyRows = true;
  Grid results(kResultRows, kResultCols);
  CliDialogs dialogs;
  PigGrowth::RunGrowthDays(growth, &results, &dialogs);
  if (growth.growthFailed) {
    std::fputs("The growth run failed.\n", stderr);
    return kExitRunFailed;
  }
  std::puts("Age\tWeight\tDaily Feed\tTot FEED");
  for (int row = 1; row < results.Rows() && !results.Text(row, PigGrowth::kAgeColumn).empty();
       ++row) {
    std::printf("%s\t%s\t%s\t%s\n",
                results.Text(row, PigGrowth::kAgeColumn).c_str(),
                results.Text(row, PigGrowth::kWeightColumn).c_str(),
                results.Text(row, PigGrowth::kDailyFeedColumn).c_str(),
                results.Text(row, PigGrowth::kTotFeedColumn).c_str());
  }
  std::printf("Final age, days\t%s\n", FormatNumber(growth.finalAge, "##0.0#").c_str());
  std::printf("Total feed, kg\t%s\n",
              FormatNumber(growth.cumFeed[growth.runSlot], "##0.0##").c_str());
  return kExitOk;
}
