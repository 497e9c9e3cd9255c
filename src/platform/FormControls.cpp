#include "platform/FormControls.h"

std::string ComboBox::Text() const {
  if (selected < 0 || selected >= Count()) return {};
  return items[static_cast<std::size_t>(selected)];
}
