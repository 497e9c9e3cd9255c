// Desktop: SecondaryWindow, what every window but the main one shares.
#pragma once

#include <QObject>
#include <QWidget>
#include <functional>
#include <string_view>

#include "app/HelpTopics.h"
#include "platform/GridClipboard.h"

class GridView;
class QAbstractButton;
class QLabel;
class QPushButton;

// A secondary window of the program: top level, modeless, made once for the
// program's life and shown again by Open. It shows its headless form's
// fields and calls the form's commands; its tables follow their Grids by
// themselves.
class SecondaryWindow : public QWidget {
  Q_OBJECT

 public:
  // Shows the form's state, shows the window and brings it to the front.
  void Open();

  // Fields, captions and buttons from the form.
  virtual void Refresh() = 0;

  // The help section F1 in this window opens.
  void SetHelpSection(HelpSection section) { helpSection_ = section; }
  HelpSection Section() const { return helpSection_; }

 signals:
  // The window was closed, by the user or by a command of its form; the main
  // window tells its form (MainForm::WindowClosed).
  void Closed();
  // A command ran: the main window's fields may follow (diets moved into the
  // diets table, unit captions, the number of diets).
  void Changed();
  // F1: the help of this window.
  void HelpRequested(HelpSection section);

 protected:
  explicit SecondaryWindow(QWidget* parent);

  // Whether the form still counts its window as shown; a command that closes
  // the window clears it.
  virtual bool FormOpen() const { return true; }

  // Runs a form's command, then shows its outcome: the fields are refreshed,
  // and the window closes when the command closed the form.
  void Run(const std::function<void()>& command);

  // A button named as its control, captioned from the form, running `command`.
  QPushButton* AddButton(const char* name,
                         std::string_view caption,
                         const std::function<void()>& command);
  // A word-wrapped label named as its control.
  QLabel* AddLabel(const char* name, std::string_view text = {});

  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  HelpSection helpSection_ = HelpSection::MainWindow;
};

// Hands a table's key presses to its form before the table sees them, for a
// form whose keys differ from the plain clipboard keys. `keyDown` gets the
// key and its modifiers and says whether it handled the key; a
// clipboard key it declines does nothing. `typed`, when given, gets each
// printable character typed and says whether the form took it (then no cell
// editor opens).
void ForwardKeys(GridView& view,
                 std::function<bool(Key key, KeyModifiers modifiers)> keyDown,
                 std::function<bool(char key)> typed = {});
