// The main window clicked by object name on a copy of the demo location and
// a 1280 by 800 screen, and every other window as a new user meets it.
#include <QAction>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStyle>
#include <QTabWidget>
#include <filesystem>
#include <string>

#include "GuiSession.h"
#include "platform/GridClipboard.h"
#include "platform/NumberFormat.h"
#include "ui/OptimizationReportWindow.h"
#include "ui/OptimizationWindow.h"
#include "ui/ToolTips.h"

namespace {

using Window = MainForm::Window;

const QColor kNextStep(128, 255, 128);

QString Tip(const GuiSession& s, const char* table, int row) {
  QAbstractItemModel* model = s.Find<GridView>(table)->model();
  return model->data(model->index(row, 1 % model->columnCount()), Qt::ToolTipRole).toString();
}

// Every heading and cell a view shows whose text is wider than the room its
// column (or heading) gives it, as "window/table: text".
QStringList CutTexts(const GridView& view) {
  QStringList cut;
  const QAbstractItemModel& model = *view.model();
  const QHeaderView& top = *view.horizontalHeader();
  const QHeaderView& side = *view.verticalHeader();
  QStyle& style = *view.style();
  const int headMargin = 2 * style.pixelMetric(QStyle::PM_HeaderMargin, nullptr, &top);
  const int cellMargin = 2 * (style.pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1);
  const int indicator = style.pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &view) + cellMargin;
  const QString where = view.window()->objectName() + "/" + view.objectName() + ": ";
  auto check = [&](const QString& text, QFont font, int margin, int room) {
    // A heading turns bold while its column or row holds the current cell.
    font.setBold(font.bold() || margin == headMargin);
    if (!text.isEmpty() && QFontMetrics(font).horizontalAdvance(text) + margin > room)
      cut << where + text;
  };
  for (int col = 0; col < model.columnCount(); ++col) {
    if (view.isColumnHidden(col)) continue;
    if (top.isVisible())
      check(model.headerData(col, Qt::Horizontal).toString(),
            top.font(),
            headMargin,
            top.sectionSize(col));
    for (int row = 0; row < model.rowCount(); ++row) {
      if (view.isRowHidden(row)) continue;
      const QModelIndex index = model.index(row, col);
      const int box = index.data(Qt::CheckStateRole).isValid() ? indicator : 0;
      check(index.data().toString(), view.font(), cellMargin + box, view.columnWidth(col));
    }
  }
  if (side.isVisible()) {
    // The cells start right of the row headings, none hidden under them.
    if (view.viewport()->geometry().left() < side.geometry().right())
      cut << where + "cells under the row headings";
    for (int row = 0; row < model.rowCount(); ++row)
      if (!view.isRowHidden(row))
        check(
            model.headerData(row, Qt::Vertical).toString(), side.font(), headMargin, side.width());
  }
  return cut;
}

// A click on a diet's cost asks the sources window about it.
void ClickDietCost(GuiSession& s) {
  GridView* diets = s.Find<GridView>("dietsTable");
  s.Find<QTabWidget>("TabSet")->setCurrentIndex(kTabDiets);
  const QPoint at = diets->visualRect(diets->model()->index(kDietCostRow, 1)).center();
  QTest::mouseClick(diets->viewport(), Qt::LeftButton, {}, at);
  QCOMPARE(s.app->nutrientSourcesForm.shownRequest.diet, 1);
  QVERIFY(s.Find<QWidget>("NutrientSourcesWindow")->isVisible());
}

// The demo grown on least-cost diets, every window opened as a user opens
// it, the optimization run and its report shown.
struct Desktop : GuiSession {
  Desktop() {
    Click("growth");
    Click("runLp");
    dialogs.Input(app->mainForm.locationName.text);  // the calibration keeps the location's name
    Click("calibration");
    // Each window from its button or menu entry.
    const std::pair<const char*, Window> opens[] = {
        {"openDiets", Window::DietDisplay},
        {"editRestrictions", Window::Restrictions},
        {"editMatrix", Window::MatrixEditor},
        {"keepTrack", Window::ChangeTracking},
        {"setUnits", Window::Units},
        {"setTemperature", Window::Temperature},
        {"about", Window::About},
        {"finishingReport", Window::FinishingReport},
        {"gettingStarted", Window::Help},
    };
    for (const auto& [control, shown] : opens) {
      if (auto* button = Find<QPushButton>(control))
        QTest::mouseClick(button, Qt::LeftButton);
      else
        Find<QAction>(control)->trigger();
      QVERIFY2(window->WindowOf(shown)->isVisible(), control);
    }
    // "Show Input" shows the DataButton, which opens the calibration test.
    QTest::mouseClick(Find<QRadioButton>("showInput"), Qt::LeftButton);
    Click("calibrationTest");
    Click("runOptimization");
    auto* opt = static_cast<OptimizationWindow*>(window->WindowOf(Window::Optimization));
    Click("addMinMax", opt);
    Click("runOptimization", opt);
    Click("viewOptimization", opt);
    ClickDietCost(*this);
    dialogs.Forget();
  }

  QList<QWidget*> Windows() const {
    QList<QWidget*> shown{window.get()};
    for (auto* each : window->findChildren<QWidget*>())
      if (each->isWindow() && each->isVisible()) shown << each;
    return shown;
  }
};

QString Status(const GuiSession& s) { return s.Find<QLabel>("StatusText")->text(); }

// The fields of a CSV line: quoted fields may hold commas, "" is a quote.
QStringList CsvFields(const QString& line) {
  static const QRegularExpression field(R"re((?:^|,)(?:"((?:[^"]|"")*)"|([^,]*)))re");
  QStringList fields;
  for (const QRegularExpressionMatch& m : field.globalMatch(line))
    fields << (m.hasCaptured(1) ? m.captured(1).replace("\"\"", "\"") : m.captured(2));
  return fields;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QSettings().clear(); }
  void beforeALocationTheFieldsTakeTheirKeys();
  void demoLocationGrowsAndSaves();
  void everyWindowShowsItsTextsWholeAndTips();
  void exportTableThenOpenRecent();
};

// The location field green as the next step, tips over the cells; five
// clipboard lines pasted into the herd inputs, the pig number's caption
// giving way to the first key, the focus passing the location field
// without choosing one.
void MainWindowTest::beforeALocationTheFieldsTakeTheirKeys() {
  GuiSession s(false);
  QVERIFY(!Tip(s, "dietsTable", kDietProteinRow).isEmpty());
  QVERIFY(!Tip(s, "filesTable", 2).isEmpty());
  QCOMPARE(s.Find<QLineEdit>("locationName")->palette().color(QPalette::Base), kNextStep);

  s.dialogs.SetClipboard("5.5\n21\n25\n30\n62");
  QTest::keyClick(s.Find<QLineEdit>("startWeight"), Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(s.Find<QLineEdit>("finalAge")->text(), QStringLiteral("62"));
  auto* pigs = s.Find<QLineEdit>("pigCount");
  pigs->setFocus();
  pigs->end(false);
  QTest::keyClicks(pigs, QStringLiteral("40"));
  QCOMPARE(s.app->mainForm.pigCount.text, "40");
  QTest::keyClick(s.Find<QLineEdit>("locationName"), Qt::Key_Tab);
  QVERIFY(s.dialogs.shown().empty());
  s.window->resize(500, 320);  // too small for the tab set to follow
}

// The location's name with its whole path in the tip and Growth the next
// step; Growth fills the status bar; Ctrl+S writes only a changed table,
// Ctrl+O asks for a location's file.
void MainWindowTest::demoLocationGrowsAndSaves() {
  GuiSession s;
  QVERIFY(s.dialogs.Done() && s.dialogs.Messages().empty());
  auto* location = s.Find<QLineEdit>("locationName");
  QVERIFY(location->toolTip().startsWith(QString::fromStdString(s.app->location.locationBase)));
  QCOMPARE(s.Find<QPushButton>("growth")->palette().color(QPalette::Button), kNextStep);

  s.Click("growth");
  s.Find<QTabWidget>("TabSet")->setCurrentIndex(kTabDailyGrowth);
  QCOMPARE(s.app->mainForm.currentTab, kTabDailyGrowth);
  const MainForm& form = s.app->mainForm;
  QCOMPARE(Status(s),
           QStringLiteral("Growth: 25 kg at %1 days, cost per pig %2")
               .arg(ReadNumber(form.finalAge.text), 0, 'f', 1)
               .arg(ReadNumber(form.costPerPig.text), 0, 'f', 2));

  QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
  QTest::keyClick(s.window.get(), Qt::Key_S, Qt::ControlModifier);
  QVERIFY(Status(s).startsWith(QStringLiteral("Nothing to save")));
  GridView* diets = s.Find<GridView>("dietsTable");
  diets->model()->setData(diets->model()->index(kDietAmountRow, 1), QStringLiteral("2.5"));
  QTest::keyClick(s.window.get(), Qt::Key_S, Qt::ControlModifier);
  QCOMPARE(Status(s).toStdString(), "Saved 1 file to " + s.demo.Demo(""));
  QVERIFY(ReadWhole(s.app->location.dietsFile).find("2.5") != std::string::npos);

  s.dialogs.File(s.demo.Plt());
  QTest::keyClick(s.window.get(), Qt::Key_O, Qt::ControlModifier);
  QVERIFY(s.dialogs.Done());
  QCOMPARE(s.dialogs.shown().back().request.filter, std::string("*.plt"));

  // "Clear" on the diets table asks and keeps the row labels; Ctrl+Z brings
  // the diets back. Closing with the table changed asks whether to save it:
  // Cancel keeps the window, Discard lets Ctrl+Q close it.
  auto energy = [&] { return s.Cell(s.window.get(), "dietsTable", kDietEnergyRow, 1); };
  const QString before = energy();
  const QRect cell = diets->visualRect(diets->model()->index(kDietEnergyRow, 1));
  QTest::mousePress(diets->viewport(), Qt::RightButton, {}, cell.center());
  s.dialogs.Answer(Answer::Yes);
  diets->PopupMenu()->findChild<QAction*>(QStringLiteral("clear"))->trigger();
  QCOMPARE(s.dialogs.Messages().back(), std::string(kClearQuestion));
  QVERIFY(energy().isEmpty() && !before.isEmpty());
  QCOMPARE(s.app->mainForm.dietsTable.Text(kDietEnergyRow, 0), "Energy NE");
  QTest::keyClick(diets, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(energy(), before);
  s.dialogs.Answer(Answer::Cancel);
  QTest::keyClick(s.window.get(), Qt::Key_Q, Qt::ControlModifier);
  QVERIFY(s.window->isVisible());
  QCOMPARE(s.dialogs.Messages().back(), "Save changes to " + s.app->location.dietsFile + "?");
  s.dialogs.Answer(Answer::Discard);
  QTest::keyClick(s.window.get(), Qt::Key_Q, Qt::ControlModifier);
  QVERIFY(!s.window->isVisible() && s.dialogs.Done());
}

// No heading or cell of any window's tables cut short, on any tab, and no
// window past the screen; every input control with a tooltip.
void MainWindowTest::everyWindowShowsItsTextsWholeAndTips() {
  Desktop s;
  QStringList cut, without;
  for (QWidget* window : s.Windows()) {
    // Every tab of every tab set in turn: a table shows on its own tab.
    QList<QTabWidget*> tabSets = window->findChildren<QTabWidget*>();
    tabSets.prepend(nullptr);
    for (QTabWidget* tabs : tabSets) {
      for (int tab = 0; tab < (tabs ? tabs->count() : 1); ++tab) {
        if (tabs) tabs->setCurrentIndex(tab);
        QCoreApplication::processEvents();
        for (GridView* view : window->findChildren<GridView*>())
          if (view->window() == window && view->isVisible()) cut << CutTexts(*view);
      }
    }
    QVERIFY2(window->frameGeometry().bottom() < 800 && window->frameGeometry().right() < 1280,
             qPrintable(window->objectName()));
    for (QWidget* control : window->findChildren<QWidget*>())
      if (IsInputControl(*control) && control->toolTip().isEmpty())
        without << control->window()->objectName() + "/" + control->objectName();
  }
  cut.removeDuplicates();
  QVERIFY2(cut.isEmpty(), qPrintable(cut.join('\n')));
  QVERIFY2(without.isEmpty(), qPrintable(without.join(' ')));
}

// Export Table; then Open Recent, the newest first: chosen again, the older
// location opens and the open windows show it; a new session starts with
// both.
void MainWindowTest::exportTableThenOpenRecent() {
  QSettings().clear();
  GuiSession s;
  s.Click("openDiets");
  ClickDietCost(s);
  // The diets table, clicked, exported: the CSV holds its headings and
  // cells as the table shows them, units and all.
  GridView* diets = s.Find<GridView>("dietsTable");
  const QPoint at = diets->visualRect(diets->model()->index(kDietProteinRow, 2)).center();
  QTest::mouseClick(diets->viewport(), Qt::LeftButton, {}, at);
  const std::string path = s.demo.Path("diets.csv");
  s.dialogs.File(path);
  s.Find<QAction>("exportTable")->trigger();
  QFile file(QString::fromStdString(path));
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromUtf8(file.readAll()).split("\r\n", Qt::SkipEmptyParts);
  QAbstractItemModel* model = diets->model();
  // Rows 1..18 (the heading row is empty); the label column and diets 1..3.
  QCOMPARE(lines.size(), kDietSpareRow);
  for (int row = 1; row <= kDietSpareRow; ++row) {
    const QStringList cells = CsvFields(lines[row - 1]);
    QCOMPARE(cells[0], model->headerData(row, Qt::Vertical).toString());
    for (int col = 1; col <= 3; ++col)
      QCOMPARE(cells[col], model->index(row, col).data().toString());
  }
  QVERIFY(Status(s).endsWith(QString::fromStdString(path)));

  const std::string first = s.demo.Plt();
  const std::filesystem::path other = s.demo.path() / "other";
  std::filesystem::copy(s.demo.path() / "demo", other);
  const std::string second = (other / "Demo.plt").string();
  s.dialogs.File(second);
  s.Find<QAction>("openLocation")->trigger();
  QCOMPARE(s.app->location.calibrationFile, second);
  QVERIFY(s.window->WindowOf(Window::DietDisplay)->windowTitle().endsWith("other/Demo"));

  auto* recent = s.Find<QMenu>("openRecent");
  emit recent->aboutToShow();
  QCOMPARE(recent->actions()[0]->toolTip().toStdString(), second);
  recent->actions()[1]->trigger();
  QCOMPARE(s.app->location.calibrationFile, first);

  GuiSession next;  // which opens its own copy of the demo, the newest now
  const std::vector<std::string>& kept = next.app->mainForm.Recent.Paths();
  QCOMPARE(std::vector<std::string>(kept.begin() + 1, kept.end()),
           (std::vector<std::string>{first, second}));
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
