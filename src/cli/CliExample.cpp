#include "cli/CliExample.h"

#include <cstdio>

#include "cli/CliDialogs.h"
#include "cli/CliOptions.h"
#include "model/GlobalPig.h"
#include "model/GrowthExample.h"
#include "model/PigGrowth.h"
#include "platform/Grid.h"
#include "platform/NumberFormat.h"

namespace {

constexpr int kResultRows = 200;
constexpr int kResultCols = 14;

}  // namespace

int RunExampleCommand() {
  GlobalPig pig;
  LoadExampleDiets(pig);
  pig.ShowDailyRows = true;
  Grid results(kResultRows, kResultCols);
  CliDialogs dialogs;
  PigGrowth::RunGrowthDays(pig, &results, &dialogs);
  if (pig.GrowthFailed) {
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
  std::printf("Final age, days\t%s\n", FormatNumber(pig.FinalAge, "##0.0#").c_str());
  std::printf("Total feed, kg\t%s\n", FormatNumber(pig.CumFeed[pig.RunSlot], "##0.0##").c_str());
  return kExitOk;
}
