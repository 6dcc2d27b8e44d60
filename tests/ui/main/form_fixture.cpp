#include "tests/ui/main/form_fixture.h"

#include <QListWidget>
#include <QSettings>

namespace ui_test {

#ifndef _WIN32
FormTest::FormTest() {
    tree.add({"c/prog/", "d/"});
    drives_.add('C', tree.path("c"));
    drives_.add('D', tree.path("d"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString(tree.path("config").string()));
}

FormTest::~FormTest() {
    form_.reset();  // the window goes before the platform it shows and the store it writes
}

void FormTest::mapDrive(char letter, std::string_view relativeFolder) {
    drives_.add(letter, tree.path(relativeFolder));
}

platform::posix::PosixPlatform& FormTest::platform() {
    if (!platform_) {
        platform_ = std::make_unique<platform::posix::PosixPlatform>(drives_, tree.path("c/prog"),
                                                                     tree.path("c"));
    }
    return *platform_;
}

QString FormTest::at(const QString& path) const {
    return path;
}

QStringList FormTest::driveRows(char letter) const {
    return {QString(QChar(letter).toLower()) + ":\\"};
}

void FormTest::hide(std::string_view) {}
#endif

ui::mainwindow::Form1& FormTest::form() {
    if (!form_) {
        settings_ = std::make_unique<ui::mainwindow::SettingsStore>();
        form_ = std::make_unique<ui::mainwindow::Form1>(platform(), messages, *settings_);
    }
    return *form_;
}

void FormTest::restart() {
    if (form_)
        form_->close();
    form_.reset();
    settings_.reset();
}

QString FormTest::stored(const QString& key) const {
    return ui::mainwindow::SettingsStore().read(key, QStringLiteral("<fehlt>"));
}

void FormTest::store(const QString& key, const QString& value) {
    ui::mainwindow::SettingsStore().write(key, value);
}

QStringList RowTexts(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.item(i)->text();
    return texts;
}

}  // namespace ui_test
