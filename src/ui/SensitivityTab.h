// Desktop: SensitivityTab, which shows SensitivityForm.
#pragma once

#include <QWidget>
#include <functional>

#include "formulation/SensitivityForm.h"

class Dialogs;
class GridView;
class QLabel;

// The "Sensitivity" tab of the sources window: its form's label above the
// restrictions table and the ingredients table. A click on a heading sorts
// that table; the tables copy like every table but take no paste.
class SensitivityTab : public QWidget {
  Q_OBJECT

 public:
  SensitivityTab(SensitivityForm& form, Dialogs& dialogs, QWidget* parent = nullptr);

 private:
  GridView* AddTable(Grid& grid,
                     const char* name,
                     const SensitivityForm::SortOrder& order,
                     std::function<void(int col)> sort);
  void ShowLabel();

  SensitivityForm& form_;
  Dialogs& dialogs_;
  QLabel* label_ = nullptr;
};
