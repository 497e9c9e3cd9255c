// Platform: the controls of a headless form (text field, list, button, option).
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
  std::string text;
  std::string caption;
  std::string toolTip;
  Rgb backColor = kWhite;
};

// A choice list; `selected` is -1 when nothing is chosen.
struct ComboBox {
  std::string caption;
  std::string toolTip;
  std::vector<std::string> items;
  int selected = -1;

  void AddItem(std::string item) { items.push_back(std::move(item)); }
  void Clear() {
    items.clear();
    selected = -1;
  }
  int Count() const { return static_cast<int>(items.size()); }
  // The chosen item, or "" when nothing is chosen.
  std::string Text() const;
};

struct CommandButton {
  std::string caption;
  std::string toolTip;
  Rgb backColor = kButtonFace;
  bool visible = true;
  bool enabled = true;
};

// A check box or an option button.
struct OptionButton {
  std::string caption;
  bool checked = false;
};
