#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavrin::standins {

// What the stand-in chat client shows: the welcome caption of the signed-on
// name and, per room, a transcript of "<speaker>:<TAB><text>" CR LF lines.
inline constexpr std::string_view kDefaultScreenName = "DemoUser";
inline constexpr std::string_view kFirstRoomName = "Lobby";

std::string WelcomeCaption(std::string_view screenName);
std::string TranscriptLine(std::string_view speaker, std::string_view text);

// The transcript with the line added at its end and, as real clients keep
// only their last lines, its oldest lines dropped beyond `cap` lines (0:
// no cap).
std::string AddToTranscript(std::string transcript, std::string_view line,
                            std::size_t cap);

}  // namespace tavrin::standins
