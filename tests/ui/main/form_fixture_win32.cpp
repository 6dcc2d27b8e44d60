// The main window's fixture on Windows: the real Win32 platform over a temporary folder, with
// the program's folder in it, the working folder moved into it and the settings in a registry
// key of the test's own.

#include <windows.h>

#include <QStringList>
#include <stdexcept>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"
#include "tests/ui/main/form_fixture.h"

namespace ui_test {
namespace {

using platform::win32::Narrow;
using platform::win32::Widen;

// The real platform, except that the program lives in the tree: a test's do.bat must not
// land beside the test program, where parallel tests would share it.
class ProgramInTree : public platform::Platform {
  public:
    explicit ProgramInTree(std::string programFolder)
        : real_(platform::win32::Win32Platform::Create()),
          programFolder_(std::move(programFolder)) {}

    std::string programFolder() const override { return programFolder_; }

    std::optional<std::uint32_t> attributes(std::string_view path) const override {
        return real_->attributes(path);
    }
    std::string shortPath(std::string_view path) const override { return real_->shortPath(path); }
    std::unique_ptr<platform::ShortPaths> shortPathsIn() const override {
        return real_->shortPathsIn();
    }
    std::optional<std::string> fullPath(std::string_view path) const override {
        return real_->fullPath(path);
    }
    std::optional<std::filesystem::path> nativePath(std::string_view path) const override {
        return real_->nativePath(path);
    }
    std::unique_ptr<platform::Process> startCommand(std::string_view commandLine) override {
        return real_->startCommand(commandLine);
    }
    std::vector<platform::Drive> drives() const override { return real_->drives(); }
    char currentDrive() const override { return real_->currentDrive(); }
    std::string currentFolder(char drive) const override { return real_->currentFolder(drive); }
    std::unique_ptr<platform::FolderClaim> claimFolder(std::string_view folder,
                                                       std::error_code& error) override {
        return real_->claimFolder(folder, error);
    }
    bool canCreateFilesIn(std::string_view folder) const override {
        return real_->canCreateFilesIn(folder);
    }
    // None: the runs of a test stay in its tree.
    std::optional<std::string> userDataFolder() const override { return std::nullopt; }
    std::optional<std::string> windowsPath(std::string_view hostPath) const override {
        return real_->windowsPath(hostPath);
    }
    std::error_code createFolder(std::string_view path) override {
        return real_->createFolder(path);
    }
    bool shellExecute(std::string_view path, int showCommand, std::string_view operation) override {
        return real_->shellExecute(path, showCommand, operation);
    }
    std::vector<platform::Entry> folderEntries(std::string_view folder) const override {
        return real_->folderEntries(folder);
    }
    void sleep(std::chrono::milliseconds duration) override { real_->sleep(duration); }
    std::optional<std::string> environmentVariable(std::string_view name) const override {
        return real_->environmentVariable(name);
    }
    bool consoleTextIsUtf8() const override { return real_->consoleTextIsUtf8(); }
    std::string utf8ToConsole(std::string_view text) const override {
        return real_->utf8ToConsole(text);
    }
    bool consoleCanHold(std::string_view text) const override {
        return real_->consoleCanHold(text);
    }

  private:
    std::unique_ptr<platform::win32::Win32Platform> real_;
    std::string programFolder_;
};

QString ShortForm(const std::filesystem::path& path) {
    const std::wstring wide = path.wstring();
    std::wstring shortPath(MAX_PATH, L'\0');
    const DWORD length = GetShortPathNameW(wide.c_str(), shortPath.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        throw std::runtime_error("no short form of " + path.string());
    shortPath.resize(length);
    return QString::fromStdWString(shortPath);
}

const wchar_t kProgramKey[] = L"Software\\dadiRaravor\\Optionen";

}  // namespace

// What the test borrows from the machine for its time: the working folder, and the registry's
// HKEY_CURRENT_USER, which for this process becomes a key of the test's own (parallel tests
// would share the program's key otherwise).
class FormTest::Machine {
  public:
    Machine(const QString& workingFolder, const std::wstring& userKey) : userKey_(userKey) {
        oldFolder_.resize(GetCurrentDirectoryW(0, nullptr));
        oldFolder_.resize(
            GetCurrentDirectoryW(static_cast<DWORD>(oldFolder_.size()), oldFolder_.data()));
        if (!SetCurrentDirectoryW(workingFolder.toStdWString().c_str()))
            throw std::runtime_error("cannot move into " + workingFolder.toStdString());
        if (RegCreateKeyExW(HKEY_CURRENT_USER, userKey_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &user_, nullptr) != ERROR_SUCCESS ||
            RegOverridePredefKey(HKEY_CURRENT_USER, user_) != ERROR_SUCCESS)
            throw std::runtime_error("no registry key of the test's own");
    }
    ~Machine() {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegCloseKey(user_);
        RegDeleteTreeW(HKEY_CURRENT_USER, userKey_.c_str());
        SetCurrentDirectoryW(oldFolder_.c_str());
    }
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;

  private:
    std::wstring oldFolder_;
    std::wstring userKey_;
    HKEY user_ = nullptr;
};

FormTest::FormTest() {
    tree.add({"c/prog/", "d/"});
    root_ = ShortForm(tree.root());
    machine_ = std::make_unique<Machine>(
        at("C:\\"), L"Software\\dadiRaravor-tests\\" + tree.root().filename().wstring());
}

FormTest::~FormTest() {
    form_.reset();  // the window goes before the platform it shows and the store it writes
    settings_.reset();
    machine_.reset();
}

void FormTest::mapDrive(char letter, std::string_view) {
    ADD_FAILURE() << "drive " << letter << ": cannot be mapped on Windows";
}

platform::Platform& FormTest::platform() {
    if (!platform_)
        platform_ = std::make_unique<ProgramInTree>(at("C:\\prog").toStdString());
    return *platform_;
}

QString FormTest::at(const QString& path) const {
    if (path.size() < 2 || path[1] != u':')
        return path;
    const QChar drive = path[0].toLower();
    if (drive != u'c' && drive != u'd')
        return path;
    const QString folder = root_ + u'\\' + drive;
    const QString rest = path.mid(2);
    return rest.isEmpty() || rest == "\\" ? folder : folder + rest;
}

QStringList FormTest::driveRows(char letter) const {
    QStringList rows = at(QString(QChar(letter)) + ':').split(u'\\');
    rows[0] = rows[0].toLower() + u'\\';
    return rows;
}

void FormTest::hide(std::string_view relative) {
    const std::wstring path = tree.path(relative).wstring();
    SetFileAttributesW(path.c_str(), GetFileAttributesW(path.c_str()) | FILE_ATTRIBUTE_HIDDEN);
}

QString FormTest::registryValue(const QString& name) const {
    DWORD type = 0;
    DWORD size = 0;
    const std::wstring value = name.toStdWString();
    if (RegGetValueW(HKEY_CURRENT_USER, kProgramKey, value.c_str(), RRF_RT_ANY | RRF_NOEXPAND,
                     &type, nullptr, &size) != ERROR_SUCCESS)
        return QStringLiteral("<fehlt>");
    if (type != REG_SZ)
        return QStringLiteral("<type %1>").arg(type);
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    RegGetValueW(HKEY_CURRENT_USER, kProgramKey, value.c_str(), RRF_RT_REG_SZ, nullptr, text.data(),
                 &size);
    text.resize(size / sizeof(wchar_t) - 1);  // without its terminating zero
    return QString::fromStdWString(text);
}

void FormTest::setRegistryValue(const QString& name, unsigned long type, const void* data,
                                unsigned long size) {
    const LSTATUS status = RegSetKeyValueW(HKEY_CURRENT_USER, kProgramKey,
                                           name.toStdWString().c_str(), type, data, size);
    ASSERT_EQ(status, ERROR_SUCCESS) << "registry value " << name.toStdString();
}

void FormTest::setRegistryText(const QString& name, const QString& text) {
    const std::wstring value = text.toStdWString();
    setRegistryValue(name, REG_SZ, value.c_str(), (value.size() + 1) * sizeof(wchar_t));
}

}  // namespace ui_test
