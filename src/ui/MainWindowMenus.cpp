// The buttons above the tab set, the menu bar and the secondary windows they
// lead to.
#include <QGridLayout>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

#include "app/App.h"
#include "ui/AboutWindow.h"
#include "ui/CalibrationInputsWindow.h"
#include "ui/CalibrationTestWindow.h"
#include "ui/ChangeTrackingWindow.h"
#include "ui/CoreText.h"
#include "ui/DietDisplayWindow.h"
#include "ui/GridView.h"
#include "ui/HelpWindow.h"
#include "ui/MainWindow.h"
#include "ui/MatrixEditorWindow.h"
#include "ui/NutrientSourcesWindow.h"
#include "ui/OptimizationWindow.h"
#include "ui/ReportWindow.h"
#include "ui/RestrictionsWindow.h"
#include "ui/SecondaryWindow.h"
#include "ui/TemperatureWindow.h"
#include "ui/ToolTips.h"
#include "ui/UnitsWindow.h"

namespace {

constexpr int kButtonColumns = 5;

using Control = MainForm::Control;
using Window = MainForm::Window;

QString Text(std::string_view text) { return FromCoreText(text); }

// The window a button or menu entry leads to; one without a desktop window
// stays disabled rather than run a command whose screen never shows.
Window LeadsTo(Control control) {
  switch (control) {
    case Control::Calibration:
      return Window::Calibration;
    case Control::OpenDiets:
      return Window::DietDisplay;
    case Control::EditRestrictions:
      return Window::Restrictions;
    case Control::EditMatrix:
      return Window::MatrixEditor;
    case Control::CalibrationTest:
      return Window::CalibrationTest;
    case Control::RunOptimization:
      return Window::Optimization;
    case Control::KeepTrack:
      return Window::ChangeTracking;
    case Control::SetUnits:
      return Window::Units;
    case Control::SetTemperature:
      return Window::Temperature;
    case Control::About:
      return Window::About;
    case Control::FinishingReport:
    case Control::PrintReport:
      return Window::FinishingReport;
    case Control::GettingStarted:
      return Window::Help;
    default:
      return Window::None;
  }
}

// The buttons' object names, by number: what each does.
constexpr const char* kButtonNames[] = {"",
                                        "growth",
                                        "calibration",
                                        "openDiets",
                                        "editRestrictions",
                                        "saveDiets",
                                        "editMatrix",
                                        "runLp",
                                        "calibrationTest",
                                        "runOptimization",
                                        "keepTrack"};

}  // namespace

QString MainWindow::ButtonName(int number) { return QString::fromLatin1(kButtonNames[number]); }

QWidget* MainWindow::MakeButtons() {
  auto* panel = new QWidget;
  panel->setObjectName(QStringLiteral("Buttons"));
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(4);
  for (int number = 1; number < static_cast<int>(buttonWidgets_.size()); ++number) {
    auto* button = new QPushButton;
    button->setObjectName(ButtonName(number));
    button->setAutoFillBackground(true);
    connect(button, &QPushButton::clicked, this, [this, number] {
      Run(MainForm::ButtonControl(number));
    });
    buttonWidgets_[static_cast<std::size_t>(number)] = button;
    grid->addWidget(button, (number - 1) / kButtonColumns, (number - 1) % kButtonColumns);
  }
  grid->setColumnStretch(kButtonColumns, 1);  // the buttons keep their own widths
  return panel;
}

void MainWindow::MakeMenus() {
  for (const MainForm::Menu& menu : MainForm::Menus()) {
    if (!menu.inMenuBar) continue;  // the tables' pop-up menu is their own
    if (menu.entries.empty()) {
      QAction* action = menuBar()->addAction(Text(menu.caption));
      action->setObjectName(Text(menu.name));
      action->setEnabled(Available(menu.control));
      connect(action, &QAction::triggered, this, [this, control = menu.control] { Run(control); });
      menuActions_[menu.control] = action;
      continue;
    }
    QMenu* bar = menuBar()->addMenu(Text(menu.caption));
    bar->setObjectName(Text(menu.name));
    bar->setToolTipsVisible(true);
    for (const MainForm::MenuEntry& entry : menu.entries) {
      if (entry.control == Control::OpenRecent) {
        recentMenu_ = bar->addMenu(Text(entry.caption));
        recentMenu_->setObjectName(Text(entry.name));
        connect(recentMenu_, &QMenu::aboutToShow, this, &MainWindow::FillRecentMenu);
        continue;
      }
      QAction* action = bar->addAction(Text(entry.caption));
      action->setObjectName(Text(entry.name));
      if (!entry.shortcut.empty()) action->setShortcut(QKeySequence(Text(entry.shortcut)));
      if (entry.control == Control::FitCorrelations)
        action->setToolTip(Text(MainForm::kFitCorrelationsTip));
      connect(action, &QAction::triggered, this, [this, control = entry.control] { Run(control); });
      menuActions_[entry.control] = action;
    }
  }
  statusBar()->setObjectName(QStringLiteral("StatusBar"));
}

// One of each for the program's life, shown modeless by the commands.
void MainWindow::MakeWindows() {
  Dialogs& dialogs = app_.dialogs;
  auto* units = new UnitsWindow(app_.unitsForm, form_, this);
  connect(
      units, &UnitsWindow::TemperatureRequested, this, [this] { Run(Control::SetTemperature); });
  windows_ = {
      {Window::DietDisplay, new DietDisplayWindow(app_.dietDisplayForm, dialogs, this)},
      {Window::Restrictions, new RestrictionsWindow(app_.restrictionsForm, dialogs, form_, this)},
      {Window::MatrixEditor, new MatrixEditorWindow(app_.matrixEditorForm, dialogs, form_, this)},
      {Window::ChangeTracking,
       new ChangeTrackingWindow(app_.changeTrackingForm, dialogs, form_, this)},
      {Window::Units, units},
      {Window::Temperature,
       new TemperatureWindow(
           app_.temperatureForm, dialogs, app_.temperatures, app_.location.temperatureFile, this)},
      {Window::About, new AboutWindow(app_.aboutForm, this)},
      // The diet optimization; its report opens from it.
      {Window::Optimization,
       new OptimizationWindow(
           app_.optimizationForm, form_, app_.optimizationReportForm, dialogs, this)},
  };
  MakeCalibrationWindows();
  windows_[Window::FinishingReport] = new ReportWindow(app_, this);
  windows_[Window::Help] = help_ = new HelpWindow(this);
  for (auto& [kind, window] : windows_) {
    connect(window, &SecondaryWindow::Closed, this, [this, kind = kind] {
      form_.WindowClosed(kind);
      Refresh();
    });
    connect(window, &SecondaryWindow::Changed, this, &MainWindow::Refresh);
    window->SetHelpSection(HelpSectionOf(kind));
  }
  sources_ =
      new NutrientSourcesWindow(app_.nutrientSourcesForm, app_.sensitivityForm, dialogs, this);
  sources_->SetHelpSection(HelpSection::Sources);
  connect(sources_, &SecondaryWindow::Changed, this, &MainWindow::Refresh);
  if (auto* report = findChild<SecondaryWindow*>(QStringLiteral("OptimizationReportWindow")))
    report->SetHelpSection(HelpSection::OptimizationReport);
  // F1 in any of them: its section of the help.
  for (SecondaryWindow* window : findChildren<SecondaryWindow*>())
    connect(window, &SecondaryWindow::HelpRequested, this, &MainWindow::ShowHelp);
}

SecondaryWindow* MainWindow::WindowOf(MainForm::Window window) const {
  auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : found->second;
}

bool MainWindow::Available(MainForm::Control control) const {
  if (CalibrationRuns()) return false;
  const Window leadsTo = LeadsTo(control);
  return form_.Enabled(control) && (leadsTo == Window::None || WindowOf(leadsTo));
}

void MainWindow::Run(MainForm::Control control) {
  if (!Available(control)) return;
  switch (control) {
    case Control::Quit:
      close();
      return;
    case Control::ExportTable:
      ExportActiveTable();
      return;
    case Control::WindowHelp:
      ShowHelp(HelpSection::MainWindow);
      return;
    default:
      break;
  }
  const Window shown = form_.Click(control);
  Refresh();
  if (control == Control::PrintReport) {
    if (shown == Window::FinishingReport) PrintReportWithDialog();
    return;
  }
  if (shown == Window::Help) {
    ShowHelp(HelpSection::GettingStarted);
    return;
  }
  ShowWindow(shown);
}

void MainWindow::ShowWindow(MainForm::Window window) {
  if (SecondaryWindow* shown = WindowOf(window)) shown->Open();
}

// The sources window stays in front of the main window, but the keys stay
// with the diets table, so a click and typing still edit a cell.
void MainWindow::ShowSources() {
  sources_->Open();
  activateWindow();
  dietsTable_->setFocus();
}

void MainWindow::RefreshButtons() {
  for (auto& [control, action] : menuActions_) action->setEnabled(Available(control));
  for (int number = 1; number < static_cast<int>(buttonWidgets_.size()); ++number) {
    const CommandButton& state = form_.buttons[static_cast<std::size_t>(number)];
    QPushButton* button = buttonWidgets_[static_cast<std::size_t>(number)];
    const Control control = MainForm::ButtonControl(number);
    button->setText(Text(state.caption));
    ShowToolTip(*button, state.toolTip);
    button->setVisible(state.visible);
    button->setEnabled(Available(control));
    // A disabled button keeps the plain face, so it reads as disabled.
    const QColor face(state.backColor.red, state.backColor.green, state.backColor.blue);
    QPalette palette = button->palette();
    palette.setColor(QPalette::Active, QPalette::Button, face);
    palette.setColor(QPalette::Inactive, QPalette::Button, face);
    button->setPalette(palette);
  }
}

// --- The calibration windows ---

void MainWindow::MakeCalibrationWindows() {
  calibration_ = new CalibrationInputsWindow(app_.calibrationInputsForm, app_.dialogs, this);
  connect(calibration_,
          &CalibrationInputsWindow::RunningChanged,
          this,
          &MainWindow::FollowCalibrationRun);
  windows_[Window::Calibration] = calibration_;
  windows_[Window::CalibrationTest] =
      new CalibrationTestWindow(app_.calibrationTestForm, app_.dialogs, this);
}

bool MainWindow::CalibrationRuns() const { return calibration_ && calibration_->Running(); }

void MainWindow::FollowCalibrationRun(bool running) {
  inputs_->setEnabled(!running);
  menuBar()->setEnabled(!running);
  for (auto& [kind, window] : windows_)
    if (window != calibration_) window->setEnabled(!running);
  sources_->setEnabled(!running);
  Refresh();  // the buttons follow Available
}
