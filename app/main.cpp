// Starts the program: the platform, then the main window; the program ends when its last
// window has closed.

#include <QApplication>
#include <QStyleFactory>

#include "ui/main/form1.h"
#include "ui/main/messages.h"
#include "ui/main/settings_store.h"

#ifdef _WIN32
#include "platform/win32/win32_platform.h"
#else
#include "platform/posix/posix_platform.h"
#endif

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("dadiRaravor"));
    QApplication::setOrganizationName(QStringLiteral("dadiRaravor"));
    // One look on every system, and one that honours the coloured button faces.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

#ifdef _WIN32
    auto platform = platform::win32::Win32Platform::Create();
#else
    auto platform = platform::posix::PosixPlatform::FromEnvironment();
#endif
    ui::main::ModalMessages messages;
    ui::main::SettingsStore settings;
    ui::main::Form1 form(*platform, messages, settings);
    messages.setOwner(&form);
    form.show();
    return QApplication::exec();
}
