#pragma once
// The info window: the program's name, logo and maker, a figure that lights up under the
// pointer, a link to the downloads page, the freeware notice and a close button. It builds
// itself from the description in form2_layout.h.
//
// It keeps no data. One object is one loading of the window: Form_Load places it beside the
// main window and slides it open, closing hides it for good, and InfoWindow builds a new one
// for the next opening, so every opening starts from the designed state.

#include <QWidget>
#include <string_view>

#include "platform/platform.h"

class QPushButton;

namespace ui {
class ClickLabel;
}

namespace ui::info {

class Form2 : public QWidget {
    Q_OBJECT
  public:
    // The page behind the link label.
    static constexpr std::string_view kDownloadsPage =
        "http://www.example.org/downloads/SCREENSHOTS.html";

    explicit Form2(platform::Platform& platform);

    // Puts the window at the main window's top, against its right edge, or at the screen's left
    // edge when the screen has no room there; then shows it at width 0 and widens it step by
    // step to its designed width. Returns when the window is open. Reads the main window's
    // position and outer width only.
    void Form_Load(const QWidget& mainWindow);

    // Opens a document or web address through the system with a verb ("open") and a show
    // command (1 = normal); true when the system accepted it. Tells the user nothing.
    bool ShellExec(std::string_view path, int windowStyle, std::string_view operation);

    // The outer width, frame included, in twips: what the slide-out reads and sets.
    int outerWidthTwips() const;

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    void Form_MouseMove();    // the pointer over bare client area: the figure rests (Image1)
    void Image1_MouseMove();  // the pointer onto the resting figure: it lights up (Image2)
    void Image2_Click();      // the lit figure closes the window
    void Command1_Click();    // "ist ja gut" closes the window
    void Label5_Click();      // the link has the system open the downloads page

    void setOuterWidthTwips(int twips);

    platform::Platform& platform_;
    // Frame width (left plus right border) in pixels, fixed for one slide-out.
    int frameWidth_ = 0;

    // The controls the handlers use, named as the form names them. The others (the logo
    // Picture1, the notice Text1, the title Label1, the maker's name Label3 and address Label4,
    // the rule Line1) have no handlers; they are found by their objectName.
    QPushButton* Command1;  // "ist ja gut": closes the window
    ClickLabel* Label5;     // the link to the downloads page
    ClickLabel* Image2;     // the figure lit up: closes the window when clicked
    ClickLabel* Image1;     // the figure at rest, in Image2's place; lights up under the pointer
};

}  // namespace ui::info
