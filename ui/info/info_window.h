#pragma once
// The one info window of a run, opened by the main window's info button.
//
// The first opening, and every opening after the window was closed, loads the window afresh:
// all controls as designed, placed beside the main window and slid open. Opening it while it
// is open only brings it forward, restored when it was minimised. The window has no owner, so
// it stays open when the main window closes.

#include <QWidget>
#include <memory>

#include "platform/platform.h"

namespace ui::info {

class Form2;

class InfoWindow {
  public:
    explicit InfoWindow(platform::Platform& platform);
    ~InfoWindow();
    InfoWindow(const InfoWindow&) = delete;
    InfoWindow& operator=(const InfoWindow&) = delete;

    // Returns once the window is open (after its slide-out when it was loaded).
    void showFrom(const QWidget& mainWindow);

    // The loaded window; null before the first opening.
    Form2* form() const { return form_.get(); }
    bool isOpen() const;

  private:
    platform::Platform& platform_;
    std::unique_ptr<Form2> form_;
};

}  // namespace ui::info
