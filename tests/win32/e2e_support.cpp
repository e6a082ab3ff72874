#include "e2e_support.h"

#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>
#include <utility>

#include "standin_client.h"
#include "win32/base/win32_text.h"

namespace tavrin::e2e {

std::wstring ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(),
                                          static_cast<DWORD>(path.size()));
  path.resize(length);
  return path.substr(0, path.find_last_of(L"\\/"));
}

// Process ids come round again from run to run, and earlier runs' folders
// stay: only a folder this call itself created is fresh. Its name is an 8.3
// name, "T" and seven hex digits: Wine makes a long name's short name from
// a small hash, so among the many folders runs leave behind two long names
// can share one, and a short path through it leads into the other folder.
std::wstring NewTemporaryFolder() {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  static unsigned serial = 0;
  for (;;) {
    wchar_t name[16];
    std::swprintf(name, 16, L"T%07X",
                  (GetCurrentProcessId() * 64 + ++serial) & 0xFFFFFFFu);
    const std::wstring folder = std::wstring(base) + name;
    if (CreateDirectoryW(folder.c_str(), nullptr)) return folder;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return folder;
  }
}

Process Process::Start(const std::wstring& program,
                       const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + program + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  Process process;
  if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr,
                     FALSE, 0, nullptr, nullptr, &startup, &info)) {
    process.mainThread_.reset(info.hThread);
    process.handle_.reset(info.hProcess);
    process.id_ = info.dwProcessId;
  } else {
    // Otherwise a test only sees that no window came.
    std::fprintf(stderr, "CreateProcess failed with error %lu\n", GetLastError());
  }
  return process;
}

bool Process::Running() const {
  return handle_ && WaitForSingleObject(handle_.get(), 0) == WAIT_TIMEOUT;
}

bool Process::WaitForExit(std::chrono::milliseconds limit) {
  return handle_ && WaitForSingleObject(handle_.get(),
                                        static_cast<DWORD>(limit.count())) ==
                        WAIT_OBJECT_0;
}

bool Process::SuspendMainThread() {
  if (!mainThread_ ||
      SuspendThread(mainThread_.get()) == static_cast<DWORD>(-1)) {
    return false;
  }
  // SuspendThread only asks the thread to stop; reading its registers
  // returns once it has.
  CONTEXT context{};
  context.ContextFlags = CONTEXT_CONTROL;
  return GetThreadContext(mainThread_.get(), &context) != FALSE;
}

bool Process::ResumeMainThread() {
  return mainThread_ &&
         ResumeThread(mainThread_.get()) != static_cast<DWORD>(-1);
}

void Process::End() {
  if (Running()) {
    TerminateProcess(handle_.get(), 1);
    WaitForSingleObject(handle_.get(), 5000);
  }
}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    End();
    handle_ = std::move(other.handle_);
    mainThread_ = std::move(other.mainThread_);
    id_ = std::exchange(other.id_, 0);
  }
  return *this;
}

Process::~Process() { End(); }

bool WaitUntil(const std::function<bool()>& done,
               std::chrono::milliseconds limit,
               std::chrono::milliseconds poll) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(poll);
  }
  return true;
}

bool HoldsFor(const std::function<bool()>& holds,
              std::chrono::milliseconds period) {
  const auto end = std::chrono::steady_clock::now() + period;
  do {
    if (!holds()) return false;
    std::this_thread::sleep_for(20ms);
  } while (std::chrono::steady_clock::now() < end);
  return holds();
}

HWND WaitForTopLevel(std::string_view className,
                     std::chrono::milliseconds limit) {
  const std::string name(className);
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindWindowA(name.c_str(), nullptr)) != nullptr; },
            limit);
  return found;
}

bool Drive(HWND window, std::string_view command) {
  return standins::winhost::Drive(window, command) ==
         standins::winhost::DriveResult::kApplied;
}

std::string WindowText(HWND window) {
  return win32::Utf8FromWide(
      standins::winhost::ReadWindowText(window).value_or(L""));
}

HWND RoomTranscript(std::size_t room) {
  return standins::winhost::FindRoomTranscript(room);
}

HWND WaitForChatClient(std::chrono::milliseconds limit) {
  if (!WaitUntil([] { return RoomTranscript(1) != nullptr; }, limit)) {
    return nullptr;
  }
  return FindWindowA("AOL Frame25", nullptr);
}

std::string ReadWholeFile(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<int> LoggedPlayerCommands(const std::wstring& logPath) {
  std::istringstream log(ReadWholeFile(logPath));
  std::vector<int> ids;
  for (std::string word; log >> word;) {
    if (word == "command") {
      int id = 0;
      log >> id;
      ids.push_back(id);
    }
  }
  return ids;
}

namespace {

// Empty when the process is gone or cannot be asked.
std::wstring ImagePathOfRunning(DWORD processId) {
  const win32::UniqueKernelHandle process(
      OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  DWORD exitCode = 0;
  if (!process || !GetExitCodeProcess(process.get(), &exitCode) ||
      exitCode != STILL_ACTIVE) {
    return {};
  }
  std::wstring path(32768, L'\0');
  DWORD size = static_cast<DWORD>(path.size());
  if (!QueryFullProcessImageNameW(process.get(), 0, path.data(), &size)) {
    return {};
  }
  path.resize(size);
  return path;
}

}  // namespace

std::wstring ModulePathOfWindow(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  return ImagePathOfRunning(processId);
}

std::vector<std::wstring> ProcessesRunningFrom(const std::wstring& folder) {
  const std::wstring prefix = folder + L"\\";
  std::vector<std::wstring> paths;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return paths;
  const win32::UniqueKernelHandle owned(snapshot);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more;
       more = Process32NextW(snapshot, &entry)) {
    const std::wstring path = ImagePathOfRunning(entry.th32ProcessID);
    if (path.size() > prefix.size() &&
        _wcsnicmp(path.c_str(), prefix.c_str(), prefix.size()) == 0) {
      paths.push_back(path);
    }
  }
  return paths;
}

}  // namespace tavrin::e2e
