#pragma once

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "irc/connection.h"
#include "win32/base/win32_handles.h"
#include "win32/base/window_binding.h"

namespace tavrin::win32 {

// Winsock started for the program's life.
class WinsockSession {
 public:
  WinsockSession();
  ~WinsockSession();
  WinsockSession(const WinsockSession&) = delete;
  WinsockSession& operator=(const WinsockSession&) = delete;
};

// A TCP connection whose events arrive as window messages on the user-
// interface thread (WSAAsyncSelect), so nothing else runs on another
// thread but the name lookup.
class WinsockConnection final : public irc::Connection {
 public:
  WinsockConnection();
  ~WinsockConnection() override;
  WinsockConnection(const WinsockConnection&) = delete;
  WinsockConnection& operator=(const WinsockConnection&) = delete;

  void Open(const std::string& host, std::uint16_t port,
            irc::ConnectionEvents& events) override;
  void Send(std::string_view bytes) override;
  void Close() override;

 private:
  friend LRESULT CALLBACK BoundWindowProc<WinsockConnection>(HWND, UINT, WPARAM,
                                                            LPARAM) noexcept;
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  void Resolved(std::uint64_t attempt, ADDRINFOW* addresses);
  void ConnectNext();
  void SocketEvent(WORD event, WORD error);
  void ReadAll();
  void Flush();
  void Fail(const std::string& reason);
  void CloseSocket();

  UniqueWindow window_;
  irc::ConnectionEvents* events_ = nullptr;
  // Each Open counts up, so that a lookup finishing after a Close or a new
  // Open is let go.
  std::uint64_t attempt_ = 0;
  ADDRINFOW* addresses_ = nullptr;
  const ADDRINFOW* next_ = nullptr;
  SOCKET socket_ = INVALID_SOCKET;
  bool connected_ = false;
  std::string outbox_;
  std::string failure_;
};

}  // namespace tavrin::win32
