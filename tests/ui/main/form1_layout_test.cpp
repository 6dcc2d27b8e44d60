// The main window as designed: every control where the table puts it, the texts a start shows,
// the focus order, and a layout that does not follow the window's size.

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "tests/ui/main/form_fixture.h"
#include "ui/main/form1_layout.h"

namespace {

using ui::mainwindow::Form1Description;
using ui_test::FormTest;

class Form1Layout : public FormTest {};

TEST_F(Form1Layout, WindowHasCaptionClientSizeAndIcon) {
    auto& form = this->form();
    EXPECT_EQ(form.windowTitle(), "dadiRaravor");
    EXPECT_EQ(form.size(), QSize(688, 402));
    EXPECT_EQ(form.windowIcon().availableSizes(), QList<QSize>{QSize(32, 31)});
    // The disc only: its corners show the title bar, not a black square.
    const QImage icon = form.windowIcon().pixmap(QSize(32, 31)).toImage();
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)) + qAlpha(icon.pixel(31, 30)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(8, 8)), 255);
}

TEST_F(Form1Layout, EveryControlIsBuiltUnderItsNameInsideItsContainer) {
    auto& form = this->form();
    form.Frame2->setHeightTwips(ui::mainwindow::kPanelOpenTwips);
    form.Frame3->setHeightTwips(ui::mainwindow::kPanelOpenTwips);
    for (const auto& row : Form1Description().controls) {
        const QString name = QString::fromUtf8(row.name.data(), row.name.size());
        SCOPED_TRACE(name.toStdString());
        auto* widget = form.findChild<QWidget*>(name);
        ASSERT_NE(widget, nullptr);
        const std::string_view container = row.container.empty() ? "Form1" : row.container;
        EXPECT_EQ(widget->parentWidget()->objectName().toStdString(), container);
        EXPECT_EQ(widget->geometry(), ui::PixelRect(row.rect));
        EXPECT_TRUE(widget->parentWidget()->rect().contains(widget->geometry()));
        EXPECT_TRUE(widget->isEnabled());
    }
}

// Written out from the design's twips by hand, so a typo in the control table shows here.
TEST_F(Form1Layout, KeyControlsStandAtTheirDesignedPixels) {
    auto& form = this->form();
    const struct {
        QWidget* control;
        QRect pixels;
    } cases[] = {
        {form.Command1, {63, 330, 337, 29}}, {form.txtExtension, {553, 306, 43, 19}},
        {form.Check1, {448, 327, 155, 22}},  {form.lblStatus, {7, 369, 617, 19}},
        {form.Dir2, {7, 84, 281, 141}},  // inside Frame2
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.control->geometry(), c.pixels) << c.control->objectName().toStdString();
}

TEST_F(Form1Layout, ImagesAreExactlyAsLargeAsTheirPictures) {
    auto& form = this->form();
    for (auto* image : {form.Image1, form.Image2, form.Image3}) {
        SCOPED_TRACE(image->objectName().toStdString());
        ASSERT_FALSE(image->pixmap().isNull());
        EXPECT_EQ(image->pixmap().size(), image->size());
    }
    EXPECT_EQ(form.Image1->size(), QSize(60, 58));
    EXPECT_EQ(form.Image2->size(), QSize(107, 9));
}

TEST_F(Form1Layout, EachStartShowsTheDesignedTextsAndStates) {
    auto& form = this->form();
    const struct {
        const char* what;
        QString shown;
        QString designed;
    } cases[] = {
        {"extension", form.txtExtension->text(), "gz"},
        {"command", form.txtDosCmd->text(), "test"},
        {"new folder name", form.txtDirTIF->text(), "neuerOrdner"},
        {"status line", form.lblStatus->text(), "Status"},
        {"extension prompt with five blanks", form.Label2->text(), "Extension:     *."},
        {"output panel caption", form.Frame3->caption(), "Optionales Ausgabe -Verzeichnis "},
        {"start panel caption", form.Frame2->caption(), "Start Verzeichnis"},
        {"start button", form.Command1->text(), "Kommando für alle Unterordner jetzt starten"},
        {"new-folder title", form.Label4->text(), "Neues Verzeichnis anlegen"},
        {"start file pattern", form.File2->pattern(), "*.pdf;*.PDF"},
        {"output file pattern", form.File3->pattern(), "*.tif"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.shown, c.designed) << c.what;
    EXPECT_FALSE(form.Check1->isChecked());
    EXPECT_TRUE(form.Frame4->isHidden());
    EXPECT_FALSE(form.Frame2->isHidden());
}

TEST_F(Form1Layout, NoButtonIsDefaultOrCancel) {
    for (auto* button : form().findChildren<QPushButton*>()) {
        EXPECT_FALSE(button->isDefault()) << button->objectName().toStdString();
    }
}

// Shows the window and gives it the keyboard, as a user at it has.
void Activate(ui::mainwindow::Form1& form) {
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
}

// The panels open, as digits: "23" for Frame2 and Frame3, "4" for the new-folder panel.
QString OpenPanels(const ui::mainwindow::Form1& form) {
    QString open;
    if (form.Frame2->heightTwips() == ui::mainwindow::kPanelOpenTwips)
        open += '2';
    if (form.Frame3->heightTwips() == ui::mainwindow::kPanelOpenTwips)
        open += '3';
    return form.Frame4->isHidden() ? open : open + '4';
}

TEST_F(Form1Layout, AKeyActsOnlyWhereTheFocusIs) {
    auto& form = this->form();
    // The start button runs a listing of the start folder: the test's C:, not the machine's.
    form.StartDir->setText(at("C:\\"));
    Activate(form);
    QStringList clicked;
    for (auto* button : form.findChildren<QPushButton*>())
        QObject::connect(button, &QPushButton::clicked,
                         [&clicked, button] { clicked << button->objectName(); });
    const auto alt = Qt::AltModifier;
    const auto shift = Qt::ShiftModifier;
    const struct {
        const char* focused;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QString openBefore;
        QStringList clicked;
        QString openAfter;
    } cases[] = {
        {"Command1", Qt::Key_Return, {}, "", {"Command1"}, ""},
        {"cmdInfo", Qt::Key_Return, {}, "", {"cmdInfo"}, ""},
        {"cmdokInput", Qt::Key_Return, {}, "2", {"cmdokInput"}, ""},
        {"cmdokOutput", Qt::Key_Enter, {}, "", {"cmdokOutput"}, ""},
        {"cmd_DirNeuTIF", Qt::Key_Return, {}, "3", {"cmd_DirNeuTIF"}, "34"},
        {"cmdInfo", Qt::Key_Space, {}, "", {"cmdInfo"}, ""},
        {"txtDosCmd", Qt::Key_Return, {}, "", {}, ""},  // no default button
        {"cmd_mkdir", Qt::Key_Return, {}, "34", {"cmd_mkdir"}, "3"},
        // A folder field's panel is its drop-down list.
        {"StartDir", Qt::Key_F4, {}, "", {}, "2"},
        {"StartDir", Qt::Key_Down, alt, "23", {}, "3"},
        {"txtOptDir", Qt::Key_Down, alt, "", {}, "3"},
        {"txtOptDir", Qt::Key_F4, {}, "3", {}, ""},
        {"StartDir", Qt::Key_Down, {}, "", {}, ""},
        {"StartDir", Qt::Key_F4, shift, "", {}, ""},
        {"txtOptDir", Qt::Key_Down, alt | shift, "", {}, ""},
        {"txtDosCmd", Qt::Key_F4, {}, "", {}, ""},
        // Escape closes the innermost panel.
        {"txtDirTIF", Qt::Key_Escape, {}, "234", {}, "23"},
        {"Dir3", Qt::Key_Escape, {}, "34", {}, "3"},
        {"Dir3", Qt::Key_Escape, shift, "23", {}, "23"},
        {"Dir3", Qt::Key_Escape, {}, "23", {}, "2"},
        {"Drive2", Qt::Key_Escape, {}, "23", {}, "3"},
        {"txtDosCmd", Qt::Key_Escape, {}, "23", {}, ""},
    };
    for (const auto& c : cases) {
        const auto height = [&c](char panel) {
            return c.openBefore.contains(panel) ? ui::mainwindow::kPanelOpenTwips
                                                : ui::mainwindow::kPanelCollapsedTwips;
        };
        form.Frame2->setHeightTwips(height('2'));
        form.Frame3->setHeightTwips(height('3'));
        form.Frame4->setVisible(c.openBefore.contains('4'));
        clicked.clear();
        form.findChild<QWidget*>(c.focused)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), c.key, c.modifiers);
        const std::string row = std::string(c.focused) + " key " +
                                QKeySequence(c.key | c.modifiers).toString().toStdString();
        EXPECT_EQ(clicked, c.clicked) << row;
        EXPECT_EQ(OpenPanels(form), c.openAfter) << row;
        EXPECT_TRUE(form.isVisible()) << row;
    }
}

TEST_F(Form1Layout, ColouredButtonsAreFilledWithExactlyTheirColourRaisedWithAFocusMark) {
    Activate(form());
    const struct {
        const char* button;
        QRgb face;
    } cases[] = {{"Command1", qRgb(255, 255, 0)},
                 {"cmdInfo", qRgb(255, 255, 0)},
                 {"cmdokInput", qRgb(0, 192, 0)},
                 {"cmdokOutput", qRgb(0, 192, 0)},
                 {"cmd_DirNeuTIF", qRgb(0, 192, 192)}};
    for (const auto& c : cases) {
        auto* button = form().findChild<QPushButton*>(c.button);
        const QImage plain = button->grab().toImage();
        const auto colour = [](const QImage& image, int x, int y) {
            return QColor(image.pixel(x, y)).name();
        };
        const QString face = QColor(c.face).name();
        EXPECT_EQ(colour(plain, 2, button->height() / 2), face) << c.button << " face";
        EXPECT_EQ(colour(plain, 0, 0) + colour(plain, button->width() - 1, button->height() - 1),
                  "#ffffff#000000")
            << c.button << " raised";
        EXPECT_EQ(colour(plain, 3, 3), face) << c.button << " no focus mark while unfocused";
        button->setFocus();
        EXPECT_NE(colour(button->grab().toImage(), 3, 3), face) << c.button << " focus mark";
    }
}

TEST_F(Form1Layout, TextBoxesTakeTextOfAnyLength) {
    const QString longText(100000, u'x');
    for (auto* box : form().findChildren<QLineEdit*>()) {
        box->setText(longText);
        box->end(false);
        QTest::keyClick(box, Qt::Key_Y);
        EXPECT_EQ(box->text().size(), longText.size() + 1) << box->objectName().toStdString();
    }
}

TEST_F(Form1Layout, NewFolderPanelStandsInFrontOfTheOutputPanel) {
    auto& form = this->form();
    form.Frame3->setHeightTwips(ui::mainwindow::kPanelOpenTwips);
    form.Frame4->show();
    const QRect panel = form.Frame4->geometry();
    for (const QPoint corner : {panel.topLeft(), panel.bottomRight(), panel.center()}) {
        QWidget* top = form.childAt(corner);
        ASSERT_NE(top, nullptr);
        EXPECT_TRUE(top == form.Frame4 || form.Frame4->isAncestorOf(top));
    }
    // It floats over the output-folder list.
    const QRect list(form.Dir3->mapTo(&form, QPoint(0, 0)), form.Dir3->size());
    EXPECT_TRUE(list.contains(panel.center()));
}

TEST_F(Form1Layout, ResizingOrMaximizingMovesNothing) {
    auto& form = this->form();
    form.show();
    QHash<QString, QRect> before;
    for (const auto& row : Form1Description().controls) {
        const QString name = QString::fromUtf8(row.name.data(), row.name.size());
        before[name] = form.findChild<QWidget*>(name)->geometry();
    }
    form.resize(1000, 700);
    form.showMaximized();
    QApplication::processEvents();
    form.resize(300, 200);
    QApplication::processEvents();
    for (auto [name, geometry] : before.asKeyValueRange()) {
        EXPECT_EQ(form.findChild<QWidget*>(name)->geometry(), geometry) << name.toStdString();
    }
}

// Tabs from Dir2 once round the window and returns the names of the controls it passed.
QStringList TabRound(ui::mainwindow::Form1& form) {
    form.show();
    form.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    form.Dir2->setFocus();
    QStringList names;
    for (int i = 0; i < 30; ++i) {
        names << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == form.Dir2)
            break;
    }
    return names;
}

const QStringList kTabOrder = {"Dir2",          "Drive2",      "StartDir",  "File2",
                               "cmdokInput",    "cmdokOutput", "File3",     "txtOptDir",
                               "Drive3",        "Dir3",        "Command1",  "cmdInfo",
                               "cmd_DirNeuTIF", "Check1",      "txtDosCmd", "txtExtension"};

TEST_F(Form1Layout, FocusRunsByTabIndexAndSkipsTheHiddenNewFolderPanel) {
    EXPECT_EQ(TabRound(form()), kTabOrder);
}

TEST_F(Form1Layout, FocusReachesTheNewFolderPanelWhileItIsShown) {
    form().Frame4->show();
    QStringList expected = kTabOrder;
    expected.insert(expected.indexOf("cmd_DirNeuTIF"), "txtDirTIF");
    expected.insert(expected.indexOf("cmd_DirNeuTIF"), "cmd_mkdir");
    EXPECT_EQ(TabRound(form()), expected);
}

TEST_F(Form1Layout, FocusStillReachesTheControlsOfCollapsedPanels) {
    ASSERT_EQ(form().Frame2->heightTwips(), ui::mainwindow::kPanelCollapsedTwips);
    ASSERT_EQ(form().Frame3->heightTwips(), ui::mainwindow::kPanelCollapsedTwips);
    EXPECT_EQ(TabRound(form()), kTabOrder);
}

}  // namespace
