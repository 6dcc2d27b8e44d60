// A stand-in for a console command in do.bat: appends the arguments it was given, as a
// Windows program receives them, to the file named by RECORD_ARGS_FILE. One line per call,
// the arguments in UTF-8 separated by '|', which no file name can hold.

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "platform/win32/wide_text.h"

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
    for (int i = 1; i < count; ++i) {
        if (i > 1)
            line += L'|';
        line += arguments[i];
    }
    LocalFree(arguments);
    const std::string bytes = platform::win32::Narrow(line) + "\n";

    FILE* out = _wfopen(file, L"ab");
    if (out == nullptr)
        return 4;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written ? 0 : 5;
}
