#include <windows.h>

#include "chat_client.h"
#include "standin_options.h"
#include "standins/chat_model.h"
#include "win32/base/win32_text.h"
#include "win32/base/message_pump.h"

using namespace tavrin::standins::winhost;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
  try {
    const StandinOptions options = ParseOptions(CommandLineArguments());
    const std::string name =
        options.screenName.empty()
            ? std::string(tavrin::standins::kDefaultScreenName)
            : tavrin::win32::Utf8FromWide(options.screenName);
    ChatClient chat(name, options.logPath, options.transcriptCap);
    chat.ReportChanges(options.reportChanges);
    if (!chat.Open(showCommand, options.buddyList)) return 1;
    return tavrin::win32::RunMessageLoop();
  } catch (...) {
    return 3;
  }
}
