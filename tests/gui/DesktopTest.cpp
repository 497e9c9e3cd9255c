// The desktop program as a new user meets it, on a copy of the demo location
// and a 1280 by 800 screen: no heading or cell of any window's tables cut
// short, every input control with a tooltip, the File menu first with its
// shortcuts, Open Recent after two locations, Export Table writing the
// table's cells, the status bar after Growth and Save, F1 opening a window's
// help.
#include <QAction>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStyle>
#include <QTabWidget>
#include <QTest>
#include <filesystem>
#include <string>

#include "GuiSession.h"
#include "platform/NumberFormat.h"
#include "ui/HelpWindow.h"
#include "ui/OptimizationReportWindow.h"
#include "ui/OptimizationWindow.h"
#include "ui/SecondaryWindow.h"
#include "ui/ToolTips.h"

namespace {

using Window = MainForm::Window;

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

// The demo grown on least-cost diets, every window opened as a user opens
// it, the optimization run and its report shown.
struct Desktop : GuiSession {
  Desktop() {
    Click("growth");
    Click("runLp");
    dialogs.Input(app->mainForm.locationName.text);  // the calibration keeps the location's name
    Click("calibration");
    for (const char* button : {"openDiets", "editRestrictions", "editMatrix", "keepTrack"})
      Click(button);
    for (const char* entry :
         {"setUnits", "setTemperature", "about", "finishingReport", "gettingStarted"})
      Find<QAction>(entry)->trigger();
    // "Show Input" shows the DataButton, which opens the calibration test.
    QTest::mouseClick(Find<QRadioButton>("showInput"), Qt::LeftButton);
    Click("calibrationTest");
    Click("runOptimization");
    auto* opt = static_cast<OptimizationWindow*>(window->WindowOf(Window::Optimization));
    Click("addMinMax", opt);
    Click("runOptimization", opt);
    Click("viewOptimization", opt);
    // A diet's cost asks the sources window about it.
    GridView* diets = Find<GridView>("dietsTable");
    Find<QTabWidget>("TabSet")->setCurrentIndex(kTabDiets);
    QTest::mouseClick(diets->viewport(),
                      Qt::LeftButton,
                      {},
                      diets->visualRect(diets->model()->index(kDietCostRow, 1)).center());
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
  QStringList fields{QString()};
  bool quoted = false;
  for (int i = 0; i < line.size(); ++i) {
    const QChar c = line[i];
    if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"') {
      fields.back() += c;
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields << QString();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

}  // namespace

class DesktopTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QSettings().clear(); }
  void noTextIsCutAt1280By800();
  void everyInputControlHasATooltip();
  void fileMenuFirstWithItsShortcuts();
  void openRecentAfterTwoLocations();
  void exportTableWritesTheCellsShown();
  void statusBarAfterGrowthAndSave();
  void f1OpensTheWindowsHelp();
};

void DesktopTest::noTextIsCutAt1280By800() {
  Desktop s;
  QStringList cut;
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
  }
  cut.removeDuplicates();
  QVERIFY2(cut.isEmpty(), qPrintable(cut.join('\n')));
}

void DesktopTest::everyInputControlHasATooltip() {
  Desktop s;
  QStringList without;
  for (QWidget* window : s.Windows())
    for (QWidget* control : window->findChildren<QWidget*>())
      if (IsInputControl(*control) && control->toolTip().isEmpty())
        without << control->window()->objectName() + "/" + control->objectName();
  QVERIFY2(without.isEmpty(), qPrintable(without.join(' ')));
}

// File first, its entries in order with their keys; the classic menus keep
// theirs; Help last, with the fit's correlations on Ctrl+R.
void DesktopTest::fileMenuFirstWithItsShortcuts() {
  GuiSession s;
  const QList<QAction*> bar = s.window->menuBar()->actions();
  QCOMPARE(bar.front()->menu()->objectName(), QStringLiteral("fileMenu"));
  QCOMPARE(bar.back()->menu()->objectName(), QStringLiteral("helpMenu"));
  QStringList entries;
  for (QAction* entry : bar.front()->menu()->actions())
    entries << (entry->menu() ? entry->menu()->objectName() : entry->objectName()) + " " +
                   entry->shortcut().toString();
  QCOMPARE(entries,
           QStringList({"openLocation Ctrl+O",
                        "openRecent ",
                        "saveChanges Ctrl+S",
                        "saveAsNewLocation ",
                        "exportTable ",
                        "printReport Ctrl+P",
                        "quit Ctrl+Q"}));
  for (const char* kept : {"openMatrix",
                           "openIngredientRestrictions",
                           "openNutrientRestrictions",
                           "openTemperatures",
                           "saveDietsMatrixRestrictions",
                           "saveAllToCurrentLocation",
                           "saveAllToNewLocation",
                           "saveDietsToNewLocation",
                           "setUnits",
                           "setTemperature",
                           "finishingReport",
                           "about"})
    QVERIFY2(s.Find<QAction>(kept), kept);
  QCOMPARE(s.Find<QAction>("fitCorrelations")->shortcut(), QKeySequence(QStringLiteral("Ctrl+R")));

  // The keys do what the entries do: Ctrl+O asks for a location's file,
  // Ctrl+Q closes the window.
  s.dialogs.Forget();
  s.dialogs.File(s.demo.Plt());
  QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
  QTest::keyClick(s.window.get(), Qt::Key_O, Qt::ControlModifier);
  QVERIFY(s.dialogs.Done());
  QCOMPARE(s.dialogs.shown().front().request.filter, std::string("*.plt"));
  QTest::keyClick(s.window.get(), Qt::Key_Q, Qt::ControlModifier);
  QVERIFY(!s.window->isVisible());
}

// The newest first; chosen again, the older location opens; a new session
// starts with both.
void DesktopTest::openRecentAfterTwoLocations() {
  QSettings().clear();
  GuiSession s;
  const std::string first = s.demo.Plt();
  const std::filesystem::path other = s.demo.path() / "other";
  std::filesystem::copy(s.demo.path() / "demo", other);
  const std::string second = (other / "Demo.plt").string();
  s.dialogs.File(second);
  s.Find<QAction>("openLocation")->trigger();
  QCOMPARE(s.app->location.calibrationFile, second);

  auto* recent = s.Find<QMenu>("openRecent");
  emit recent->aboutToShow();
  QCOMPARE(recent->actions().size(), 2);
  QCOMPARE(recent->actions()[0]->toolTip().toStdString(), second);
  QCOMPARE(recent->actions()[1]->toolTip().toStdString(), first);
  recent->actions()[1]->trigger();
  QCOMPARE(s.app->location.calibrationFile, first);

  GuiSession next;  // which opens its own copy of the demo, the newest now
  const std::vector<std::string>& kept = next.app->mainForm.Recent.Paths();
  QCOMPARE(std::vector<std::string>(kept.begin() + 1, kept.end()),
           (std::vector<std::string>{first, second}));
}

// The diets table clicked, then exported: the CSV holds its headings and
// cells as the table shows them, units and all.
void DesktopTest::exportTableWritesTheCellsShown() {
  GuiSession s;
  GridView* diets = s.Find<GridView>("dietsTable");
  QTest::mouseClick(diets->viewport(),
                    Qt::LeftButton,
                    {},
                    diets->visualRect(diets->model()->index(kDietProteinRow, 2)).center());
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
    QCOMPARE(cells.size(), 4);
    QCOMPARE(cells[0], model->headerData(row, Qt::Vertical).toString());
    for (int col = 1; col <= 3; ++col)
      QCOMPARE(cells[col], model->index(row, col).data().toString());
  }
  QVERIFY(Status(s).endsWith(QString::fromStdString(path)));
}

void DesktopTest::statusBarAfterGrowthAndSave() {
  GuiSession s;
  s.Click("growth");
  const MainForm& form = s.app->mainForm;
  QCOMPARE(Status(s),
           QStringLiteral("Growth: 25 kg at %1 days, cost per pig %2")
               .arg(ReadNumber(form.finalAge.text), 0, 'f', 1)
               .arg(ReadNumber(form.costPerPig.text), 0, 'f', 2));

  // Nothing changed: nothing written. A typed diet: its file, without asking.
  QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
  QTest::keyClick(s.window.get(), Qt::Key_S, Qt::ControlModifier);
  QVERIFY(Status(s).startsWith(QStringLiteral("Nothing to save")));
  GridView* diets = s.Find<GridView>("dietsTable");
  diets->model()->setData(diets->model()->index(kDietAmountRow, 1), QStringLiteral("2.5"));
  QTest::keyClick(s.window.get(), Qt::Key_S, Qt::ControlModifier);
  QCOMPARE(Status(s).toStdString(), "Saved 1 file to " + s.demo.Demo(""));
  QVERIFY(ReadWhole(s.app->location.dietsFile).find("2.5") != std::string::npos);
  QVERIFY(s.dialogs.Done());
}

// F1 in a window opens its section of the help; Help > Getting started the
// first.
void DesktopTest::f1OpensTheWindowsHelp() {
  GuiSession s;
  s.Click("editMatrix");
  SecondaryWindow* editor = s.window->WindowOf(Window::MatrixEditor);
  QVERIFY(QTest::qWaitForWindowActive(editor));
  QTest::keyClick(editor, Qt::Key_F1);
  auto* help = static_cast<HelpWindow*>(s.window->WindowOf(Window::Help));
  QVERIFY(help->isVisible());
  QCOMPARE(help->Shown(), HelpSection::MatrixEditor);
  s.Find<QAction>("gettingStarted")->trigger();
  QCOMPARE(help->Shown(), HelpSection::GettingStarted);
}

QTEST_MAIN(DesktopTest)
#include "DesktopTest.moc"
