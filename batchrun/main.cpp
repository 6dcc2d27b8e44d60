// dadiraravor-batchrun: one batch run without a window, for scripts. It runs as the start button
// does (batch::RunInWorkFolder), confirms every message at once and prints messages and the final
// status line on standard output; its exit code says how the run ended.

#include <cctype>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/german_reason.h"
#include "batch/run_messages.h"
#include "batch/work_folder.h"
#include "platform/host_platform.h"

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "platform/win32/wide_text.h"
#endif

namespace {

constexpr std::string_view kUsage =
    "usage: dadiraravor-batchrun --drive C=HOSTDIR [--drive D=HOSTDIR ...]\n"
    "           --program-folder 'C:\\tool' --start 'C:\\tree' --output 'C:\\out'\n"
    "           --extension tif --command 'test' [--use-output-folder]\n"
    "Runs one batch run as dadiRaravor's start button does, over the drives given (POSIX only;\n"
    "Windows uses its own drives), confirms every message and prints 'message: TEXT' per message\n"
    "(lines of one message joined by ' | ') and 'status: TEXT' for the final status line.\n"
    "Exit codes:\n"
    "  0  the run went through (also when no file matched)\n"
    "  1  the run stopped midway; its message says why\n"
    "  2  bad arguments (this text)\n"
    "  3  refused before anything was written: the command, the folders, another run there\n";

// The exit code for how a run ended.
int ExitCode(batch::RunOutcome outcome) {
    switch (outcome) {
        case batch::RunOutcome::Finished:
            return 0;
        case batch::RunOutcome::Stopped:
        case batch::RunOutcome::Aborted:
            return 1;
        case batch::RunOutcome::Refused:
            return 3;
    }
    return 1;
}

class ConsoleView : public batch::RunView {
  public:
    void setStatus(std::string_view text) override { status_.assign(text); }
    void repaintStatus() override {}
    void repaintWindow() override {}
    void showMessage(std::string_view text) override {
        std::string line(text);
        for (auto at = line.find('\n'); at != std::string::npos; at = line.find('\n', at))
            line.replace(at, 1, " | ");
        std::cout << "message: " << line << '\n';
    }
    const std::string& status() const { return status_; }

  private:
    std::string status_;
};

struct Arguments {
    std::string drives;  // "C=/srv;D=/x", as the platform takes them
    std::string programFolder;
    batch::RunSettings settings;
};

std::optional<Arguments> Parse(int argc, char** argv) {
    Arguments arguments;
    bool haveProgram = false, haveStart = false, haveOutput = false, haveExtension = false,
         haveCommand = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--use-output-folder") {
            arguments.settings.useOutputFolder = 1;
            continue;
        }
        if (i + 1 >= argc)
            return std::nullopt;
        const std::string value = argv[++i];
        if (option == "--drive") {
            if (value.size() < 3 || value[1] != '=' ||
                !std::isalpha(static_cast<unsigned char>(value[0])))
                return std::nullopt;
            arguments.drives += (arguments.drives.empty() ? "" : ";") + value;
        } else if (option == "--program-folder") {
            arguments.programFolder = value, haveProgram = true;
        } else if (option == "--start") {
            arguments.settings.startFolder = value, haveStart = true;
        } else if (option == "--output") {
            arguments.settings.outputFolder = value, haveOutput = true;
        } else if (option == "--extension") {
            arguments.settings.extension = value, haveExtension = true;
        } else if (option == "--command") {
            arguments.settings.command = value, haveCommand = true;
        } else {
            return std::nullopt;
        }
    }
    if (!(haveProgram && haveStart && haveOutput && haveExtension && haveCommand))
        return std::nullopt;
    return arguments;
}

}  // namespace

#ifdef _WIN32
// The C runtime hands main() its arguments in the ANSI code page, which cannot hold every
// name; the run takes UTF-8, so they are taken from the wide command line instead.
std::vector<std::string> Utf8Arguments() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i)
        arguments.push_back(platform::win32::Narrow(wide[i]));
    LocalFree(wide);
    return arguments;
}
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    std::vector<std::string> utf8 = Utf8Arguments();
    std::vector<char*> pointers;
    for (auto& argument : utf8)
        pointers.push_back(argument.data());
    argc = static_cast<int>(pointers.size());
    argv = pointers.data();
#endif
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--help") {
            std::cout << kUsage;
            return 0;
        }
    }
    const auto arguments = Parse(argc, argv);
#ifdef _WIN32
    const bool usable = arguments && arguments->drives.empty();
#else
    const bool usable = arguments && !arguments->drives.empty();
#endif
    if (!usable) {
        std::cerr << kUsage;
        return 2;
    }

    ConsoleView view;
    int exitCode = 1;
    try {
        const auto platform = platform::HostPlatform(arguments->drives);
        exitCode = ExitCode(batch::RunInWorkFolder(*platform, view, arguments->settings,
                                                   arguments->programFolder));
    } catch (const std::exception& failure) {  // the drives given cannot be mapped
        view.showMessage(batch::RunAbortedMessage(batch::GermanReason(failure)));
        return 1;
    }
    std::cout << "status: " << view.status() << '\n';
    return exitCode;
}
