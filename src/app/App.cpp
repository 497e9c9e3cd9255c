#include "app/App.h"

#include "app/NumberFormat.h"
#include "model/DietsTable.h"

App::App(Dialogs& dialogs) : dialogs(dialogs), programFolder(ProgramFolder()) {
  pig.DecimalComma = DetectDecimalComma();
  location.DataFolder = programFolder;
  mainForm.FillControls();
  mainForm.LayOutFilesTable();
  DietFill(mainForm.Griddiets);
  ComparisonHeadings(comparison);
  // Calibration and the diet optimization are not part of this build yet.
  mainForm.Command[2].Enabled = false;
  mainForm.Command[9].Enabled = false;
}
