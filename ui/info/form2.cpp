#include "ui/info/form2.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDeadlineTimer>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <array>
#include <chrono>
#include <optional>

#include "ui/common/classic_font.h"
#include "ui/common/click_label.h"
#include "ui/common/twips.h"
#include "ui/info/freeware_notice.h"
#include "ui/info/placement.h"
#include "ui/info/seen_frame.h"

namespace ui::info {

namespace {

// Client area in twips.
constexpr int kClientWidth = 5640;
constexpr int kClientHeight = 4635;

constexpr int kSlideStep = 200;

constexpr char kMakerName[] = "Dr. Jana Beispiel";
constexpr char kMakerMail[] = "jana@example.org";

struct ControlPlace {
    const char* name;
    int left, top, width, height;  // twips
};

// Every control in the order the window creates them; later ones lie on top.
constexpr std::array<ControlPlace, 10> kControls = {{
    {"Command1", 1905, 4050, 1335, 375},
    {"Picture1", 3825, -45, 1575, 1215},  // cut off at the top edge on purpose
    {"Text1", 105, 2730, 5055, 1215},
    {"Label1", 1155, 0, 2055, 495},
    {"Label5", 1365, 2340, 2400, 255},
    {"Label4", 3705, 1515, 1815, 255},
    {"Label3", 3705, 1275, 1815, 255},
    {"Image2", 2025, 1530, 525, 645},
    {"Image1", 2025, 1530, 540, 645},
    {"Line1", 465, 2130, 3000, 15},  // a horizontal line one pixel thick
}};

// Names a control after its member and puts it where the table says.
template <typename Widget>
Widget* Place(Widget* widget, const char* name) {
    const auto place = std::find_if(kControls.begin(), kControls.end(), [name](const auto& c) {
        return std::string_view(c.name) == name;
    });
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(PixelRect({place->left, place->top, place->width, place->height}));
    return widget;
}

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

QFont TitleFont() {
    QFont font;
    font.setFamilies({"Times New Roman", "Liberation Serif", "DejaVu Serif"});
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(PointsToPixels(15.75));
    font.setBold(true);
    font.setItalic(true);
    return font;
}

}  // namespace

Form2::Form2(platform::Platform& platform) : QWidget(nullptr), platform_(platform) {
    setObjectName("Form2");
    setWindowTitle("INFO");
    setWindowIcon(QIcon(":/info/form2_icon.png"));
    setFont(ClassicFont());
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    resize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
    // Moves over bare client area must arrive without a button held.
    setMouseTracking(true);

    Command1 = Place(new QPushButton("ist ja gut", this), "Command1");
    // Outside a dialog only an auto-default button answers Enter; nothing else makes it default.
    Command1->setAutoDefault(true);
    Command1->setAttribute(Qt::WA_NoMousePropagation);
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);

    Picture1 = Place(new QLabel(this), "Picture1");
    Picture1->setPixmap(QPixmap(":/info/logo.gif"));
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Picture1->setAutoFillBackground(true);
    Picture1->setFocusPolicy(Qt::StrongFocus);
    Picture1->setAttribute(Qt::WA_NoMousePropagation);

    Text1 = Place(new QPlainTextEdit(this), "Text1");
    Text1->setPlainText(QString::fromStdString(FreewareNotice()));
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setTabChangesFocus(true);
    Text1->setAttribute(Qt::WA_NoMousePropagation);

    Label1 = Place(new ClickLabel(this), "Label1");
    Label1->setText("dadiRaravor");
    Label1->setFont(TitleFont());
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Label5 = Place(new ClickLabel(this), "Label5");
    Label5->setText("Updates, und mehr downloads ...");
    QFont underlined = ClassicFont();
    underlined.setUnderline(true);
    Label5->setFont(underlined);
    QPalette blue = Label5->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    Label5->setPalette(blue);
    Label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label5->setCursor(QCursor(QPixmap(":/info/hand.png"), 0, 0));
    connect(Label5, &ClickLabel::clicked, this, &Form2::Label5_Click);

    Label4 = Place(new ClickLabel(this), "Label4");
    Label4->setText(kMakerMail);
    Label4->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Label3 = Place(new ClickLabel(this), "Label3");
    Label3->setText(kMakerName);
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The two colourings of the figure lie on top of each other; exactly one shows.
    Image2 = Place(new ClickLabel(this), "Image2");
    Image2->setPixmap(QPixmap(":/info/figure_lit.gif"));
    Image2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    connect(Image2, &ClickLabel::clicked, this, &Form2::Image2_Click);

    Image1 = Place(new ClickLabel(this), "Image1");
    Image1->setPixmap(QPixmap(":/info/figure_rest.gif"));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->hide();
    connect(Image1, &ClickLabel::mouseMoved, this, &Form2::Image1_MouseMove);

    Line1 = Place(new QFrame(this), "Line1");
    Line1->setFrameStyle(QFrame::HLine | QFrame::Plain);
    Line1->setLineWidth(1);
    // A drawn line: the pointer over it is over the window.
    Line1->setAttribute(Qt::WA_TransparentForMouseEvents);

    setTabOrder(Text1, Picture1);
    setTabOrder(Picture1, Command1);
    Text1->setFocus();
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
