#include "batch/work_folder.h"

#include <system_error>

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

}  // namespace batch
