// The process's environment as Windows reads it: names in any letter case.

#include <unistd.h>

#include "platform/posix/posix_platform.h"
#include "platform/windows_names.h"

namespace platform::posix {

std::optional<std::string> PosixPlatform::environmentVariable(std::string_view name) const {
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view variable(*entry);
        const std::size_t equals = variable.find('=');
        if (equals != std::string_view::npos && equals > 0 &&
            NamesEqualIgnoringCase(variable.substr(0, equals), name))
            return std::string(variable.substr(equals + 1));
    }
    // Windows always sets it; do.bat's "%COMSPEC% /c" is cmd here too.
    if (NamesEqualIgnoringCase(name, "COMSPEC"))
        return std::string(kWindowsCommandInterpreter);
    return std::nullopt;
}

}  // namespace platform::posix
