#include "platform/posix/command_interpreter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

#include "platform/cmd_words.h"
#include "platform/posix/directory_listing.h"
#include "platform/posix/drive_map.h"
#include "platform/posix/posix_platform.h"

namespace platform::posix {
namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;

using cmd::CommandTokens;
using cmd::IsBlank;
using cmd::Token;

// What "cmd [/u] /c" runs: the command text, with cmd's rule for a leading quote applied (the
// first quote and the last one are removed), and how its output is written.
struct InterpreterCommand {
    std::string command;
    ListingText text = ListingText::Utf8;
};

// Nullopt when the line does not start cmd that way.
std::optional<InterpreterCommand> CommandAfterInterpreter(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && IsBlank(line[i]))
        ++i;
    const std::size_t end = cmd::CommandWordEnd(line, i);
    if (!cmd::NamesInterpreter(line.substr(i, end - i)))
        return std::nullopt;
    InterpreterCommand result;
    // /u and /a choose how internal commands write into a file: UTF-16 or the code page.
    for (i = end;;) {
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        if (i + 1 >= line.size() || line[i] != '/')
            return std::nullopt;
        const char option = line[i + 1];
        i += 2;
        if (option == 'c' || option == 'C')
            break;
        if (option == 'u' || option == 'U')
            result.text = ListingText::Utf16;
        else if (option == 'a' || option == 'A')
            result.text = ListingText::Utf8;
        else
            return std::nullopt;
    }
    std::string& command = result.command;
    command = line.substr(i);
    if (const auto quotes = cmd::InterpreterStripsQuotes(command)) {
        if (quotes->last != quotes->first)
            command.erase(quotes->last, 1);
        command.erase(quotes->first, 1);
    }
    return result;
}

// "dir PATH /b /s" with its redirection, taken apart.
struct DirCommand {
    std::string path = ".";
    std::optional<std::string> output;
    bool append = false;
};

std::optional<DirCommand> ParseDirCommand(const std::vector<Token>& tokens) {
    DirCommand command;
    bool bare = false;
    bool subfolders = false;
    bool hasPath = false;
    if (tokens.empty() || tokens[0].isOperator || !NamesEqualIgnoringCase(tokens[0].text, "dir"))
        return std::nullopt;
    for (std::size_t i = 1; i < tokens.size(); ++i) {
        const Token& token = tokens[i];
        if (token.isOperator) {
            // Only output redirection is understood; chains and pipes are not run at all.
            if (token.text != ">" && token.text != ">>")
                return std::nullopt;
            if (i + 1 >= tokens.size() || tokens[i + 1].isOperator)
                return std::nullopt;
            command.output = tokens[++i].text;
            command.append = token.text == ">>";
        } else if (!token.text.empty() && token.text.front() == '/') {
            // Switches may be glued together: "/b/s".
            std::string_view rest = token.text;
            while (!rest.empty()) {
                rest.remove_prefix(1);
                const std::size_t next = rest.find('/');
                const std::string_view option = rest.substr(0, next);
                if (NamesEqualIgnoringCase(option, "b"))
                    bare = true;
                else if (NamesEqualIgnoringCase(option, "s"))
                    subfolders = true;
                else
                    return std::nullopt;
                rest = next == std::string_view::npos ? std::string_view{} : rest.substr(next);
            }
        } else {
            if (hasPath)
                return std::nullopt;
            command.path = token.text;
            hasPath = true;
        }
    }
    if (!bare || !subfolders)
        return std::nullopt;
    return command;
}

int RunDirCommand(const PosixPlatform& platform, const DirCommand& command, ListingText text,
                  UnnamedEntries& leftOut) {
    // As cmd does, the redirection target is opened before the command runs.
    int output = STDOUT_FILENO;
    if (command.output) {
        const auto file = platform.nativePath(*command.output);
        if (!file)
            return kFailure;
        // Opened without waiting and emptied only once it is known to be a regular file: a FIFO
        // or a device in its place fails the command and gets nothing.
        const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY |
                          (command.append ? O_APPEND : 0);
        output = ::open(file->c_str(), flags, 0666);
        if (output < 0)
            return kFailure;
        struct stat status {};
        if (::fstat(output, &status) != 0 || !S_ISREG(status.st_mode) ||
            ::fcntl(output, F_SETFL, flags & O_APPEND) != 0 ||
            (!command.append && ::ftruncate(output, 0) != 0)) {
            ::close(output);
            return kFailure;
        }
    }

    std::error_code error;
    const auto windowsFolder = platform.fullPath(command.path);
    const auto hostFolder = platform.resolveExisting(command.path);
    // A missing start folder leaves the list empty.
    if (windowsFolder && hostFolder)
        error = WriteDirectoryListing(*hostFolder, *windowsFolder, output, text, leftOut);

    if (output != STDOUT_FILENO && ::close(output) != 0 && !error)
        error = {errno, std::generic_category()};
    return error ? kFailure : kSuccess;
}

}  // namespace

int RunCommandLine(const PosixPlatform& platform, std::string_view commandLine,
                   UnnamedEntries& leftOut) {
    try {
        const auto command = CommandAfterInterpreter(commandLine);
        if (!command)
            return kFailure;
        const auto dir = ParseDirCommand(CommandTokens(command->command));
        if (!dir)
            return kFailure;
        return RunDirCommand(platform, *dir, command->text, leftOut);
    } catch (...) {
        // Nothing may escape the worker thread; a failure is cmd's error level 1.
        return kFailure;
    }
}

}  // namespace platform::posix
