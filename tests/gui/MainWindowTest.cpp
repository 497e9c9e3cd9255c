// The main window clicked by object name: start-up, the demo location chosen
// through the "Calibration Name" field, a growth run, the other windows.
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>
#include <filesystem>

#include "GuiSession.h"
#include "platform/GridClipboard.h"
#include "ui/SecondaryWindow.h"

namespace {

const QColor kNextStep(128, 255, 128);

QString Tip(const GuiSession& s, const char* table, int row) {
  QAbstractItemModel* model = s.Find<GridView>(table)->model();
  return model->data(model->index(row, 1 % model->columnCount()), Qt::ToolTipRole).toString();
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startsWithoutALocation();
  void demoLocationFillsTheTables();
  void everySecondaryWindowOpens();
  void windowSizeIsKeptAndTheTabSetFollows();
  void fieldKeys();
  void clearedDietsComeBackAndClosingAsks();
};

// On the Diets tab, the location field green as the next step, tips over
// the cells, and every command the form has not enabled disabled.
void MainWindowTest::startsWithoutALocation() {
  GuiSession s(false);
  QCOMPARE(s.Find<QTabWidget>("TabSet")->currentIndex(), kTabDiets);
  QCOMPARE(s.Cell(s.window.get(), "dietsTable", kDietEnergyRow, 0),
           QStringLiteral("Energy NE, kcal/kg"));
  QVERIFY(!Tip(s, "dietsTable", kDietProteinRow).isEmpty());
  QVERIFY(!Tip(s, "filesTable", 2).isEmpty());
  QCOMPARE(s.Find<QLineEdit>("locationName")->palette().color(QPalette::Base), kNextStep);
  for (int number = 1; number <= 10; ++number) {
    const QString name = MainWindow::ButtonName(number);
    auto* button = s.window->findChild<QPushButton*>(name);
    QVERIFY2(button, qPrintable(name));
    if (!s.app->mainForm.Enabled(MainForm::ButtonControl(number)))
      QVERIFY2(!button->isEnabled(), qPrintable(name));
  }
  QVERIFY(s.dialogs.shown().empty());
}

// The location's name with its whole path in the tip, its diets in the
// table and Growth the next step; Growth fills the daily table.
void MainWindowTest::demoLocationFillsTheTables() {
  GuiSession s;
  QVERIFY(s.dialogs.Done());
  QVERIFY(s.dialogs.Messages().empty());
  auto* location = s.Find<QLineEdit>("locationName");
  QCOMPARE(location->text(), QStringLiteral("Demo"));
  QVERIFY(location->toolTip().startsWith(QString::fromStdString(s.app->location.locationBase)));
  QCOMPARE(location->palette().color(QPalette::Base), QColor(Qt::white));
  QCOMPARE(s.Find<QPushButton>("growth")->palette().color(QPalette::Button), kNextStep);
  QCOMPARE(s.Find<QLineEdit>("startWeight")->text(), QStringLiteral("6.000"));
  for (int diet = 1; diet <= 3; ++diet) {
    const QString energy = s.Cell(s.window.get(), "dietsTable", kDietEnergyRow, diet);
    QVERIFY(!energy.isEmpty());
    QCOMPARE(energy, QString::fromStdString(s.app->mainForm.dietsTable.Text(kDietEnergyRow, diet)));
  }

  s.Click("growth");
  QVERIFY(s.dialogs.Messages().empty());
  s.Find<QTabWidget>("TabSet")->setCurrentIndex(kTabDailyGrowth);
  QCOMPARE(s.app->mainForm.currentTab, kTabDailyGrowth);
  const QString cell = s.Cell(s.window.get(), "resultsTable", 1, 1);
  QVERIFY(!cell.isEmpty());
  QCOMPARE(cell, QString::fromStdString(s.app->resultsTable.Text(1, 1)));
  QVERIFY(!s.Find<QLineEdit>("costPerPig")->text().isEmpty());
  QVERIFY(!s.Find<QLineEdit>("feedGain")->text().isEmpty());
}

void MainWindowTest::everySecondaryWindowOpens() {
  using Window = MainForm::Window;
  GuiSession s;
  const struct {
    const char* control;
    Window window;
  } cases[] = {
      {"openDiets", Window::DietDisplay},
      {"editRestrictions", Window::Restrictions},
      {"editMatrix", Window::MatrixEditor},
      {"keepTrack", Window::ChangeTracking},
      {"setUnits", Window::Units},
      {"setTemperature", Window::Temperature},
      {"about", Window::About},
  };
  for (const auto& c : cases) {
    if (auto* button = s.Find<QPushButton>(c.control))
      QTest::mouseClick(button, Qt::LeftButton);
    else
      s.Find<QAction>(c.control)->trigger();
    QVERIFY2(s.window->WindowOf(c.window)->isVisible(), c.control);
  }
  QVERIFY(s.dialogs.Messages().empty());

  // A click on a diet's price asks the sources window about its cost.
  GridView* diets = s.Find<GridView>("dietsTable");
  s.Find<QTabWidget>("TabSet")->setCurrentIndex(kTabDiets);
  const QRect cell = diets->visualRect(diets->model()->index(kDietCostRow, 1));
  QTest::mouseClick(diets->viewport(), Qt::LeftButton, {}, cell.center());
  auto* sources = s.window->findChild<QWidget*>(QStringLiteral("NutrientSourcesWindow"));
  QVERIFY(sources && sources->isVisible());
  QCOMPARE(s.app->nutrientSourcesForm.shownRequest.diet, 1);
  QCOMPARE(s.app->nutrientSourcesForm.shownRequest.index, -1);

  // Another location chosen: the open windows show it.
  std::filesystem::copy(s.demo.path() / "demo", s.demo.path() / "Farm");
  s.dialogs.File(s.demo.Path("Farm/Demo.plt"));
  QTest::mouseClick(s.Find<QLineEdit>("locationName"), Qt::LeftButton);
  QVERIFY(s.window->WindowOf(Window::DietDisplay)->windowTitle().endsWith("Farm/Demo"));
}

void MainWindowTest::windowSizeIsKeptAndTheTabSetFollows() {
  QTemporaryDir folder;
  ScriptedDialogs dialogs;
  const MainForm::StartupEnvironment machine{folder.path().toStdString() + "/", false};
  {
    App app(dialogs, machine);
    MainWindow window(app);
    window.show();
    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("TabSet"));
    window.resize(900, 600);
    const QSize followed = tabs->size();
    // Below 510 by 334 pixels the tab set keeps its size.
    window.resize(500, 320);
    QCOMPARE(tabs->size(), followed);
    window.resize(900, 600);
    window.close();
  }
  QFile size(folder.filePath(QStringLiteral("ROrivoForm.txt")));
  QVERIFY(size.open(QIODevice::ReadOnly));
  QCOMPARE(size.readAll(), QByteArray(" 9000\r\n 13500\r\n"));
  // The height comes back; the width is the designed one whatever was kept.
  App app(dialogs, machine);
  MainWindow again(app);
  again.show();
  QCOMPARE(again.height(), 600);
  QCOMPARE(again.width(), 1038);
}

// The fields' own keys: five clipboard lines pasted into the herd inputs,
// the pig number's caption giving way to the first key, the focus passing
// the location field without choosing one.
void MainWindowTest::fieldKeys() {
  GuiSession s(false);
  s.dialogs.SetClipboard("5.5\n21\n25\n30\n62");
  QTest::keyClick(s.Find<QLineEdit>("startWeight"), Qt::Key_V, Qt::ControlModifier);
  const char* fields[] = {"startWeight", "startAge", "finalWeight", "totalFeedIntake", "finalAge"};
  const char* pasted[] = {"5.5", "21", "25", "30", "62"};
  for (int k = 0; k < 5; ++k) QCOMPARE(s.Find<QLineEdit>(fields[k])->text(), QString(pasted[k]));
  QCOMPARE(s.app->mainForm.finalWeight.text, "25");
  QVERIFY(s.dialogs.Clipboard().empty());

  auto* pigs = s.Find<QLineEdit>("pigCount");
  QCOMPARE(pigs->text(), QStringLiteral("Number of Pigs"));
  pigs->setFocus();
  pigs->end(false);
  QTest::keyClicks(pigs, QStringLiteral("40"));
  QCOMPARE(s.app->mainForm.pigCount.text, "40");

  QTest::keyClick(s.Find<QLineEdit>("locationName"), Qt::Key_Tab);
  QVERIFY(s.dialogs.shown().empty());
}

// "Clear" on the diets table asks, keeps the row labels and headings, and
// Ctrl+Z brings the diets back; closing the window with the table changed
// asks whether to save it, and Cancel keeps the window open.
void MainWindowTest::clearedDietsComeBackAndClosingAsks() {
  GuiSession s;
  s.dialogs.Forget();
  GridView* diets = s.Find<GridView>("dietsTable");
  auto cell = [&](int row, int col) { return s.Cell(s.window.get(), "dietsTable", row, col); };
  const QString energy = cell(kDietEnergyRow, 1);
  const QString name = cell(kDietNameRow, 0);
  QVERIFY(!energy.isEmpty() && !name.isEmpty());
  const QRect rect = diets->visualRect(diets->model()->index(kDietEnergyRow, 1));
  QTest::mousePress(diets->viewport(), Qt::RightButton, {}, rect.center());
  s.dialogs.Answer(Answer::Yes);
  diets->PopupMenu()->findChild<QAction*>(QStringLiteral("clear"))->trigger();
  QCOMPARE(s.dialogs.Messages().back(), std::string(kClearQuestion));
  QCOMPARE(cell(kDietEnergyRow, 1), QString());
  QCOMPARE(s.app->mainForm.dietsTable.Text(kDietEnergyRow, 0), "Energy NE");
  QCOMPARE(cell(kDietNameRow, 0), name);
  QTest::keyClick(diets, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(cell(kDietEnergyRow, 1), energy);

  const std::string question = "Save changes to " + s.app->location.dietsFile + "?";
  s.dialogs.Answer(Answer::Cancel);
  QVERIFY(!s.window->close());
  QVERIFY(s.window->isVisible());
  QCOMPARE(s.dialogs.Messages().back(), question);
  s.dialogs.Answer(Answer::Discard);
  QVERIFY(s.window->close());
  QVERIFY(s.dialogs.Done());
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
