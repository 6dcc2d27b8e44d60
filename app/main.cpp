// Starts the program: the platform, then the main window; the program ends when its last
// window has closed.

#include <QApplication>
#include <QStyleFactory>

#include "platform/host_platform.h"
#include "ui/info/info_window.h"
#include "ui/main/form1.h"
#include "ui/main/messages.h"
#include "ui/main/settings_store.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("dadiRaravor"));
    QApplication::setOrganizationName(QStringLiteral("dadiRaravor"));
    // One look on every system; the command buttons draw their classic faces themselves.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    const auto platform = platform::HostPlatform();
    ui::mainwindow::ModalMessages messages;
    ui::mainwindow::SettingsStore settings;
    // Built before the main window and gone after it: the window's connection never outlives it.
    ui::info::InfoWindow info(*platform);
    ui::mainwindow::Form1 form(*platform, messages, settings);
    QObject::connect(&form, &ui::mainwindow::Form1::infoRequested,
                     [&info, &form] { info.showFrom(form); });
    messages.setOwner(&form);
    form.show();
    return QApplication::exec();
}
