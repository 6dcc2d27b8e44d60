#pragma once
// What a batch run checks before it lists or writes anything: both folders, the extension, the
// command, the program folder; and where its two files are.

#include <string>
#include <string_view>
#include <variant>

#include "batch/batch_run.h"
#include "batch/typed_command.h"
#include "platform/platform.h"

namespace batch {

// Where the run's two files are: the short paths it opens them by, and the long ones the
// user knows, which the messages name.
struct RunFiles {
    std::string list;
    std::string batch;
    std::string listShown;
    std::string batchShown;
};

// What a run needs once its inputs have passed every check before the listing.
struct RunPlan {
    TypedCommand command;
    std::string startFolder;  // absolute, with backslashes, so that cmd cannot read it as a switch
    std::string shortProgramFolder;
    RunFiles files;
};

// The plan, or the message that refuses the run.
std::variant<RunPlan, std::string> PlanRun(const platform::Platform& platform,
                                           const RunSettings& settings,
                                           std::string_view programFolder);

}  // namespace batch
