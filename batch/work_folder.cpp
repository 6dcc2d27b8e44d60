#include "batch/work_folder.h"

#include <exception>
#include <system_error>

#include "batch/german_reason.h"
#include "batch/run_messages.h"
#include "platform/windows_names.h"

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

// True when `folder` is `base` or lies below it, letter case ignored as Windows ignores it.
bool IsBelow(std::string_view folder, std::string_view base) {
    while (base.size() > 3 && base.back() == '\\')
        base.remove_suffix(1);
    return !base.empty() && folder.size() >= base.size() &&
           platform::NamesEqualIgnoringCase(folder.substr(0, base.size()), base) &&
           (folder.size() == base.size() || folder[base.size()] == '\\' || base.back() == '\\');
}

}  // namespace

bool IsInstalledProgramFolder(const platform::Platform& platform, std::string_view programFolder) {
    for (const char* variable : {"ProgramFiles", "ProgramFiles(x86)"}) {
        if (const auto base = platform.environmentVariable(variable);
            base && IsBelow(programFolder, *base))
            return true;
    }
    // cmake --install and the .deb put the desktop entry into share/ beside bin/.
    const std::string_view parent = programFolder.substr(0, programFolder.find_last_of('\\'));
    const auto entry =
        platform.attributes(std::string(parent) + "\\share\\applications\\dadiRaravor.desktop");
    return entry && (*entry & platform::kAttributeDirectory) == 0;
}

WorkPlace WorkFolder(platform::Platform& platform, std::string_view programFolder) {
    WorkPlace place;
    place.installed = !programFolder.empty() && IsInstalledProgramFolder(platform, programFolder);
    // A program found on no drive is left to the run, which says so.
    if (programFolder.empty() || (!place.installed && platform.canCreateFilesIn(programFolder))) {
        place.folder = std::string(programFolder);
        return place;
    }
    place.dataFolder = platform.userDataFolder().value_or("");
    if (place.dataFolder.size() >= 3 && MakeFolders(platform, place.dataFolder))
        place.folder = place.dataFolder;
    return place;
}

RunOutcome RunInWorkFolder(platform::Platform& platform, RunView& view, const RunSettings& settings,
                           std::string_view programFolder) {
    try {
        const WorkPlace place = WorkFolder(platform, programFolder);
        if (!place.folder) {
            view.showMessage(NoWorkFolderMessage(programFolder, place.installed, place.dataFolder));
            return RunOutcome::Refused;
        }
        return BatchRun(platform, view, settings, *place.folder);
    } catch (const std::exception& failure) {
        // The run stops where the platform failed it; say so rather than pretend it finished.
        view.setBusy(false);
        view.repaintWindow();
        view.showMessage(RunAbortedMessage(GermanReason(failure)));
        return RunOutcome::Aborted;
    }
}

}  // namespace batch
