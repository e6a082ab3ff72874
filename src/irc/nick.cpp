#include "irc/nick.h"

namespace tavrin::irc {
namespace {

char FoldedChar(char c, CaseMapping mapping) {
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
  if (mapping == CaseMapping::kAscii) return c;
  switch (c) {
    case '[': return '{';
    case ']': return '}';
    case '\\': return '|';
    case '~': return mapping == CaseMapping::kRfc1459 ? '^' : c;
    default: return c;
  }
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsNickSymbol(char c) {
  return std::string_view("[]\\`_^{|}").find(c) != std::string_view::npos;
}

}  // namespace

CaseMapping CaseMappingNamed(std::string_view name) {
  if (name == "ascii") return CaseMapping::kAscii;
  if (name == "strict-rfc1459") return CaseMapping::kStrictRfc1459;
  return CaseMapping::kRfc1459;
}

std::string Folded(std::string_view name, CaseMapping mapping) {
  std::string folded;
  folded.reserve(name.size());
  for (const char c : name) folded.push_back(FoldedChar(c, mapping));
  return folded;
}

bool SameName(std::string_view a, std::string_view b, CaseMapping mapping) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldedChar(a[i], mapping) != FoldedChar(b[i], mapping)) return false;
  }
  return true;
}

bool MaybeSameNick(std::string_view a, std::string_view b) {
  return SameName(a, b, CaseMapping::kRfc1459);
}

bool ValidNick(std::string_view nick) {
  if (nick.empty() || nick.size() > 30) return false;
  if (!IsLetter(nick[0]) && !IsNickSymbol(nick[0])) return false;
  for (const char c : nick.substr(1)) {
    if (!IsLetter(c) && !IsNickSymbol(c) && !(c >= '0' && c <= '9') && c != '-') {
      return false;
    }
  }
  return true;
}

bool PlausibleSpeaker(std::string_view nick) {
  if (nick.empty()) return false;
  for (const char c : nick) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == ':' || c == ' ' || byte < 0x20 || byte == 0x7F) return false;
  }
  return true;
}

}  // namespace tavrin::irc
