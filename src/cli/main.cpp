// tamsel-cli: the feed optimizer from the command line, without a display.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/CliCalibrate.h"
#include "cli/CliExample.h"
#include "cli/CliFormulate.h"
#include "cli/CliGrow.h"
#include "cli/CliOptimize.h"
#include "cli/CliOptions.h"
#include "cli/CliReport.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const CliParse parse = ParseCommandLine(args);
  if (!parse.error.empty()) {
    std::fprintf(stderr,
                 "tamsel-cli: %s\nTry 'tamsel-cli --help' for the commands and options.\n",
                 parse.error.c_str());
    return kExitUsage;
  }
  switch (parse.options.command) {
    case CliCommand::Help:
      std::fputs(UsageText().c_str(), stdout);
      return kExitOk;
    case CliCommand::Example:
      return RunExampleCommand();
    case CliCommand::Grow:
      return RunGrowCommand(parse.options);
    case CliCommand::Formulate:
      return RunFormulateCommand(parse.options);
    case CliCommand::Calibrate:
      return RunCalibrateCommand(parse.options);
    case CliCommand::Optimize:
      return RunOptimizeCommand(parse.options);
    case CliCommand::Report:
#ifdef TAMSEL_PDF_REPORT
      return RunReportCommand(parse.options);
#else
      break;  // not built: the command line refuses "report"
#endif
  }
  return kExitUsage;
}
