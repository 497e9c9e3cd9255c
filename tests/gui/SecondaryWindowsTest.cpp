// The secondary windows over a whole App: each opens with its title and its
// tables bound to its form's Grids, and its buttons do what the form does.
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <deque>
#include <string>
#include <vector>

#include "app/App.h"
#include "formulation/NutrientSourcesForm.h"
#include "ui/AboutWindow.h"
#include "ui/ChangeTrackingWindow.h"
#include "ui/DietDisplayWindow.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"
#include "ui/MatrixEditorWindow.h"
#include "ui/NutrientSourcesWindow.h"
#include "ui/RestrictionsWindow.h"
#include "ui/TemperatureWindow.h"
#include "ui/UnitsWindow.h"

namespace {

// Answers input boxes and Yes/No questions from a queue, records the
// messages and keeps its own clipboard.
class ScriptDialogs : public Dialogs {
 public:
  std::deque<std::string> inputs;
  std::deque<Answer> answers;
  std::vector<std::string> messages;
  std::string clipboard;

  Answer Message(std::string_view text, Buttons buttons, std::string_view) override {
    messages.emplace_back(text);
    if (buttons == Buttons::OK || answers.empty()) return Answer::OK;
    Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::string Input(std::string_view, std::string_view, std::string_view) override {
    if (inputs.empty()) return {};
    std::string text = inputs.front();
    inputs.pop_front();
    return text;
  }
  std::string OpenFile(const FileRequest& request) override { return request.fileName; }
  std::string SaveFile(const FileRequest& request, std::string_view = {}) override {
    return request.fileName;
  }
  void SetClipboard(std::string_view text) override { clipboard = text; }
  std::string Clipboard() override { return clipboard; }
  void ClearClipboard() override { clipboard.clear(); }
};

// Two ingredients over energy and protein: corn (2500 kcal, 8 %) and soy
// (2000 kcal, 44 %).
void LoadSmallMatrix(FormulationTables& tables) {
  tables.nutrientCount = 3;
  tables.nutrientName[1] = "Weight";
  tables.nutrientName[2] = "Net ENERGY";
  tables.nutrientName[3] = "Crude Protein";
  tables.ingredientCount = 2;
  tables.ingredientName[1] = "Corn";
  tables.ingredientName[2] = "Soy";
  tables.ingredientPrice[1] = 0.2;
  tables.ingredientPrice[2] = 0.4;
  const double values[2][3] = {{100, 2500, 8}, {100, 2000, 44}};
  for (int i = 1; i <= 2; ++i)
    for (int r = 1; r <= 3; ++r) tables.matrix[r][i] = values[i - 1][r - 1];
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

// The window shows `grid` in its table named `name`.
bool Shows(QWidget& window, const char* name, const Grid& grid) {
  GridView* view = Table(window, name);
  return view && view->Table() == &grid;
}

}  // namespace

class SecondaryWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void restrictWindowShowsTheMatrixAndStoresEdits();
  void temperatureWindowTransfersAndCloses();
  void dietDisplayAssignsAFeedByItsDietNumber();
  void dietDisplayTransferAllClosesTheWindow();
  void sourcesWindowShowsEachIngredientsShare();
  void sensitivityTabSortsAndCopiesButTakesNoPaste();
  void matrixEditorAddsAnIngredientByName();
  void changeTrackingCopiesAndResets();
  void unitsOKSetsTheCodesAndCaptions();
  void aboutShowsTheVersionAndOKCloses();
};

void SecondaryWindowsTest::restrictWindowShowsTheMatrixAndStoresEdits() {
  ScriptDialogs dialogs;
  App app(dialogs);
  LoadSmallMatrix(app.formulation);
  app.formulation.nutrientRestrictions[1][kMinKind][1] = 2400;
  QCOMPARE(app.mainForm.Click(MainForm::Control::EditRestrictions), MainForm::Window::Restrictions);
  RestrictionsWindow window(app.restrictionsForm, dialogs, app.mainForm);
  window.Open();
  QCOMPARE(window.windowTitle(), QStringLiteral("Diet Restrictions"));
  QVERIFY(Shows(window, "nutrientTable", app.restrictionsForm.nutrientTable));
  QVERIFY(Shows(window, "ingredientTable", app.restrictionsForm.ingredientTable));

  GridView* nuts = Table(window, "nutrientTable");
  QCOMPARE(Cell(nuts, 2, 0), QStringLiteral("Net ENERGY"));
  QCOMPARE(Cell(nuts, 3, 0), QStringLiteral("Crude Protein"));
  QCOMPARE(Cell(nuts, 2, 1), QStringLiteral("2400"));
  QCOMPARE(nuts->model()->index(2, 1).data(Qt::BackgroundRole).value<QColor>(),
           QColor(250, 225, 210));

  // A protein maximum of 20 for diet 2, typed in and kept for the session.
  QVERIFY(nuts->model()->setData(nuts->model()->index(3, 4), QStringLiteral("20")));
  Click(window, "keepNutrientRestrictions");
  QCOMPARE(app.formulation.nutrientRestrictions[2][kMaxKind][2], 20.0);
  QVERIFY(dialogs.messages.empty());

  // Ctrl+X is no key of the nutrient table: the cell keeps its text.
  nuts->setCurrentIndex(nuts->model()->index(2, 1));
  QTest::keyClick(nuts, Qt::Key_X, Qt::ControlModifier);
  QCOMPARE(Cell(nuts, 2, 1), QStringLiteral("2400"));

  GridView* ingredients = Table(window, "ingredientTable");
  QTest::mouseClick(ingredients->viewport(),
                    Qt::LeftButton,
                    {},
                    ingredients->visualRect(ingredients->model()->index(2, 1)).center());
  QCOMPARE(window.findChild<QLabel*>(QStringLiteral("ingredientLabel"))->text(),
           QStringLiteral("Ingredient # 2.0000 is Soy"));
}

void SecondaryWindowsTest::temperatureWindowTransfersAndCloses() {
  ScriptDialogs dialogs;
  App app(dialogs);
  app.mainForm.startAge.text = "21";
  QCOMPARE(app.mainForm.Click(MainForm::Control::SetTemperature), MainForm::Window::Temperature);
  TemperatureWindow window(
      app.temperatureForm, dialogs, app.temperatures, app.location.temperatureFile);
  window.Open();
  QCOMPARE(window.windowTitle(), QStringLiteral("Temperature during Growth"));
  QVERIFY(Shows(window, "entryTable", app.temperatureForm.entryTable));
  QVERIFY(Shows(window, "profileTable", app.temperatureForm.profileTable));

  GridView* current = Table(window, "entryTable");
  QCOMPARE(Cell(current, 1, 0), QStringLiteral(" 21 -  27"));
  QVERIFY(current->model()->setData(current->model()->index(1, 1), QStringLiteral("18.5")));
  QSignalSpy closed(&window, &SecondaryWindow::Closed);
  window.findChild<QAction*>(QStringLiteral("TransferAndClose"))->trigger();
  QCOMPARE(app.temperatures.calibrationTemps[1], 18.5);
  QCOMPARE(app.temperatures.calibrationTemps[0], 21.0);
  QCOMPARE(Cell(Table(window, "profileTable"), 1, 1), QStringLiteral("18.5"));
  QVERIFY(!window.isVisible());
  QCOMPARE(closed.count(), 1);
}

void SecondaryWindowsTest::dietDisplayAssignsAFeedByItsDietNumber() {
  ScriptDialogs dialogs;
  App app(dialogs);
  app.dietDisplayForm.today = [] { return std::string("2024-05-01"); };
  QCOMPARE(app.mainForm.Click(MainForm::Control::OpenDiets), MainForm::Window::DietDisplay);
  DietDisplayWindow window(app.dietDisplayForm, dialogs);
  window.Open();
  QVERIFY(window.windowTitle().startsWith(QStringLiteral("Marrowind Feeds - Diet Display")));
  QVERIFY(Shows(window, "feedsTable", app.dietDisplayForm.feedsTable));
  QVERIFY(Shows(window, "ingredientFeedsTable", app.dietDisplayForm.ingredientFeedsTable));

  Grid& feeds = app.dietDisplayForm.feedsTable;
  feeds.SetText(1, DietDisplayForm::kNameCol, "Starter");
  feeds.SetText(1, DietDisplayForm::kEnergyCol, "2450");
  GridView* view = Table(window, "feedsTable");
  view->setCurrentIndex(view->model()->index(1, 0));
  QSignalSpy changed(&window, &SecondaryWindow::Changed);
  QTest::keyClick(view, '3');
  QCOMPARE(Cell(view, 1, 0), QStringLiteral("3"));
  // Column c of the feed goes into row c of diet column 3.
  QCOMPARE(app.mainForm.dietsTable.Text(DietDisplayForm::kNameCol, 3), std::string("Starter"));
  QCOMPARE(app.mainForm.dietsTable.Text(DietDisplayForm::kEnergyCol, 3), std::string("2450"));
  QCOMPARE(changed.count(), 1);

  // Other columns take typing in a cell editor, as any table does.
  view->setCurrentIndex(view->model()->index(1, DietDisplayForm::kEnergyCol));
  QTest::keyClick(view, '7');
  auto* editor = view->viewport()->findChild<QLineEdit*>();
  QVERIFY(editor);
  QCOMPARE(editor->text(), QStringLiteral("7"));
  QCOMPARE(feeds.Text(1, DietDisplayForm::kEnergyCol), std::string("2450"));
}

void SecondaryWindowsTest::dietDisplayTransferAllClosesTheWindow() {
  ScriptDialogs dialogs;
  App app(dialogs);
  app.mainForm.Click(MainForm::Control::OpenDiets);
  DietDisplayWindow window(app.dietDisplayForm, dialogs);
  window.Open();
  app.dietDisplayForm.feedsTable.SetText(2, DietDisplayForm::kNameCol, "Grower");
  app.dietDisplayForm.feedsTable.SetText(2, DietDisplayForm::kEnergyCol, "2400");
  QSignalSpy closed(&window, &SecondaryWindow::Closed);
  Click(window, "transferAllDiets");
  QCOMPARE(app.mainForm.dietsTable.Text(1, 2), std::string("Grower"));
  QVERIFY(!app.dietDisplayForm.visible);
  QVERIFY(!window.isVisible());
  QCOMPARE(closed.count(), 1);
}

void SecondaryWindowsTest::sourcesWindowShowsEachIngredientsShare() {
  ScriptDialogs dialogs;
  App app(dialogs);
  LoadSmallMatrix(app.formulation);
  // Diet 1: 60 % corn and 40 % soy, so 2300 kcal: corn gives 1500 of them.
  app.formulationState->dietInclusion[1][1] = 60;
  app.formulationState->dietInclusion[1][2] = 40;
  app.growth.dietNutrients[1][1] = 2300;
  NutrientSourcesForm form(dialogs, app.formulation, app.growth, *app.formulationState);
  NutrientSourcesWindow window(form, app.sensitivityForm, dialogs);
  window.Open(SourcesRequest{1, 1, 0, "Nutrient  1 Net ENERGY"});
  QCOMPARE(window.windowTitle(), QStringLiteral("Nutrient Sources"));
  QVERIFY(Shows(window, "sharesTable", form.sharesTable));
  // Filled as it opens; "Show Percentages" computes them again.
  GridView* table = Table(window, "sharesTable");
  QCOMPARE(table->model()->rowCount(), 3);
  Click(window, "showPercentages");
  QCOMPARE(table->model()->rowCount(), 3);
  QCOMPARE(Cell(table, 1, 0), QStringLiteral("Corn"));
  QCOMPARE(Cell(table, 1, 1), QStringLiteral("65.217"));
  QCOMPARE(Cell(table, 2, 0), QStringLiteral("Soy"));
  QCOMPARE(Cell(table, 2, 1), QStringLiteral("34.783"));
  QVERIFY(window.findChild<QLabel*>(QStringLiteral("label"))
              ->text()
              .endsWith(QStringLiteral("SOURCES OF THIS NUTRIENT, PERCENT")));
  Click(window, "CopyToClipboard");
  QVERIFY(dialogs.clipboard.find("Corn\t65.217") != std::string::npos);
  window.close();
  QVERIFY(!form.visible);
}

// After "Run LP" a click on the diet's cost shows, on the sources window's
// second tab, its restrictions (the binding protein minimum first) and its
// ingredients.
void SecondaryWindowsTest::sensitivityTabSortsAndCopiesButTakesNoPaste() {
  ScriptDialogs dialogs;
  App app(dialogs);
  LoadSmallMatrix(app.formulation);
  app.growth.dietCount = 1;
  app.formulation.nutrientRestrictions[1][kMinKind][1] = 2000;  // energy, with slack
  app.formulation.nutrientRestrictions[1][kMinKind][2] = 20;    // protein: a third soy
  app.mainForm.Click(MainForm::Control::RunLp);
  QVERIFY(app.mainForm.DietsTableClicked(kDietCostRow, 1));
  NutrientSourcesWindow window(app.nutrientSourcesForm, app.sensitivityForm, dialogs);
  window.Open();
  window.findChild<QTabWidget*>(QStringLiteral("SourcesTabs"))->setCurrentIndex(1);
  QVERIFY(window.findChild<QLabel*>(QStringLiteral("sensitivityLabel"))
              ->text()
              .startsWith(QStringLiteral("Diet 1 costs")));
  GridView* restrictions = Table(window, "restrictionsTable");
  QVERIFY(Shows(window, "ingredientsTable", app.sensitivityForm.ingredientsTable));
  QCOMPARE(Cell(restrictions, 1, 0), QStringLiteral("Crude Protein"));
  QCOMPARE(Cell(restrictions, 1, 4), QStringLiteral("Yes"));
  QCOMPARE(Cell(restrictions, 2, 0), QStringLiteral("Net ENERGY"));

  // A click on a heading sorts by it, a second the other way.
  QHeaderView* header = restrictions->horizontalHeader();
  emit header->sectionClicked(0);
  QCOMPARE(Cell(restrictions, 1, 0), QStringLiteral("Crude Protein"));
  emit header->sectionClicked(0);
  QCOMPARE(Cell(restrictions, 1, 0), QStringLiteral("Net ENERGY"));
  QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);

  restrictions->findChild<QAction*>(QStringLiteral("copyAll"))->trigger();
  QCOMPARE(dialogs.clipboard.rfind("Restriction\tKind\tLimit\tLevel\tBinding\t", 0), 0u);
  QVERIFY(!restrictions->findChild<QAction*>(QStringLiteral("paste"))->isVisible());
  dialogs.clipboard = "pasted";
  app.sensitivityForm.restrictionsTable.SetCurrent(1, 0);
  QTest::keyClick(restrictions, Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(Cell(restrictions, 1, 0), QStringLiteral("Net ENERGY"));
}

void SecondaryWindowsTest::matrixEditorAddsAnIngredientByName() {
  ScriptDialogs dialogs;
  App app(dialogs);
  LoadSmallMatrix(app.formulation);
  app.formulation.ingredientRestrictions[1][kMaxKind][2] = 30;  // soy at most 30 %
  app.mainForm.Click(MainForm::Control::EditMatrix);
  MatrixEditorWindow window(app.matrixEditorForm, dialogs, app.mainForm);
  window.Open();
  QCOMPARE(window.windowTitle(), QStringLiteral("Feed Ingredient Edit - Save Data when exiting"));
  QVERIFY(Shows(window, "matrixTable", app.matrixEditorForm.matrixTable));

  GridView* table = Table(window, "matrixTable");
  table->setCurrentIndex(table->model()->index(2, 1));
  dialogs.inputs.push_back("Barley");
  Click(window, "addIngredient");
  QCOMPARE(table->model()->headerData(2, Qt::Vertical).toString(), QStringLiteral("Barley"));
  QCOMPARE(table->model()->headerData(3, Qt::Vertical).toString(), QStringLiteral("Soy"));

  Click(window, "saveChanges");
  QCOMPARE(int(app.formulation.ingredientCount), 3);
  QCOMPARE(app.formulation.ingredientName[2], std::string("Barley"));
  QCOMPARE(app.formulation.ingredientName[3], std::string("Soy"));
  QCOMPARE(app.formulation.matrix[2][3], 2000.0);
  QCOMPARE(app.formulation.ingredientRestrictions[1][kMaxKind][3], 30.0);

  // "Edit Names" frees the heading row and name column and says how to end.
  Click(window, "editNames");
  QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("editNames"))->text(),
           QStringLiteral("End Edit"));
  QCOMPARE(Cell(table, 2, 0), QStringLiteral("Barley"));
}

void SecondaryWindowsTest::changeTrackingCopiesAndResets() {
  ScriptDialogs dialogs;
  App app(dialogs);
  app.comparison.SetText(1, 0, "Cost Per Pig");
  app.comparison.SetText(1, 1, "12.5");
  QCOMPARE(app.mainForm.Click(MainForm::Control::KeepTrack), MainForm::Window::ChangeTracking);
  ChangeTrackingWindow window(app.changeTrackingForm, dialogs, app.mainForm);
  window.Open();
  QCOMPARE(window.windowTitle(), QStringLiteral("Marrowind Change Tracking"));
  for (auto [name, grid] :
       {std::pair{"comparisonTable", &app.changeTrackingForm.comparisonTable},
        std::pair{"initialDiets", &app.changeTrackingForm.initialDiets},
        std::pair{"initialFormulas", &app.changeTrackingForm.initialFormulas},
        std::pair{"previousDiets", &app.changeTrackingForm.previousDiets},
        std::pair{"previousFormulas", &app.changeTrackingForm.previousFormulas}}) {
    QVERIFY2(Shows(window, name, *grid), name);
  }

  Click(window, "CopyToClipboard");
  QVERIFY(dialogs.clipboard.find("Cost Per Pig\t12.5") != std::string::npos);
  // The current result becomes the initial one, in the window's table too.
  Click(window, "ResetInitial");
  QCOMPARE(Cell(Table(window, "comparisonTable"), 1, 4), QStringLiteral("12.5"));
}

void SecondaryWindowsTest::unitsOKSetsTheCodesAndCaptions() {
  ScriptDialogs dialogs;
  App app(dialogs);
  QCOMPARE(app.mainForm.Click(MainForm::Control::SetUnits), MainForm::Window::Units);
  UnitsWindow window(app.unitsForm, app.mainForm);
  window.Open();
  QCOMPARE(window.windowTitle(), QStringLiteral("Set Location Values Here"));
  QSignalSpy temperature(&window, &UnitsWindow::TemperatureRequested);
  emit window.findChild<QLabel*>(QStringLiteral("TemperatureLink"))->linkActivated("#");
  QCOMPARE(temperature.count(), 1);

  for (const char* list : {"weights", "feedEnergy", "feedCost"})
    window.findChild<QListWidget*>(QString::fromLatin1(list))->setCurrentRow(1);
  Click(window, "accept");
  QCOMPARE(int(app.growth.unitCodes[kWeightUnit]), 1);
  QCOMPARE(int(app.growth.unitCodes[kEnergyUnit]), 1);
  QCOMPARE(int(app.growth.unitCodes[kPriceUnit]), 3);
  QCOMPARE(app.mainForm.startWeight.caption, std::string("Starting Weight, lb"));
  QVERIFY(dialogs.messages.empty());  // no location chosen: nothing to save
  QVERIFY(!window.isVisible());
}

void SecondaryWindowsTest::aboutShowsTheVersionAndOKCloses() {
  ScriptDialogs dialogs;
  App app(dialogs);
  QCOMPARE(app.mainForm.Click(MainForm::Control::About), MainForm::Window::About);
  AboutWindow window(app.aboutForm);
  window.Open();
  QCOMPARE(window.windowTitle(), QStringLiteral("About Marrowind's Tamsel"));
  QCOMPARE(window.findChild<QLabel*>(QStringLiteral("versionText"))->text(),
           QString::fromStdString(VersionText(BuiltVersion())));
  Click(window, "close");
  QVERIFY(!window.isVisible());
  // Shown again, the one window comes back.
  app.mainForm.Click(MainForm::Control::About);
  window.Open();
  QVERIFY(window.isVisible());
}

QTEST_MAIN(SecondaryWindowsTest)
#include "SecondaryWindowsTest.moc"
