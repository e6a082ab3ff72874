#include "irc/sasl_login.h"

#include "irc/base64.h"
#include "irc/irc_text.h"

namespace tavrin::irc {
namespace {

constexpr std::size_t kMostCapabilities = 200;

constexpr const char* kNotAgain =
    "Not connecting again by itself: change the account or password in Chat, Connect.";

bool ListHas(std::string_view list, std::string_view word, char separator) {
  while (!list.empty()) {
    const std::size_t end = std::min(list.find(separator), list.size());
    if (list.substr(0, end) == word) return true;
    list.remove_prefix(std::min(end + 1, list.size()));
  }
  return false;
}

}  // namespace

SaslLogin::Reply SaslLogin::Start(const std::string& account, const std::string& password,
                                  bool mayUsePassword) {
  account_ = account;
  password_ = password;
  mayUsePassword_ = mayUsePassword;
  offered_.clear();
  state_ = State::kListing;
  Reply reply;
  reply.send.push_back({"CAP", {"LS", "302"}});
  return reply;
}

bool SaslLogin::Take(const Message& message, Reply& reply) {
  const std::string& command = message.command;
  if (command == "AUTHENTICATE") {
    if (state_ == State::kMechanism && Param(message, 0) == "+") Credentials(reply);
    return true;
  }
  if (command == "421" && Param(message, 1) == "CAP") {
    // A server from before capabilities: registration goes on without them.
    if (state_ == State::kListing && !account_.empty()) NotOffered(reply);
    if (state_ == State::kListing) state_ = State::kEnded;
    return true;
  }
  if (command.size() == 3 && command >= "900" && command <= "908") {
    Numeric(message, reply);
    return true;
  }
  if (command != "CAP") return false;
  const std::string_view sub = Param(message, 1);
  if (sub == "LS" && state_ == State::kListing) {
    // "CAP * LS * :more..." until a reply without the "*".
    const bool more = message.params.size() > 3 && Param(message, 2) == "*";
    std::string_view caps = Param(message, more ? 3 : 2);
    while (!caps.empty()) {
      const std::size_t end = std::min(caps.find(' '), caps.size());
      const std::string_view cap = caps.substr(0, end);
      caps.remove_prefix(std::min(end + 1, caps.size()));
      // A server that lists without end gets no more room than a real list.
      if (cap.empty() || offered_.size() >= kMostCapabilities) continue;
      const std::size_t equals = cap.find('=');
      offered_[std::string(cap.substr(0, equals))] =
          equals == std::string_view::npos ? std::string() : std::string(cap.substr(equals + 1));
    }
    if (!more) Listed(reply);
  } else if (sub == "ACK" && state_ == State::kRequested) {
    if (ListHas(Param(message, 2), "sasl", ' ')) {
      state_ = State::kMechanism;
      reply.send.push_back({"AUTHENTICATE", {"PLAIN"}});
    }
  } else if (sub == "NAK" && state_ == State::kRequested) {
    NotOffered(reply);
  }
  return true;
}

SaslLogin::Reply SaslLogin::SignedOnFirst() {
  Reply reply;
  if (state_ != State::kLoggedIn && state_ != State::kEnded && !account_.empty()) {
    NotOffered(reply);
  }
  state_ = state_ == State::kLoggedIn ? state_ : State::kEnded;
  return reply;
}

void SaslLogin::Listed(Reply& reply) {
  if (account_.empty()) {
    state_ = State::kEnded;
    reply.send.push_back({"CAP", {"END"}});
    return;
  }
  const auto sasl = offered_.find("sasl");
  // Without a value the server names its mechanisms only when one fails.
  if (sasl == offered_.end() || (!sasl->second.empty() && !ListHas(sasl->second, "PLAIN", ','))) {
    return NotOffered(reply);
  }
  if (!mayUsePassword_) {
    return Failed(reply, "Not sending the password of " + ShownText(account_) +
                             " over a connection without TLS: turn TLS on in Chat, Connect.");
  }
  state_ = State::kRequested;
  reply.send.push_back({"CAP", {"REQ", "sasl"}});
}

void SaslLogin::Credentials(Reply& reply) {
  std::string plain = account_;
  plain.push_back('\0');
  plain += account_;
  plain.push_back('\0');
  plain += password_;
  const std::string payload = Base64(plain);
  for (std::size_t at = 0; at < payload.size(); at += kPiece) {
    reply.send.push_back({"AUTHENTICATE", {payload.substr(at, kPiece)}});
  }
  // A last piece of exactly full size would leave the server waiting.
  if (payload.size() % kPiece == 0) reply.send.push_back({"AUTHENTICATE", {"+"}});
  state_ = State::kCredentials;
}

void SaslLogin::Numeric(const Message& message, Reply& reply) {
  const std::string& code = message.command;
  if (state_ != State::kMechanism && state_ != State::kCredentials) return;
  if (code == "903" || code == "907") {
    state_ = State::kLoggedIn;
    reply.status.push_back("Logged in as " + ShownText(account_) + ".");
    reply.send.push_back({"CAP", {"END"}});
  } else if (code == "902" || code == "904" || code == "905" || code == "906") {
    std::string why = ShownText(message.params.empty() ? "" : message.params.back());
    Failed(reply, "Login as " + ShownText(account_) + " failed" +
                      (why.empty() ? std::string(".") : ": " + why));
  }
}

void SaslLogin::NotOffered(Reply& reply) {
  Failed(reply, "The server does not offer login with an account (SASL PLAIN), "
                "so " + ShownText(account_) + " cannot log in.");
}

void SaslLogin::Failed(Reply& reply, const std::string& why) {
  state_ = State::kEnded;
  reply.failed = true;
  reply.status.push_back(why);
  reply.status.push_back(kNotAgain);
}

}  // namespace tavrin::irc
