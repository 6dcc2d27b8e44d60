#pragma once
// The folder that holds a batch run's list.tmp and do.bat.

#include <string>
#include <string_view>

namespace platform {
class Platform;
}

namespace ui::mainwindow {

// The program folder while the program may create files there. An installed program's folder
// is not writable (/usr/bin, C:\Program Files); then the user's own data folder `dataFolder` (a
// host path in UTF-8), created on demand, on its drive. Where that cannot be, the program folder
// still, and the run says what it could not create there.
std::string WorkFolder(platform::Platform& platform, std::string_view dataFolder);

// The user's data folder for the program: ~/.local/share/dadiRaravor,
// %LOCALAPPDATA%\dadiRaravor; a host path in UTF-8.
std::string UserDataFolder();

}  // namespace ui::mainwindow
