#pragma once

#include <winsock2.h>

#include <cstdint>

// TCP on 127.0.0.1 for the test's own servers and peers (Winsock must be
// started by the caller).
namespace tavrin::e2e {

sockaddr_in LoopbackAddress(std::uint16_t port);
// A socket connected to the loopback port, or INVALID_SOCKET.
SOCKET ConnectToLoopback(std::uint16_t port);

}  // namespace tavrin::e2e
