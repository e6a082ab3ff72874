#include "irc/server_features.h"

namespace tavrin::irc {
namespace {

// "(ov)@+": modes and marks of equal length, or nothing changes.
void TakePrefix(ServerFeatures& features, std::string_view value) {
  const std::size_t close = value.find(')');
  if (value.empty() || value.front() != '(' || close == std::string_view::npos) return;
  const std::string_view modes = value.substr(1, close - 1);
  const std::string_view marks = value.substr(close + 1);
  if (modes.size() != marks.size()) return;
  features.rankModes = modes;
  features.rankMarks = marks;
}

// "A,B,C,D": A and B always take a parameter, C only when set.
void TakeChannelModes(ServerFeatures& features, std::string_view value) {
  std::vector<std::string_view> groups;
  for (std::size_t comma; (comma = value.find(',')) != std::string_view::npos;) {
    groups.push_back(value.substr(0, comma));
    value.remove_prefix(comma + 1);
  }
  groups.push_back(value);
  if (groups.size() < 3) return;
  features.modesWithParam = std::string(groups[0]) + std::string(groups[1]);
  features.modesWithParamWhenSet = groups[2];
}

}  // namespace

void ServerFeatures::Take(const std::vector<std::string>& tokens) {
  for (const std::string& token : tokens) {
    const std::size_t equals = token.find('=');
    if (equals == std::string::npos) continue;
    const std::string_view key = std::string_view(token).substr(0, equals);
    const std::string_view value = std::string_view(token).substr(equals + 1);
    if (key == "CASEMAPPING") {
      caseMapping = CaseMappingNamed(value);
    } else if (key == "CHANTYPES" && !value.empty()) {
      channelTypes = value;
    } else if (key == "PREFIX") {
      TakePrefix(*this, value);
    } else if (key == "CHANMODES") {
      TakeChannelModes(*this, value);
    }
  }
}

bool ServerFeatures::IsChannel(std::string_view name) const {
  return !name.empty() && channelTypes.find(name.front()) != std::string::npos;
}

bool ServerFeatures::TakesParam(char mode, bool adding) const {
  if (rankModes.find(mode) != std::string::npos) return true;
  if (modesWithParam.find(mode) != std::string::npos) return true;
  return adding && modesWithParamWhenSet.find(mode) != std::string::npos;
}

}  // namespace tavrin::irc
