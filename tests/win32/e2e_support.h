#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "win32/base/win32_handles.h"

// Real processes and real windows for the end-to-end tests: the stand-in
// programs are started beside this test program and driven from outside.
namespace tavrin::e2e {

using namespace std::chrono_literals;

// The folder this test program runs from, where the other programs are.
std::wstring ProgramFolder();
// A fresh folder of its own under the temporary folder.
std::wstring NewTemporaryFolder();

// A started program; ended (if it still runs) when this goes away or
// another is put in its place.
class Process {
 public:
  Process() = default;
  static Process Start(const std::wstring& program, const std::wstring& arguments);
  bool Running() const;
  bool WaitForExit(std::chrono::milliseconds limit);
  DWORD Id() const { return id_; }
  // Terminates the program if it still runs and waits for it to go.
  void End();

  // Stops the program's first thread, its user-interface thread; true once
  // it has really stopped. Input sent to its windows meanwhile waits in its
  // queue.
  bool SuspendMainThread();
  bool ResumeMainThread();

  Process(Process&&) = default;
  Process& operator=(Process&& other) noexcept;
  ~Process();

 private:
  win32::UniqueKernelHandle handle_;
  win32::UniqueKernelHandle mainThread_;
  DWORD id_ = 0;
};

// Polls until `done` holds or the limit passes (windows of a just-started
// program can take seconds to appear under Wine).
bool WaitUntil(const std::function<bool()>& done,
               std::chrono::milliseconds limit = 30s,
               std::chrono::milliseconds poll = 20ms);

// Checks `holds` again and again over the whole period; false as soon as it
// fails once. For what must not happen: wait first for what comes before it.
bool HoldsFor(const std::function<bool()>& holds,
              std::chrono::milliseconds period);

HWND WaitForTopLevel(std::string_view className,
                     std::chrono::milliseconds limit = 30s);

// Sends one driver command to a stand-in's window; true when it was applied.
bool Drive(HWND window, std::string_view command);

// A window's text, asked with the wide messages (the ANSI length query
// ignores time-outs under Wine).
std::string WindowText(HWND window);

// The transcript window of room n (1-based) of the stand-in chat client.
HWND RoomTranscript(std::size_t room);
// The stand-in chat client's frame, once its first room is there too (the
// frame exists before the rooms are made).
HWND WaitForChatClient(std::chrono::milliseconds limit = 30s);

std::string ReadWholeFile(const std::wstring& path);
// The WM_COMMAND ids the stand-in player wrote to its log, in order.
std::vector<int> LoggedPlayerCommands(const std::wstring& logPath);
std::wstring ModulePathOfWindow(HWND window);
// The programs running from files in the folder or below it, by full path.
std::vector<std::wstring> ProcessesRunningFrom(const std::wstring& folder);

}  // namespace tavrin::e2e
