#pragma once
// A platform that records what the info window asks of the system (opening an address,
// sleeping) and answers everything else with nothing.

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/short_paths_one_by_one.h"

namespace test_support {

class RecordingPlatform : public platform::Platform {
  public:
    struct ShellCall {
        std::string path;
        int showCommand;
        std::string operation;
    };

    std::vector<ShellCall> shellCalls;
    bool shellResult = true;
    int sleeps = 0;
    std::function<void()> onSleep;  // runs inside every sleep, e.g. to look at the window

    bool shellExecute(std::string_view path, int showCommand, std::string_view operation) override {
        shellCalls.push_back({std::string(path), showCommand, std::string(operation)});
        return shellResult;
    }

    void sleep(std::chrono::milliseconds) override {
        // A slide that never ends would hang the test run instead of failing it.
        if (++sleeps > 10000) {
            throw std::runtime_error("the slide-out does not end");
        }
        if (onSleep) {
            onSleep();
        }
    }

    std::optional<std::uint32_t> attributes(std::string_view) const override { return {}; }
    std::string shortPath(std::string_view) const override { return {}; }
    std::optional<std::string> environmentVariable(std::string_view) const override { return {}; }
    std::vector<platform::Entry> folderEntries(std::string_view) const override { return {}; }
    std::optional<std::string> fullPath(std::string_view) const override { return {}; }
    std::unique_ptr<platform::FolderClaim> claimFolder(std::string_view,
                                                       std::error_code& error) override {
        error = std::make_error_code(std::errc::permission_denied);
        return nullptr;
    }
    std::optional<std::filesystem::path> nativePath(std::string_view) const override { return {}; }
    std::unique_ptr<platform::Process> startCommand(std::string_view) override {
        throw std::runtime_error("the info window starts no command");
    }
    std::string programFolder() const override { return {}; }
    std::vector<platform::Drive> drives() const override { return {}; }
    char currentDrive() const override { return 'C'; }
    std::string currentFolder(char) const override { return "C:\\"; }
    std::error_code createFolder(std::string_view) override {
        return std::make_error_code(std::errc::permission_denied);
    }
    std::unique_ptr<platform::ShortPaths> shortPathsIn() const override {
        return platform::ShortPathsOneByOne(*this);
    }
    bool canCreateFilesIn(std::string_view) const override { return false; }
    std::optional<std::string> userDataFolder() const override { return {}; }
    std::optional<std::string> windowsPath(std::string_view) const override { return {}; }
    bool consoleTextIsUtf8() const override { return true; }
    std::string utf8ToConsole(std::string_view text) const override { return std::string(text); }
    bool consoleCanHold(std::string_view) const override { return true; }
};

}  // namespace test_support
