#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "shell/form_layout.h"
#include "win32/skin_glyphs.h"

// How the skins draw each control: by its kind, and for the few labels
// that carry a symbol instead of a caption, by its name.
namespace tavrin::win32 {

enum class ControlRole {
  kHidden,        // a holder: never drawn
  kTitleStrip,    // the drag bar, with the caption
  kCloseTile,     // the title band's close button
  kMinimiseTile,  // the title band's minimise button
  kFaceButton,    // a raised button with its caption
  kOverlay,       // transparent: the picture under it shows its symbol
  kCheckBox,
  kPicture,
  kText,
  kFieldFrame,    // around a system control, which draws its own inside
};

ControlRole RoleOf(const shell::FormControl& control);

// What a face button says: its text, or the default of a caption-less one.
std::wstring ButtonLabel(const shell::FormControl& control);

// The symbol a transport overlay shows on the strip's face.
std::optional<Glyph> TransportGlyph(std::string_view control, bool pauseFace);

}  // namespace tavrin::win32
