#include "report/ReportRenderer.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <QUrl>

#include "report/ReportChartPicture.h"

namespace {

const QUrl kChartUrl(QStringLiteral("report:growth-chart"));
constexpr int kChartWidth = 480;  // points: the printed page's width less its margins
constexpr int kChartHeight = 300;
constexpr qreal kChartScale = 4;  // picture pixels per point, sharp on paper
constexpr int kPdfResolution = 300;
constexpr qreal kMarginMm = 15;
constexpr int kFontPoints = 9;

const char* const kStyle =
    "h1 { font-size: 16pt; margin-bottom: 2pt; }"
    "h2 { font-size: 12pt; margin-top: 12pt; margin-bottom: 4pt; }"
    "p.subtitle { color: #555555; }"
    "table.data { border-collapse: collapse; }"
    "table.data th { background-color: #e8e8e8; text-align: left; }"
    "td.number { text-align: right; }";

QString Html(const std::string& text) { return QString::fromStdString(text).toHtmlEscaped(); }

bool LooksNumeric(const std::string& text) {
  bool ok = false;
  QString(QString::fromStdString(text)).replace(',', '.').toDouble(&ok);
  return ok;
}

QString Cell(const std::string& text, bool heading) {
  if (heading) return QStringLiteral("<th>") + Html(text) + QStringLiteral("</th>");
  const QString open =
      LooksNumeric(text) ? QStringLiteral("<td class=\"number\">") : QStringLiteral("<td>");
  return open + Html(text) + QStringLiteral("</td>");
}

QString TableHtml(const ReportTable& table, bool facts) {
  QString html =
      QStringLiteral("<table class=\"data\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\">");
  if (!table.headings.empty()) {
    html += QStringLiteral("<tr>");
    for (const std::string& heading : table.headings) html += Cell(heading, true);
    html += QStringLiteral("</tr>");
  }
  for (const std::vector<std::string>& row : table.rows) {
    html += QStringLiteral("<tr>");
    for (std::size_t c = 0; c < row.size(); ++c) html += Cell(row[c], facts && c == 0);
    html += QStringLiteral("</tr>");
  }
  return html + QStringLiteral("</table>");
}

QString BlockHtml(const ReportBlock& block) {
  switch (block.kind) {
    case ReportBlock::Kind::Heading:
      return QStringLiteral("<h2>") + Html(block.text) + QStringLiteral("</h2>");
    case ReportBlock::Kind::Paragraph:
      return QStringLiteral("<p>") + Html(block.text) + QStringLiteral("</p>");
    case ReportBlock::Kind::Facts:
      return TableHtml(block.table, true);
    case ReportBlock::Kind::Table:
      return TableHtml(block.table, false);
    case ReportBlock::Kind::GrowthChart:
      return QStringLiteral("<p><img src=\"%1\" width=\"%2\" height=\"%3\"></p>")
          .arg(kChartUrl.toString())
          .arg(kChartWidth)
          .arg(kChartHeight);
  }
  return {};
}

}  // namespace

std::unique_ptr<QTextDocument> ReportTextDocument(const ReportDocument& report) {
  auto document = std::make_unique<QTextDocument>();
  QFont font = document->defaultFont();
  font.setPointSize(kFontPoints);
  document->setDefaultFont(font);
  document->setDefaultStyleSheet(QString::fromLatin1(kStyle));
  document->addResource(QTextDocument::ImageResource,
                        kChartUrl,
                        GrowthChartPicture(report.chart, {kChartWidth, kChartHeight}, kChartScale));
  QString html = QStringLiteral("<h1>") + Html(report.title) + QStringLiteral("</h1>") +
                 QStringLiteral("<p class=\"subtitle\">") + Html(report.subtitle) +
                 QStringLiteral("</p>");
  for (const ReportBlock& block : report.blocks) html += BlockHtml(block);
  document->setHtml(html);
  document->setMetaInformation(QTextDocument::DocumentTitle, QString::fromStdString(report.title));
  return document;
}

void PrintReport(const ReportDocument& report, QPagedPaintDevice& device) {
  ReportTextDocument(report)->print(&device);
}

bool WriteReportPdf(const ReportDocument& report, const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  {
    QPdfWriter writer(&file);
    writer.setResolution(kPdfResolution);
    writer.setTitle(QString::fromStdString(report.title));
    writer.setCreator(QStringLiteral("Tamsel Feed Optimizer"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                     QPageLayout::Portrait,
                                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                     QPageLayout::Millimeter));
    PrintReport(report, writer);
  }
  return file.commit();
}

struct ReportGui::Application {
  int argc = 1;
  char name[16] = "tamsel-cli";
  char* argv[2] = {name, nullptr};
  QGuiApplication application{argc, argv};
};

ReportGui::ReportGui() {
  if (QCoreApplication::instance()) return;
  // A PDF needs fonts and painting, not a screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  application_ = std::make_unique<Application>();
}

ReportGui::~ReportGui() = default;
