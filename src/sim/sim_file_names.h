#pragma once

#include <map>
#include <string>

#include "platform/file_names.h"

namespace tavrin::sim {

// The sim desktop's files as the code page sees them: the code page is
// Windows-1252, and a test lays down each file with the short form the
// system would give its path.
class SimFileNames final : public platform::FileNames {
 public:
  // A file at `path`; `shortPath` is the path itself on a volume that keeps
  // no 8.3 aliases.
  void AddFile(std::string path, std::string shortPath) {
    files_[std::move(path)] = std::move(shortPath);
  }

  bool FitsCodePage(std::string_view text) override;
  std::optional<std::string> ShortPath(std::string_view path) override;

 private:
  std::map<std::string, std::string, std::less<>> files_;
};

}  // namespace tavrin::sim
