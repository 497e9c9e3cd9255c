#pragma once

#include <string_view>

class QWidget;

// Every button, field, list and table says what it does and what to type:
// its screen's own tip first (kept), then its help (ControlHelp), found by
// the object names of its window and itself.

// Sets the tooltip of `control` from its screen's tip `screenTip` and its
// help; a later call with a new screen tip keeps the help.
void ShowToolTip(QWidget& control, std::string_view screenTip);

// Gives every control of `window`, and of the windows it holds, its help;
// a tip a control already has is kept as its screen's.
void GiveHelpTips(QWidget& window);

// True for the widgets a user works with: buttons, fields, lists, tables.
bool IsInputControl(const QWidget& widget);
