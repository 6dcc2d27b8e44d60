#pragma once
// The program's per-user settings: string values in the section "Optionen" of the
// application dadiRaravor. On Windows they live in the registry below
// HKEY_CURRENT_USER\Software\dadiRaravor, elsewhere in an INI file in the user's configuration
// folder (QSettings' user scope, which tests move with QSettings::setPath). A store that cannot
// be read reads as empty; one that cannot be written loses the value and nothing else.

#include <QString>
#include <memory>

class QSettings;

namespace ui::mainwindow {

class SettingsStore {
  public:
    SettingsStore();
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The stored value, or `fallback` when there is none.
    QString read(const QString& key, const QString& fallback) const;
    // Stores the value at once, creating the entry when needed.
    void write(const QString& key, const QString& value);

  private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace ui::mainwindow
