#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavrin::standins {

// The caption as a player that scrolls it in the taskbar shows it after
// `steps` steps: the caption and " *** ", twice over, turned left by one
// character (not byte) a step.
std::string ScrolledCaption(std::string_view caption, std::size_t steps);

}  // namespace tavrin::standins
