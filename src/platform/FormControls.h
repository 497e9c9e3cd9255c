#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/Grid.h"

// The controls of a headless form: a text field, a choice list, a button and
// a check or option box, each with what the window shows of it. The desktop
// layer binds one widget to each.

inline constexpr Rgb kButtonFace{240, 240, 240};

// A text field with its caption (the label beside it) and tooltip.
struct TextBox {
  std::string Text;
  std::string Caption;
  std::string ToolTip;
  Rgb BackColor = kWhite;
};

// A choice list; ListIndex -1 when nothing is chosen.
struct ComboBox {
  std::string Caption;
  std::string ToolTip;
  std::vector<std::string> List;
  int ListIndex = -1;

  void AddItem(std::string item) { List.push_back(std::move(item)); }
  void Clear() {
    List.clear();
    ListIndex = -1;
  }
  int ListCount() const { return static_cast<int>(List.size()); }
  // The chosen item, or "" when nothing is chosen.
  std::string Text() const;
};

struct CommandButton {
  std::string Caption;
  std::string ToolTip;
  Rgb BackColor = kButtonFace;
  bool Visible = true;
  bool Enabled = true;
};

// A check box or an option button.
struct OptionButton {
  std::string Caption;
  bool Value = false;
};
