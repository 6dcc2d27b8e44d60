// Starts the program: the platform, then the main window; the program ends when its last
// window has closed.

#include <QApplication>
#include <QStyleFactory>

#include "ui/info/info_window.h"
#include "ui/main/form1.h"
#include "ui/main/messages.h"
#include "ui/main/settings_store.h"

#ifdef _WIN32
#include "platform/win32/win32_platform.h"
#else
#include <csignal>

#include "platform/posix/posix_platform.h"
#endif

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("dadiRaravor"));
    QApplication::setOrganizationName(QStringLiteral("dadiRaravor"));
    // One look on every system; the command buttons draw their classic faces themselves.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

#ifdef _WIN32
    auto platform = platform::win32::Win32Platform::Create();
#else
    // A full disk or a file-size limit must reach the batch run as a write error, not end it.
    std::signal(SIGXFSZ, SIG_IGN);
    auto platform = platform::posix::PosixPlatform::FromEnvironment();
#endif
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
