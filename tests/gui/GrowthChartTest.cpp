// The growth chart beside the daily table, on a copy of the demo location:
// after "Growth" it holds the table's rows and the diet changes, after a
// second run the first as the previous curve; "Copy Chart" and "Save Chart"
// export it.
#include <QChart>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QXYSeries>
#include <cmath>

#include "GuiSession.h"
#include "platform/NumberFormat.h"
#include "ui/GrowthChart.h"

namespace {

// The demo session with the chart's series and the daily table's numbers.
struct Session : GuiSession {
  Session() { dialogs.Forget(); }

  GrowthChart* Chart() const { return Find<GrowthChart>("GrowthChart"); }
  QList<QAbstractSeries*> Series(const char* name) const {
    QList<QAbstractSeries*> found;
    for (QAbstractSeries* series : Chart()->Chart()->series())
      if (series->objectName() == QLatin1String(name)) found << series;
    return found;
  }
  QXYSeries* OneSeries(const char* name) const {
    const auto found = Series(name);
    return found.size() == 1 ? static_cast<QXYSeries*>(found.front()) : nullptr;
  }
  void Growth() {
    QTest::mouseClick(Find<QPushButton>("growth"), Qt::LeftButton);
    QVERIFY(dialogs.Messages().empty());
  }
  double Cell(int row, int col) const { return ReadNumber(app->resultsTable.Text(row, col)); }
};

// Every daily row of the table as a point of `series`, ages and weights
// (or feed) as the table shows them.
void CompareWithTable(const Session& s, const QXYSeries* series) {
  QVERIFY(series);
  int rows = 0;
  while (!s.app->resultsTable.Text(rows + 1, 5).empty()) ++rows;
  QVERIFY(rows > 30);
  QCOMPARE(series->count(), rows);
  for (int row = 1; row <= rows; ++row) {
    QCOMPARE(series->at(row - 1).x(), s.Cell(row, 5));
    QCOMPARE(series->at(row - 1).y(), s.Cell(row, 6));
  }
}

}  // namespace

class GrowthChartTest : public QObject {
  Q_OBJECT

 private slots:
  void followsTheDailyTable();
  void copiesAndSaves();
};

void GrowthChartTest::followsTheDailyTable() {
  Session s;
  QVERIFY(s.Chart()->Chart()->series().isEmpty());
  s.Growth();
  CompareWithTable(s, s.OneSeries("GrowthWeight"));
  QVERIFY(s.Series("PreviousWeight").isEmpty());
  QVERIFY(s.Series("ObservedWeights").isEmpty());  // no calibration yet

  // Three diets: changes at the ends of the first two, named by the diet
  // that ends (where they fall is the chart data's own test).
  const auto changes = s.Series("DietChange");
  QCOMPARE(changes.size(), 2);
  QCOMPARE(changes[0]->name(), QString::fromStdString(s.app->resultsTable.Text(2, 0)));
  QCOMPARE(s.OneSeries("FinalWeight")->at(0).y(), 25.0);
  // Feed at the run's precision: the cell shows it to a tenth.
  const double feed = s.OneSeries("GrowthFeed")->at(0).y();
  QCOMPARE(feed, s.app->growth.dailyFeed[s.app->growth.startAge + 1][kHerdColumn]);
  QVERIFY(std::abs(feed - s.Cell(2, 7)) <= 0.05);

  // A second run to 20 kg: the first becomes the faint previous curve.
  const QList<QPointF> first = s.OneSeries("GrowthWeight")->points();
  s.app->mainForm.finalWeight.text = "20";
  s.Growth();
  CompareWithTable(s, s.OneSeries("GrowthWeight"));
  QCOMPARE(s.OneSeries("PreviousWeight")->points(), first);
  QCOMPARE(s.OneSeries("FinalWeight")->at(0).y(), 20.0);

  // A typed table: the chart follows once the edit is done.
  s.app->resultsTable.SetText(3, 6, "9.5");
  QTRY_COMPARE(s.OneSeries("GrowthWeight")->at(2).y(), 9.5);
}

void GrowthChartTest::copiesAndSaves() {
  Session s;
  s.Growth();
  s.Find<QTabWidget>("TabSet")->setCurrentIndex(kTabDailyGrowth);
  QCoreApplication::processEvents();
  GrowthChart* chart = s.Chart();
  QTest::mouseClick(s.Find<QPushButton>("CopyChart", chart), Qt::LeftButton);
  const QImage copied = QGuiApplication::clipboard()->image();
  QCOMPARE(copied.size(), chart->Area()->size() * 2);

  QTemporaryDir folder;
  const struct {
    const char* answer;
    const char* written;
    const char* starts;
  } saves[] = {
      {"growth.svg", "growth.svg", "<?xml"},
      {"growth", "growth.png", "\x89PNG"},
  };
  for (const auto& save : saves) {
    s.dialogs.File(folder.filePath(QString::fromLatin1(save.answer)).toStdString());
    QTest::mouseClick(s.Find<QPushButton>("SaveChart", chart), Qt::LeftButton);
    QFile file(folder.filePath(QString::fromLatin1(save.written)));
    QVERIFY2(file.open(QIODevice::ReadOnly), save.written);
    QVERIFY2(file.readAll().startsWith(save.starts), save.written);
  }
  QVERIFY(QImage(folder.filePath(QStringLiteral("growth.png"))).size() == copied.size());

  // Cancelled: nothing written; a folder that is not there: the error.
  s.dialogs.CancelFile();
  QTest::mouseClick(s.Find<QPushButton>("SaveChart", chart), Qt::LeftButton);
  s.dialogs.File(folder.filePath(QStringLiteral("missing/growth.png")).toStdString());
  QTest::mouseClick(s.Find<QPushButton>("SaveChart", chart), Qt::LeftButton);
  QVERIFY(s.dialogs.Done());
  QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 2);
  QCOMPARE(s.dialogs.Messages(),
           std::vector<std::string>{"Error 75 (Path/File access error) in procedure SaveChart"});
}

QTEST_MAIN(GrowthChartTest)
#include "GrowthChartTest.moc"
