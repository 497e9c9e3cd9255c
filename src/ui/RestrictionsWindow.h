// Desktop: RestrictionsWindow, which shows RestrictionsForm.
#pragma once

#include "formulation/RestrictionsForm.h"
#include "ui/SecondaryWindow.h"

class MainForm;
class Dialogs;
class GridView;
class QLabel;

// The restriction window: each diet's nutrient and ingredient minima and
// maxima, stored for the session or saved to the location's files.
class RestrictionsWindow : public SecondaryWindow {
  Q_OBJECT

 public:
  // The files are saved where `mainForm` says (RestrictionFilesInUse).
  RestrictionsWindow(RestrictionsForm& form,
                     Dialogs& dialogs,
                     MainForm& mainForm,
                     QWidget* parent = nullptr);

  void Refresh() override;

 private:
  RestrictionsForm& form_;
  MainForm& mainForm_;
  GridView* nutrients_ = nullptr;
  GridView* ingredients_ = nullptr;
  QLabel* ingLabel_ = nullptr;
};
