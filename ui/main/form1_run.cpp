// Form1's start button: the batch run over the window's five inputs, the status line that
// follows it, and what screen readers hear of it.

#include "ui/main/form1_run.h"

#include <QAccessible>
#include <QGuiApplication>

#include "batch/work_folder.h"
#include "platform/platform.h"
#include "ui/main/form1.h"

namespace ui::mainwindow {
namespace {

// Enough for the eye to follow the files going by, rare enough that a run over a big tree
// spends its time on the files and not on painting.
constexpr qint64 kStatusRepaintMs = 33;

}  // namespace

void Form1::Command1_Click() {
    const batch::RunSettings settings{
        .startFolder = StartDir->text().toStdString(),
        .outputFolder = txtOptDir->text().toStdString(),
        .extension = txtExtension->text().toStdString(),
        .useOutputFolder = Check1->isChecked() ? 1 : 0,
        .command = txtDosCmd->text().toStdString(),
    };
    WindowRunView view(*this, *lblStatus, messages_);
    batch::RunInWorkFolder(platform_, view, settings, platform_.programFolder());
    view.finish();
}

WindowRunView::WindowRunView(QWidget& window, QLabel& status, Messages& messages)
    : window_(window), status_(status), messages_(messages) {}

WindowRunView::~WindowRunView() {
    setBusy(false);
}

void WindowRunView::finish() {
    showPendingStatus();
    setBusy(false);
    if (reported_)
        AnnounceStatus(status_);
}

void WindowRunView::setStatus(std::string_view text) {
    pendingStatus_.assign(text);
    statusPending_ = true;
    reported_ = true;
}

void WindowRunView::showPendingStatus() {
    if (!statusPending_)
        return;
    statusPending_ = false;
    status_.setText(QString::fromUtf8(pendingStatus_.data(), qsizetype(pendingStatus_.size())));
}

void WindowRunView::repaintStatus() {
    if (statusPainted_.isValid() && statusPainted_.elapsed() < kStatusRepaintMs)
        return;
    showPendingStatus();
    status_.repaint();
    statusPainted_.start();
}

void WindowRunView::repaintWindow() {
    showPendingStatus();
    window_.repaint();
    statusPainted_.start();
}

void WindowRunView::showMessage(std::string_view text) {
    showPendingStatus();
    const bool wasBusy = busy_;
    setBusy(false);  // the user must see an ordinary pointer over the message box
    messages_.show(QString::fromUtf8(text.data(), qsizetype(text.size())));
    setBusy(wasBusy);
}

void WindowRunView::setBusy(bool busy) {
    if (busy == busy_)
        return;
    busy_ = busy;
    if (busy) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QGuiApplication::restoreOverrideCursor();
    }
}

void AnnounceStatus(QLabel& status) {
    // A label with a name of its own sends no event for each text a run shows. The name takes
    // the text now, and its change, which AT-SPI passes on, is what screen readers hear. Setting
    // the same name again need not send one, so a run ending as the one before sends it here.
    const QString text = status.text();
    if (status.accessibleName() != text) {
        status.setAccessibleName(text);
    } else {
        QAccessibleEvent same(&status, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&same);
    }
#ifdef Q_OS_WIN
    // Qt's UI Automation drops a name change of a control without the focus, but raises a text
    // in a value change as a notification, which Narrator, NVDA and JAWS read at once.
    QAccessibleValueChangeEvent spoken(&status, text);
    QAccessible::updateAccessibility(&spoken);
#endif
}

}  // namespace ui::mainwindow
