#include "settings/stored_path.h"

namespace tavrin::settings {

std::string StoredPath(platform::FileNames& names, std::string_view path) {
  if (names.FitsCodePage(path)) return std::string(path);
  const std::optional<std::string> shortPath = names.ShortPath(path);
  if (shortPath && names.FitsCodePage(*shortPath)) return *shortPath;
  return std::string(path);
}

}  // namespace tavrin::settings
