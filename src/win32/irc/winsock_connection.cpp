#include "win32/irc/winsock_connection.h"

#include <memory>
#include <stdexcept>

#include "win32/base/win32_text.h"

namespace tavrin::win32 {
namespace {

constexpr UINT kSocketMessage = WM_APP + 1;
constexpr UINT kResolvedMessage = WM_APP + 2;
constexpr UINT kFailedMessage = WM_APP + 3;
constexpr int kReadChunk = 16 * 1024;

// What the lookup thread is given; it owns this until it posts the result.
struct Lookup {
  HWND window;
  std::uint64_t attempt;
  std::wstring host;
  std::wstring port;
};

DWORD WINAPI LookUp(void* parameter) {
  std::unique_ptr<Lookup> lookup(static_cast<Lookup*>(parameter));
  ADDRINFOW hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  ADDRINFOW* addresses = nullptr;
  if (GetAddrInfoW(lookup->host.c_str(), lookup->port.c_str(), &hints,
                   &addresses) != 0) {
    addresses = nullptr;
  }
  // The window may be gone by now; then nobody takes the result.
  if (!PostMessageW(lookup->window, kResolvedMessage,
                    static_cast<WPARAM>(lookup->attempt),
                    reinterpret_cast<LPARAM>(addresses)) &&
      addresses != nullptr) {
    FreeAddrInfoW(addresses);
  }
  return 0;
}

std::string ErrorText(int error) {
  switch (error) {
    case WSAECONNREFUSED: return "the server refused the connection";
    case WSAETIMEDOUT: return "the server did not answer";
    case WSAECONNRESET: return "the connection was reset";
    case WSAENETUNREACH:
    case WSAEHOSTUNREACH: return "the server cannot be reached";
    default: return "network error " + std::to_string(error);
  }
}

}  // namespace

WinsockSession::WinsockSession() {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) {
    throw std::runtime_error("Winsock could not be started");
  }
}

WinsockSession::~WinsockSession() { WSACleanup(); }

WinsockConnection::WinsockConnection()
    : window_(CreateBoundMessageWindow(L"TavrinChatSocket", this)) {}

WinsockConnection::~WinsockConnection() {
  CloseSocket();
  if (addresses_ != nullptr) FreeAddrInfoW(addresses_);
}

void WinsockConnection::Open(const std::string& host, std::uint16_t port,
                             irc::ConnectionEvents& events) {
  Close();
  events_ = &events;
  ++attempt_;
  auto lookup = std::make_unique<Lookup>(
      Lookup{window_.get(), attempt_, WideFromUtf8(host), std::to_wstring(port)});
  // A name lookup can take seconds; the windows must not wait for it.
  const HANDLE thread = CreateThread(nullptr, 0, &LookUp, lookup.get(), 0, nullptr);
  if (thread == nullptr) return Fail("the server's name could not be looked up");
  lookup.release();
  CloseHandle(thread);
}

void WinsockConnection::Send(std::string_view bytes) {
  if (!connected_) return;
  outbox_.append(bytes);
  Flush();
}

void WinsockConnection::Close() {
  ++attempt_;
  CloseSocket();
  if (addresses_ != nullptr) FreeAddrInfoW(addresses_);
  addresses_ = nullptr;
  next_ = nullptr;
}

void WinsockConnection::CloseSocket() {
  if (socket_ != INVALID_SOCKET) closesocket(socket_);
  socket_ = INVALID_SOCKET;
  connected_ = false;
  outbox_.clear();
}

LRESULT WinsockConnection::HandleMessage(HWND window, UINT message,
                                         WPARAM wParam, LPARAM lParam) {
  if (message == kResolvedMessage) {
    Resolved(static_cast<std::uint64_t>(wParam),
             reinterpret_cast<ADDRINFOW*>(lParam));
    return 0;
  }
  if (message == kFailedMessage) {
    if (static_cast<std::uint64_t>(wParam) == attempt_ && events_ != nullptr) {
      events_->Closed(failure_);
    }
    return 0;
  }
  if (message == kSocketMessage) {
    // A message for a socket closed since is stale.
    if (static_cast<SOCKET>(wParam) == socket_ && socket_ != INVALID_SOCKET) {
      SocketEvent(WSAGETSELECTEVENT(lParam), WSAGETSELECTERROR(lParam));
    }
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void WinsockConnection::Resolved(std::uint64_t attempt, ADDRINFOW* addresses) {
  if (attempt != attempt_) {
    if (addresses != nullptr) FreeAddrInfoW(addresses);
    return;
  }
  if (addresses == nullptr) return Fail("the server's name was not found");
  addresses_ = addresses;
  next_ = addresses;
  ConnectNext();
}

void WinsockConnection::ConnectNext() {
  CloseSocket();
  for (; next_ != nullptr; next_ = next_->ai_next) {
    socket_ = socket(next_->ai_family, next_->ai_socktype, next_->ai_protocol);
    if (socket_ == INVALID_SOCKET) continue;
    if (WSAAsyncSelect(socket_, window_.get(), kSocketMessage,
                       FD_CONNECT | FD_READ | FD_WRITE | FD_CLOSE) == 0) {
      const int result = connect(socket_, next_->ai_addr,
                                 static_cast<int>(next_->ai_addrlen));
      if (result == 0 || WSAGetLastError() == WSAEWOULDBLOCK) {
        next_ = next_->ai_next;
        return;
      }
    }
    CloseSocket();
  }
  Fail("the server could not be reached");
}

void WinsockConnection::SocketEvent(WORD event, WORD error) {
  switch (event) {
    case FD_CONNECT:
      if (error != 0) {
        // Another address of the same name may answer.
        if (next_ != nullptr) return ConnectNext();
        return Fail(ErrorText(error));
      }
      connected_ = true;
      FreeAddrInfoW(addresses_);
      addresses_ = nullptr;
      next_ = nullptr;
      events_->Connected();
      return;
    case FD_READ:
      return ReadAll();
    case FD_WRITE:
      return Flush();
    case FD_CLOSE:
      // What the server said last comes before its close.
      ReadAll();
      if (socket_ != INVALID_SOCKET) {
        Fail(error == 0 ? "the server closed the connection" : ErrorText(error));
      }
      return;
    default:
      return;
  }
}

void WinsockConnection::ReadAll() {
  const std::uint64_t attempt = attempt_;
  char buffer[kReadChunk];
  while (socket_ != INVALID_SOCKET) {
    const int got = recv(socket_, buffer, sizeof buffer, 0);
    if (got > 0) {
      events_->Received(std::string_view(buffer, static_cast<std::size_t>(got)));
      // The client may have closed or reopened from inside.
      if (attempt != attempt_) return;
      continue;
    }
    if (got < 0 && WSAGetLastError() == WSAEWOULDBLOCK) return;
    // Zero is the server's orderly close; FD_CLOSE reports it.
    return;
  }
}

void WinsockConnection::Flush() {
  while (connected_ && !outbox_.empty()) {
    const int sent = send(socket_, outbox_.data(),
                          static_cast<int>(outbox_.size()), 0);
    if (sent > 0) {
      outbox_.erase(0, static_cast<std::size_t>(sent));
      continue;
    }
    // FD_WRITE comes when there is room again.
    if (WSAGetLastError() == WSAEWOULDBLOCK) return;
    return Fail(ErrorText(WSAGetLastError()));
  }
}

void WinsockConnection::Fail(const std::string& reason) {
  CloseSocket();
  if (addresses_ != nullptr) FreeAddrInfoW(addresses_);
  addresses_ = nullptr;
  next_ = nullptr;
  // Told from the loop, never from inside a Send.
  failure_ = reason;
  PostMessageW(window_.get(), kFailedMessage, static_cast<WPARAM>(attempt_), 0);
}

}  // namespace tavrin::win32
