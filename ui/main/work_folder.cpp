#include "ui/main/work_folder.h"

#include <QStandardPaths>
#include <system_error>

#include "platform/platform.h"

namespace ui::mainwindow {
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

std::string WorkFolder(platform::Platform& platform, std::string_view dataFolder) {
    std::string program = platform.programFolder();
    if (program.empty() || platform.canCreateFilesIn(program))
        return program;
    const auto data = platform.windowsPath(dataFolder);
    if (!data || data->size() < 3 || !MakeFolders(platform, *data))
        return program;
    return *data;
}

std::string UserDataFolder() {
    // The generic location, not the application's: that one would add the organisation's
    // name as well (…/dadiRaravor/dadiRaravor).
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        return {};
    return (base + QStringLiteral("/dadiRaravor")).toStdString();
}

}  // namespace ui::mainwindow
