#include "platform/win32/win32_platform.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cwctype>

#include "platform/win32/api_path.h"
#include "platform/win32/console_command.h"
#include "platform/win32/short_paths.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "platform/windows_names.h"

namespace platform::win32 {
namespace {

std::wstring DriveRoot(char letter) {
    return {static_cast<wchar_t>(letter), L':', L'\\'};
}

std::error_code FolderError(DWORD error) {
    switch (error) {
        case ERROR_ALREADY_EXISTS:
        case ERROR_FILE_EXISTS:
            return std::make_error_code(std::errc::file_exists);
        case ERROR_PATH_NOT_FOUND:
        case ERROR_FILE_NOT_FOUND:
            return std::make_error_code(std::errc::no_such_file_or_directory);
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_DIRECTORY:
            return std::make_error_code(std::errc::invalid_argument);
        case ERROR_FILENAME_EXCED_RANGE:
            return std::make_error_code(std::errc::filename_too_long);
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
            return std::make_error_code(std::errc::permission_denied);
        default:
            return {static_cast<int>(error), std::system_category()};
    }
}

// An open lock file that no other handle may share; the system deletes it when the handle is
// closed, also when the process dies.
class LockFileClaim : public FolderClaim {
  public:
    explicit LockFileClaim(UniqueHandle file) : file_(std::move(file)) {}

  private:
    UniqueHandle file_;
};

// Owns a search of FindFirstFileExW and ends it.
class FindHandle {
  public:
    explicit FindHandle(HANDLE search) : search_(search) {}
    ~FindHandle() {
        if (*this)
            FindClose(search_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    HANDLE get() const { return search_; }
    explicit operator bool() const { return search_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE search_;
};

}  // namespace

std::unique_ptr<Win32Platform> Win32Platform::Create() {
    // A drive without a medium must answer "not ready", not ask the user to insert one.
    SetErrorMode(GetErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    return std::unique_ptr<Win32Platform>(new Win32Platform(GetOEMCP()));
}

std::optional<std::uint32_t> Win32Platform::attributes(std::string_view path) const {
    if (path.empty())
        return std::nullopt;
    const DWORD bits = GetFileAttributesW(ApiPath(Widen(path)).c_str());
    if (bits == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    return bits;
}

std::string Win32Platform::shortPath(std::string_view path) const {
    if (path.empty())
        return {};
    const std::wstring wide = ApiPath(Widen(path));
    // The same first size as the classic 256-character buffer; a longer short form is
    // asked for again with the size the call names, so it is never cut off.
    return Narrow(WithoutLongPrefix(AskGrowing(256, [&](wchar_t* buffer, DWORD size) {
        return GetShortPathNameW(wide.c_str(), buffer, size);
    })));
}

std::unique_ptr<ShortPaths> Win32Platform::shortPathsIn() const {
    return ShortPathsByFolder(*this);
}

std::optional<std::filesystem::path> Win32Platform::nativePath(std::string_view path) const {
    if (path.empty())
        return std::nullopt;
    const std::wstring full = FullPath(Widen(path));
    if (full.empty())
        return std::nullopt;
    if (IsDrivePath(full)) {
        const std::wstring root = full.substr(0, 2) + L"\\";
        if (GetFileAttributesW(root.c_str()) == INVALID_FILE_ATTRIBUTES)
            return std::nullopt;
    }
    return std::filesystem::path(ApiPath(full));
}

std::vector<Entry> Win32Platform::folderEntries(std::string_view folder) const {
    std::vector<Entry> entries;
    if (folder.empty())
        return entries;
    std::wstring pattern = Widen(folder);
    // "D:" stays the drive's current folder, as Windows reads "D:*".
    if (pattern.back() != L'\\' && pattern.back() != L'/' && pattern.back() != L':')
        pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW found;
    const FindHandle search(FindFirstFileExW(ApiPath(pattern).c_str(), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr,
                                             FIND_FIRST_EX_LARGE_FETCH));
    if (!search)
        return entries;
    do {
        const std::wstring_view name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const DWORD bits = found.dwFileAttributes;
        entries.push_back({Narrow(name), (bits & FILE_ATTRIBUTE_DIRECTORY) != 0,
                           (bits & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0});
    } while (FindNextFileW(search.get(), &found));
    return entries;
}

std::unique_ptr<Process> Win32Platform::startCommand(std::string_view commandLine) {
    return StartConsoleCommand(commandLine);
}

std::string Win32Platform::programFolder() const {
    std::wstring file(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, file.data(), static_cast<DWORD>(file.size()));
        if (length == 0)
            return {};
        // A cut-off name fills the buffer exactly; only a shorter answer is whole.
        if (length < file.size()) {
            file.resize(length);
            break;
        }
        file.resize(file.size() * 2);
    }
    if (file.starts_with(L"\\\\?\\") && file.size() > 6 && file[5] == L':')
        file.erase(0, 4);
    const std::size_t separator = file.find_last_of(L"\\/");
    if (separator == std::wstring::npos)
        return {};
    std::wstring folder = file.substr(0, separator);
    if (folder.size() == 2 && folder[1] == L':')
        folder += L'\\';
    return Narrow(folder);
}

std::vector<Drive> Win32Platform::drives() const {
    std::vector<Drive> result;
    const DWORD present = GetLogicalDrives();
    for (int index = 0; index < 26; ++index) {
        if ((present & (1u << index)) == 0)
            continue;
        Drive drive;
        drive.letter = static_cast<char>('A' + index);
        wchar_t label[MAX_PATH + 1] = {};
        const std::wstring root = DriveRoot(drive.letter);
        // A letter without a root folder (a mapping gone stale) is not asked for its volume.
        drive.ready = GetDriveTypeW(root.c_str()) != DRIVE_NO_ROOT_DIR &&
                      GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr,
                                            nullptr, nullptr, 0) != FALSE;
        if (drive.ready)
            drive.label = Narrow(label);
        result.push_back(std::move(drive));
    }
    return result;
}

char Win32Platform::currentDrive() const {
    const std::wstring folder = AskGrowing(
        MAX_PATH, [](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
    // A current folder on a network share has no letter; the system drive stands in.
    const std::wstring_view source = IsDrivePath(folder) ? std::wstring_view(folder) : L"C:";
    return static_cast<char>(std::towupper(source[0]));
}

std::string Win32Platform::currentFolder(char drive) const {
    // Windows keeps a current folder per drive and resolves a bare "D:" to it.
    const wchar_t letter = static_cast<wchar_t>(std::towupper(static_cast<wchar_t>(drive)));
    const std::wstring bare{letter, L':'};
    std::wstring folder = FullPath(bare);
    if (folder.empty())
        folder = DriveRoot(static_cast<char>(letter));
    return Narrow(folder);
}

std::optional<std::string> Win32Platform::fullPath(std::string_view path) const {
    if (path.empty())
        return std::nullopt;
    const std::wstring full = FullPath(Widen(path));
    if (full.empty())
        return std::nullopt;
    return Narrow(full);
}

std::unique_ptr<FolderClaim> Win32Platform::claimFolder(std::string_view folder,
                                                        std::error_code& error) {
    std::wstring path = Widen(folder);
    if (!path.empty() && path.back() != L'\\')
        path += L'\\';
    path += L"dadiRaravor.lock";
    // Hidden, so that a listing of the program folder leaves it out as dir leaves out hidden
    // files.
    UniqueHandle file(CreateFileW(ApiPath(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE,
                                  nullptr));
    if (!file) {
        const DWORD reason = GetLastError();
        error = reason == ERROR_SHARING_VIOLATION
                    ? std::make_error_code(std::errc::resource_unavailable_try_again)
                    : FolderError(reason);
        return nullptr;
    }
    error.clear();
    return std::make_unique<LockFileClaim>(std::move(file));
}

bool Win32Platform::canCreateFilesIn(std::string_view folder) const {
    // Only trying tells: the rights come from access lists, and a folder's read-only bit means
    // nothing. The probe has a name of its own and goes away when its handle closes.
    std::wstring probe = Widen(folder);
    if (probe.empty())
        return false;
    if (probe.back() != L'\\' && probe.back() != L'/')
        probe += L'\\';
    probe += L"dadiRaravor-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
             std::to_wstring(GetTickCount64()) + L".tmp";
    const UniqueHandle file(
        CreateFileW(ApiPath(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return static_cast<bool>(file) || GetLastError() == ERROR_FILE_EXISTS;
}

std::optional<std::string> Win32Platform::userDataFolder() const {
    wchar_t* folder = nullptr;
    const HRESULT found =
        SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_DONT_VERIFY, nullptr, &folder);
    std::optional<std::string> result;
    if (SUCCEEDED(found) && folder != nullptr && *folder != L'\0')
        result = Narrow(folder) + "\\dadiRaravor";
    CoTaskMemFree(folder);
    return result;
}

std::optional<std::string> Win32Platform::windowsPath(std::string_view hostPath) const {
    if (hostPath.empty())
        return std::nullopt;
    std::string path(hostPath);
    std::replace(path.begin(), path.end(), '/', '\\');
    if (path.starts_with("\\\\?\\") && path.size() > 6 && path[5] == ':')
        path.erase(0, 4);
    return path;
}

std::error_code Win32Platform::createFolder(std::string_view path) {
    const std::wstring wide = Widen(path);
    // Asked first: Wine answers such a name with "path not found", blaming a parent that exists.
    const std::size_t separator = wide.find_last_of(L"\\/");
    const std::size_t nameStart = separator == std::wstring::npos ? 0 : separator + 1;
    if (wide.size() - nameStart > kLongestName)
        return std::make_error_code(std::errc::filename_too_long);
    // The system would drop a trailing dot or blank and make another folder, or open a device.
    if (RefusedAsNewName(Narrow(std::wstring_view(wide).substr(nameStart))))
        return std::make_error_code(std::errc::invalid_argument);
    if (CreateDirectoryW(ApiPath(wide).c_str(), nullptr))
        return {};
    return FolderError(GetLastError());
}

bool Win32Platform::shellExecute(std::string_view path, int showCommand,
                                 std::string_view operation) {
    const std::wstring file = Widen(path);
    const std::wstring verb = Widen(operation);
    const auto result =
        reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, verb.empty() ? nullptr : verb.c_str(),
                                                file.c_str(), nullptr, nullptr, showCommand));
    return result > 32;
}

void Win32Platform::sleep(std::chrono::milliseconds duration) {
    const auto count =
        std::clamp<std::chrono::milliseconds::rep>(duration.count(), 0, INFINITE - 1);
    Sleep(static_cast<DWORD>(count));
}

std::optional<std::string> Win32Platform::environmentVariable(std::string_view name) const {
    if (name.empty())
        return std::nullopt;
    const std::wstring wide = Widen(name);
    SetLastError(ERROR_SUCCESS);
    std::wstring value = AskGrowing(256, [&](wchar_t* buffer, DWORD size) {
        return GetEnvironmentVariableW(wide.c_str(), buffer, size);
    });
    // An empty value and a missing variable both answer 0; only the error tells them apart.
    if (value.empty() && GetLastError() == ERROR_ENVVAR_NOT_FOUND)
        return std::nullopt;
    return Narrow(value);
}

bool Win32Platform::consoleTextIsUtf8() const {
    return consoleCodePage_ == CP_UTF8;
}

std::string Win32Platform::utf8ToConsole(std::string_view text) const {
    if (consoleTextIsUtf8())
        return std::string(text);
    return ToCodePage(Widen(text), consoleCodePage_);
}

bool Win32Platform::consoleCanHold(std::string_view text) const {
    return CodePageCanHold(Widen(text), consoleCodePage_);
}

}  // namespace platform::win32
