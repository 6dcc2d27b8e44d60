// The main window as designed: every control where the table puts it, the texts a start shows,
// the keys and the focus order, a focus that only lands where the user sees it, and a layout
// that does not follow the window's size.

#include <QAccessible>
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

// Opens the panels `open` names as OpenPanels does and closes the others, with the focus out of
// their way.
void SetOpenPanels(ui::mainwindow::Form1& form, const QString& open) {
    form.txtDosCmd->setFocus();
    for (auto [panel, digit] : {std::pair{form.Frame2, '2'}, std::pair{form.Frame3, '3'}}) {
        panel->setHeightTwips(open.contains(digit) ? ui::mainwindow::kPanelOpenTwips
                                                   : ui::mainwindow::kPanelCollapsedTwips);
    }
    form.Frame4->setVisible(open.contains('4'));
}

TEST_F(Form1Layout, AKeyActsOnlyWhereTheFocusIs) {
    auto& form = this->form();
    // The start button runs a listing of the start folder, and the new folder's ok makes its
    // folder in Dir3's: the test's C:, not the machine's.
    form.StartDir->setText(at("C:\\"));
    form.Dir3->setPath(at("C:\\"));
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
        QString focusAfter;  // empty: where it was
    } cases[] = {
        {"Command1", Qt::Key_Return, {}, "", {"Command1"}, ""},
        {"cmdInfo", Qt::Key_Return, {}, "", {"cmdInfo"}, ""},
        // The focus leaves a panel that hides it for the panel's field.
        {"cmdokInput", Qt::Key_Return, {}, "2", {"cmdokInput"}, "", "StartDir"},
        {"cmdokOutput", Qt::Key_Enter, {}, "23", {"cmdokOutput"}, "2", "txtOptDir"},
        {"cmd_DirNeuTIF", Qt::Key_Return, {}, "3", {"cmd_DirNeuTIF"}, "34"},
        {"cmdInfo", Qt::Key_Space, {}, "", {"cmdInfo"}, ""},
        {"txtDosCmd", Qt::Key_Return, {}, "", {}, ""},  // no default button
        // Out of the new-folder panel it goes back to "neu", or where that is hidden, its field.
        {"cmd_mkdir", Qt::Key_Return, {}, "34", {"cmd_mkdir"}, "3", "cmd_DirNeuTIF"},
        {"txtDirTIF", Qt::Key_Escape, {}, "4", {}, "", "txtOptDir"},
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
        {"txtDirTIF", Qt::Key_Escape, {}, "234", {}, "23", "cmd_DirNeuTIF"},
        {"Dir3", Qt::Key_Escape, {}, "34", {}, "3"},
        {"Dir3", Qt::Key_Escape, shift, "23", {}, "23"},
        {"Dir3", Qt::Key_Escape, {}, "23", {}, "2", "txtOptDir"},
        {"Drive2", Qt::Key_Escape, {}, "23", {}, "3", "StartDir"},
        {"txtDosCmd", Qt::Key_Escape, {}, "23", {}, ""},
    };
    for (const auto& c : cases) {
        SetOpenPanels(form, c.openBefore);
        clicked.clear();
        form.findChild<QWidget*>(c.focused)->setFocus();
        ASSERT_EQ(QApplication::focusWidget()->objectName(), c.focused);
        QTest::keyClick(QApplication::focusWidget(), c.key, c.modifiers);
        const std::string row = std::string(c.focused) + " key " +
                                QKeySequence(c.key | c.modifiers).toString().toStdString();
        EXPECT_EQ(clicked, c.clicked) << row;
        EXPECT_EQ(OpenPanels(form), c.openAfter) << row;
        EXPECT_EQ(QApplication::focusWidget()->objectName(),
                  c.focusAfter.isEmpty() ? c.focused : c.focusAfter)
            << row;
        EXPECT_TRUE(form.isVisible()) << row;
    }
}

// Whether the user sees any of `control`: it is not hidden, and its panel does not clip it away.
bool Shows(const QWidget& control) {
    return control.isVisible() && !control.visibleRegion().isEmpty();
}

// A strip's name for screen readers says what a click on it does now.
TEST_F(Form1Layout, AStripSaysWhatItDoesAndHandsTheFocusOfThePanelItClosesToTheField) {
    auto& form = this->form();
    Activate(form);
    const struct {
        const char* focused;
        const char* strip;
        QString openBefore;
        QString openAfter;
        const char* focusAfter;
        QString name;
    } cases[] = {
        {"Dir2", "Image2", "2", "", "StartDir", "Startverzeichnis-Auswahl öffnen"},
        {"cmd_DirNeuTIF", "Image3", "23", "2", "txtOptDir", "Ausgabeverzeichnis-Auswahl öffnen"},
        // Not the panel with the focus.
        {"Drive2", "Image3", "23", "2", "Drive2", "Ausgabeverzeichnis-Auswahl öffnen"},
        {"txtDosCmd", "Image2", "", "2", "txtDosCmd", "Startverzeichnis-Auswahl schließen"},
        {"txtDosCmd", "Image3", "", "3", "txtDosCmd", "Ausgabeverzeichnis-Auswahl schließen"},
    };
    for (const auto& c : cases) {
        SetOpenPanels(form, c.openBefore);
        form.findChild<QWidget*>(c.focused)->setFocus();
        auto* strip = form.findChild<QWidget*>(c.strip);
        QTest::mouseClick(strip, Qt::LeftButton);
        const std::string row = std::string(c.strip) + " with the focus on " + c.focused;
        EXPECT_EQ(OpenPanels(form), c.openAfter) << row;
        EXPECT_EQ(QApplication::focusWidget()->objectName(), c.focusAfter) << row;
        EXPECT_TRUE(Shows(*QApplication::focusWidget())) << row;
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(strip);
        const bool expanded = c.name.endsWith("schließen");
        EXPECT_EQ(spoken->text(QAccessible::Name), c.name) << row;
        EXPECT_TRUE(spoken->state().expandable && spoken->state().expanded == expanded &&
                    spoken->state().collapsed == !expanded)
            << row;
    }
}

TEST_F(Form1Layout, ColouredButtonsAreFilledWithExactlyTheirColourRaisedWithAFocusMark) {
    form().Frame2->setHeightTwips(ui::mainwindow::kPanelOpenTwips);  // the focus needs them shown
    form().Frame3->setHeightTwips(ui::mainwindow::kPanelOpenTwips);
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

// Tabs from where the focus is at start once round the window and returns the names of the
// controls it passed.
QStringList TabRound(ui::mainwindow::Form1& form) {
    Activate(form);
    QWidget* start = QApplication::focusWidget();
    QStringList names;
    for (int i = 0; i < 30; ++i) {
        names << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == start)
            break;
    }
    return names;
}

// The designed order, from StartDir: the first control that shows when the window opens.
const QStringList kTabOrder = {"StartDir",  "File2",        "cmdokInput",    "cmdokOutput",
                               "File3",     "txtOptDir",    "Drive3",        "Dir3",
                               "Command1",  "cmdInfo",      "cmd_DirNeuTIF", "Check1",
                               "txtDosCmd", "txtExtension", "Dir2",          "Drive2"};

QStringList WithNewFolderPanel(QStringList order) {
    order.insert(order.indexOf("cmd_DirNeuTIF"), "txtDirTIF");
    order.insert(order.indexOf("cmd_DirNeuTIF"), "cmd_mkdir");
    return order;
}

TEST_F(Form1Layout, FocusRunsByTabIndexAndSkipsTheHiddenNewFolderPanel) {
    EXPECT_EQ(TabRound(form()), kTabOrder);
}

TEST_F(Form1Layout, FocusReachesTheNewFolderPanelWhileItIsShown) {
    form().Frame4->show();
    EXPECT_EQ(TabRound(form()), WithNewFolderPanel(kTabOrder));
}

TEST_F(Form1Layout, FocusStillReachesTheControlsOfCollapsedPanels) {
    ASSERT_EQ(form().Frame2->heightTwips(), ui::mainwindow::kPanelCollapsedTwips);
    ASSERT_EQ(form().Frame3->heightTwips(), ui::mainwindow::kPanelCollapsedTwips);
    EXPECT_EQ(TabRound(form()), kTabOrder);
}

// From every control that shows, in each state of the panels, Tab and Shift+Tab go to the next
// and the previous control of the designed order, and that one shows: its panel opens.
TEST_F(Form1Layout, TabAndShiftTabLandOnlyWhereTheUserSees) {
    auto& form = this->form();
    Activate(form);
    for (const QString open : {"", "2", "3", "23", "34", "4"}) {
        const QStringList order = open.contains('4') ? WithNewFolderPanel(kTabOrder) : kTabOrder;
        for (qsizetype i = 0; i < order.size(); ++i) {
            for (const bool forward : {true, false}) {
                SetOpenPanels(form, open);
                auto* from = form.findChild<QWidget*>(order[i]);
                if (!Shows(*from))
                    continue;
                from->setFocus();
                QTest::keyClick(from, forward ? Qt::Key_Tab : Qt::Key_Backtab);
                const QString& to = order[(i + (forward ? 1 : order.size() - 1)) % order.size()];
                const std::string row = (forward ? "Tab from " : "Shift+Tab from ") +
                                        order[i].toStdString() + " with open panels \"" +
                                        open.toStdString() + '"';
                EXPECT_EQ(QApplication::focusWidget()->objectName(), to) << row;
                EXPECT_TRUE(Shows(*QApplication::focusWidget())) << row;
            }
        }
    }
}

}  // namespace
