#pragma once
// The platform on Windows: the wide-character Win32 API, with UTF-8 converted at each call.
//
// do.bat is written in the code page cmd reads it in, its console's OEM code page, which is
// fixed when the platform is created.

#include <windows.h>

#include <memory>

#include "platform/platform.h"

namespace platform::win32 {

class Win32Platform : public Platform {
  public:
    static std::unique_ptr<Win32Platform> Create();

    std::optional<std::uint32_t> attributes(std::string_view path) const override;
    std::string shortPath(std::string_view path) const override;
    std::unique_ptr<ShortPaths> shortPathsIn() const override;
    std::optional<std::string> fullPath(std::string_view path) const override;
    std::optional<std::filesystem::path> nativePath(std::string_view path) const override;
    std::vector<Entry> folderEntries(std::string_view folder) const override;
    std::unique_ptr<Process> startCommand(std::string_view commandLine) override;
    std::string programFolder() const override;
    std::vector<Drive> drives() const override;
    char currentDrive() const override;
    std::string currentFolder(char drive) const override;
    std::unique_ptr<FolderClaim> claimFolder(std::string_view folder,
                                             std::error_code& error) override;
    bool canCreateFilesIn(std::string_view folder) const override;
    std::optional<std::string> userDataFolder() const override;
    std::optional<std::string> windowsPath(std::string_view hostPath) const override;
    std::error_code createFolder(std::string_view path) override;
    bool shellExecute(std::string_view path, int showCommand, std::string_view operation) override;
    void sleep(std::chrono::milliseconds duration) override;
    std::optional<std::string> environmentVariable(std::string_view name) const override;

    bool consoleTextIsUtf8() const override;
    std::string utf8ToConsole(std::string_view text) const override;
    bool consoleCanHold(std::string_view text) const override;

    // The code page of do.bat.
    UINT consoleCodePage() const { return consoleCodePage_; }

  private:
    explicit Win32Platform(UINT consoleCodePage) : consoleCodePage_(consoleCodePage) {}

    UINT consoleCodePage_;
};

}  // namespace platform::win32
