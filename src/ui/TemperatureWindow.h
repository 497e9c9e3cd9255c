// Desktop: TemperatureWindow, which shows TemperatureForm.
#pragma once

#include <string>

#include "model/TemperatureForm.h"
#include "model/Temperatures.h"
#include "ui/SecondaryWindow.h"

class Dialogs;
class QMenuBar;

// The window "Temperature during Growth": the weekly temperatures typed in
// one table, the profile the program holds in the other.
class TemperatureWindow : public SecondaryWindow {
  Q_OBJECT

 public:
  // `profile` is the location's temperature profile; `stgFile` the
  // location's temperature file, written by "Transfer and Save to File".
  TemperatureWindow(TemperatureForm& form,
                    Dialogs& dialogs,
                    TemperatureProfile& profile,
                    const std::string& stgFile,
                    QWidget* parent = nullptr);

  void Refresh() override {}

 protected:
  bool FormOpen() const override { return form_.Visible(); }

 private:
  void AddMenuEntry(QMenu* menu,
                    const char* name,
                    std::string_view caption,
                    const std::function<void()>& command);

  TemperatureForm& form_;
  TemperatureProfile& profile_;
  const std::string& stgFile_;
  Dialogs& dialogs_;
};
