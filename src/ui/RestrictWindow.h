#pragma once

#include "formulation/RestrictionsForm.h"
#include "ui/SecondaryWindow.h"

class AfrmMain;
class Dialogs;
class GridView;
class QLabel;

// The restriction window: each diet's nutrient and ingredient minima and
// maxima, stored for the session or saved to the location's files.
class RestrictWindow : public SecondaryWindow {
  Q_OBJECT

 public:
  // The files are saved where `mainForm` says (RestrictionFilesInUse).
  RestrictWindow(RestrictionsForm& form,
                 Dialogs& dialogs,
                 AfrmMain& mainForm,
                 QWidget* parent = nullptr);

  void Refresh() override;

 private:
  RestrictionsForm& form_;
  AfrmMain& mainForm_;
  GridView* nuts_ = nullptr;
  GridView* ingredients_ = nullptr;
  QLabel* ingLabel_ = nullptr;
};
