#include "platform/win32/console_command.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <system_error>

#include "platform/cmd_words.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace platform::win32 {
namespace {

class ConsoleProcess : public Process {
  public:
    explicit ConsoleProcess(UniqueHandle process) : process_(std::move(process)) {}
    ~ConsoleProcess() override { WaitForSingleObject(process_.get(), INFINITE); }

    int wait() override {
        if (WaitForSingleObject(process_.get(), INFINITE) != WAIT_OBJECT_0)
            throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                    "waiting for the command interpreter");
        DWORD code = 0;
        if (!GetExitCodeProcess(process_.get(), &code))
            throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                    "reading the command interpreter's exit code");
        return static_cast<int>(code);
    }

    // The names cmd lists are the disk's own: none is one Windows cannot hold.
    UnnamedEntries leftOut() const override { return {}; }

    bool waitFor(std::chrono::milliseconds timeout) override {
        const auto milliseconds =
            static_cast<DWORD>(std::clamp<long long>(timeout.count(), 0, INFINITE - 1));
        const DWORD waited = WaitForSingleObject(process_.get(), milliseconds);
        if (waited == WAIT_TIMEOUT)
            return false;
        if (waited != WAIT_OBJECT_0)
            throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                    "waiting for the command interpreter");
        return true;
    }

  private:
    UniqueHandle process_;
};

std::wstring CommandInterpreter() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetEnvironmentVariableW(L"ComSpec", path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            break;
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(length);
    }
    path.assign(MAX_PATH, L'\0');
    const UINT length = GetSystemDirectoryW(path.data(), MAX_PATH);
    path.resize(length < MAX_PATH ? length : 0);
    return path + L"\\cmd.exe";
}

}  // namespace

std::unique_ptr<Process> StartConsoleCommand(std::string_view commandLine) {
    const std::wstring interpreter = CommandInterpreter();
    // cmd.exe reads its own command line; the first word only stands in for its name.
    const std::size_t start = commandLine.find_first_not_of(" \t");
    const bool startsCmd =
        start != std::string_view::npos &&
        cmd::NamesInterpreter(commandLine.substr(start, cmd::CommandWordEnd(commandLine, start) - start));
    std::wstring line = Widen(commandLine);
    if (!startsCmd)
        line = L"cmd /c " + line;

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(interpreter.c_str(), line.data(), nullptr, nullptr, FALSE,
                        CREATE_NEW_CONSOLE, nullptr, nullptr, &startup, &started)) {
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                "starting " + Narrow(interpreter));
    }
    CloseHandle(started.hThread);
    return std::make_unique<ConsoleProcess>(UniqueHandle(started.hProcess));
}

}  // namespace platform::win32
