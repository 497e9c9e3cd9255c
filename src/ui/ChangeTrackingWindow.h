#pragma once

#include "app/ChangeTracking.h"
#include "ui/SecondaryWindow.h"

class AfrmMain;
class Dialogs;
class GridView;

// The window "Marrowind Change Tracking": the run comparison beside the
// initial and the previous diets and formulas.
class ChangeTrackingWindow : public SecondaryWindow {
  Q_OBJECT

 public:
  // "Reset Initial " is the main window's (it owns the stores it resets).
  ChangeTrackingWindow(frmTrack& form,
                       Dialogs& dialogs,
                       AfrmMain& mainForm,
                       QWidget* parent = nullptr);

  void Refresh() override {}

 protected:
  bool FormOpen() const override { return form_.Visible(); }

 private:
  GridView* AddTable(Grid& grid, const char* name);

  frmTrack& form_;
  Dialogs& dialogs_;
};
