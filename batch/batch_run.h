#pragma once
// The batch run: lists the tree below the start folder into list.tmp, picks the listed paths
// whose extension matches and appends one command line per match to do.bat, both in the
// program folder. It never runs do.bat. It reports through a RunView and knows no widgets.

#include <string>
#include <string_view>

#include "batch/run_view.h"
#include "platform/platform.h"

namespace batch {

// The five inputs of one run, read once from the main window.
struct RunSettings {
    std::string startFolder;   // whose whole tree is listed, as typed
    std::string outputFolder;  // must exist; the target folder when useOutputFolder is set
    std::string extension;     // without its dot, compared case-sensitively
    int useOutputFolder = 0;   // 0 clear, any other value ticked
    std::string command;       // put at the start of every batch line, exactly as typed
};

// How a run ended.
enum class RunOutcome {
    Finished,  // through to its closing message, also when nothing matched
    Refused,   // before anything was listed or written: its inputs, or another run there
    Stopped,   // midway, by a failure it names (a full disk, a list it could not read)
    Aborted,   // midway, by a failure of the platform it could not handle itself
};

// Runs once from start to end on the calling thread; `programFolder` is the folder that holds
// list.tmp and do.bat, without a trailing backslash except at a drive root. Throws what the
// platform throws and the run cannot handle (RunInWorkFolder reports it).
RunOutcome BatchRun(platform::Platform& platform, RunView& view, const RunSettings& settings,
              std::string_view programFolder);

}  // namespace batch
