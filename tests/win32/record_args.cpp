// A stand-in for a console command in do.bat: appends the arguments it was given, as a
// Windows program receives them, to the file named by RECORD_ARGS_FILE. One line per call,
// the arguments in UTF-8 separated by '|', which no file name can hold; then a tab and the
// content of the first argument that opens as a file, which tells which file really arrived.

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "platform/win32/wide_text.h"

namespace {

// Reads the file `name` into `content`; false when it cannot be read.
bool ReadFileNamed(const wchar_t* name, std::string& content) {
    FILE* in = _wfopen(name, L"rb");
    if (in == nullptr)
        return false;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
        content.append(buffer, got);
    const bool whole = !std::ferror(in);
    std::fclose(in);
    return whole;
}

}  // namespace

int main() {
    wchar_t file[4096];
    const DWORD length = GetEnvironmentVariableW(L"RECORD_ARGS_FILE", file, 4096);
    if (length == 0 || length >= 4096)
        return 2;

    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr)
        return 3;
    std::wstring line;
    std::string content;
    bool opened = false;
    for (int i = 1; i < count; ++i) {
        if (i > 1)
            line += L'|';
        line += arguments[i];
        if (!opened && GetFileAttributesW(arguments[i]) != INVALID_FILE_ATTRIBUTES &&
            (GetFileAttributesW(arguments[i]) & FILE_ATTRIBUTE_DIRECTORY) == 0)
            opened = ReadFileNamed(arguments[i], content);
    }
    LocalFree(arguments);
    const std::string bytes = platform::win32::Narrow(line) + "\t" + content + "\n";

    FILE* out = _wfopen(file, L"ab");
    if (out == nullptr)
        return 4;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written ? 0 : 5;
}
