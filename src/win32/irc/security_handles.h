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

// The SSPI handles are two-word structures, not pointers, so they get
// owners of their own.
class CredentialsHandle {
 public:
  CredentialsHandle() = default;
  ~CredentialsHandle() { Reset(); }
  CredentialsHandle(const CredentialsHandle&) = delete;
  CredentialsHandle& operator=(const CredentialsHandle&) = delete;

  bool Valid() const { return valid_; }
  CredHandle* Get() { return &handle_; }
  // For the call that fills it; whatever was held is freed first.
  CredHandle* Put() {
    Reset();
    return &handle_;
  }
  void Adopt() { valid_ = true; }
  void Reset() {
    if (valid_) FreeCredentialsHandle(&handle_);
    valid_ = false;
    handle_ = {};
  }

 private:
  CredHandle handle_{};
  bool valid_ = false;
};

class SecurityContext {
 public:
  SecurityContext() = default;
  ~SecurityContext() { Reset(); }
  SecurityContext(const SecurityContext&) = delete;
  SecurityContext& operator=(const SecurityContext&) = delete;

  bool Valid() const { return valid_; }
  CtxtHandle* Get() { return valid_ ? &handle_ : nullptr; }
  CtxtHandle* Put() {
    Reset();
    return &handle_;
  }
  void Adopt() { valid_ = true; }
  void Reset() {
    if (valid_) DeleteSecurityContext(&handle_);
    valid_ = false;
    handle_ = {};
  }

 private:
  CtxtHandle handle_{};
  bool valid_ = false;
};

}  // namespace tavrin::win32
