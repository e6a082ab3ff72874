#pragma once

#include <span>
#include <string_view>

#include "platform/forms.h"

namespace tavrin::win32 {

// Where the skin letters a control's label on a window, in twips: the
// settings windows' boxes carry no caption of their own. A right-aligned
// label names the text box after it and ends with a colon.
struct SkinLabel {
  platform::TwipsRect place;
  std::string_view control;
  bool alignRight = false;
};

std::span<const SkinLabel> SkinLabels(platform::FormSkin skin);

}  // namespace tavrin::win32
