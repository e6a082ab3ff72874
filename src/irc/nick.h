#pragma once

#include <string>
#include <string_view>

// Nicks and channel names as IRC compares them.
namespace tavrin::irc {

// How the server folds letter case (its CASEMAPPING): "ascii" folds A-Z
// only; "rfc1459" also takes []\~ as the upper case of {}|^.
enum class CaseMapping { kAscii, kRfc1459, kStrictRfc1459 };

CaseMapping CaseMappingNamed(std::string_view name);
std::string Folded(std::string_view name, CaseMapping mapping);
bool SameName(std::string_view a, std::string_view b, CaseMapping mapping);

// Equal under the widest folding any server uses: where a line could pass
// for the user's own, "the same nick" must err on the side of yes.
bool MaybeSameNick(std::string_view a, std::string_view b);

// A nick the user may choose: 1 to 30 characters, the first a letter or one
// of []\`_^{|}, the rest also digits and '-'.
bool ValidNick(std::string_view nick);

// A name the server gave that can stand as a transcript line's speaker:
// not empty, no ':', no blank, no control character.
bool PlausibleSpeaker(std::string_view nick);

}  // namespace tavrin::irc
