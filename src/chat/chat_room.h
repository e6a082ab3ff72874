#pragma once

#include <array>
#include <string_view>

#include "platform/foreign_windows.h"

// Posting a line into the chat client's open room: the room is found by the
// classes of its windows, its entry box is given the text and an Enter, and
// the client posts it as the user's own line.
namespace tavrin::chat {

inline constexpr std::string_view kFrameClass = "AOL Frame25";
inline constexpr std::string_view kMdiClass = "MDIClient";
inline constexpr std::string_view kChildClass = "AOL Child";
inline constexpr std::string_view kEntryClass = "RICHCNTL";
// A child window is a chat room when it has all four of these children.
inline constexpr std::array<std::string_view, 4> kRoomChildClasses = {
    "RICHCNTLREADONLY", "_AOL_Listbox", "_AOL_Combobox", "_AOL_Static"};

// Whether the room search lets pending window messages run.
enum class Pump {
  kPerCandidate,  // once for every candidate, as the send's search does
  kNever,         // the program's own watchers search without pumping
};

// The first "AOL Child" that is a chat room, or kNoWindow. By default lets
// pending window messages run once for every candidate it examines: any of
// the program's handlers may run inside, so a caller touches nothing
// afterwards that those handlers may have unloaded.
platform::WindowHandle FindChatRoom(platform::ForeignWindows& windows,
                                    Pump pump = Pump::kPerCandidate);

// The key that makes the entry box post its text.
inline constexpr std::uintptr_t kEnterKey = 13;

// How a line fared: the room's entry box, and kAnswered when the text and
// its Enter were both answered; kLate when either was not, so that the line
// may sit in the box unsent. `textAnswered` tells which: only a late Enter
// may have been taken, and the line then posted, by a client slow over it.
struct SentLine {
  platform::WindowHandle entry = platform::kNoWindow;
  platform::Delivery delivery = platform::Delivery::kNotSent;
  bool textAnswered = false;
};

// Posts one line into the room; without a room the line is dropped. Pumps,
// as FindChatRoom does. A client that does not answer the text in time may
// still put it into its entry box later: ChatSender sees such a line out.
SentLine ChatSend(platform::ForeignWindows& windows, std::string_view text);

}  // namespace tavrin::chat
