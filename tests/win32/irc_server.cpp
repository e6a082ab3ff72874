#include "irc_server.h"

#include <winsock2.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "e2e_support.h"
#include "loopback_socket.h"
#include "win32/base/win32_text.h"

namespace tavrin::e2e {
namespace {

class WinsockUse {
 public:
  WinsockUse() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
  }
  ~WinsockUse() { WSACleanup(); }
};


}  // namespace

bool RunUnixShell(const std::string& command) {
  std::wstring line = L"Z:\\bin\\sh -c \"" + win32::WideFromUtf8(command) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return false;
  }
  // For a Unix program Wine gives no process and leaves stray bytes where
  // the thread's handle would be: closing those once closed the test's own
  // standard output.
  if (process.hProcess != nullptr) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  return true;
}

std::wstring DosPath(const std::string& unixPath) {
  std::wstring path = L"Z:" + win32::WideFromUtf8(unixPath);
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

std::optional<int> RunUnixShellAndWait(const std::string& command,
                                       std::chrono::milliseconds limit) {
  // Wine hands back no process handle for a Unix program, so the shell
  // leaves its exit status in a file (renamed into place whole) instead.
  static unsigned serial = 0;
  const std::string status = "/tmp/tavrin-sh-" + std::to_string(GetCurrentProcessId()) +
                             "-" + std::to_string(++serial) + ".status";
  if (!RunUnixShell("(" + command + "); echo $? >" + status + ".part; mv " + status +
                    ".part " + status)) {
    return std::nullopt;
  }
  const std::wstring statusFile = DosPath(status);
  if (!WaitUntil([&] { return GetFileAttributesW(statusFile.c_str()) !=
                              INVALID_FILE_ATTRIBUTES; },
                 limit, 20ms)) {
    return std::nullopt;
  }
  const std::string code = ReadWholeFile(statusFile);
  DeleteFileW(statusFile.c_str());
  return std::atoi(code.c_str());
}

sockaddr_in LoopbackAddress(std::uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

SOCKET ConnectToLoopback(std::uint16_t port) {
  SOCKET connected = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  const sockaddr_in address = LoopbackAddress(port);
  if (connected != INVALID_SOCKET &&
      connect(connected, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    closesocket(connected);
    connected = INVALID_SOCKET;
  }
  return connected;
}

std::uint16_t FreeLoopbackPort() {
  const WinsockUse winsock;
  const SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = LoopbackAddress(0);
  int length = sizeof address;
  std::uint16_t port = 0;
  if (bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
    port = ntohs(address.sin_port);
  }
  closesocket(probe);
  return port;
}

bool Accepts(std::uint16_t port) {
  const WinsockUse winsock;
  const SOCKET probe = ConnectToLoopback(port);
  if (probe == INVALID_SOCKET) return false;
  closesocket(probe);
  return true;
}

IrcServer::IrcServer(Pacing pacing) { Configure(pacing, nullptr); }

IrcServer::IrcServer(const ServerCertificate& certificate, Pacing pacing) {
  Configure(pacing, &certificate);
}

void IrcServer::Configure(Pacing pacing, const ServerCertificate* certificate) {
  port_ = FreeLoopbackPort();
  if (certificate != nullptr) {
    do {
      tlsPort_ = FreeLoopbackPort();
    } while (tlsPort_ == port_);
  }
  unixFolder_ = "/tmp/tavrin-ircd-" + std::to_string(GetCurrentProcessId()) +
                "-" + std::to_string(port_);
  CreateDirectoryW(DosPath(unixFolder_).c_str(), nullptr);
  std::ofstream conf(std::filesystem::path(DosPath(unixFolder_ + "/ngircd.conf")));
  conf << "[Global]\nName = irc.test.local\nInfo = Tavrin test server\n"
       << "Listen = 127.0.0.1\nPorts = " << port_ << "\n"
       << "ServerUID = root\nServerGID = root\n"
       << "MotdPhrase = Tavrin test server\n"
       << "[Limits]\nMaxNickLength = 30\n"
       << (pacing == Pacing::kUnthrottled ? "MaxPenaltyTime = 0\n" : "")
       // Registration and joins without waiting on lookups or PAM.
       << "[Options]\nPAM = no\nIdent = no\nDNS = no\n"
       << "[Channel]\nName = #tavrin\n";
  if (certificate != nullptr) {
    const std::string files = certificate->unixFolder + "/" + certificate->name;
    // Without a DHFile the server spends half a minute making parameters.
    conf << "[SSL]\nCertFile = " << files << ".pem\nKeyFile = " << files << ".key\n"
         << "DHFile = " << certificate->unixFolder << "/dh.pem\n"
         << "Ports = " << tlsPort_ << "\n";
  }
  conf.close();
  Start();
}

bool IrcServer::Answers() const {
  return Accepts(port_) && (tlsPort_ == 0 || Accepts(tlsPort_));
}

IrcServer::~IrcServer() {
  Stop();
  RunUnixShell("rm -rf " + unixFolder_);
}

bool IrcServer::Start() {
  // The shell becomes the server, so its process id is the server's: the
  // server writes none itself in the foreground.
  if (!RunUnixShell("echo $$ >" + unixFolder_ + "/ngircd.pid; exec /usr/sbin/ngircd -n -f " +
                    unixFolder_ + "/ngircd.conf >>" + unixFolder_ + "/ngircd.log 2>&1")) {
    return false;
  }
  running_ = WaitUntil([this] { return Answers(); }, 20s, 50ms);
  return running_;
}

void IrcServer::Stop() {
  const std::wstring pidFile = DosPath(unixFolder_ + "/ngircd.pid");
  const std::string pid = ReadWholeFile(pidFile);
  if (pid.empty()) return;
  RunUnixShell("kill -TERM " + pid.substr(0, pid.find_first_of("\r\n")) +
               "; rm -f " + unixFolder_ + "/ngircd.pid");
  WaitUntil([this] { return !Accepts(port_); }, 20s, 50ms);
  running_ = false;
}

}  // namespace tavrin::e2e
