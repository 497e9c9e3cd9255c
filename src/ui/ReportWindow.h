#pragma once

#include "ui/SecondaryWindow.h"

class App;
class QTextBrowser;

// The Finishing Report of the current run, made afresh each time it opens:
// shown as it prints, with "Print..." (the printer dialog) and "Export
// PDF..." below it.
class ReportWindow : public SecondaryWindow {
  Q_OBJECT

 public:
  ReportWindow(App& app, QWidget* parent);

  void Refresh() override;
  // The printer dialog, then the report on the printer (or the PDF file the
  // dialog chose); what happened goes to the status bar.
  void PrintWithDialog();
  // Asks for a file and writes the report there as a PDF.
  void ExportPdf();

 private:
  App& app_;
  QTextBrowser* text_ = nullptr;
};
