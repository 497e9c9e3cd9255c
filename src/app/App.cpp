#include "app/App.h"

App::App(Dialogs& dialogs, const MainForm::StartupEnvironment& machine) : dialogs(dialogs) {
  ComparisonHeadings(comparison);
  mainForm.StartUp(machine);
}
