// The pictures of docs/, taken from the program on a copy of the demo
// location when TAMSEL_DOCS names the folder to write them to (skipped
// otherwise): the main window after a calibration and a growth run, the
// optimization report, the matrix editor, and the first page of the
// Finishing Report's PDF of the demo where it ships (drawn by pdftoppm).
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "GuiSession.h"
#include "app/FinishingReport.h"
#include "optimization/OptReport.h"
#include "report/ReportRenderer.h"
#include "ui/OptReportWindow.h"
#include "ui/OptimizationWindow.h"

namespace {

using Window = AfrmMain::Window;

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
  s.Click("Command1");
  s.dialogs.Input(s.app->mainForm.Text6.Text);
  s.Click("Command2");
  s.dialogs.Answer(Answer::Yes);
  s.Click("ContinueCalibration", s.window->WindowOf(Window::Calibration));
  s.Find<QTabWidget>("TabSet")->setCurrentIndex(kTabDailyGrowth);
  s.window->resize(1280, 720);
  Save(*s.window, folder, "main-window.png");

  s.Click("Command6");
  Save(*s.window->WindowOf(Window::MatrixEditor), folder, "matrix-editor.png");

  auto* opt = static_cast<OptimizationWindow*>(s.window->WindowOf(Window::Optimization));
  s.Click("Command9");
  s.Click("CmdAddMinMax", opt);
  s.Click("CmdRunOpt", opt);
  s.Click("CmdView", opt);
  Save(*opt->Report(), folder, "optimization-report.png");

  // The report of the demo where it ships (a run writes nothing there).
  ScriptedDialogs dialogs;
  App shipped(dialogs, {s.demo.path().string() + "/", false});
  OpenLocation(shipped, dialogs, std::string(TAMSEL_SOURCE_DIR) + "/data/demo/Demo.plt");
  shipped.mainForm.ComboSex.ListIndex = 0;
  shipped.mainForm.RunGrowth();
  const QString pdf = folder.filePath(QStringLiteral("report.pdf"));
  QVERIFY(WriteReportPdf(FinishingReport(shipped, TodayText()), pdf));
  QCOMPARE(QProcess::execute(QStringLiteral("pdftoppm"),
                             {"-png",
                              "-r",
                              "70",
                              "-f",
                              "1",
                              "-l",
                              "1",
                              "-singlefile",
                              pdf,
                              folder.filePath(QStringLiteral("report"))}),
           0);
  QFile::remove(pdf);
}

QTEST_MAIN(DocsPicturesTest)
#include "DocsPicturesTest.moc"
