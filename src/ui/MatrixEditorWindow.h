#pragma once

#include "formulation/frmExcel.h"
#include "ui/SecondaryWindow.h"

class AfrmMain;
class Dialogs;
class GridView;
class QLabel;
class QPushButton;
struct Location;

// The matrix editor: the ingredient matrix as one table, ingredients as rows
// and nutrients as columns, stored for the session or saved to the matrix
// file of the location.
class MatrixEditorWindow : public SecondaryWindow {
  Q_OBJECT

 public:
  // "Save Changes to File" writes `location`'s matrix file, offered under the
  // main window's location name, and reads it back with the main window's
  // LoadLP.
  MatrixEditorWindow(frmExcel& form,
                     Dialogs& dialogs,
                     AfrmMain& mainForm,
                     Location& location,
                     QWidget* parent = nullptr);

  void Refresh() override;

 private:
  MatrixFileSave FileSave();

  frmExcel& form_;
  AfrmMain& mainForm_;
  Location& location_;
  GridView* table_ = nullptr;
  QLabel* ingLabel_ = nullptr;
  QPushButton* edit_ = nullptr;
  QPushButton* enzyme_ = nullptr;
};
