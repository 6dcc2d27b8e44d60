#include "ui/info/form2.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <optional>

#include "ui/common/click_label.h"
#include "ui/common/twips.h"
#include "ui/info/form2_layout.h"
#include "ui/info/placement.h"
#include "ui/info/seen_frame.h"

namespace ui::info {

namespace {

constexpr int kSlideStep = 200;

// X11 maps a window asynchronously and paints nothing into a window that is not exposed yet,
// so a slide-out that starts at once would stay invisible until its end. Waits (briefly, and
// holding back the user's input) until the window can be painted.
void WaitUntilExposed(const QWidget& window) {
    const QDeadlineTimer deadline(500);
    while (window.windowHandle() != nullptr && !window.windowHandle()->isExposed() &&
           !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    }
}

}  // namespace

Form2::Form2(platform::Platform& platform) : QWidget(nullptr), platform_(platform) {
    const BuiltControls c = BuildForm(*this, Form2Description());
    // Moves over bare client area must arrive without a button held.
    setMouseTracking(true);
    Command1 = ControlOf<QPushButton>(c, "Command1");
    Label5 = ControlOf<ClickLabel>(c, "Label5");
    Image2 = ControlOf<ClickLabel>(c, "Image2");
    Image1 = ControlOf<ClickLabel>(c, "Image1");
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Label5, &ClickLabel::clicked, this, &Form2::Label5_Click);
    connect(Image2, &ClickLabel::clicked, this, &Form2::Image2_Click);
    connect(Image1, &ClickLabel::mouseMoved, this, &Form2::Image1_MouseMove);
}

void Form2::Form_Load(const QWidget& mainWindow) {
    const QRect main = mainWindow.geometry().marginsAdded(SeenFrameMargins(mainWindow));
    // Without a screen (all displays unplugged) there is no room anywhere: open at the left.
    const QScreen* screen = QGuiApplication::primaryScreen();
    move(x(), main.y());
    move(InfoWindowLeft(main, screen != nullptr ? screen->geometry() : QRect()), y());

    // X11 learns a window's frame only once it is on screen; until then the main window's frame
    // stands in, which has the same borders.
    frameWidth_ = frameGeometry().width() - width();
    if (frameWidth_ == 0) {
        frameWidth_ = main.width() - mainWindow.width();
    }
    const int target = outerWidthTwips();

    setMinimumWidth(0);
    setMaximumWidth(QWIDGETSIZE_MAX);
    setOuterWidthTwips(0);
    show();
    WaitUntilExposed(*this);
    // Qt placed the frame it reckons with; where the system draws another one (Wine), the
    // frames as seen must touch, so the window moves by the difference.
    const QMargins seen = SeenFrameMargins(*this);
    const QPoint shift =
        QPoint(seen.left(), seen.top()) - (geometry().topLeft() - frameGeometry().topLeft());
    if (!shift.isNull())
        move(pos() + shift);
    std::optional<int> before;
    for (int width = outerWidthTwips(); static_cast<double>(width) < target;
         width = outerWidthTwips()) {
        // A window manager that holds the window below its width would keep us here for ever.
        if (before && width <= *before) {
            break;
        }
        before = width;
        setOuterWidthTwips(width + kSlideStep);
        repaint();
        platform_.sleep(std::chrono::milliseconds(1));
    }
}

bool Form2::ShellExec(std::string_view path, int windowStyle, std::string_view operation) {
    return platform_.shellExecute(path, windowStyle, operation);
}

int Form2::outerWidthTwips() const {
    return PixelsToTwips(width() + frameWidth_);
}

void Form2::setOuterWidthTwips(int twips) {
    // One pixel is the narrowest window there is: at zero Qt would take it off the screen.
    resize(std::max(1, TwipsToPixels(twips) - frameWidth_), height());
}

void Form2::mouseMoveEvent(QMouseEvent* event) {
    Form_MouseMove();
    QWidget::mouseMoveEvent(event);
}

void Form2::Form_MouseMove() {
    Image2->hide();
    Image1->show();
}

void Form2::Image1_MouseMove() {
    Image2->show();
    Image1->hide();
}

void Form2::Image2_Click() {
    close();
}

void Form2::Command1_Click() {
    close();
}

void Form2::Label5_Click() {
    // Whether a browser opened is the system's business; the window says nothing either way.
    ShellExec(kDownloadsPage, 1, "open");
}

}  // namespace ui::info
