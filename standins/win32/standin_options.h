#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tavrin::standins::winhost {

// What a stand-in program is told on its command line. Unknown words are
// ignored, so that a stand-in started with any arguments (or none) runs.
struct StandinOptions {
  std::wstring logPath;     // --log <file>
  bool autoplay = true;     // --no-autoplay turns it off
  std::wstring screenName;  // --name <name>
  bool buddyList = true;    // --no-buddy-list leaves the chat client's out
  std::size_t transcriptCap = 0;  // --cap <lines>: the chat client's transcripts
  bool reportChanges = true;  // --no-reports: no text change events
};

StandinOptions ParseOptions(const std::vector<std::wstring>& arguments);

// This process's arguments, without the program name.
std::vector<std::wstring> CommandLineArguments();

}  // namespace tavrin::standins::winhost
