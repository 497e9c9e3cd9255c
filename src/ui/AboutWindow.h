// Desktop: AboutWindow, which shows AboutForm.
#pragma once

#include "app/AboutForm.h"
#include "ui/SecondaryWindow.h"

class QLabel;

// The About window: the application's title, version, description and
// disclaimer.
class AboutWindow : public SecondaryWindow {
  Q_OBJECT

 public:
  explicit AboutWindow(AboutForm& form, QWidget* parent = nullptr);

  void Refresh() override;

 protected:
  bool FormOpen() const override { return form_.Visible(); }

 private:
  AboutForm& form_;
  QLabel* title_ = nullptr;
  QLabel* version_ = nullptr;
  QLabel* description_ = nullptr;
  QLabel* disclaimer_ = nullptr;
};
