// Desktop: MainWindow, which shows MainForm.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "app/HelpTopics.h"
#include "app/MainForm.h"
#include "model/Units.h"

class App;
class CalibrationInputsWindow;
class HelpWindow;
class QAction;
class QMenu;
class GridView;
class GrowthChart;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSplitter;
class QTabWidget;
class QTextEdit;
class SecondaryWindow;
class NutrientSourcesWindow;

// The main window: the herd inputs and the buttons beside a tab set of the
// daily growth table, the diets table and the formula tables. Every widget
// shows a field of the headless main form (MainForm) and carries that
// field's control name; every action calls the form's command and then shows
// the form's state again.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(App& app, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Shows every field, list, button, option and tab as the form holds them.
  void Refresh();
  // A button or menu entry, as its click runs it: the form's command, then
  // the window it leads to, shown modeless.
  void Run(MainForm::Control control);
  // The secondary window of a form, made once; null when none shows it.
  SecondaryWindow* WindowOf(MainForm::Window window) const;
  // The location whose calibration file is `path` (relative to the current
  // folder), opened as if chosen in the "Calibration Name" field.
  void OpenLocation(const QString& path);
  // The object name of button `number` (1..10), after what it does.
  static QString ButtonName(int number);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // MainWindow.cpp: the frame, the tab set and its tables.
  QTabWidget* MakeTabs();
  GridView* AddTable(Grid& grid, const char* name);
  void PlaceTabSet();
  void RefreshFrame();
  void FollowUnits();
  void FitResultBlocks();

  // MainWindowInputs.cpp: the herd inputs, lists, options and result fields.
  QWidget* MakeInputs();
  QLineEdit* AddField(TextBox& box, const char* name, bool editable, bool labelled = true);
  QComboBox* AddList(ComboBox& list, const char* name);
  void RefreshInputs();
  bool FieldEvent(QObject* watched, QEvent* event);

  // MainWindowCommands.cpp: the File and Help menus' own commands, the status
  // bar and the recent locations kept in the user's settings.
  void FillRecentMenu();
  void ExportActiveTable();
  void PrintReportWithDialog();
  void ShowHelp(HelpSection section);
  void FollowFocus(QWidget* now);
  GridView* ActiveTable() const;
  void LoadRecentLocations();
  void KeepRecentLocations();
  void RefreshStatus();

  // MainWindowMenus.cpp: the buttons, the menu bar and the secondary windows.
  QWidget* MakeButtons();
  void MakeMenus();
  void MakeWindows();
  void ShowWindow(MainForm::Window window);
  void ShowSources();  // the sources window, asked by a click in the diets table
  void RefreshButtons();
  // The form enables the control and the window it leads to exists here.
  bool Available(MainForm::Control control) const;

  // The calibration inputs screen and the calibration test window. While a
  // fit runs inside the first, nothing else may change the herd, the diets,
  // the files or the location under it.
  void MakeCalibrationWindows();
  bool CalibrationRuns() const;
  void FollowCalibrationRun(bool running);

  App& app_;
  MainForm& form_;

  QWidget* inputs_ = nullptr;
  QWidget* buttons_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  GridView* resultsTable_ = nullptr;  // the per-diet summary and the finishing block
  GridView* grid1Daily_ = nullptr;    // the daily rows of the same table
  QSplitter* resultBlocks_ = nullptr;
  int summaryHeight_ = -1;              // pixels the summary block's rows took when last fitted
  GrowthChart* growthChart_ = nullptr;  // beside the daily table, following it
  GridView* dietsTable_ = nullptr;
  GridView* filesTable_ = nullptr;
  GridView* formulaTable_ = nullptr;
  GridView* coefficientTable_ = nullptr;
  QTextEdit* dietsInstructions_ = nullptr;
  QMetaObject::Connection focusFollower_;  // the table worked in last follows the focus

  std::map<TextBox*, QLineEdit*> fields_;
  std::map<TextBox*, QLabel*> fieldLabels_;
  std::map<ComboBox*, QComboBox*> lists_;
  QLineEdit* locationName_ = nullptr;
  QLineEdit* startWeight_ = nullptr;
  QLineEdit* pigCount_ = nullptr;
  QLineEdit* costPerPig_ = nullptr;
  QCheckBox* proteinRule_ = nullptr;
  QCheckBox* lysineRule_ = nullptr;
  QRadioButton* showInput_ = nullptr;
  QRadioButton* turnOffInput_ = nullptr;
  QRadioButton* calibrationDataLoaded_ = nullptr;
  std::array<QPushButton*, 11> buttonWidgets_{};  // Growth..KeepTrack by number

  std::map<MainForm::Window, SecondaryWindow*> windows_;
  std::map<MainForm::Control, QAction*> menuActions_;
  QMenu* recentMenu_ = nullptr;
  HelpWindow* help_ = nullptr;
  QLabel* statusText_ = nullptr;         // what the last command did
  QPointer<GridView> lastTable_;         // the table the user worked in last, in any window
  std::vector<std::string> keptRecent_;  // the recent locations as the settings hold them
  NutrientSourcesWindow* sources_ = nullptr;
  CalibrationInputsWindow* calibration_ = nullptr;
  bool refreshing_ = false;   // the form's state going into the widgets
  bool placed_ = false;       // sized and placed on the screen once
  UnitCodeSet shownUnits_{};  // the units the tables' headings show
};
