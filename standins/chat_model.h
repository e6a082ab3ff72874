#pragma once

#include <string>
#include <string_view>

namespace tavrin::standins {

// What the stand-in chat client shows: the welcome caption of the signed-on
// name and, per room, a transcript of "<speaker>:<TAB><text>" CR LF lines.
inline constexpr std::string_view kDefaultScreenName = "DemoUser";
inline constexpr std::string_view kFirstRoomName = "Lobby";

std::string WelcomeCaption(std::string_view screenName);
std::string TranscriptLine(std::string_view speaker, std::string_view text);

}  // namespace tavrin::standins
