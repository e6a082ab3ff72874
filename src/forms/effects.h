#pragma once

#include <cstdint>
#include <vector>

#include "platform/forms.h"

// The effects every visible window uses: opacity, the topmost band and the
// window shapes.
namespace tavrin::forms {

using platform::FormWindow;
using platform::PixelRect;

// Every window's working opacity: all windows stay slightly see-through.
inline constexpr int kWorkingAlpha = 225;

// Results of SetTranslucency.
inline constexpr std::int32_t kApplied = 0;
inline constexpr std::int32_t kAlphaOutOfRange = 1;
inline constexpr std::int32_t kPlatformError = 2;

// Makes the window layered at the given opacity (0 invisible, 255 opaque).
// An alpha outside 0..255 changes nothing.
std::int32_t SetTranslucency(FormWindow& window, std::int16_t alpha);

void SetTopmost(FormWindow& window);
void SetNotTopmost(FormWindow& window);

// The outlines: a title band 21 pixels high cut into pieces, a see-through
// gap of seven rows, and the body from row 28 to the bottom edge.
const std::vector<PixelRect>& MainFRMShape();
const std::vector<PixelRect>& OptionsFRMShape();
const std::vector<PixelRect>& CommandsFRMShape();
const std::vector<PixelRect>& SongAdvSetupFRMShape();

void ShapeMainFRM(FormWindow& window);
void ShapeOptionsFRM(FormWindow& window);
void ShapeCommandsFRM(FormWindow& window);
void ShapeSongAdvSetupFRM(FormWindow& window);

}  // namespace tavrin::forms
