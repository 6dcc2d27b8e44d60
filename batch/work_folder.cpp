#include "batch/work_folder.h"

#include <exception>
#include <system_error>

#include "batch/german_reason.h"
#include "batch/run_messages.h"

namespace batch {
namespace {

// Creates `folder` (a Windows path) and whatever of its ancestors is missing.
bool MakeFolders(platform::Platform& platform, const std::string& folder) {
    for (std::size_t end = folder.find('\\', 3);; end = folder.find('\\', end + 1)) {
        const std::string step = folder.substr(0, end);
        if (!platform.attributes(step)) {
            const std::error_code failed = platform.createFolder(step);
            if (failed && failed != std::errc::file_exists)
                return false;
        }
        if (end == std::string::npos)
            return platform.canCreateFilesIn(folder);
    }
}

}  // namespace

std::string WorkFolder(platform::Platform& platform, std::string_view programFolder) {
    if (programFolder.empty() || platform.canCreateFilesIn(programFolder))
        return std::string(programFolder);
    const auto data = platform.userDataFolder();
    if (!data || data->size() < 3 || !MakeFolders(platform, *data))
        return std::string(programFolder);
    return *data;
}

RunOutcome RunInWorkFolder(platform::Platform& platform, RunView& view,
                           const RunSettings& settings, std::string_view programFolder) {
    try {
        return BatchRun(platform, view, settings, WorkFolder(platform, programFolder));
    } catch (const std::exception& failure) {
        // The run stops where the platform failed it; say so rather than pretend it finished.
        view.setBusy(false);
        view.repaintWindow();
        view.showMessage(RunAbortedMessage(GermanReason(failure)));
        return RunOutcome::Aborted;
    }
}

}  // namespace batch
