#pragma once
// The info window: the program's name, logo and maker, a figure that lights up under the
// pointer, a link to the downloads page, the freeware notice and a close button.
//
// It keeps no data. One object is one loading of the window: Form_Load places it beside the
// main window and slides it open, closing hides it for good, and InfoWindow builds a new one
// for the next opening, so every opening starts from the designed state.

#include <QWidget>
#include <string_view>

#include "platform/platform.h"

class QFrame;
class QLabel;
class QPlainTextEdit;
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
    void Form_MouseMove();
    void Image1_MouseMove();
    void Image2_Click();
    void Command1_Click();
    void Label5_Click();

    void setOuterWidthTwips(int twips);

    platform::Platform& platform_;
    // Frame width (left plus right border) in pixels, fixed for one slide-out.
    int frameWidth_ = 0;

    QPushButton* Command1;
    QLabel* Picture1;
    QPlainTextEdit* Text1;
    ClickLabel* Label1;
    ClickLabel* Label5;
    ClickLabel* Label4;
    ClickLabel* Label3;
    ClickLabel* Image2;
    ClickLabel* Image1;
    QFrame* Line1;
};

}  // namespace ui::info
