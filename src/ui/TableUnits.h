#pragma once

class App;
class QWidget;

// Gives every table of the main window and its windows (found by their
// windows' and their own object names) the face that shows its units.
void ShowUnitsInTables(QWidget& mainWindow, App& app);
