#include "ui/main/messages.h"

#include <QMessageBox>

namespace ui::mainwindow {

void ModalMessages::show(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("dadiRaravor"), text, QMessageBox::Ok,
                    owner_);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

}  // namespace ui::mainwindow
