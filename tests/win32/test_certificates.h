#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Certificates for the TLS tests, made by tests/win32/make-test-certs.sh;
// the test authority that issued them, trusted for a while; and a bare TLS
// server that shows one of them.
namespace tavrin::e2e {

// A fresh folder of certificates; removed when this goes.
class TestCertificates {
 public:
  TestCertificates();
  ~TestCertificates();
  TestCertificates(const TestCertificates&) = delete;
  TestCertificates& operator=(const TestCertificates&) = delete;

  bool Made() const { return made_; }
  // The folder as the Unix programs (the IRC server) see it.
  const std::string& UnixFolder() const { return unixFolder_; }
  // A file in it as the Windows programs see it.
  std::wstring Path(const std::string& file) const;
  // A leaf's SHA-256 as the user sees it (AA:BB:...); empty when unknown.
  std::string Fingerprint(const std::string& name) const;

 private:
  std::string unixFolder_;
  bool made_ = false;
};

// A certificate authority (a PEM file) that the current user trusts for as
// long as this lives. Only for Wine: on Windows, adding to the user's Root
// store asks the user first.
class TrustedAuthority {
 public:
  explicit TrustedAuthority(const std::wstring& pemPath);
  ~TrustedAuthority();
  TrustedAuthority(const TrustedAuthority&) = delete;
  TrustedAuthority& operator=(const TrustedAuthority&) = delete;

  bool Trusted() const { return trusted_; }

 private:
  std::vector<unsigned char> der_;
  bool trusted_ = false;
};

// openssl's test server on a loopback port, speaking one TLS version only:
// shows certificate `name` and keeps the plain text it receives.
class OpensslServer {
 public:
  enum class Version { kTls12, kTls11 };
  OpensslServer(const TestCertificates& certificates, const std::string& name,
                Version version);
  ~OpensslServer();
  OpensslServer(const OpensslServer&) = delete;
  OpensslServer& operator=(const OpensslServer&) = delete;

  bool Running() const { return running_; }
  std::uint16_t Port() const { return port_; }
  // All it has received so far.
  std::string Received() const;

 private:
  std::string files_;
  std::uint16_t port_ = 0;
  bool running_ = false;
};

}  // namespace tavrin::e2e
