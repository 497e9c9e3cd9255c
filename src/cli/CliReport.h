#pragma once

struct CliOptions;

// `tamsel-cli report LOCATION.plt --pdf FILE`: grows the location's herd
// and writes the Finishing Report of the run as a PDF, without a display.
// A build without the PDF report has no such command.
int RunReportCommand(const CliOptions& options);
