#pragma once

#include <windows.h>
#include <wincrypt.h>
#define SECURITY_WIN32
#include <security.h>

#include <utility>

#include "win32/base/win32_handles.h"

// Owners of what the system's TLS and certificate calls hand out.
namespace tavrin::win32 {

inline void CloseCertStore(HCERTSTORE store) noexcept { CertCloseStore(store, 0); }

using UniqueCertContext = UniqueHandle<PCCERT_CONTEXT, &::CertFreeCertificateContext>;
using UniqueChainContext = UniqueHandle<PCCERT_CHAIN_CONTEXT, &::CertFreeCertificateChain>;
using UniqueCertStore = UniqueHandle<HCERTSTORE, &CloseCertStore>;
using UniqueLocalMemory = UniqueHandle<HLOCAL, &::LocalFree>;
using UniqueContextBuffer = UniqueHandle<void*, &::FreeContextBuffer>;

// The SSPI handles are two-word structures, not pointers, so they get an
// owner of their own.
template <SECURITY_STATUS(SEC_ENTRY* Free)(PSecHandle)>
class UniqueSecHandle {
 public:
  UniqueSecHandle() = default;
  ~UniqueSecHandle() { Reset(); }
  UniqueSecHandle(const UniqueSecHandle&) = delete;
  UniqueSecHandle& operator=(const UniqueSecHandle&) = delete;

  bool Valid() const { return valid_; }
  // nullptr while nothing is held, as the first call of a handshake wants.
  SecHandle* Get() { return valid_ ? &handle_ : nullptr; }
  // For the call that fills it; whatever was held is freed first.
  SecHandle* Put() {
    Reset();
    return &handle_;
  }
  void Adopt() { valid_ = true; }
  void Reset() {
    if (valid_) Free(&handle_);
    valid_ = false;
    handle_ = {};
  }

 private:
  SecHandle handle_{};
  bool valid_ = false;
};

using CredentialsHandle = UniqueSecHandle<&::FreeCredentialsHandle>;
using SecurityContext = UniqueSecHandle<&::DeleteSecurityContext>;

}  // namespace tavrin::win32
