// The growth chart's exports and the calibration windows on a copy of the
// demo location, clicked by object name.
#include <QChart>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QXYSeries>
#include <functional>

#include "GuiSession.h"
#include "app/TableFaces.h"
#include "ui/CalibrationInputsWindow.h"
#include "ui/GrowthChart.h"

namespace {

using Window = MainForm::Window;

// The demo session with the chart's series, the daily table's numbers and
// the calibration's own views.
struct Session : GuiSession {
  GrowthChart* Chart() const { return Find<GrowthChart>("GrowthChart"); }
  // The chart's one series of that name.
  QXYSeries* OneSeries(const char* name) const {
    QXYSeries* found = nullptr;
    for (QAbstractSeries* series : Chart()->Chart()->series())
      if (series->objectName() == QLatin1String(name)) found = static_cast<QXYSeries*>(series);
    return found;
  }
  void Growth() {
    Click("growth");
    QVERIFY(dialogs.Messages().empty());
  }

  SecondaryWindow* Calibration() const { return window->WindowOf(Window::Calibration); }
  QStringList Coefficients() const {
    QStringList coef;
    for (int k = 1; k <= kCoefCount; ++k)
      coef << Cell(window.get(), "coefficientTable", kCoefRow, k);
    return coef;
  }
  // "Calibration", keeping the location's name.
  void OpenCalibration() {
    dialogs.Input(app->mainForm.locationName.text);
    Click("calibration");
    QVERIFY(dialogs.Done());
  }
};

// What the user sees at each report of the fit.
struct Seen {
  long reports = 0;
  long lastRuns = 0;
  QString progress;
  bool progressShown = false;  // "working" and Cancel
  bool held = false;           // Continue, the main window and the others
};

void Watch(Session& s, Seen& seen, std::function<void(long runs)> atReport = {}) {
  auto* calibration = static_cast<CalibrationInputsWindow*>(s.Calibration());
  auto report = [&s, &seen, atReport, calibration](long runs, double) {
    ++seen.reports;
    seen.lastRuns = runs;
    if (runs > 0) seen.progress = s.Find<QLabel>("progress", calibration)->text();
    seen.progressShown = s.Find<QLabel>("working", calibration)->isVisible() &&
                         s.Find<QPushButton>("Cancel", calibration)->isVisible();
    seen.held = !s.Find<QPushButton>("ContinueCalibration", calibration)->isEnabled() &&
                s.RunCommandsHeld() && !s.Find<QLineEdit>("locationName")->isEnabled() &&
                !s.window->menuBar()->isEnabled() &&
                !s.window->WindowOf(Window::Restrictions)->isEnabled();
    if (atReport) atReport(runs);
  };
  QObject::connect(calibration, &CalibrationInputsWindow::Progressed, calibration, report);
}

}  // namespace

class GrowthChartAndCalibrationTest : public QObject {
  Q_OBJECT

 private slots:
  void chartCopiesAndSaves();
  void inputsScreenAndTestWindow();
  void continueRunsTheFitWithProgress();
  void aFitStopsWhenTheUserAsks();
};

// Copied at twice the size shown; saved as SVG by its extension, else PNG;
// a cancelled save writes nothing, a missing folder gives the error.
void GrowthChartAndCalibrationTest::chartCopiesAndSaves() {
  Session s;
  s.Growth();
  s.Find<QTabWidget>("TabSet")->setCurrentIndex(kTabDailyGrowth);
  QCoreApplication::processEvents();
  GrowthChart* chart = s.Chart();
  s.Click("CopyChart", chart);
  const QImage copied = QGuiApplication::clipboard()->image();
  QCOMPARE(copied.size(), chart->Area()->size() * 2);

  QTemporaryDir folder;
  for (const char* name : {"growth.svg", "growth"}) {
    s.dialogs.File(folder.filePath(QString::fromLatin1(name)).toStdString());
    s.Click("SaveChart", chart);
  }
  QFile svg(folder.filePath(QStringLiteral("growth.svg")));
  QVERIFY(svg.open(QIODevice::ReadOnly) && svg.readAll().startsWith("<?xml"));
  QCOMPARE(QImage(folder.filePath(QStringLiteral("growth.png"))).size(), copied.size());
  s.dialogs.CancelFile();
  s.Click("SaveChart", chart);
  s.dialogs.File(folder.filePath(QStringLiteral("missing/growth.png")).toStdString());
  s.Click("SaveChart", chart);
  QVERIFY(s.dialogs.Done());
  QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 2);
  QCOMPARE(s.dialogs.Messages(),
           std::vector<std::string>{"Error 75 (Path/File access error) in procedure SaveChart"});
}

// Demo.cal's weighings, up to 65 days, typed by the user (no heading
// column); closed by the user the form lets the window go. The calibration
// test's trials start from the current coefficients and each get a score.
void GrowthChartAndCalibrationTest::inputsScreenAndTestWindow() {
  Session s;
  s.OpenCalibration();
  SecondaryWindow* calibration = s.Calibration();
  QCOMPARE(s.Cell(calibration, "weighingsTable", 4, 0), QStringLiteral("65"));
  QAbstractItemModel* table = s.Find<GridView>("weighingsTable", calibration)->model();
  QVERIFY(table->flags(table->index(2, 0)) & Qt::ItemIsEditable);
  calibration->close();
  QVERIFY(!s.app->calibrationInputsForm.visible);

  QTest::mouseClick(s.Find<QRadioButton>("showInput"), Qt::LeftButton);
  s.Click("calibrationTest");
  SecondaryWindow* test = s.window->WindowOf(Window::CalibrationTest);
  QCOMPARE(s.Cell(test, "trialsTable", 1, 1), s.Coefficients()[0]);
  s.Click("scoreTrials", test);
  QVERIFY(s.dialogs.Messages().empty());
  bool number = false;
  s.Cell(test, "trialsTable", CalibrationTestForm::kTrials, CalibrationTestForm::kScoreCol)
      .toDouble(&number);
  QVERIFY(number);
}

void GrowthChartAndCalibrationTest::continueRunsTheFitWithProgress() {
  Session s;
  s.OpenCalibration();
  const QStringList before = s.Coefficients();
  Seen seen;
  Watch(s, seen);
  s.dialogs.Forget();
  s.dialogs.Answer(Answer::Yes);  // save the fitted curve to the location
  s.Click("ContinueCalibration", s.Calibration());

  QCOMPARE(s.dialogs.Messages().size(), std::size_t{1});  // the save question only
  // The window stays with the result: the weighings against the fitted
  // curve, and the classic and thorough searches side by side.
  QCOMPARE(s.Cell(s.Calibration(), "weighingFitTable", 1, 0), QStringLiteral("30.00"));
  QVERIFY(s.Coefficients() != before);
  // Shown to the digits the fit resolves; the table keeps them all.
  QCOMPARE(s.Coefficients()[0].toStdString(),
           WithDigits(s.app->mainForm.coefficientTable.Text(kCoefRow, 1), kCoefficientDigits));

  // The label came first, then a report every 200 growth runs and at the end.
  QVERIFY2(seen.reports >= 3, qPrintable(QString::number(seen.reports)));
  QVERIFY(seen.progress.contains(QStringLiteral("Best score ")));
  QVERIFY(seen.progressShown && seen.held);
  // After the fit the main window is the user's again.
  QVERIFY(s.Find<QPushButton>("growth")->isEnabled() && s.window->menuBar()->isEnabled());
  QVERIFY(s.window->WindowOf(Window::Restrictions)->isEnabled());

  // The saved curve's growth run: the chart shows Demo.cal's weighings.
  const QList<QPointF> weighed = {{21, 6}, {30, 7.8}, {42, 11.8}, {65, 25}};
  QCOMPARE(s.OneSeries("ObservedWeights")->points(), weighed);
}

// "Cancel" and closing the screen both stop the fit at its next trial point;
// the window stays until the fit has stopped.
void GrowthChartAndCalibrationTest::aFitStopsWhenTheUserAsks() {
  for (bool byClosing : {false, true}) {
    const char* how = byClosing ? "closing" : "Cancel";
    Session s;
    s.OpenCalibration();
    SecondaryWindow* calibration = s.Calibration();
    Seen seen;
    long stoppedAt = -1;
    bool stayedOpen = false;
    Watch(s, seen, [&](long runs) {
      if (runs == 0 || stoppedAt >= 0) return;
      stoppedAt = runs;
      if (byClosing) {
        stayedOpen = !calibration->close() && calibration->isVisible();
      } else {
        QTest::mouseClick(s.Find<QPushButton>("Cancel", calibration), Qt::LeftButton);
        stayedOpen = calibration->isVisible();
      }
    });
    s.dialogs.Forget();
    s.dialogs.Answer(Answer::No);
    s.Click("ContinueCalibration", calibration);

    QVERIFY2(s.dialogs.Done(), how);
    QVERIFY2(stoppedAt > 0 && stayedOpen, how);
    // One more trial point at most, then the report of the end.
    QVERIFY2(
        seen.lastRuns <= stoppedAt + 1,
        qPrintable(QStringLiteral("%1: %2 after %3").arg(how).arg(seen.lastRuns).arg(stoppedAt)));
    // Closed, it closes once the fit has stopped; cancelled, it shows the
    // result of the fit so far.
    QVERIFY2(calibration->isVisible() != byClosing, how);
    QVERIFY2(!s.app->growth.cancelRun, how);  // the next "Growth" runs
    QVERIFY2(s.Find<QPushButton>("calibration")->isEnabled(), how);
  }
}

QTEST_MAIN(GrowthChartAndCalibrationTest)
#include "GrowthChartAndCalibrationTest.moc"
