#include "ui/main/settings_store.h"

#include <QSettings>

namespace ui::mainwindow {
namespace {

const QString kSection = QStringLiteral("Optionen/");

}  // namespace

SettingsStore::SettingsStore() {
#ifdef _WIN32
    settings_ = std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\dadiRaravor"), QSettings::NativeFormat);
#else
    settings_ =
        std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                    QStringLiteral("dadiRaravor"), QStringLiteral("dadiRaravor"));
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
