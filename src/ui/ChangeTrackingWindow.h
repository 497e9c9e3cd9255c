// Desktop: ChangeTrackingWindow, which shows ChangeTrackingForm.
#pragma once

#include "app/ChangeTrackingForm.h"
#include "ui/SecondaryWindow.h"

class MainForm;
class Dialogs;
class GridView;

// The window "Marrowind Change Tracking": the run comparison beside the
// initial and the previous diets and formulas.
class ChangeTrackingWindow : public SecondaryWindow {
  Q_OBJECT

 public:
  // "Reset Initial " is the main window's (it owns the stores it resets).
  ChangeTrackingWindow(ChangeTrackingForm& form,
                       Dialogs& dialogs,
                       MainForm& mainForm,
                       QWidget* parent = nullptr);

  void Refresh() override {}

 protected:
  bool FormOpen() const override { return form_.Visible(); }

 private:
  GridView* AddTable(Grid& grid, const char* name);

  ChangeTrackingForm& form_;
  Dialogs& dialogs_;
};
