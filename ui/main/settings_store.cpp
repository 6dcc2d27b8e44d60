#include "ui/main/settings_store.h"

#include <QSettings>

#include "ui/main/settings_keys.h"

namespace ui::mainwindow {
namespace {

const QString kSection = QString::fromLatin1(settings_keys::kSection) + u'/';

}  // namespace

SettingsStore::SettingsStore() {
#ifdef _WIN32
    settings_ = std::make_unique<QSettings>(QString::fromLatin1(settings_keys::kRegistryPath),
                                            QSettings::NativeFormat);
#else
    settings_ = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QString::fromLatin1(settings_keys::kApplication),
                                            QString::fromLatin1(settings_keys::kApplication));
#endif
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::read(const QString& key, const QString& fallback) const {
    const QVariant value = settings_->value(kSection + key);
    if (!value.isValid())
        return fallback;
    // An INI line edited by hand may hold a comma, which QSettings reads as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u", ");
    return value.toString();
}

void SettingsStore::write(const QString& key, const QString& value) {
    settings_->setValue(kSection + key, value);
    settings_->sync();  // each write stands on its own, as if the program ended right after it
}

}  // namespace ui::mainwindow
