#include "ui/info/info_window.h"

#include "ui/info/form2.h"

namespace ui::info {

InfoWindow::InfoWindow(platform::Platform& platform) : platform_(platform) {}

InfoWindow::~InfoWindow() = default;

bool InfoWindow::isOpen() const {
    return form_ && form_->isVisible();
}

void InfoWindow::showFrom(const QWidget& mainWindow) {
    if (isOpen()) {
        // A minimised window is still open: it comes back as it was before (normal or maximised).
        form_->setWindowState(form_->windowState() & ~Qt::WindowMinimized);
        form_->show();
        form_->raise();
        form_->activateWindow();
        return;
    }
    // A closed window is only hidden; a new one starts from the designed state.
    form_ = std::make_unique<Form2>(platform_);
    form_->Form_Load(mainWindow);
}

}  // namespace ui::info
