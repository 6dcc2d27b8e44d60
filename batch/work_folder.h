#pragma once
// The folder that holds a batch run's list.tmp and do.bat, and the run there, for the window and
// the headless command alike.

#include <optional>
#include <string>
#include <string_view>

#include "batch/batch_run.h"
#include "platform/platform.h"

namespace batch {

// True when the program is installed there: below %ProgramFiles% or %ProgramFiles(x86)% (the
// zip unpacked there too), or the program folder of an install prefix (as cmake --install and
// the .deb lay it out: its desktop entry in ..\share\applications). Such a folder belongs to
// the system; the program never writes there, even where it may.
bool IsInstalledProgramFolder(const platform::Platform& platform, std::string_view programFolder);

// Where a run's list.tmp and do.bat go, chosen before anything is listed: the program folder
// of a portable program while it may create files there; otherwise the user's own data folder,
// created on demand (%LOCALAPPDATA%\dadiRaravor, ~/.local/share/dadiRaravor); none when that
// cannot be either.
struct WorkPlace {
    std::optional<std::string> folder;
    bool installed = false;
    std::string dataFolder;  // asked for (empty: the user has none), when it was
};
WorkPlace WorkFolder(platform::Platform& platform, std::string_view programFolder);

// One run as the program starts it, for the window and the headless command alike: list.tmp
// and do.bat in the work folder for `programFolder`; a failure of the platform midway ends with
// the message that names it ("Der Lauf wurde abgebrochen: …"); where no folder can take the
// files, the run is refused with one message that names the folders.
RunOutcome RunInWorkFolder(platform::Platform& platform, RunView& view, const RunSettings& settings,
                           std::string_view programFolder);

}  // namespace batch
