#pragma once

#include <string>

#include "formulation/Restrict.h"
#include "ui/SecondaryWindow.h"

struct Location;
class Dialogs;
class GridView;
class QLabel;

// The restriction window: each diet's nutrient and ingredient minima and
// maxima, stored for the session or saved to the location's files.
class RestrictWindow : public SecondaryWindow {
  Q_OBJECT

 public:
  // `location` receives the chosen restriction file names; `locationName` is
  // the main window's "Calibration Name" text, which names the offered files.
  RestrictWindow(Restrict& form,
                 Dialogs& dialogs,
                 Location& location,
                 const std::string& locationName,
                 QWidget* parent = nullptr);

  void Refresh() override;

 private:
  RestrictionFiles Files() const;

  Restrict& form_;
  Location& location_;
  const std::string& locationName_;
  GridView* nuts_ = nullptr;
  GridView* ingredients_ = nullptr;
  QLabel* ingLabel_ = nullptr;
};
