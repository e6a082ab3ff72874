#include "test_certificates.h"

#include <windows.h>
#include <wincrypt.h>

#include <string>

#include "e2e_support.h"
#include "irc_server.h"
#include "win32/irc/security_handles.h"

namespace tavrin::e2e {
namespace {

// The current user's Root store, as kept in the registry. Wine writes a
// change there only when the store is closed (and the chain engine reads
// the registry), so each change gets a store of its own; and a deletion
// through the system store (CERT_STORE_PROV_SYSTEM_W) reports success and
// keeps the certificate.
win32::UniqueCertStore OpenUserRoot() {
  return win32::UniqueCertStore(CertOpenStore(CERT_STORE_PROV_SYSTEM_REGISTRY_W, 0, 0,
                                              CERT_SYSTEM_STORE_CURRENT_USER, L"Root"));
}

}  // namespace

TestCertificates::TestCertificates()
    : unixFolder_("/tmp/tavrin-certs-" + std::to_string(GetCurrentProcessId())) {
  made_ = RunUnixShellAndWait("mkdir -p " + unixFolder_ + " && sh " +
                              TAVRIN_TEST_CERTS_SCRIPT + " " + unixFolder_ + " >" +
                              unixFolder_ + "/make.log 2>&1") == 0;
}

TestCertificates::~TestCertificates() { RunUnixShellAndWait("rm -rf " + unixFolder_); }

std::wstring TestCertificates::Path(const std::string& file) const {
  return DosPath(unixFolder_ + "/" + file);
}

std::string TestCertificates::Fingerprint(const std::string& name) const {
  std::string text = ReadWholeFile(Path(name + ".sha256"));
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

TrustedAuthority::TrustedAuthority(const std::wstring& pemPath) {
  const std::string pem = ReadWholeFile(pemPath);
  DWORD size = 0;
  if (pem.empty() ||
      !CryptStringToBinaryA(pem.data(), static_cast<DWORD>(pem.size()),
                            CRYPT_STRING_BASE64HEADER, nullptr, &size, nullptr, nullptr)) {
    return;
  }
  der_.resize(size);
  if (!CryptStringToBinaryA(pem.data(), static_cast<DWORD>(pem.size()),
                            CRYPT_STRING_BASE64HEADER, der_.data(), &size, nullptr,
                            nullptr)) {
    return;
  }
  der_.resize(size);
  const win32::UniqueCertStore root = OpenUserRoot();
  trusted_ = root != nullptr &&
             CertAddEncodedCertificateToStore(root.get(), X509_ASN_ENCODING, der_.data(),
                                              size, CERT_STORE_ADD_REPLACE_EXISTING,
                                              nullptr);
}

TrustedAuthority::~TrustedAuthority() {
  if (!trusted_) return;
  const win32::UniqueCertStore root = OpenUserRoot();
  const win32::UniqueCertContext authority(CertCreateCertificateContext(
      X509_ASN_ENCODING, der_.data(), static_cast<DWORD>(der_.size())));
  if (root == nullptr || authority == nullptr) return;
  // Deleting frees the context it is given.
  const PCCERT_CONTEXT found = CertFindCertificateInStore(
      root.get(), X509_ASN_ENCODING, 0, CERT_FIND_EXISTING, authority.get(), nullptr);
  if (found != nullptr) CertDeleteCertificateFromStore(found);
}

OpensslServer::OpensslServer(const TestCertificates& certificates, const std::string& name,
                             Version version) {
  port_ = FreeLoopbackPort();
  files_ = certificates.UnixFolder() + "/openssl-" + std::to_string(port_);
  const std::string leaf = certificates.UnixFolder() + "/" + name;
  // Its input is a pipe that stays open and silent: at the end of its input
  // the server would stop, and on a plain file it would spin.
  RunUnixShell("mkfifo " + files_ + ".in; echo $$ >" + files_ + ".pid; exec openssl s_server" +
               " -quiet -accept " + std::to_string(port_) + " -cert " + leaf +
               ".pem -key " + leaf + ".key" +
               (version == Version::kTls11 ? " -tls1_1 -cipher DEFAULT:@SECLEVEL=0"
                                           : " -tls1_2") +
               " <>" + files_ + ".in >" + files_ + ".out 2>" + files_ + ".log");
  running_ = WaitUntil([this] { return Accepts(port_); }, 20s, 50ms);
}

OpensslServer::~OpensslServer() {
  const std::string pid = ReadWholeFile(DosPath(files_ + ".pid"));
  if (pid.empty()) return;
  RunUnixShellAndWait("kill " + pid.substr(0, pid.find_first_of("\r\n")));
  WaitUntil([this] { return !Accepts(port_); }, 20s, 50ms);
}

std::string OpensslServer::Received() const { return ReadWholeFile(DosPath(files_ + ".out")); }

}  // namespace tavrin::e2e
