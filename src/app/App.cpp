#include "app/App.h"

App::App(Dialogs& dialogs, const AfrmMain::StartupEnvironment& machine) : dialogs(dialogs) {
  ComparisonHeadings(comparison);
  mainForm.StartUp(machine);
}
