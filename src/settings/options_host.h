#pragma once

#include <string_view>

#include "platform/clock.h"
#include "platform/file_names.h"
#include "platform/forms.h"
#include "platform/profile_file.h"
#include "settings/save_frm.h"

namespace tavrin::settings {

// What the Options and Advertise Setup windows reach of the program that
// owns them: the ports they use, the settings holder, and the opening,
// closing and hand-back of windows, which only the owner does.
class OptionsHost {
 public:
  virtual ~OptionsHost() = default;

  virtual platform::FormsToolkit& Forms() = 0;
  virtual platform::Timers& Timers() = 0;
  virtual platform::ProfileFile& Profile() = 0;
  virtual platform::FileNames& FileNames() = 0;

  virtual SaveFRM& Save() = 0;

  // Options loaded when it is not, and otherwise shown again as it was
  // left; the setup window loaded, or made visible again while it is.
  virtual void ShowOptions() = 0;
  virtual void ShowSongAdvSetup() = 0;
  // A window that faded out hands over by its return tag.
  virtual void HandBack(std::string_view returnTag) = 0;
  // What a window calls as the last thing it does.
  virtual void UnloadOptions() = 0;
  virtual void UnloadSongAdvSetup() = 0;
};

}  // namespace tavrin::settings
