// The secondary windows over a whole App on a small matrix: their buttons,
// keys and clicks reach the forms (what the forms compute is theirs to test).
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <optional>
#include <string>

#include "app/App.h"
#include "support/ScriptedDialogs.h"
#include "ui/AboutWindow.h"
#include "ui/ChangeTrackingWindow.h"
#include "ui/DietDisplayWindow.h"
#include "ui/GridView.h"
#include "ui/MatrixEditorWindow.h"
#include "ui/NutrientSourcesWindow.h"
#include "ui/RestrictionsWindow.h"
#include "ui/TemperatureWindow.h"
#include "ui/UnitsWindow.h"

namespace {

// Two ingredients over energy and protein: corn (2500 kcal, 8 %) and soy
// (2000 kcal, 44 %).
void LoadSmallMatrix(FormulationTables& tables) {
  tables.nutrientCount = 3;
  tables.ingredientCount = 2;
  const char* nutrients[] = {"Weight", "Net ENERGY", "Crude Protein"};
  const double values[2][3] = {{100, 2500, 8}, {100, 2000, 44}};
  for (int r = 1; r <= 3; ++r) tables.nutrientName[r] = nutrients[r - 1];
  for (int i = 1; i <= 2; ++i) {
    tables.ingredientName[i] = i == 1 ? "Corn" : "Soy";
    tables.ingredientPrice[i] = 0.2 * i;
    for (int r = 1; r <= 3; ++r) tables.matrix[r][i] = values[i - 1][r - 1];
  }
}

QString Cell(GridView* view, int row, int col) {
  return view->model()->index(row, col).data().toString();
}

void Click(QWidget& window, const char* button) {
  auto* found = window.findChild<QPushButton*>(QString::fromLatin1(button));
  QVERIFY2(found, button);
  found->click();
}

GridView* Table(QWidget& window, const char* name) {
  return window.findChild<GridView*>(QString::fromLatin1(name));
}

}  // namespace

class SecondaryWindowsTest : public QObject {
  Q_OBJECT
  std::optional<ScriptedDialogs> dialogs;
  std::optional<App> app;

 private slots:
  void init() {
    app.reset();
    dialogs.emplace();
    app.emplace(*dialogs);
    LoadSmallMatrix(app->formulation);
  }
  void restrictWindowShowsTheMatrixAndStoresEdits();
  void temperatureWindowTransfersAndCloses();
  void dietDisplayAssignsAFeedByItsDietNumber();
  void sourcesWindowShowsEachIngredientsShare();
  void sensitivityTabSortsAndCopiesButTakesNoPaste();
  void matrixEditorAddsAnIngredientByName();
  void changeTrackingCopiesAndResets();
  void unitsAndAboutCloseOnOK();
};

void SecondaryWindowsTest::restrictWindowShowsTheMatrixAndStoresEdits() {
  app->formulation.nutrientRestrictions[1][kMinKind][1] = 2400;
  app->mainForm.Click(MainForm::Control::EditRestrictions);
  RestrictionsWindow window(app->restrictionsForm, *dialogs, app->mainForm);
  window.Open();
  GridView* nuts = Table(window, "nutrientTable");
  // A protein maximum of 20 for diet 2, typed in and kept for the session.
  QVERIFY(nuts->model()->setData(nuts->model()->index(3, 4), QStringLiteral("20")));
  Click(window, "keepNutrientRestrictions");
  QCOMPARE(app->formulation.nutrientRestrictions[2][kMaxKind][2], 20.0);
  // Ctrl+X is no key of the nutrient table: the cell keeps its text.
  nuts->setCurrentIndex(nuts->model()->index(2, 1));
  QTest::keyClick(nuts, Qt::Key_X, Qt::ControlModifier);
  QCOMPARE(Cell(nuts, 2, 1), QStringLiteral("2400"));

  GridView* ingredients = Table(window, "ingredientTable");
  const QPoint at = ingredients->visualRect(ingredients->model()->index(2, 1)).center();
  QTest::mouseClick(ingredients->viewport(), Qt::LeftButton, {}, at);
  QCOMPARE(window.findChild<QLabel*>(QStringLiteral("ingredientLabel"))->text(),
           QStringLiteral("Ingredient # 2.0000 is Soy"));
}

void SecondaryWindowsTest::temperatureWindowTransfersAndCloses() {
  app->mainForm.startAge.text = "21";
  app->mainForm.Click(MainForm::Control::SetTemperature);
  TemperatureWindow window(
      app->temperatureForm, *dialogs, app->temperatures, app->location.temperatureFile);
  window.Open();
  GridView* current = Table(window, "entryTable");
  QVERIFY(current->model()->setData(current->model()->index(1, 1), QStringLiteral("18.5")));
  window.findChild<QAction*>(QStringLiteral("TransferAndClose"))->trigger();
  QCOMPARE(app->temperatures.calibrationTemps[1], 18.5);
  QCOMPARE(Cell(Table(window, "profileTable"), 1, 1), QStringLiteral("18.5"));
  QVERIFY(!window.isVisible());
}

// A diet number typed on a feed's row copies it into that diet; "Transfer
// All Diets" copies every feed and closes the window.
void SecondaryWindowsTest::dietDisplayAssignsAFeedByItsDietNumber() {
  app->dietDisplayForm.today = [] { return std::string("2024-05-01"); };
  app->mainForm.Click(MainForm::Control::OpenDiets);
  DietDisplayWindow window(app->dietDisplayForm, *dialogs);
  window.Open();
  Grid& feeds = app->dietDisplayForm.feedsTable;
  feeds.SetText(1, DietDisplayForm::kNameCol, "Starter");
  feeds.SetText(1, DietDisplayForm::kEnergyCol, "2450");
  GridView* view = Table(window, "feedsTable");
  view->setCurrentIndex(view->model()->index(1, 0));
  QTest::keyClick(view, '3');
  // Column c of the feed goes into row c of diet column 3.
  QCOMPARE(app->mainForm.dietsTable.Text(DietDisplayForm::kNameCol, 3), std::string("Starter"));

  // Other columns take typing in a cell editor, as any table does.
  view->setCurrentIndex(view->model()->index(1, DietDisplayForm::kEnergyCol));
  QTest::keyClick(view, '7');
  QCOMPARE(view->viewport()->findChild<QLineEdit*>()->text(), QStringLiteral("7"));

  feeds.SetText(2, DietDisplayForm::kNameCol, "Grower");
  feeds.SetText(2, DietDisplayForm::kEnergyCol, "2400");  // the last diet with energy
  Click(window, "transferAllDiets");
  QCOMPARE(app->mainForm.dietsTable.Text(1, 2), std::string("Grower"));
  QVERIFY(!app->dietDisplayForm.visible && !window.isVisible());
}

void SecondaryWindowsTest::sourcesWindowShowsEachIngredientsShare() {
  // Diet 1: 60 % corn and 40 % soy, so 2300 kcal: corn gives 1500 of them.
  app->formulationState->dietInclusion[1][1] = 60;
  app->formulationState->dietInclusion[1][2] = 40;
  app->growth.dietNutrients[1][1] = 2300;
  NutrientSourcesForm form(*dialogs, app->formulation, app->growth, *app->formulationState);
  NutrientSourcesWindow window(form, app->sensitivityForm, *dialogs);
  window.Open(SourcesRequest{1, 1, 0, "Nutrient  1 Net ENERGY"});
  // Filled as it opens; "Show Percentages" computes them again.
  GridView* table = Table(window, "sharesTable");
  QCOMPARE(Cell(table, 1, 1), QStringLiteral("65.217"));
  Click(window, "showPercentages");
  QCOMPARE(Cell(table, 2, 1), QStringLiteral("34.783"));
  Click(window, "CopyToClipboard");
  QVERIFY(dialogs->Clipboard().find("Corn\t65.217") != std::string::npos);
  window.close();
  QVERIFY(!form.visible);
}

// After "Run LP" a click on the diet's cost shows, on the sources window's
// second tab, its restrictions (the binding protein minimum first) and its
// ingredients.
void SecondaryWindowsTest::sensitivityTabSortsAndCopiesButTakesNoPaste() {
  app->growth.dietCount = 1;
  app->formulation.nutrientRestrictions[1][kMinKind][1] = 2000;  // energy, with slack
  app->formulation.nutrientRestrictions[1][kMinKind][2] = 20;    // protein: a third soy
  app->mainForm.Click(MainForm::Control::RunLp);
  QVERIFY(app->mainForm.DietsTableClicked(kDietCostRow, 1));
  NutrientSourcesWindow window(app->nutrientSourcesForm, app->sensitivityForm, *dialogs);
  window.Open();
  window.findChild<QTabWidget*>(QStringLiteral("SourcesTabs"))->setCurrentIndex(1);
  GridView* restrictions = Table(window, "restrictionsTable");
  QCOMPARE(Cell(restrictions, 1, 0), QStringLiteral("Crude Protein"));

  // A click on a heading sorts by it, a second the other way.
  emit restrictions->horizontalHeader()->sectionClicked(0);
  emit restrictions->horizontalHeader()->sectionClicked(0);
  QCOMPARE(Cell(restrictions, 1, 0), QStringLiteral("Net ENERGY"));

  restrictions->findChild<QAction*>(QStringLiteral("copyAll"))->trigger();
  QCOMPARE(dialogs->Clipboard().rfind("Restriction\tKind\tLimit\tLevel\tBinding\t", 0), 0u);
  QVERIFY(!restrictions->findChild<QAction*>(QStringLiteral("paste"))->isVisible());
  dialogs->SetClipboard("pasted");
  app->sensitivityForm.restrictionsTable.SetCurrent(1, 0);
  QTest::keyClick(restrictions, Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(Cell(restrictions, 1, 0), QStringLiteral("Net ENERGY"));
}

void SecondaryWindowsTest::matrixEditorAddsAnIngredientByName() {
  app->mainForm.Click(MainForm::Control::EditMatrix);
  MatrixEditorWindow window(app->matrixEditorForm, *dialogs, app->mainForm);
  window.Open();
  GridView* table = Table(window, "matrixTable");
  table->setCurrentIndex(table->model()->index(2, 1));
  dialogs->Input("Barley");
  Click(window, "addIngredient");
  QCOMPARE(table->model()->headerData(3, Qt::Vertical).toString(), QStringLiteral("Soy"));

  Click(window, "saveChanges");
  QCOMPARE(app->formulation.ingredientName[2], std::string("Barley"));

  // "Edit Names" frees the heading row and name column.
  Click(window, "editNames");
  QCOMPARE(Cell(table, 2, 0), QStringLiteral("Barley"));
}

void SecondaryWindowsTest::changeTrackingCopiesAndResets() {
  app->comparison.SetText(1, 0, "Cost Per Pig");
  app->comparison.SetText(1, 1, "12.5");
  app->mainForm.Click(MainForm::Control::KeepTrack);
  ChangeTrackingWindow window(app->changeTrackingForm, *dialogs, app->mainForm);
  window.Open();
  Click(window, "CopyToClipboard");
  QVERIFY(dialogs->Clipboard().find("Cost Per Pig\t12.5") != std::string::npos);
  // The current result becomes the initial one, in the window's table too.
  Click(window, "ResetInitial");
  QCOMPARE(Cell(Table(window, "comparisonTable"), 1, 4), QStringLiteral("12.5"));
}

void SecondaryWindowsTest::unitsAndAboutCloseOnOK() {
  app->mainForm.Click(MainForm::Control::SetUnits);
  UnitsWindow window(app->unitsForm, app->mainForm);
  window.Open();
  QSignalSpy temperature(&window, &UnitsWindow::TemperatureRequested);
  emit window.findChild<QLabel*>(QStringLiteral("TemperatureLink"))->linkActivated("#");
  QCOMPARE(temperature.count(), 1);

  for (const char* list : {"weights", "feedEnergy", "feedCost"})
    window.findChild<QListWidget*>(QString::fromLatin1(list))->setCurrentRow(1);
  window.Open();  // already shown: it stays where it is
  Click(window, "accept");
  QCOMPARE(int(app->growth.unitCodes[kWeightUnit]), 1);
  QCOMPARE(int(app->growth.unitCodes[kPriceUnit]), 3);
  QVERIFY(dialogs->Messages().empty());  // no location chosen: nothing to save
  QVERIFY(!window.isVisible());

  app->mainForm.Click(MainForm::Control::About);
  AboutWindow about(app->aboutForm);
  about.Open();
  Click(about, "close");
  QVERIFY(!about.isVisible() && !app->aboutForm.Visible());
}

QTEST_MAIN(SecondaryWindowsTest)
#include "SecondaryWindowsTest.moc"
