// listonly: runs one command line through the POSIX layer's command interpreter and waits for
// it, so the listing can be timed without the rest of the batch run.

#include <cctype>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>

#include "platform/posix/posix_platform.h"

int main(int argc, char** argv) {
    platform::posix::DriveMap drives;
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--drive" && i + 1 < argc) {
            const std::string value = argv[++i];
            if (value.size() < 3 || value[1] != '=')
                break;
            drives.add(static_cast<char>(std::toupper(static_cast<unsigned char>(value[0]))),
                       std::filesystem::absolute(value.substr(2)));
        } else if (commandLine.empty()) {
            commandLine = argument;
        } else {
            commandLine.clear();
            break;
        }
    }
    if (drives.folders().empty() || commandLine.empty()) {
        std::cerr << "usage: listonly --drive C=HOSTDIR [--drive ...] "
                     "'cmd /c  dir C:\\tree /b /s >C:\\tool\\list.tmp'\n";
        return 2;
    }
    platform::posix::PosixPlatform platform(std::move(drives), std::filesystem::current_path(),
                                            std::filesystem::current_path());
    return platform.startCommand(commandLine)->wait();
}
