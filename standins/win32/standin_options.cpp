#include "standin_options.h"

#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <memory>

namespace tavrin::standins::winhost {
namespace {

struct LocalDeleter {
  void operator()(LPWSTR* block) const noexcept { LocalFree(block); }
};

}  // namespace

StandinOptions ParseOptions(const std::vector<std::wstring>& arguments) {
  StandinOptions options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::wstring& word = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (word == L"--log" && hasValue) {
      options.logPath = arguments[++i];
    } else if (word == L"--name" && hasValue) {
      options.screenName = arguments[++i];
    } else if (word == L"--no-autoplay") {
      options.autoplay = false;
    } else if (word == L"--cap" && hasValue) {
      options.transcriptCap = std::wcstoul(arguments[++i].c_str(), nullptr, 10);
    } else if (word == L"--no-buddy-list") {
      options.buddyList = false;
    } else if (word == L"--no-reports") {
      options.reportChanges = false;
    }
  }
  return options;
}

std::vector<std::wstring> CommandLineArguments() {
  int count = 0;
  const std::unique_ptr<LPWSTR, LocalDeleter> words(
      CommandLineToArgvW(GetCommandLineW(), &count));
  std::vector<std::wstring> arguments;
  if (!words) return arguments;
  for (int i = 1; i < count; ++i) arguments.emplace_back(words.get()[i]);
  return arguments;
}

}  // namespace tavrin::standins::winhost
