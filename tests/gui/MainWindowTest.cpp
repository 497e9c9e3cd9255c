// The main window clicked by object name: start-up, the demo location chosen
// through the "Calibration Name" field, a growth run.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>

#include "app/App.h"
#include "platform/GridClipboard.h"
#include "support/ScriptedDialogs.h"
#include "ui/GridView.h"
#include "ui/MainWindow.h"
#include "ui/SecondaryWindow.h"

namespace {

const std::string kDemoPlt = std::string(TAMSEL_SOURCE_DIR) + "/data/demo/Demo.plt";

// One program: its App over scripted dialogs, started in a folder of its own
// so no window-size file is read or left behind, and its main window shown.
struct Session {
  QTemporaryDir programFolder;
  ScriptedDialogs dialogs;
  std::unique_ptr<App> app;
  std::unique_ptr<MainWindow> window;

  explicit Session(const QString& folder = {}) {
    const QString start = folder.isEmpty() ? programFolder.path() : folder;
    MainForm::StartupEnvironment machine{start.toStdString() + "/", false};
    app = std::make_unique<App>(dialogs, machine);
    window = std::make_unique<MainWindow>(*app);
    window->show();
  }

  template <typename T>
  T* Find(const char* name) const {
    return window->findChild<T*>(QString::fromLatin1(name));
  }
  QString Cell(const char* table, int row, int col) const {
    QAbstractItemModel* model = Find<GridView>(table)->model();
    return model->data(model->index(row, col)).toString();
  }
  // The demo location chosen as the user does: a click on the field, the
  // calibration file picked in the dialog.
  void OpenDemo() {
    dialogs.File(kDemoPlt);
    QTest::mouseClick(Find<QLineEdit>("locationName"), Qt::LeftButton);
  }
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startsOnTheDietsTab();
  void demoLocationFillsTheDietsTable();
  void growthFillsTheDailyTable();
  void everySecondaryWindowOpens();
  void windowSizeIsKeptAndTheTabSetFollows();
  void fieldKeys();
  void clearedDietsComeBackAndClosingAsks();
};

void MainWindowTest::startsOnTheDietsTab() {
  Session s;
  QCOMPARE(s.window->windowTitle(),
           QStringLiteral("Tamsel Feed Optimizer - For Weanlings 4 kg to 25 kg"));
  QCOMPARE(s.Find<QTabWidget>("TabSet")->currentIndex(), kTabDiets);
  QCOMPARE(s.Find<QTabWidget>("TabSet")->tabText(kTabDailyGrowth), QStringLiteral("Daily Growth"));
  auto* diets = s.Find<QComboBox>("dietCount");
  QCOMPARE(diets->count(), 7);
  QCOMPARE(diets->currentText(), QStringLiteral("No. of Diets"));
  // The row's label with its unit.
  QCOMPARE(s.Cell("dietsTable", kDietEnergyRow, 0), QStringLiteral("Energy NE, kcal/kg"));
  // Tips over the cells: the diets' nutrient rows and the files in use.
  auto tip = [&](const char* table, int row) {
    QAbstractItemModel* model = s.Find<GridView>(table)->model();
    return model->data(model->index(row, 1 % model->columnCount()), Qt::ToolTipRole).toString();
  };
  QCOMPARE(tip("dietsTable", kDietProteinRow),
           QStringLiteral("Changes here become min. restrictions for Least Cost"));
  QVERIFY(tip("filesTable", 2).startsWith(QStringLiteral("Double Clicking on the File Name")));
  // Green: the next step is to choose a location.
  QCOMPARE(s.Find<QLineEdit>("locationName")->palette().color(QPalette::Base),
           QColor(128, 255, 128));
  // A command the form has not enabled shows disabled.
  for (int number = 1; number <= 10; ++number) {
    const QString name = MainWindow::ButtonName(number);
    auto* button = s.window->findChild<QPushButton*>(name);
    QVERIFY2(button, qPrintable(name));
    if (!s.app->mainForm.Enabled(MainForm::ButtonControl(number)))
      QVERIFY2(!button->isEnabled(), qPrintable(name));
  }
  QVERIFY(s.dialogs.shown().empty());
}

void MainWindowTest::demoLocationFillsTheDietsTable() {
  Session s;
  s.OpenDemo();
  QVERIFY(s.dialogs.Done());
  QVERIFY(s.dialogs.Messages().empty());
  // The location's name, its whole path in the tip.
  QCOMPARE(s.Find<QLineEdit>("locationName")->text(), QStringLiteral("Demo"));
  QVERIFY(s.Find<QLineEdit>("locationName")
              ->toolTip()
              .startsWith(QString::fromStdString(s.app->location.locationBase)));
  QCOMPARE(s.Find<QLineEdit>("locationName")->palette().color(QPalette::Base), QColor(Qt::white));
  QCOMPARE(s.Find<QPushButton>("growth")->palette().color(QPalette::Button), QColor(128, 255, 128));
  QCOMPARE(s.Find<QLineEdit>("startWeight")->text(), QStringLiteral("6.000"));
  for (int diet = 1; diet <= 3; ++diet) {
    const QString energy = s.Cell("dietsTable", kDietEnergyRow, diet);
    QVERIFY(!energy.isEmpty());
    QCOMPARE(energy, QString::fromStdString(s.app->mainForm.dietsTable.Text(kDietEnergyRow, diet)));
  }
}

void MainWindowTest::growthFillsTheDailyTable() {
  Session s;
  s.OpenDemo();
  s.Find<QComboBox>("herdSex")->setCurrentIndex(0);
  emit s.Find<QComboBox>("herdSex")->activated(0);
  QTest::mouseClick(s.Find<QPushButton>("growth"), Qt::LeftButton);
  QVERIFY(s.dialogs.Messages().empty());

  s.Find<QTabWidget>("TabSet")->setCurrentIndex(kTabDailyGrowth);
  QCOMPARE(s.app->mainForm.currentTab, kTabDailyGrowth);
  QVERIFY(!s.Cell("resultsTable", 1, 1).isEmpty());
  QCOMPARE(s.Cell("resultsTable", 1, 1), QString::fromStdString(s.app->resultsTable.Text(1, 1)));
  QVERIFY(!s.Find<QLineEdit>("costPerPig")->text().isEmpty());
  QVERIFY(!s.Find<QLineEdit>("feedGain")->text().isEmpty());
}

void MainWindowTest::everySecondaryWindowOpens() {
  using Window = MainForm::Window;
  Session s;
  s.OpenDemo();
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
    if (auto* button = s.Find<QPushButton>(c.control)) {
      QTest::mouseClick(button, Qt::LeftButton);
    } else {
      s.Find<QAction>(c.control)->trigger();
    }
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
  QTemporaryDir other;
  const QString demo = QString::fromStdString(kDemoPlt).chopped(4);
  for (const char* suffix : {".plt", ".dts", "Matrix.txt", "Req.ing", "Req.nut"})
    QVERIFY(QFile::copy(demo + suffix, other.path() + "/Farm" + suffix));
  s.dialogs.File((other.path() + "/Farm.plt").toStdString());
  QTest::mouseClick(s.Find<QLineEdit>("locationName"), Qt::LeftButton);
  QVERIFY(s.window->WindowOf(Window::DietDisplay)->windowTitle().endsWith(QStringLiteral("/Farm")));
}

void MainWindowTest::windowSizeIsKeptAndTheTabSetFollows() {
  QTemporaryDir folder;
  {
    Session s(folder.path());
    auto* tabs = s.Find<QTabWidget>("TabSet");
    s.window->resize(900, 600);
    const QSize followed = tabs->size();
    // Below 510 by 334 pixels the tab set keeps its size.
    s.window->resize(500, 320);
    QCOMPARE(tabs->size(), followed);
    s.window->resize(900, 600);
    s.window->close();
  }
  QFile size(folder.filePath(QStringLiteral("ROrivoForm.txt")));
  QVERIFY(size.open(QIODevice::ReadOnly));
  QCOMPARE(size.readAll(), QByteArray(" 9000\r\n 13500\r\n"));
  // The height comes back; the width is the designed one whatever was kept.
  Session again(folder.path());
  QCOMPARE(again.window->height(), 600);
  QCOMPARE(again.window->width(), 1038);
}

// The fields' own keys: five clipboard lines pasted into the herd inputs,
// the pig number's caption giving way to the first key, the focus passing
// the location field without choosing one.
void MainWindowTest::fieldKeys() {
  Session s;
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
  Session s;
  s.OpenDemo();
  s.dialogs.Forget();
  GridView* diets = s.Find<GridView>("dietsTable");
  const QString energy = s.Cell("dietsTable", kDietEnergyRow, 1);
  const QString name = s.Cell("dietsTable", kDietNameRow, 0);
  QVERIFY(!energy.isEmpty() && !name.isEmpty());
  const QRect cell = diets->visualRect(diets->model()->index(kDietEnergyRow, 1));
  QTest::mousePress(diets->viewport(), Qt::RightButton, {}, cell.center());
  s.dialogs.Answer(Answer::Yes);
  diets->PopupMenu()->findChild<QAction*>(QStringLiteral("clear"))->trigger();
  QCOMPARE(s.dialogs.Messages().back(), std::string(kClearQuestion));
  QCOMPARE(s.Cell("dietsTable", kDietEnergyRow, 1), QString());
  QCOMPARE(s.app->mainForm.dietsTable.Text(kDietEnergyRow, 0), "Energy NE");
  QCOMPARE(s.Cell("dietsTable", kDietNameRow, 0), name);
  QTest::keyClick(diets, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(s.Cell("dietsTable", kDietEnergyRow, 1), energy);

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
