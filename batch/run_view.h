#pragma once
// What a batch run needs of the window that started it. The main window implements it with
// its status line and message boxes; tests and the headless driver implement it without one.

#include <string_view>

namespace batch {

class RunView {
  public:
    virtual ~RunView() = default;
    // Sets the status line's text; shown at the next repaint.
    virtual void setStatus(std::string_view text) = 0;
    // Repaints the status line now (the view may skip repaints that come too fast to see, as
    // long as the last text set before repaintWindow() is shown).
    virtual void repaintStatus() = 0;
    // Repaints the whole window now.
    virtual void repaintWindow() = 0;
    // Shows a modal message with an OK button and returns when the user has confirmed it.
    virtual void showMessage(std::string_view text) = 0;
    // The run is waiting for the command interpreter (true) or has stopped waiting (false).
    virtual void setBusy(bool /*busy*/) {}
};

}  // namespace batch
