#pragma once
// The start button's batch run as the main window shows it. WindowRunView is what one run sees
// of the window (batch::RunView): the status line, which takes the run's texts only when it is
// painted, the window's repaint, the message box and the busy pointer. AnnounceStatus has
// screen readers read the status line once, after a run and after a folder picker's report.

#include <QElapsedTimer>
#include <QLabel>
#include <QWidget>
#include <string>

#include "batch/run_view.h"
#include "ui/main/messages.h"

namespace ui::mainwindow {

class WindowRunView final : public batch::RunView {
  public:
    WindowRunView(QWidget& window, QLabel& status, Messages& messages);
    WindowRunView(const WindowRunView&) = delete;
    WindowRunView& operator=(const WindowRunView&) = delete;
    // Gives the pointer back, also when the run did not get to finish().
    ~WindowRunView() override;

    // The run is over: the status line shows the last text set and, when the run set one,
    // screen readers are told it; the pointer is the ordinary one again.
    void finish();

    void setStatus(std::string_view text) override;
    void repaintStatus() override;
    void repaintWindow() override;
    void showMessage(std::string_view text) override;
    void setBusy(bool busy) override;

  private:
    // Puts a status text that the run has set but not yet painted into the status line.
    void showPendingStatus();

    QWidget& window_;
    QLabel& status_;
    Messages& messages_;
    QElapsedTimer statusPainted_;
    // The run sets the status for every file; the label takes the text only when it is painted
    // (or looked at: a message, the window's repaint, the run's end), not once per file.
    std::string pendingStatus_;
    bool statusPending_ = false;
    bool reported_ = false;  // the run has set a status text
    bool busy_ = false;
};

// Screen readers read `status` once: its accessible name takes its text now.
void AnnounceStatus(QLabel& status);

}  // namespace ui::mainwindow
