#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "irc/nick.h"

// What the server says of itself in its 005 (ISUPPORT) lines, with the
// defaults of RFC 1459 until it does.
namespace tavrin::irc {

struct ServerFeatures {
  CaseMapping caseMapping = CaseMapping::kRfc1459;
  std::string channelTypes = "#&+!";
  // Rank modes, highest first, and the mark each shows as (PREFIX).
  std::string rankModes = "ov";
  std::string rankMarks = "@+";
  // Channel modes by how they take a parameter (CHANMODES): always (lists
  // and keys), only when set, never.
  std::string modesWithParam = "beIk";
  std::string modesWithParamWhenSet = "l";

  // Takes the tokens of one 005 line ("CASEMAPPING=ascii", ...).
  void Take(const std::vector<std::string>& tokens);

  bool IsChannel(std::string_view name) const;
  bool TakesParam(char mode, bool adding) const;
  // The rank of a mode or mark, 0 the highest; npos when it is none.
  std::size_t RankOfMode(char mode) const { return rankModes.find(mode); }
  std::size_t RankOfMark(char mark) const { return rankMarks.find(mark); }
};

}  // namespace tavrin::irc
