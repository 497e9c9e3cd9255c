// Desktop: UnitsWindow, which shows UnitsForm.
#pragma once

#include "model/UnitsForm.h"
#include "ui/SecondaryWindow.h"

class MainForm;
class QListWidget;

// The settings dialog "Set Location Values Here": the units of weights,
// feed energy and feed cost.
class UnitsWindow : public SecondaryWindow {
  Q_OBJECT

 public:
  // OK is the main window's (it captions its weight fields and knows the
  // location's calibration file).
  UnitsWindow(UnitsForm& form, MainForm& mainForm, QWidget* parent = nullptr);

  void Refresh() override;

 signals:
  // The user clicked the temperature text: the main window shows the
  // temperature window, as its menu "Set Temperature" does.
  void TemperatureRequested();

 protected:
  bool FormOpen() const override { return form_.Visible(); }

 private:
  QListWidget* AddList(UnitList& list, const char* name);

  UnitsForm& form_;
  QListWidget* weights_ = nullptr;
  QListWidget* energy_ = nullptr;
  QListWidget* cost_ = nullptr;
};
