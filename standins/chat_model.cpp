#include "standins/chat_model.h"

namespace tavrin::standins {

std::string WelcomeCaption(std::string_view screenName) {
  return "Welcome, " + std::string(screenName) + "!";
}

std::string AddToTranscript(std::string transcript, std::string_view line,
                            std::size_t cap) {
  transcript += line;
  if (cap == 0) return transcript;
  std::size_t lines = 0;
  for (std::size_t at = transcript.find("\r\n"); at != std::string::npos;
       at = transcript.find("\r\n", at + 2)) {
    ++lines;
  }
  std::size_t drop = 0;
  for (; lines > cap; --lines) drop = transcript.find("\r\n", drop) + 2;
  transcript.erase(0, drop);
  return transcript;
}

std::string TranscriptLine(std::string_view speaker, std::string_view text) {
  std::string line(speaker);
  line.append(":\t").append(text).append("\r\n");
  return line;
}

}  // namespace tavrin::standins
