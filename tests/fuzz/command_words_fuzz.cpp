// Fuzzes the quoting of paths on command lines against the word splitting of the command
// interpreter: every path made of names Windows allows, put on a line as the batch run puts
// it, must come back from cmd's word splitting as one word equal to the path.
//
// The input is cut at backslashes into names; inputs with a name Windows refuses are not
// paths and are passed over.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "batch/command_line.h"
#include "platform/cmd_words.h"
#include "platform/windows_names.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using Words = std::vector<std::string>;

// cmd's word splitting (platform/cmd_words.h), operators among the words.
Words SplitCommandWords(std::string_view text) {
    Words words;
    for (auto& token : platform::cmd::CommandTokens(text))
        words.push_back(std::move(token.text));
    return words;
}

// What cmd does to a line of a batch file before it splits it: %% becomes %.
std::string ExpandPercents(std::string_view line) {
    std::string expanded;
    for (std::size_t i = 0; i < line.size(); ++i) {
        expanded += line[i];
        if (line[i] == '%' && i + 1 < line.size() && line[i + 1] == '%')
            ++i;
    }
    return expanded;
}

// A built-in such as copy reads a backslash before a closing quote as it stands, so a quoted
// piece's doubled trailing backslashes reach it doubled; Windows reads "a\\b" as "a\b".
// Paths made of names have no doubled backslash of their own.
Words WithSingleBackslashes(Words words) {
    for (std::string& word : words) {
        std::string single;
        for (const char c : word) {
            if (!(c == '\\' && !single.empty() && single.back() == '\\'))
                single += c;
        }
        word = std::move(single);
    }
    return words;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> names;
    for (std::size_t start = 0; start <= input.size();) {
        const std::size_t end = std::min(input.find('\\', start), input.size());
        names.push_back(input.substr(start, end - start));
        start = end + 1;
    }
    for (const auto name : names) {
        if (!platform::IsWindowsName(name))
            return 0;
    }

    for (const auto name : names) {
        FUZZ_CHECK(SplitCommandWords(batch::CommandLinePart(name)) ==
                       Words{std::string(name)},
                   name);
    }

    std::string path = "C:";
    for (const auto name : names)
        path += "\\" + std::string(name);
    const std::string list = path + "\\list.tmp";

    // The listing command as the batch run starts it.
    const std::string listing =
        "dir " + batch::CommandLinePart(path) + " /b /s >" + batch::CommandLinePart(list);
    FUZZ_CHECK(
        SplitCommandWords(listing) == (Words{"dir", path, "/b", "/s", ">", list}),
        path);

    // A file's path in a line of do.bat.
    const auto copy = batch::TypedCommand::Read("copy", [](auto) { return std::nullopt; });
    const std::string line =
        batch::BatchLine(std::get<batch::TypedCommand>(copy), path, "D:\\out").text;
    FUZZ_CHECK(WithSingleBackslashes(SplitCommandWords(ExpandPercents(line))) ==
                   (Words{"cmd", "/c", "copy", path, "D:\\out"}),
               path);
    return 0;
}
