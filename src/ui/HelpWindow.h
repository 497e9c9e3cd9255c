#pragma once

#include "app/HelpTopics.h"
#include "ui/SecondaryWindow.h"

class QListWidget;
class QTextBrowser;

// The program's help: its sections listed on the left, the one chosen on
// the right ("Getting Started" first; F1 in a window opens that window's).
class HelpWindow : public SecondaryWindow {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent);

  // Opens the window at `section`.
  void Show(HelpSection section);
  void Refresh() override {}
  HelpSection Shown() const { return shown_; }

 private:
  void ShowTopic(int row);

  QListWidget* topics_ = nullptr;
  QTextBrowser* text_ = nullptr;
  HelpSection shown_ = HelpSection::GettingStarted;
};
