#include "platform/FormControls.h"

std::string ComboBox::Text() const {
  if (ListIndex < 0 || ListIndex >= ListCount()) return {};
  return List[static_cast<std::size_t>(ListIndex)];
}
