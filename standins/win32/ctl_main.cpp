// standin-ctl: drives the stand-in programs from shell scripts.
#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

#include "chat_classes.h"
#include "ctl_actions.h"
#include "player_class.h"
#include "win32/base/win32_text.h"

using namespace tavrin::standins::winhost;

namespace {

constexpr wchar_t kUsage[] =
    L"usage: standin-ctl player <command...>\n"
    L"       standin-ctl chat <command...>\n"
    L"       standin-ctl wait <class> [seconds]\n"
    L"       standin-ctl transcript [room n]\n"
    L"       standin-ctl close <class>\n"
    L"       standin-ctl tray <class> <mouse message>\n"
    L"       standin-ctl query <wParam> <lParam>\n";

int Usage() {
  fputws(kUsage, stderr);
  return kExitUsage;
}

std::string JoinedUtf8(const std::vector<std::wstring>& words,
                       std::size_t from) {
  std::wstring joined;
  for (std::size_t i = from; i < words.size(); ++i) {
    if (i > from) joined.push_back(L' ');
    joined += words[i];
  }
  return tavrin::win32::Utf8FromWide(joined);
}

// A whole non-negative or signed number, or false.
bool ParseWhole(const std::wstring& word, long long& value) {
  if (word.empty()) return false;
  wchar_t* end = nullptr;
  value = std::wcstoll(word.c_str(), &end, 0);
  return *end == L'\0';
}

int Wait(const std::vector<std::wstring>& words) {
  double seconds = 30.0;
  if (words.size() > 3) return Usage();
  if (words.size() == 3) {
    wchar_t* end = nullptr;
    seconds = std::wcstod(words[2].c_str(), &end);
    if (*end != L'\0' || seconds < 0) return Usage();
  }
  return WaitForWindow(words[1], std::chrono::milliseconds(
                                     static_cast<long long>(seconds * 1000)));
}

int Transcript(const std::vector<std::wstring>& words) {
  long long room = 1;
  if (words.size() > 2) return Usage();
  if (words.size() == 2 && (!ParseWhole(words[1], room) || room < 1)) {
    return Usage();
  }
  return PrintTranscript(static_cast<std::size_t>(room));
}

int Query(const std::vector<std::wstring>& words) {
  long long wParam = 0;
  long long lParam = 0;
  if (words.size() != 3 || !ParseWhole(words[1], wParam) ||
      !ParseWhole(words[2], lParam)) {
    return Usage();
  }
  return PrintPlayerAnswer(static_cast<unsigned long long>(wParam), lParam);
}

int Tray(const std::vector<std::wstring>& words) {
  long long mouseMessage = 0;
  if (words.size() != 3 || !ParseWhole(words[2], mouseMessage) ||
      mouseMessage < 0) {
    return Usage();
  }
  return PostTrayEvent(words[1], static_cast<unsigned>(mouseMessage));
}

int Run(const std::vector<std::wstring>& words) {
  if (words.empty()) return Usage();
  const std::wstring& verb = words[0];
  if (verb == L"player" && words.size() >= 2) {
    return SendDriverCommand(kPlayerClassName, JoinedUtf8(words, 1));
  }
  if (verb == L"chat" && words.size() >= 2) {
    return SendDriverCommand(kFrameClassName, JoinedUtf8(words, 1));
  }
  if (verb == L"wait" && words.size() >= 2) return Wait(words);
  if (verb == L"transcript") return Transcript(words);
  if (verb == L"close" && words.size() == 2) return PostClose(words[1]);
  if (verb == L"query") return Query(words);
  if (verb == L"tray") return Tray(words);
  return Usage();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  try {
    return Run(std::vector<std::wstring>(argv + 1, argv + argc));
  } catch (...) {
    return kExitNoAnswer;
  }
}
