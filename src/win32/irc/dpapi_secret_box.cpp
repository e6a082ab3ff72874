#include "win32/irc/dpapi_secret_box.h"

#include <windows.h>
#include <wincrypt.h>

#include "win32/irc/security_handles.h"

namespace tavrin::win32 {
namespace {

// Mixed into every seal, so that another program of the same user that
// opens whatever it finds does not open ours without knowing this.
constexpr char kEntropy[] = "Tavrin Chat: stored passwords, v1";

DATA_BLOB Blob(std::string_view bytes) {
  // The system reads these bytes and never writes them.
  return DATA_BLOB{static_cast<DWORD>(bytes.size()),
                   reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data()))};
}

}  // namespace

std::optional<std::string> DpapiSecretBox::Seal(std::string_view secret) {
  DATA_BLOB plain = Blob(secret);
  DATA_BLOB entropy = Blob(std::string_view(kEntropy, sizeof kEntropy - 1));
  DATA_BLOB sealed{};
  if (!CryptProtectData(&plain, L"Tavrin Chat", &entropy, nullptr, nullptr,
                        CRYPTPROTECT_UI_FORBIDDEN, &sealed)) {
    return std::nullopt;
  }
  const UniqueLocalMemory owner(sealed.pbData);
  return std::string(reinterpret_cast<const char*>(sealed.pbData), sealed.cbData);
}

std::optional<std::string> DpapiSecretBox::Open(std::string_view sealed) {
  DATA_BLOB input = Blob(sealed);
  DATA_BLOB entropy = Blob(std::string_view(kEntropy, sizeof kEntropy - 1));
  DATA_BLOB plain{};
  if (sealed.empty() ||
      !CryptUnprotectData(&input, nullptr, &entropy, nullptr, nullptr,
                          CRYPTPROTECT_UI_FORBIDDEN, &plain)) {
    return std::nullopt;
  }
  const UniqueLocalMemory owner(plain.pbData);
  std::string secret(reinterpret_cast<const char*>(plain.pbData), plain.cbData);
  // The system's copy goes back to the heap; ours is the caller's to keep.
  SecureZeroMemory(plain.pbData, plain.cbData);
  return secret;
}

}  // namespace tavrin::win32
