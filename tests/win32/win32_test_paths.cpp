#include "tests/win32/win32_test_paths.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace win32_test {

using platform::win32::Narrow;
using platform::win32::Widen;

std::string WindowsPath(const std::filesystem::path& path) {
    std::filesystem::path preferred = path;
    preferred.make_preferred();
    return Narrow(preferred.wstring());
}

std::string LongForm(std::string_view path) {
    const std::wstring wide = Widen(path);
    wchar_t full[4096];
    DWORD length = GetFullPathNameW(wide.c_str(), 4096, full, nullptr);
    if (length == 0 || length >= 4096)
        return {};
    wchar_t longer[4096];
    length = GetLongPathNameW(full, longer, 4096);
    if (length == 0 || length >= 4096)
        return {};
    std::wstring result(longer, length);
    if (result.size() > 3 && result.back() == L'\\')
        result.pop_back();
    return Narrow(result);
}

bool SameFile(std::string_view a, std::string_view b) {
    const std::wstring longA = Widen(LongForm(a));
    const std::wstring longB = Widen(LongForm(b));
    return !longA.empty() &&
           CompareStringOrdinal(longA.c_str(), -1, longB.c_str(), -1, TRUE) == CSTR_EQUAL;
}

std::string TestProgramFolder() {
    wchar_t file[4096];
    const DWORD length = GetModuleFileNameW(nullptr, file, 4096);
    std::wstring path(file, length);
    return Narrow(path.substr(0, path.find_last_of(L'\\')));
}

}  // namespace win32_test
