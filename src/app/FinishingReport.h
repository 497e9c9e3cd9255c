#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/ReportDocument.h"
#include "platform/Dialogs.h"

class App;

// The Finishing Report: the current run as a nutritionist hands it to a
// farm. The location and date, the herd's inputs, each diet's formula,
// nutrient levels and cost, the growth chart, the per-diet summary, the
// results (final age, feed, feed/gain, cost per pig, by sex), the last
// calibration's fit (the weighings against the curve) and the last
// optimization's saving when there is one.

inline constexpr std::string_view kFinishingReportTitle = "Finishing Report";
inline constexpr std::string_view kPrintCaption = "Print…";
inline constexpr std::string_view kExportPdfCaption = "Export PDF…";
inline constexpr std::string_view kNoRunToReport =
    "The Finishing Report reports the current run: press Growth first.";

// Why there is no report yet; nothing when a growth run has results.
std::optional<std::string> FinishingReportProblem(const App& app);

// The report of the app's current run, dated `today` ("dd/mm/yyyy").
ReportDocument FinishingReport(const App& app, std::string_view today);

// The report's PDF offered in the location's folder: the location's name
// and " Finishing Report.pdf".
std::string ReportPdfOffer(const App& app);

// Where "Export PDF..." writes: the location's folder, the location's name
// and " Finishing Report.pdf" offered; "" when cancelled. ".pdf" is added to
// a name without it.
std::string ChooseReportPdf(Dialogs& dialogs, const App& app);

// "Error 75 (Path/File access error) in procedure ExportPdf".
std::string ReportPdfError();
