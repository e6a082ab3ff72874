#pragma once

#include "standins/peer_interface.h"
#include "wide_name.h"

namespace tavrin::standins::winhost {

// The class of the stand-in player's main window, as the program looks for it.
inline constexpr auto kPlayerClassWide =
    WideName<peer::kPlayerClass.size()>(peer::kPlayerClass);
inline constexpr const wchar_t* kPlayerClassName = kPlayerClassWide.data();

}  // namespace tavrin::standins::winhost
