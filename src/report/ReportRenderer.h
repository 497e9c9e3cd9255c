#pragma once

#include <QString>
#include <memory>

#include "app/ReportDocument.h"

class QPagedPaintDevice;
class QTextDocument;

// A report of the core (ReportDocument) on screen and on pages: laid out as
// a rich-text document, the growth chart drawn in as a picture. Only QtGui,
// so the command line renders it without a display.

// The report as a text document, for a window to show or a device to print.
std::unique_ptr<QTextDocument> ReportTextDocument(const ReportDocument& report);

// Prints the report on `device` (a printer, a PDF writer), page by page.
void PrintReport(const ReportDocument& report, QPagedPaintDevice& device);

// Writes the report as a PDF file, whole or not at all; false when it could
// not be written.
bool WriteReportPdf(const ReportDocument& report, const QString& path);

// For a program without a QtGui application (the command line): makes one
// on the offscreen platform unless a platform was chosen, for as long as
// the object lives.
class ReportGui {
 public:
  ReportGui();
  ~ReportGui();
  ReportGui(const ReportGui&) = delete;
  ReportGui& operator=(const ReportGui&) = delete;

 private:
  struct Application;
  std::unique_ptr<Application> application_;
};
