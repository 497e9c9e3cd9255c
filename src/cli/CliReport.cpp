#include "cli/CliReport.h"

#include <cstdio>

#include "cli/CliSession.h"

#ifdef TAMSEL_PDF_REPORT
#include "app/FinishingReport.h"
#include "app/StatusTexts.h"
#include "optimization/OptimizationReportForm.h"
#include "report/ReportRenderer.h"

int RunReportCommand(const CliOptions& options) {
  CliSession session;
  if (!session.OpenLocation(options.location)) return kExitRunFailed;
  App& app = *session.app;
  session.TypeInputs(options);
  app.mainForm.Click(MainForm::Control::Growth);
  if (auto problem = FinishingReportProblem(app)) {
    std::fprintf(stderr, "%s\n", problem->c_str());
    return kExitRunFailed;
  }
  const ReportDocument report = FinishingReport(app, TodayText());
  ReportGui gui;
  if (!WriteReportPdf(report, QString::fromStdString(options.pdf))) {
    std::fprintf(stderr, "tamsel-cli: could not write %s\n", options.pdf.c_str());
    return kExitRunFailed;
  }
  std::printf("%s\n", ReportWrittenStatus(options.pdf).c_str());
  return kExitOk;
}
#endif
