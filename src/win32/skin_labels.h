#pragma once

#include <span>
#include <string_view>

#include "platform/forms.h"

namespace tavrin::win32 {

// A word the skin letters on a window, at a place in twips: the settings
// windows' boxes carry no caption of their own.
struct SkinLabel {
  platform::TwipsRect place;
  std::wstring_view text;
  bool alignRight = false;
};

std::span<const SkinLabel> SkinLabels(platform::FormSkin skin);

}  // namespace tavrin::win32
