#include <windows.h>

#include "player_window.h"
#include "standin_options.h"
#include "win32/base/message_pump.h"

using namespace tavrin::standins::winhost;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
  try {
    PlayerWindow player(ParseOptions(CommandLineArguments()));
    if (!player.Open(showCommand)) return 1;
    return tavrin::win32::RunMessageLoop();
  } catch (...) {
    return 3;
  }
}
