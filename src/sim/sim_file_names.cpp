#include "sim/sim_file_names.h"

#include "sim/cp1252.h"

namespace tavrin::sim {

bool SimFileNames::FitsCodePage(std::string_view text) {
  return Utf8FromCp1252(Cp1252FromUtf8(text)) == text;
}

std::optional<std::string> SimFileNames::ShortPath(std::string_view path) {
  const auto found = files_.find(path);
  if (found == files_.end()) return std::nullopt;
  return found->second;
}

}  // namespace tavrin::sim
