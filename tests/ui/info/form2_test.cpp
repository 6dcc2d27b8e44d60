// The info window's controls: layout, keys, the figure under the pointer, the link.
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include "tests/ui/info/info_fixture.h"
#include "ui/info/freeware_notice.h"

namespace {

using test_support::InfoFixture;

// Points in the window's client area, in pixels.
constexpr QPoint kBareArea{10, 100};
constexpr QPoint kFigure{150, 120};
constexpr int kStripX = 170;  // Image1's last column, right of Image2

using Form2Layout = InfoFixture;

TEST_F(Form2Layout, OpensWithItsCaptionSizeAndTheTextBoxFocused) {
    ui::info::Form2& form = open();

    EXPECT_EQ(form.windowTitle(), "INFO");
    EXPECT_EQ(form.size(), QSize(form.width(), 309));
    EXPECT_GE(form.width(), 376);
    EXPECT_EQ(form.focusWidget(), control("Text1"));
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(visibleFigure(), "Image2");
}

TEST_F(Form2Layout, TheLogoBoxIsCutOffAtTheTopEdge) {
    open();
    EXPECT_EQ(control("Picture1")->y(), -3);
}

TEST_F(Form2Layout, PicturesComeFromTheProgramsResources) {
    open();
    const QPixmap logo = control<QLabel>("Picture1")->pixmap();
    const QPixmap rest = control<QLabel>("Image1")->pixmap();
    const QPixmap lit = control<QLabel>("Image2")->pixmap();

    EXPECT_EQ(logo.size(), QSize(100, 79));
    EXPECT_EQ(rest.size(), QSize(36, 43));
    EXPECT_EQ(lit.size(), QSize(35, 43));
    EXPECT_TRUE(rest.hasAlphaChannel());
    EXPECT_TRUE(lit.hasAlphaChannel());
    EXPECT_EQ(control("Image1")->size(), rest.size());
    EXPECT_EQ(control("Image2")->size(), lit.size());
    EXPECT_EQ(control("Image1")->pos(), control("Image2")->pos());
    EXPECT_FALSE(info.form()->windowIcon().isNull());
}

TEST_F(Form2Layout, TheLinkIsBlueUnderlinedWithAHandPointingFromItsTopLeftCorner) {
    open();
    auto* link = control<QLabel>("Label5");

    EXPECT_EQ(link->text(), "Updates, und mehr downloads ...");
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_TRUE(link->font().underline());
    EXPECT_EQ(link->cursor().pixmap().size(), QSize(32, 32));
    EXPECT_EQ(link->cursor().hotSpot(), QPoint(0, 0));
    EXPECT_EQ(control("Label1")->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(Form2Layout, ResizingMovesNoControl) {
    ui::info::Form2& form = open();
    const QRect button = control("Command1")->geometry();
    const QRect text = control("Text1")->geometry();

    form.resize(700, 500);

    EXPECT_EQ(control("Command1")->geometry(), button);
    EXPECT_EQ(control("Text1")->geometry(), text);
}

TEST(FreewareNotice, EndsEveryLineWithCrLfAndSeparatesParagraphsByBlankLines) {
    const std::string notice = ui::info::FreewareNotice();
    for (std::size_t i = 0; i < notice.size(); ++i) {
        if (notice[i] == '\n') {
            EXPECT_TRUE(i > 0 && notice[i - 1] == '\r') << "bare LF at " << i;
        }
        if (notice[i] == '\r') {
            EXPECT_TRUE(i + 1 < notice.size() && notice[i + 1] == '\n') << "bare CR at " << i;
        }
    }
    const QStringList paragraphs = QString::fromStdString(notice).split("\r\n\r\n");
    ASSERT_GE(paragraphs.size(), 4);
    for (const QString& paragraph : paragraphs) {
        EXPECT_FALSE(paragraph.trimmed().isEmpty());
    }
    EXPECT_EQ(paragraphs[paragraphs.size() - 1], paragraphs[paragraphs.size() - 1].toUpper());
    EXPECT_EQ(paragraphs[paragraphs.size() - 2], paragraphs[paragraphs.size() - 2].toUpper());
    EXPECT_NE(paragraphs[0], paragraphs[0].toUpper());
    EXPECT_TRUE(paragraphs[0].contains("Freeware"));
}

TEST_F(Form2Layout, TheTextBoxShowsTheNoticeEditableWithAVerticalScrollBar) {
    open();
    auto* text = control<QPlainTextEdit>("Text1");

    EXPECT_EQ(text->toPlainText(),
              QString::fromStdString(ui::info::FreewareNotice()).replace("\r\n", "\n"));
    EXPECT_FALSE(text->isReadOnly());
    EXPECT_TRUE(text->verticalScrollBar()->isVisible());
}

// Keys ---------------------------------------------------------------------------------------

struct KeyCase {
    const char* name;
    const char* focus;
    Qt::Key key;
    bool closes;
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << c.name;
}

class Form2Keys : public InfoFixture, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(Form2Keys, OnlyTheButtonClosesOnAKey) {
    open();
    QWidget* focus = control(GetParam().focus);
    focus->setFocus();

    QTest::keyClick(focus, GetParam().key);

    EXPECT_EQ(info.isOpen(), !GetParam().closes);
}

INSTANTIATE_TEST_SUITE_P(
    InfoWindow, Form2Keys,
    ::testing::Values(KeyCase{"EscInTheTextBoxKeepsItOpen", "Text1", Qt::Key_Escape, false},
                      KeyCase{"EscOnTheButtonKeepsItOpen", "Command1", Qt::Key_Escape, false},
                      KeyCase{"EscOnTheLogoKeepsItOpen", "Picture1", Qt::Key_Escape, false},
                      KeyCase{"EnterInTheTextBoxKeepsItOpen", "Text1", Qt::Key_Return, false},
                      KeyCase{"EnterOnTheLogoKeepsItOpen", "Picture1", Qt::Key_Return, false},
                      KeyCase{"EnterOnTheButtonCloses", "Command1", Qt::Key_Return, true},
                      KeyCase{"KeypadEnterOnTheButtonCloses", "Command1", Qt::Key_Enter, true},
                      KeyCase{"SpaceOnTheButtonCloses", "Command1", Qt::Key_Space, true}),
    [](const auto& info) { return std::string(info.param.name); });

using Form2Focus = InfoFixture;

TEST_F(Form2Focus, EnterInTheTextBoxStartsANewLine) {
    open();
    auto* text = control<QPlainTextEdit>("Text1");
    const int blocks = text->blockCount();

    QTest::keyClick(text, Qt::Key_Return);

    EXPECT_EQ(text->blockCount(), blocks + 1);
}

TEST_F(Form2Focus, TabGoesFromTheTextBoxToTheLogoToTheButtonAndBack) {
    ui::info::Form2& form = open();
    const char* const order[] = {"Picture1", "Command1", "Text1"};

    for (const char* next : order) {
        QTest::keyClick(form.focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(form.focusWidget(), control(next)) << "expected " << next;
    }
}

// The figure under the pointer ---------------------------------------------------------------

struct PointerCase {
    const char* name;
    QPoint to;
    const char* figure;
};

void PrintTo(const PointerCase& c, std::ostream* os) {
    *os << c.name;
}

class FromTheLitFigure : public InfoFixture, public ::testing::WithParamInterface<PointerCase> {};

TEST_P(FromTheLitFigure, OnlyBareClientAreaPutsTheFigureToRest) {
    open();
    movePointer(kBareArea);
    ASSERT_EQ(visibleFigure(), "Image1");
    movePointer(kFigure);
    ASSERT_EQ(visibleFigure(), "Image2");

    movePointer(GetParam().to);

    EXPECT_EQ(visibleFigure(), GetParam().figure);
}

INSTANTIATE_TEST_SUITE_P(
    InfoWindow, FromTheLitFigure,
    ::testing::Values(PointerCase{"StaysLitAcrossTheFigure", kFigure + QPoint(5, 8), "Image2"},
                      PointerCase{"StaysLitOntoTheMakersName", {260, 90}, "Image2"},
                      PointerCase{"StaysLitOntoTheMailAddress", {260, 110}, "Image2"},
                      PointerCase{"StaysLitOntoTheTitle", {100, 15}, "Image2"},
                      PointerCase{"StaysLitOntoTheLink", {150, 165}, "Image2"},
                      PointerCase{"StaysLitOntoTheLogo", {300, 40}, "Image2"},
                      PointerCase{"StaysLitOntoTheTextBox", {50, 200}, "Image2"},
                      PointerCase{"StaysLitOntoTheButton", {150, 280}, "Image2"},
                      PointerCase{"RestsOverTheRule", {50, 142}, "Image1"},
                      PointerCase{"RestsOverBareClientArea", kBareArea, "Image1"}),
    [](const auto& info) { return std::string(info.param.name); });

using Figure = InfoFixture;

TEST_F(Figure, StaysLitWhenThePointerComesStraightOntoItAfterOpening) {
    open();
    movePointer(kFigure);
    EXPECT_EQ(visibleFigure(), "Image2");
}

TEST_F(Figure, EveryMoveInTheOnePixelStripSwitchesTheColouringAgain) {
    open();
    const char* const expected[] = {"Image1", "Image2", "Image1", "Image2"};

    for (int step = 0; step < 4; ++step) {
        movePointer({kStripX, 110 + 2 * step});
        EXPECT_EQ(visibleFigure(), expected[step]) << "move " << step + 1;
    }
}

TEST_F(Figure, AClickRightAfterOpeningCloses) {
    ui::info::Form2& form = open();

    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, kFigure);

    EXPECT_FALSE(info.isOpen());
}

TEST_F(Figure, AClickAfterThePointerRestedItComingBackCloses) {
    ui::info::Form2& form = open();
    movePointer(kBareArea);
    movePointer(kFigure);

    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, kFigure);

    EXPECT_FALSE(info.isOpen());
}

// The link and the button ----------------------------------------------------------------------

using Link = InfoFixture;

TEST_F(Link, OpensTheDownloadsPageNormallyAndKeepsTheWindowOpen) {
    open();

    QTest::mouseClick(control("Label5"), Qt::LeftButton);

    ASSERT_EQ(platform.shellCalls.size(), 1u);
    EXPECT_EQ(platform.shellCalls[0].path, "http://www.example.org/downloads/SCREENSHOTS.html");
    EXPECT_EQ(platform.shellCalls[0].showCommand, 1);
    EXPECT_EQ(platform.shellCalls[0].operation, "open");
    EXPECT_TRUE(info.isOpen());
}

TEST_F(Link, AScreenReadersPressOpensThePageToo) {
    open();
    QAccessible::queryAccessibleInterface(control("Label5"))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(platform.shellCalls.size(), 1u);
}

TEST_F(Link, WhenNothingOpensItTheWindowSaysNothing) {
    open();
    platform.shellResult = false;
    auto visibleWindows = [] {
        int count = 0;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            count += widget->isVisible() ? 1 : 0;
        }
        return count;
    };
    const int windows = visibleWindows();

    QTest::mouseClick(control("Label5"), Qt::LeftButton);

    EXPECT_EQ(platform.shellCalls.size(), 1u);
    EXPECT_TRUE(info.isOpen());
    EXPECT_EQ(visibleWindows(), windows);
}

TEST_F(Link, APressThatEndsOffTheLinkOpensNothing) {
    open();
    QWidget* link = control("Label5");

    QTest::mousePress(link, Qt::LeftButton, {}, {5, 5});
    QTest::mouseRelease(link, Qt::LeftButton, {}, {link->width() + 20, 5});

    EXPECT_TRUE(platform.shellCalls.empty());
}

TEST_F(Link, ShellExecPassesItsArgumentsOnAndAnswersWhatTheSystemSaid) {
    ui::info::Form2& form = open();
    platform.shellResult = false;

    EXPECT_FALSE(form.ShellExec("C:\\liesmich.txt", 3, "print"));

    ASSERT_EQ(platform.shellCalls.size(), 1u);
    EXPECT_EQ(platform.shellCalls[0].path, "C:\\liesmich.txt");
    EXPECT_EQ(platform.shellCalls[0].showCommand, 3);
    EXPECT_EQ(platform.shellCalls[0].operation, "print");
}

TEST_F(Link, TheButtonCloses) {
    open();
    QTest::mouseClick(control("Command1"), Qt::LeftButton);
    EXPECT_FALSE(info.isOpen());
}

}  // namespace
