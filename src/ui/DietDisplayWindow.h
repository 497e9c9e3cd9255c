// Desktop: DietDisplayWindow, which shows DietDisplayForm.
#pragma once

#include "formulation/DietDisplayForm.h"
#include "ui/SecondaryWindow.h"

class Dialogs;
class GridView;
class QTabWidget;

// The diet display: feeds defined by their nutrient levels on one tab, by
// ingredient weights on the other, and the commands that move them into the
// main window's diets table.
class DietDisplayWindow : public SecondaryWindow {
  Q_OBJECT

 public:
  DietDisplayWindow(DietDisplayForm& form, Dialogs& dialogs, QWidget* parent = nullptr);

  void Refresh() override;

 protected:
  bool FormOpen() const override { return form_.visible; }

 private:
  GridView* AddTable(Grid& grid, const char* name, Dialogs& dialogs);
  QWidget* NutrientTab(Dialogs& dialogs);
  QWidget* IngredientTab(Dialogs& dialogs);

  DietDisplayForm& form_;
  QTabWidget* tabs_ = nullptr;
};
