#pragma once

namespace tavrin::standins::winhost {

// The class of the stand-in player's main window, as the program looks for it.
inline constexpr wchar_t kPlayerClassName[] = L"Winamp v1.x";

}  // namespace tavrin::standins::winhost
