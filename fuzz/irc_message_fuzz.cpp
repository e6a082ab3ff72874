// The IRC client's whole portable side fed by a hostile server: bytes cut
// anywhere, lines built to pass for the user's own, nick changes, names
// lists, numerics, drops and reconnects, with the user typing in between
// and time passing; the capability negotiation and the account login
// answered at random. After every step the harness checks what reached the
// windows: no line breaks or control characters, no room line before its
// room opened, and a chat line "<nick>:\t" whose nick could be the user's
// only while the user's own typing is being echoed.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_input.h"
#include "irc/chat_client.h"
#include "irc/irc_text.h"
#include "irc/nick.h"
#include "irc_fakes.h"
#include "sim/virtual_clock.h"

namespace tavrin::fuzz {
namespace {

using irc::testing::FakeConnection;
using platform::Milliseconds;

// A view that holds every line to the client's promises as it comes.
class CheckingView final : public irc::ClientView {
 public:
  explicit CheckingView(const irc::ChatClient*& client) : client_(client) {}

  void NickChanged(const std::string& nick) override { CheckText(nick); }
  void RoomOpened(const std::string& channel) override { open_.push_back(channel); }
  void RoomClosed(const std::string& channel) override { std::erase(open_, channel); }
  void PeopleChanged(const std::string& channel,
                     const std::vector<std::string>& people) override {
    CheckOpen(channel);
    for (const auto& person : people) CheckText(person);
  }
  void TopicChanged(const std::string& channel, const std::string& topic) override {
    CheckOpen(channel);
    CheckText(topic);
  }
  void SettingsChanged(const irc::ClientSettings&) override {}
  void StatusLine(const std::string& line) override {
    Check(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos,
          "a status line holds a line break");
  }
  void RoomLine(const std::string& channel, const std::string& line) override {
    CheckOpen(channel);
    if (Tracing()) std::fprintf(stderr, "  %s| %s\n", channel.c_str(), Shown(line).c_str());
    const std::size_t tab = line.find('\t');
    CheckText(tab == std::string::npos ? line : line.substr(0, tab) + line.substr(tab + 1));
    if (tab == std::string::npos) return;
    const std::size_t colon = line.find(':');
    Check(colon + 1 == tab, "a TAB that does not follow the speaker's colon");
    const std::string speaker = line.substr(0, colon);
    const bool own = irc::MaybeSameNick(speaker, client_->Nick()) ||
                     irc::MaybeSameNick(speaker, irc::ShownText(client_->Nick()));
    Check(own == typing, own ? "a remote line passes for the user's own"
                             : "the user's echo under another name");
  }

  bool typing = false;

 private:
  void CheckOpen(const std::string& channel) {
    Check(std::find(open_.begin(), open_.end(), channel) != open_.end(),
          "a room is told something before it opened");
  }
  static void CheckText(std::string_view text) {
    for (const char c : text) {
      const auto byte = static_cast<unsigned char>(c);
      Check(byte >= 0x20 && byte != 0x7F, "a control character is shown");
    }
  }

  const irc::ChatClient*& client_;
  std::vector<std::string> open_;
};

constexpr std::string_view kNicks[] = {"Owner", "owner", "OWNER", "Owner_", "eve",
                                       "Ow\x02ner", "{owner}", "[OWNER]", "ev:e", ""};
constexpr std::string_view kRooms[] = {"#tavrin", "#TAVRIN", "#other", "&x", "bob"};
constexpr std::string_view kCommands[] = {
    "PRIVMSG", "NOTICE", "JOIN", "PART", "KICK", "QUIT", "NICK", "MODE", "TOPIC",
    "PING", "ERROR", "001", "005", "332", "353", "366", "433", "432"};

// The login's lines, whole or cut, in any order.
constexpr std::string_view kLoginLines[] = {
    ":srv CAP * LS :multi-prefix sasl=PLAIN,EXTERNAL", ":srv CAP * LS * :sasl",
    ":srv CAP * LS :sasl=EXTERNAL", ":srv CAP * LS", ":srv CAP Owner ACK :sasl",
    ":srv CAP Owner NAK :sasl", ":srv CAP Owner NEW :sasl", "AUTHENTICATE +",
    "AUTHENTICATE", ":srv 900 Owner x ann :Logged in", ":srv 903 Owner :ok",
    ":srv 904 Owner :SASL failed", ":srv 907 Owner", ":srv 421 Owner CAP :Unknown"};

std::string Pick(FuzzInput& input, const std::string_view* list, std::size_t count) {
  const std::size_t at = input.Below(count + 1);
  return at < count ? std::string(list[at]) : input.Bytes(12);
}

// A line a hostile server could send, built from likely parts.
std::string BuiltLine(FuzzInput& input) {
  std::string line = ":" + Pick(input, kNicks, std::size(kNicks)) + "!u@h ";
  line += Pick(input, kCommands, std::size(kCommands));
  const std::size_t params = input.Below(4);
  for (std::size_t i = 0; i < params; ++i) {
    line += " " + (input.Flag() ? Pick(input, kRooms, std::size(kRooms))
                                : Pick(input, kNicks, std::size(kNicks)));
  }
  if (input.Flag()) line += " :" + input.Bytes(40);
  return line + (input.Flag() ? "\r\n" : "\n");
}

void CheckSent(FakeConnection& connection) {
  for (const auto& line : connection.TakeLines()) {
    Check(line.size() <= 510, "a line sent is too long");
    Check(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos,
          "a line sent holds a line break or NUL");
  }
}

}  // namespace
}  // namespace tavrin::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tavrin;
  using namespace tavrin::fuzz;
  FuzzInput input(data, size);
  sim::VirtualClock clock;
  FakeConnection connection;
  const irc::ChatClient* watched = nullptr;
  CheckingView view(watched);
  irc::testing::FakeTlsEngines tls;
  irc::ChatClient client(connection, tls, clock, clock, view);
  watched = &client;
  irc::ClientSettings settings;
  settings.server = input.Flag() ? "irc.test" : "127.0.0.1";
  settings.tls = false;
  settings.nick = "Owner";
  if (input.Flag()) {
    settings.account = "ann";
    // Around the size whose payload fills one piece exactly.
    settings.accountPassword =
        input.Flag() ? std::string(290 + input.Below(5), 'p') : input.Bytes(16);
  }
  settings.channels = {"#tavrin"};
  client.Connect(settings);
  while (!input.Empty()) {
    switch (input.Below(7)) {
      case 0:
        if (connection.open) connection.Say(input.Bytes(64));
        break;
      case 1:
        if (connection.open) connection.Say(BuiltLine(input));
        break;
      case 2: {
        const std::string channel = input.Flag() ? "#tavrin" : Pick(input, kRooms, std::size(kRooms));
        const std::string text = input.Bytes(48);
        if (Tracing()) std::fprintf(stderr, "type %s\n", Shown(text).c_str());
        view.typing = true;
        client.Type(channel, text);
        view.typing = false;
        break;
      }
      case 3:
        clock.Advance(Milliseconds(input.Byte()) * 1000);
        break;
      case 4:
        if (connection.open && input.Flag()) {
          connection.Accept();
        } else if (connection.open) {
          connection.Drop("reset");
        } else if (input.Flag()) {
          client.Connect(settings);
        }
        break;
      case 5: {
        const std::string line = Pick(input, kLoginLines, std::size(kLoginLines));
        if (connection.open) connection.Say(line.substr(0, input.Below(line.size() + 1)) + "\r\n");
        break;
      }
      default:
        if (connection.open) connection.Say(":srv 001 " + Pick(input, kNicks, std::size(kNicks)) + " :hi\r\n");
        break;
    }
    CheckSent(connection);
  }
  return 0;
}
