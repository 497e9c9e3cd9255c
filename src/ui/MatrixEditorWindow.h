// Desktop: MatrixEditorWindow, which shows MatrixEditorForm.
#pragma once

#include "formulation/MatrixEditorForm.h"
#include "ui/SecondaryWindow.h"

class MainForm;
class Dialogs;
class GridView;
class QLabel;
class QPushButton;

// The matrix editor: the ingredient matrix as one table, ingredients as rows
// and nutrients as columns, stored for the session or saved to the matrix
// file of the location.
class MatrixEditorWindow : public SecondaryWindow {
  Q_OBJECT

 public:
  // "Save Changes to File" saves where `mainForm` says (MatrixEditorSave).
  MatrixEditorWindow(MatrixEditorForm& form,
                     Dialogs& dialogs,
                     MainForm& mainForm,
                     QWidget* parent = nullptr);

  void Refresh() override;

 private:
  MatrixEditorForm& form_;
  MainForm& mainForm_;
  GridView* table_ = nullptr;
  QLabel* ingLabel_ = nullptr;
  QPushButton* edit_ = nullptr;
  QPushButton* enzyme_ = nullptr;
};
