#include "ui/ReportWindow.h"

#include <QHBoxLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

#include "app/App.h"
#include "app/FinishingReport.h"
#include "app/StatusTexts.h"
#include "optimization/OptimizationReportForm.h"
#include "report/ReportRenderer.h"
#include "ui/CoreText.h"

namespace {

constexpr int kWidth = 760;  // pixels: a page's width and the scroll bar
constexpr int kHeight = 900;

}  // namespace

ReportWindow::ReportWindow(App& app, QWidget* parent) : SecondaryWindow(parent), app_(app) {
  setObjectName(QStringLiteral("FinishingReport"));
  setWindowTitle(FromCoreText(kFinishingReportTitle));
  SetHelpSection(HelpSection::FinishingReport);
  text_ = new QTextBrowser(this);
  text_->setObjectName(QStringLiteral("ReportText"));
  auto* print = new QPushButton(FromCoreText(kPrintCaption), this);
  print->setObjectName(QStringLiteral("Print"));
  connect(print, &QPushButton::clicked, this, [this] { Run([this] { PrintWithDialog(); }); });
  auto* pdf = new QPushButton(FromCoreText(kExportPdfCaption), this);
  pdf->setObjectName(QStringLiteral("ExportPdf"));
  connect(pdf, &QPushButton::clicked, this, [this] { Run([this] { ExportPdf(); }); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(print);
  buttons->addWidget(pdf);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_, 1);
  layout->addLayout(buttons);
  resize(kWidth, kHeight);
}

void ReportWindow::Refresh() {
  if (FinishingReportProblem(app_)) return;
  std::unique_ptr<QTextDocument> document = ReportTextDocument(FinishingReport(app_, TodayText()));
  document->setParent(text_);
  text_->setDocument(document.release());
}

void ReportWindow::PrintWithDialog() {
  QPrinter printer(QPrinter::HighResolution);
  // Printed to a file, the report goes beside the location's files.
  printer.setOutputFileName(FromCoreText(ReportPdfOffer(app_)));
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  PrintReport(FinishingReport(app_, TodayText()), printer);
  const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
  app_.mainForm.StatusText = toFile ? ReportWrittenStatus(ToCoreText(printer.outputFileName()))
                                    : std::string(kReportPrintedStatus);
}

void ReportWindow::ExportPdf() {
  const std::string path = ChooseReportPdf(app_.dialogs, app_);
  if (path.empty()) return;
  if (!WriteReportPdf(FinishingReport(app_, TodayText()), FromCoreText(path))) {
    app_.dialogs.Message(ReportPdfError());
    return;
  }
  app_.mainForm.StatusText = ReportWrittenStatus(path);
}
