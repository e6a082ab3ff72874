#include "standins/chat_model.h"

namespace tavrin::standins {

std::string WelcomeCaption(std::string_view screenName) {
  return "Welcome, " + std::string(screenName) + "!";
}

std::string TranscriptLine(std::string_view speaker, std::string_view text) {
  std::string line(speaker);
  line.append(":\t").append(text).append("\r\n");
  return line;
}

}  // namespace tavrin::standins
