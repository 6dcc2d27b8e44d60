#pragma once
// The folder that holds a batch run's list.tmp and do.bat, and the run there, for the window and
// the headless command alike.

#include <string>
#include <string_view>

#include "batch/batch_run.h"
#include "platform/platform.h"

namespace batch {

// `programFolder` while the program may create files there. An installed program's folder is
// not writable (/usr/bin, C:\Program Files): then the user's own data folder, created on demand.
// Where that cannot be, the program folder still, and the run says what it could not create
// there.
std::string WorkFolder(platform::Platform& platform, std::string_view programFolder);

// One run as the program starts it, for the window and the headless command alike: list.tmp
// and do.bat in the work folder for `programFolder`; a failure of the platform midway ends with
// the message that names it ("Der Lauf wurde abgebrochen: …").
RunOutcome RunInWorkFolder(platform::Platform& platform, RunView& view,
                           const RunSettings& settings, std::string_view programFolder);

}  // namespace batch
