#pragma once

#include "platform/clock.h"
#include "platform/forms.h"

namespace tavrin::commands {

// What the commands window reaches of the program that owns it.
class CommandsHost {
 public:
  virtual ~CommandsHost() = default;

  virtual platform::FormsToolkit& Forms() = 0;
  virtual platform::Timers& Timers() = 0;
  // What the window calls as the last thing it does.
  virtual void UnloadCommands() = 0;
};

}  // namespace tavrin::commands
