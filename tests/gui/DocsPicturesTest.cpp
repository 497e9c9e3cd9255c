// The pictures of docs/, taken on a copy of the demo location when
// TAMSEL_DOCS names their folder (skipped otherwise); the report's first
// page drawn by pdftoppm from the demo where it ships.
#include <QDir>
#include <QProcess>
#include <QTabWidget>

#include "GuiSession.h"
#include "app/FinishingReport.h"
#include "optimization/OptimizationReportForm.h"
#include "report/ReportRenderer.h"
#include "ui/OptimizationReportWindow.h"
#include "ui/OptimizationWindow.h"

namespace {

using Window = MainForm::Window;

void Save(QWidget& window, const QDir& folder, const char* name) {
  QCoreApplication::processEvents();
  QVERIFY2(window.grab().save(folder.filePath(QString::fromLatin1(name))), name);
}

}  // namespace

class DocsPicturesTest : public QObject {
  Q_OBJECT

 private slots:
  void pictures();
};

void DocsPicturesTest::pictures() {
  const QString docs = qEnvironmentVariable("TAMSEL_DOCS");
  if (docs.isEmpty()) QSKIP("TAMSEL_DOCS names no folder for the pictures");
  const QDir folder(docs);
  GuiSession s;
  // A calibration first, so the chart shows the weighings.
  s.Click("growth");
  s.dialogs.Input(s.app->mainForm.locationName.text);
  s.Click("calibration");
  s.dialogs.Answer(Answer::Yes);
  s.Click("ContinueCalibration", s.window->WindowOf(Window::Calibration));
  s.Find<QTabWidget>("TabSet")->setCurrentIndex(kTabDailyGrowth);
  s.window->resize(1280, 720);
  Save(*s.window, folder, "main-window.png");

  s.Click("editMatrix");
  Save(*s.window->WindowOf(Window::MatrixEditor), folder, "matrix-editor.png");

  auto* opt = static_cast<OptimizationWindow*>(s.window->WindowOf(Window::Optimization));
  s.Click("runOptimization");
  s.Click("addMinMax", opt);
  s.Click("runOptimization", opt);
  s.Click("viewOptimization", opt);
  Save(*opt->Report(), folder, "optimization-report.png");

  // The report of the demo where it ships (a run writes nothing there).
  ScriptedDialogs dialogs;
  App shipped(dialogs, {s.demo.path().string() + "/", false});
  OpenLocation(shipped, dialogs, std::string(TAMSEL_SOURCE_DIR) + "/data/demo/Demo.plt");
  shipped.mainForm.herdSex.selected = 0;
  shipped.mainForm.Growth();
  const QString pdf = folder.filePath(QStringLiteral("report.pdf"));
  QVERIFY(WriteReportPdf(FinishingReport(shipped, TodayText()), pdf));
  const QStringList firstPage = QStringLiteral("-png -r 70 -f 1 -l 1 -singlefile").split(' ');
  QCOMPARE(
      QProcess::execute(QStringLiteral("pdftoppm"),
                        firstPage + QStringList{pdf, folder.filePath(QStringLiteral("report"))}),
      0);
  QFile::remove(pdf);
}

QTEST_MAIN(DocsPicturesTest)
#include "DocsPicturesTest.moc"
