#pragma once

#include <string_view>

namespace tavrin::platform {

// Window show commands, by their Windows numbers.
enum class ShowCommand : int { kShowMinimized = 2 };

// Starts programs.
class Launcher {
 public:
  virtual ~Launcher() = default;

  // Starts the program file at `path` as a new process, without arguments
  // and without waiting for it. The path is the program's file name, never a
  // command line: it is not split at blanks. False when it could not start.
  virtual bool Start(std::string_view path, ShowCommand show) = 0;
};

}  // namespace tavrin::platform
