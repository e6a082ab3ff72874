// The chain's parameters with the time limit on fetching a missing issuer;
// it must come before the first Windows header.
#define CERT_CHAIN_PARA_HAS_EXTRA_FIELDS
#include "win32/irc/schannel_engine.h"

// The current credentials form (SCH_CREDENTIALS) is declared only with
// this.
#define SCHANNEL_USE_BLACKLISTS
#include <subauth.h>
#include <schannel.h>
#include <bcrypt.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "win32/base/win32_text.h"

namespace tavrin::win32 {
namespace {

using irc::CertificateProblem;
using irc::TlsOutput;

constexpr unsigned long kRequests =
    ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT | ISC_REQ_CONFIDENTIALITY |
    ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_STREAM | ISC_REQ_EXTENDED_ERROR;

// A record is at most about 18 KB, so this much that the system cannot take
// is not TLS (under Wine a text answer is "incomplete" until 32 KB).
constexpr std::size_t kMaximumBuffered = 64 * 1024;

constexpr DWORD kIssuerFetchLimitMs = 5000;

constexpr DWORD kCredentialFlags =
    SCH_CRED_MANUAL_CRED_VALIDATION | SCH_CRED_NO_DEFAULT_CREDS | SCH_USE_STRONG_CRYPTO;

std::string Hex(DWORD code) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(code));
  return text;
}

// The system's own words for an error code, with the code.
std::string SystemText(DWORD code) {
  wchar_t* words = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
          FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&words), 0, nullptr);
  const UniqueLocalMemory owner(words);
  std::wstring_view text(words != nullptr ? words : L"", words != nullptr ? length : 0);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' ||
                           text.back() == L' ' || text.back() == L'.')) {
    text.remove_suffix(1);
  }
  if (text.empty()) return "error " + Hex(code);
  return Utf8FromWide(text) + " (" + Hex(code) + ")";
}

std::string ProtocolName(DWORD protocol) {
  if ((protocol & SP_PROT_TLS1_3) != 0) return "TLS 1.3";
  if ((protocol & SP_PROT_TLS1_2) != 0) return "TLS 1.2";
  return {};
}

CertificateProblem ProblemOfPolicy(DWORD error) {
  switch (error) {
    case ERROR_SUCCESS:
      return CertificateProblem::kNone;
    case static_cast<DWORD>(CERT_E_UNTRUSTEDROOT):
    case static_cast<DWORD>(CERT_E_UNTRUSTEDTESTROOT):
    case static_cast<DWORD>(CERT_E_UNTRUSTEDCA):
    case static_cast<DWORD>(CERT_E_CHAINING):
    case static_cast<DWORD>(TRUST_E_CERT_SIGNATURE):
      return CertificateProblem::kUntrusted;
    case static_cast<DWORD>(CERT_E_EXPIRED):
      return CertificateProblem::kExpired;
    case static_cast<DWORD>(CERT_E_CN_NO_MATCH):
      return CertificateProblem::kWrongName;
    case static_cast<DWORD>(CRYPT_E_REVOKED):
      return CertificateProblem::kRevoked;
    default:
      return CertificateProblem::kOther;
  }
}

// Wine's SSL policy passes a chain that stops at an unknown issuer (a
// server that sent only its own certificate), so the chain's own verdict
// is read as well. Revocation is never asked for: its "unknown" is no fault.
CertificateProblem ProblemOfChain(DWORD errors) {
  errors &= ~static_cast<DWORD>(CERT_TRUST_REVOCATION_STATUS_UNKNOWN |
                                CERT_TRUST_IS_OFFLINE_REVOCATION);
  if (errors == CERT_TRUST_NO_ERROR) return CertificateProblem::kNone;
  if ((errors & CERT_TRUST_IS_REVOKED) != 0) return CertificateProblem::kRevoked;
  if ((errors & (CERT_TRUST_IS_UNTRUSTED_ROOT | CERT_TRUST_IS_PARTIAL_CHAIN |
                 CERT_TRUST_IS_NOT_SIGNATURE_VALID | CERT_TRUST_IS_CYCLIC)) != 0) {
    return CertificateProblem::kUntrusted;
  }
  if ((errors & CERT_TRUST_IS_NOT_TIME_VALID) != 0) return CertificateProblem::kExpired;
  return CertificateProblem::kOther;
}

}  // namespace

SchannelEngine::SchannelEngine(CredentialsForm form) : form_(form) {}

SchannelEngine::~SchannelEngine() = default;

bool SchannelEngine::AcquireCredentials() {
  TimeStamp expiry{};
  if (form_ == CredentialsForm::kCurrent) {
    TLS_PARAMETERS parameters{};
    parameters.grbitDisabledProtocols = SP_PROT_SSL2_CLIENT | SP_PROT_SSL3_CLIENT |
                                        SP_PROT_TLS1_0_CLIENT | SP_PROT_TLS1_1_CLIENT;
    SCH_CREDENTIALS current{};
    current.dwVersion = SCH_CREDENTIALS_VERSION;
    current.dwFlags = kCredentialFlags;
    current.cTlsParameters = 1;
    current.pTlsParameters = &parameters;
    if (AcquireCredentialsHandleW(nullptr, const_cast<SEC_WCHAR*>(UNISP_NAME_W),
                                  SECPKG_CRED_OUTBOUND, nullptr, &current, nullptr,
                                  nullptr, credentials_.Put(), &expiry) == SEC_E_OK) {
      credentials_.Adopt();
      return true;
    }
  }
  SCHANNEL_CRED older{};
  older.dwVersion = SCHANNEL_CRED_VERSION;
  older.dwFlags = kCredentialFlags;
  older.grbitEnabledProtocols = SP_PROT_TLS1_2_CLIENT;
  if (AcquireCredentialsHandleW(nullptr, const_cast<SEC_WCHAR*>(UNISP_NAME_W),
                                SECPKG_CRED_OUTBOUND, nullptr, &older, nullptr,
                                nullptr, credentials_.Put(), &expiry) == SEC_E_OK) {
    credentials_.Adopt();
    return true;
  }
  return false;
}

TlsOutput SchannelEngine::Start(const std::string& host) {
  context_.Reset();
  incoming_.clear();
  established_ = false;
  protocol_.clear();
  error_.clear();
  requests_ = kRequests;
  host_ = WideFromUtf8(host);
  state_ = State::kHandshaking;
  TlsOutput out;
  if (!credentials_.Valid() && !AcquireCredentials()) {
    Fail("the system's TLS could not be used");
  } else {
    Negotiate(out, true);
  }
  return Report(std::move(out));
}

TlsOutput SchannelEngine::Feed(std::string_view bytes) {
  TlsOutput out;
  if (state_ != State::kHandshaking && state_ != State::kReady) {
    return Report(std::move(out));
  }
  incoming_.append(bytes);
  if (state_ == State::kHandshaking) Negotiate(out, false);
  if (state_ == State::kReady) Decrypt(out);
  if ((state_ == State::kHandshaking || state_ == State::kReady) &&
      incoming_.size() > kMaximumBuffered) {
    Fail("the server does not speak TLS");
  }
  return Report(std::move(out));
}

void SchannelEngine::Negotiate(TlsOutput& out, bool mustCall) {
  while (state_ == State::kHandshaking && (mustCall || !incoming_.empty())) {
    mustCall = false;
    const bool first = !context_.Valid();
    SecBuffer input[2] = {
        {static_cast<unsigned long>(incoming_.size()), SECBUFFER_TOKEN, incoming_.data()},
        {0, SECBUFFER_EMPTY, nullptr}};
    SecBufferDesc inputs{SECBUFFER_VERSION, 2, input};
    SecBuffer output[2] = {{0, SECBUFFER_TOKEN, nullptr}, {0, SECBUFFER_ALERT, nullptr}};
    SecBufferDesc outputs{SECBUFFER_VERSION, 2, output};
    unsigned long granted = 0;
    const SECURITY_STATUS status = InitializeSecurityContextW(
        credentials_.Get(), first ? nullptr : context_.Get(), host_.data(), requests_,
        0, 0, first ? nullptr : &inputs, 0, first ? context_.Put() : nullptr, &outputs,
        &granted, nullptr);
    const UniqueContextBuffer token(output[0].pvBuffer);
    const UniqueContextBuffer alert(output[1].pvBuffer);
    if (first && !FAILED(status)) context_.Adopt();
    // On a failure this holds the alert that tells the server why.
    const bool answered = token != nullptr && output[0].cbBuffer > 0;
    if (answered) {
      out.toServer.append(static_cast<const char*>(token.get()), output[0].cbBuffer);
    }
    if (status == SEC_E_INCOMPLETE_MESSAGE) {
      // A renegotiation the server asked for, with no bytes after the
      // request: Windows answers with a new hello, Wine's Schannel starts
      // nothing (it runs the handshake only over a whole record). Then the
      // request is let go and records are read as before; a handshake
      // record that does come is handed back by DecryptMessage.
      if (established_ && incoming_.empty() && !answered) {
        state_ = State::kReady;
      }
      return;
    }
    if (status == SEC_I_INCOMPLETE_CREDENTIALS) {
      // The server would like a certificate from us; we have none to give,
      // and the same bytes go in again saying so.
      if ((requests_ & ISC_REQ_USE_SUPPLIED_CREDS) == 0) {
        requests_ |= ISC_REQ_USE_SUPPLIED_CREDS;
        mustCall = true;
        continue;
      }
      return Fail("the server wants a client certificate");
    }
    if (status != SEC_E_OK && status != SEC_I_CONTINUE_NEEDED) {
      return Fail("the TLS handshake failed: " + SystemText(static_cast<DWORD>(status)));
    }
    if (!first) {
      const std::size_t extra = input[1].BufferType == SECBUFFER_EXTRA
                                    ? std::min<std::size_t>(input[1].cbBuffer, incoming_.size())
                                    : 0;
      incoming_.erase(0, incoming_.size() - extra);
    }
    if (status == SEC_E_OK) return HandshakeDone();
  }
}

void SchannelEngine::HandshakeDone() {
  SecPkgContext_ConnectionInfo connection{};
  if (QueryContextAttributesW(context_.Get(), SECPKG_ATTR_CONNECTION_INFO, &connection) !=
      SEC_E_OK) {
    return Fail("the TLS connection could not be read");
  }
  protocol_ = ProtocolName(connection.dwProtocol);
  if (protocol_.empty()) return Fail("the server offered only an old TLS version");
  SecPkgContext_StreamSizes sizes{};
  if (QueryContextAttributesW(context_.Get(), SECPKG_ATTR_STREAM_SIZES, &sizes) != SEC_E_OK ||
      sizes.cbMaximumMessage == 0) {
    return Fail("the TLS connection could not be read");
  }
  header_ = sizes.cbHeader;
  trailer_ = sizes.cbTrailer;
  maximumMessage_ = sizes.cbMaximumMessage;
  established_ = true;
  state_ = State::kReady;
}

void SchannelEngine::Decrypt(TlsOutput& out) {
  while (state_ == State::kReady && !incoming_.empty()) {
    SecBuffer buffers[4] = {
        {static_cast<unsigned long>(incoming_.size()), SECBUFFER_DATA, incoming_.data()},
        {0, SECBUFFER_EMPTY, nullptr},
        {0, SECBUFFER_EMPTY, nullptr},
        {0, SECBUFFER_EMPTY, nullptr}};
    SecBufferDesc message{SECBUFFER_VERSION, 4, buffers};
    const SECURITY_STATUS status = DecryptMessage(context_.Get(), &message, 0, nullptr);
    if (status == SEC_E_INCOMPLETE_MESSAGE) return;
    if (status != SEC_E_OK && status != SEC_I_RENEGOTIATE &&
        status != SEC_I_CONTEXT_EXPIRED) {
      return Fail("the server's data could not be read: " +
                  SystemText(static_cast<DWORD>(status)));
    }
    std::size_t extra = 0;
    for (const SecBuffer& buffer : buffers) {
      // The plain text lies inside incoming_, which is cut only after this.
      if (buffer.BufferType == SECBUFFER_DATA && buffer.pvBuffer != nullptr) {
        out.plain.append(static_cast<const char*>(buffer.pvBuffer), buffer.cbBuffer);
      }
      if (buffer.BufferType == SECBUFFER_EXTRA) extra = buffer.cbBuffer;
    }
    const std::size_t before = incoming_.size();
    incoming_.erase(0, before - std::min(extra, before));
    if (status == SEC_I_CONTEXT_EXPIRED) {
      state_ = State::kClosed;
      return;
    }
    if (status == SEC_I_RENEGOTIATE) {
      // Also how TLS 1.3's messages after the handshake (new tickets, key
      // updates) arrive: the bytes left over go back into the handshake.
      state_ = State::kHandshaking;
      Negotiate(out, true);
      continue;
    }
    // An OK with no text is no failure: it is how the server's close_notify
    // reads under Wine, and the socket's close follows.
    if (incoming_.size() == before) return;
  }
}

std::optional<std::string> SchannelEngine::Seal(std::string_view plain) {
  if (!established_ || state_ == State::kClosed || state_ == State::kFailed) {
    return std::nullopt;
  }
  std::string sealed;
  std::string record;
  while (!plain.empty()) {
    const std::size_t piece = std::min(plain.size(), maximumMessage_);
    record.assign(header_ + piece + trailer_, '\0');
    std::memcpy(record.data() + header_, plain.data(), piece);
    SecBuffer buffers[4] = {
        {static_cast<unsigned long>(header_), SECBUFFER_STREAM_HEADER, record.data()},
        {static_cast<unsigned long>(piece), SECBUFFER_DATA, record.data() + header_},
        {static_cast<unsigned long>(trailer_), SECBUFFER_STREAM_TRAILER,
         record.data() + header_ + piece},
        {0, SECBUFFER_EMPTY, nullptr}};
    SecBufferDesc message{SECBUFFER_VERSION, 4, buffers};
    if (EncryptMessage(context_.Get(), 0, &message, 0) != SEC_E_OK) {
      // The copy may hold a password.
      SecureZeroMemory(record.data(), record.size());
      return std::nullopt;
    }
    sealed.append(record.data(),
                  buffers[0].cbBuffer + buffers[1].cbBuffer + buffers[2].cbBuffer);
    plain.remove_prefix(piece);
  }
  return sealed;
}

irc::PeerCertificate SchannelEngine::Certificate() {
  irc::PeerCertificate result;
  if (!established_) {
    result.detail = "the TLS handshake is not done";
    return result;
  }
  PCCERT_CONTEXT sent = nullptr;
  if (QueryContextAttributesW(context_.Get(), SECPKG_ATTR_REMOTE_CERT_CONTEXT, &sent) !=
          SEC_E_OK ||
      sent == nullptr) {
    result.detail = "the server sent no certificate";
    return result;
  }
  const UniqueCertContext certificate(sent);
  // The certificate's own hash property is not there under Wine.
  DWORD length = static_cast<DWORD>(result.sha256.size());
  if (!CryptHashCertificate2(BCRYPT_SHA256_ALGORITHM, 0, nullptr,
                             certificate->pbCertEncoded, certificate->cbCertEncoded,
                             result.sha256.data(), &length) ||
      length != result.sha256.size()) {
    result.detail = "the certificate could not be hashed";
    return result;
  }

  LPSTR usages[] = {const_cast<LPSTR>(szOID_PKIX_KP_SERVER_AUTH),
                    const_cast<LPSTR>(szOID_SERVER_GATED_CRYPTO),
                    const_cast<LPSTR>(szOID_SGC_NETSCAPE)};
  CERT_CHAIN_PARA chainPara{};
  chainPara.cbSize = sizeof chainPara;
  chainPara.RequestedUsage.dwType = USAGE_MATCH_TYPE_OR;
  chainPara.RequestedUsage.Usage.cUsageIdentifier = ARRAYSIZE(usages);
  chainPara.RequestedUsage.Usage.rgpszUsageIdentifier = usages;
  // Windows may fetch an issuer the server left out, while the windows
  // wait: not for long.
  chainPara.dwUrlRetrievalTimeout = kIssuerFetchLimitMs;
  PCCERT_CHAIN_CONTEXT built = nullptr;
  // The intermediates the server sent come in the certificate's own store.
  if (!CertGetCertificateChain(nullptr, certificate.get(), nullptr,
                               certificate->hCertStore, &chainPara, 0, nullptr, &built)) {
    result.detail = SystemText(GetLastError());
    return result;
  }
  const UniqueChainContext chain(built);

  SSL_EXTRA_CERT_CHAIN_POLICY_PARA ssl{};
  ssl.cbSize = sizeof ssl;
  ssl.dwAuthType = AUTHTYPE_SERVER;
  ssl.pwszServerName = host_.data();
  CERT_CHAIN_POLICY_PARA policy{};
  policy.cbSize = sizeof policy;
  policy.pvExtraPolicyPara = &ssl;
  CERT_CHAIN_POLICY_STATUS verdict{};
  verdict.cbSize = sizeof verdict;
  if (!CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_SSL, chain.get(), &policy,
                                        &verdict)) {
    result.detail = SystemText(GetLastError());
    return result;
  }
  result.problem = ProblemOfPolicy(verdict.dwError);
  if (result.problem != CertificateProblem::kNone) {
    result.detail = SystemText(verdict.dwError);
    return result;
  }
  const DWORD chainErrors = chain->TrustStatus.dwErrorStatus;
  result.problem = ProblemOfChain(chainErrors);
  if (result.problem != CertificateProblem::kNone) {
    result.detail = "the certificate's chain of trust is not sound (" + Hex(chainErrors) + ")";
  }
  return result;
}

std::string SchannelEngine::Protocol() { return protocol_; }

void SchannelEngine::Fail(std::string reason) {
  state_ = State::kFailed;
  error_ = std::move(reason);
  incoming_.clear();
}

TlsOutput SchannelEngine::Report(TlsOutput out) const {
  out.state = state_;
  if (state_ == State::kFailed) out.error = error_;
  return out;
}

std::unique_ptr<irc::TlsEngine> SchannelEngines::Make() {
  return std::make_unique<SchannelEngine>(form_);
}

}  // namespace tavrin::win32
