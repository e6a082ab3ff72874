#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The window classes, messages and command ids the stand-ins answer to, as
// the real peers publish them. Spelled here on their own, never taken from
// the program's headers: a typo in the program then fails a test instead of
// being copied into its witness.
namespace tavrin::standins::peer {

// The window messages the stand-ins handle, by their Windows numbers.
inline constexpr unsigned kWmChar = 0x0102;
inline constexpr unsigned kWmCommand = 0x0111;
inline constexpr unsigned kWmUser = 0x0400;
inline constexpr std::uintptr_t kEnterKey = 13;

// The player.
inline constexpr std::string_view kPlayerClass = "Winamp v1.x";
// WM_COMMAND ids of its transport buttons.
inline constexpr std::uintptr_t kPreviousButton = 40044;
inline constexpr std::uintptr_t kPlayButton = 40045;
inline constexpr std::uintptr_t kPauseButton = 40046;
inline constexpr std::uintptr_t kStopButton = 40047;
inline constexpr std::uintptr_t kNextButton = 40048;
// WM_USER queries, by (wParam, lParam).
struct Query {
  std::uintptr_t wParam;
  std::intptr_t lParam;
};
inline constexpr Query kPlayStateQuery{0, 104};
inline constexpr Query kBitRateQuery{1, 126};
inline constexpr Query kPositionMsQuery{0, 105};
inline constexpr Query kLengthSecondsQuery{1, 105};

// The chat client.
inline constexpr std::string_view kFrameClass = "AOL Frame25";
inline constexpr std::string_view kMdiClass = "MDIClient";
inline constexpr std::string_view kChildClass = "AOL Child";
inline constexpr std::string_view kTranscriptClass = "RICHCNTLREADONLY";
inline constexpr std::string_view kListClass = "_AOL_Listbox";
inline constexpr std::string_view kComboClass = "_AOL_Combobox";
inline constexpr std::string_view kStaticClass = "_AOL_Static";
inline constexpr std::string_view kEntryClass = "RICHCNTL";

}  // namespace tavrin::standins::peer
