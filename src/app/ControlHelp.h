#pragma once

#include <string>
#include <string_view>

// What every button, field and list does and what to type in it: the
// tooltips of the program, by the object names of the window and the
// control. A control's own tip from its screen (the legacy texts) stays and
// comes first.

// The help of a control; "" for none. `window` "" asks for a control that
// means the same in every window (a table's "Copy to Clipboard").
std::string_view ControlHelp(std::string_view window, std::string_view control);

// The tooltip shown: the screen's own tip, a blank line, the help; either
// alone when the other is empty.
std::string ControlToolTip(std::string_view window,
                           std::string_view control,
                           std::string_view screenTip);
