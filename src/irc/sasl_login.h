#pragma once

#include <map>
#include <string>
#include <vector>

#include "irc/irc_message.h"

// The capability negotiation at sign-on (CAP LS 302) and, when the user has
// an account, its login with SASL PLAIN. Only "sasl" is requested: the
// client needs nothing else the servers offer. A failed login stops the
// sign-on; it is never tried again by itself.
namespace tavrin::irc {

class SaslLogin {
 public:
  // SASL's payloads go in pieces of this size.
  static constexpr std::size_t kPiece = 400;

  struct Line {
    std::string command;
    std::vector<std::string> params;
  };
  // What one server line asks of the session.
  struct Reply {
    std::vector<Line> send;
    std::vector<std::string> status;
    bool failed = false;
  };

  // Begins with CAP LS, before registration. The password is only sent
  // when `mayUsePassword` (the connection is private, or stays on this
  // computer).
  Reply Start(const std::string& account, const std::string& password,
              bool mayUsePassword);
  // A CAP or AUTHENTICATE line, a SASL numeric (900-908), or a 421 for CAP;
  // false, with nothing done, for any other line.
  bool Take(const Message& message, Reply& reply);
  // Registration finished (001) while the login was still to come: the
  // server took no part in it.
  Reply SignedOnFirst();

  bool LoggedIn() const { return state_ == State::kLoggedIn; }

 private:
  enum class State { kListing, kRequested, kMechanism, kCredentials, kLoggedIn, kEnded };

  void Listed(Reply& reply);
  void Failed(Reply& reply, const std::string& why);
  void NotOffered(Reply& reply);
  void Credentials(Reply& reply);
  void Numeric(const Message& message, Reply& reply);

  std::string account_;
  std::string password_;
  bool mayUsePassword_ = false;
  State state_ = State::kEnded;
  std::map<std::string, std::string> offered_;
};

}  // namespace tavrin::irc
