// Desktop: NutrientSourcesWindow, which shows NutrientSourcesForm.
#pragma once

#include "formulation/NutrientSourcesForm.h"
#include "formulation/SensitivityForm.h"
#include "ui/SecondaryWindow.h"

class Dialogs;
class GridView;
class QLabel;
class QTabWidget;

// The sources window: one formulated diet explained in percentages, by
// ingredient or by nutrient, or its cost by ingredient; and on its
// "Sensitivity" tab what the diet's cost depends on.
class NutrientSourcesWindow : public SecondaryWindow {
  Q_OBJECT

 public:
  NutrientSourcesWindow(NutrientSourcesForm& form,
                        SensitivityForm& sensitivity,
                        Dialogs& dialogs,
                        QWidget* parent = nullptr);

  // A click in the diets table: the form takes the request and the window
  // is shown with its caption, the table empty until "Show Percentages".
  void Open(const SourcesRequest& request);
  using SecondaryWindow::Open;

  void Refresh() override;

 protected:
  bool FormOpen() const override { return form_.visible; }

 private:
  NutrientSourcesForm& form_;
  GridView* table_ = nullptr;
  QLabel* label_ = nullptr;
  QTabWidget* tabs_ = nullptr;
};
