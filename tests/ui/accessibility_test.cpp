// What a screen reader finds in both windows: the windows and lines have their roles, every
// control the keyboard reaches and every picture that acts as a button has a name and the role
// it acts in, no two controls of a window share a name, fields are read under their captions,
// what a collapsed panel cuts off is not showing, and a picture's press action does what a
// click on it does.

#include <QAccessible>
#include <QTest>

#include "tests/ui/main/form_fixture.h"
#include "ui/info/form2.h"
#include "ui/info/form2_layout.h"
#include "ui/main/form1_layout.h"

namespace {

using Role = QAccessible::Role;

// Written out by hand: the windows, their lines, and every control the keyboard reaches or that
// acts on a click (the pictures, the link), with the role a screen reader must be told.
// clang-format off
const QHash<QString, Role> kRoles = {
    {"Form1", Role::Window}, {"Form2", Role::Window},
    {"Form1.Line1", Role::Separator}, {"Form2.Line1", Role::Separator},
    {"Form1.StartDir", Role::EditableText}, {"Form1.txtOptDir", Role::EditableText},
    {"Form1.txtDirTIF", Role::EditableText}, {"Form1.txtDosCmd", Role::EditableText},
    {"Form1.txtExtension", Role::EditableText}, {"Form1.Check1", Role::CheckBox},
    {"Form1.cmdokInput", Role::Button}, {"Form1.cmdokOutput", Role::Button},
    {"Form1.Command1", Role::Button}, {"Form1.cmdInfo", Role::Button},
    {"Form1.cmd_mkdir", Role::Button}, {"Form1.cmd_DirNeuTIF", Role::Button},
    {"Form1.Dir2", Role::List}, {"Form1.File2", Role::List}, {"Form1.Drive2", Role::ComboBox},
    {"Form1.Dir3", Role::List}, {"Form1.File3", Role::List}, {"Form1.Drive3", Role::ComboBox},
    {"Form1.Image1", Role::Button}, {"Form1.Image2", Role::Button},
    {"Form1.Image3", Role::Button}, {"Form1.cmdOut", Role::Button},
    {"Form2.Text1", Role::EditableText}, {"Form2.Picture1", Role::Graphic},
    {"Form2.Command1", Role::Button}, {"Form2.Image2", Role::Button}, {"Form2.Label5", Role::Link},
};
// clang-format on

class Accessibility : public ui_test::FormTest {};

void ExpectNamedWithTheirRoles(QWidget& window, const ui::FormDescription& description) {
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&window)->role(),
              kRoles.value(window.objectName()))
        << window.objectName().toStdString();
    QHash<QString, QString> named;  // accessible name -> control
    for (const auto& row : description.controls) {
        const QString control = ui::Utf8ToQString(row.name);
        const QString key = window.objectName() + '.' + control;
        auto* widget = window.findChild<QWidget*>(control);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        // What the table names it; on AT-SPI a drop-down list's name is the item it shows.
        const QString name = widget->accessibleName().isEmpty()
                                 ? accessible->text(QAccessible::Name)
                                 : widget->accessibleName();
        if (widget->focusPolicy() & Qt::TabFocus || kRoles.contains(key)) {
            EXPECT_TRUE(kRoles.contains(key)) << key.toStdString() << " is missing";
            EXPECT_EQ(accessible->role(), kRoles.value(key)) << key.toStdString();
            EXPECT_FALSE(accessible->text(QAccessible::Name).trimmed().isEmpty())
                << key.toStdString();
        }
        if (!name.isEmpty() && named.contains(name))
            ADD_FAILURE() << key.toStdString() << " has the name of " << named[name].toStdString();
        named.insert(name, control);
    }
}

TEST_F(Accessibility, ReachableControlsHaveNamesAndRolesAndNoNameComesTwice) {
    ExpectNamedWithTheirRoles(form(), ui::mainwindow::Form1Description());
    ui::info::Form2 info(platform());
    ExpectNamedWithTheirRoles(info, ui::info::Form2Description());
}

// The name a screen reader reads: on AT-SPI a drop-down list's name is the item it shows, and
// readers take the name of the label that labels it instead.
QString SpokenName(QAccessibleInterface& control) {
    const auto labels = control.relations(QAccessible::Label);
    if (control.role() == Role::ComboBox && !labels.isEmpty())
        return labels.front().first->text(QAccessible::Name);
    return control.text(QAccessible::Name);
}

QString LabelOf(QAccessibleInterface& control) {
    const auto labels = control.relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.front().first->object()->objectName();
}

TEST_F(Accessibility, FieldsAreReadUnderTheirCaptions) {
    // Written out by hand; an empty label or description is not looked at.
    const struct {
        const char* control;
        QString nameStart;
        QString description;
        QString label;  // the label whose buddy the field is
    } cases[] = {
        {"StartDir", "Start Verzeichnis", "F4 oder Alt+Pfeil ab öffnet die Auswahl", ""},
        {"txtOptDir", "Optionales Ausgabe -Verzeichnis", "", ""},
        {"txtExtension", "Extension", "ohne Punkt, etwa tif", "Label2"},
        {"txtDirTIF", "Neues Verzeichnis anlegen", "", "Label4"},
        {"txtDosCmd", "Befehl", "", ""},
        {"Drive2", "Laufwerk des Startverzeichnisses", "", ""},
        {"Drive3", "Laufwerk des Ausgabeverzeichnisses", "", ""},
    };
    for (const auto& c : cases) {
        QAccessibleInterface* control =
            QAccessible::queryAccessibleInterface(form().findChild<QWidget*>(c.control));
        EXPECT_TRUE(SpokenName(*control).startsWith(c.nameStart))
            << c.control << " is read as " << SpokenName(*control).toStdString();
        if (!c.description.isEmpty())
            EXPECT_EQ(control->text(QAccessible::Description), c.description) << c.control;
        if (!c.label.isEmpty())
            EXPECT_EQ(LabelOf(*control), c.label) << c.control;
    }
}

bool Showing(QWidget& control) {
    const QAccessible::State state = QAccessible::queryAccessibleInterface(&control)->state();
    return !state.invisible && !state.offscreen;
}

TEST_F(Accessibility, ACollapsedPanelHidesWhatItCutsOff) {
    auto& form = this->form();
    form.show();
    // Written out by hand: what a collapsed panel shows.
    const QStringList shownCollapsed = {"StartDir", "Image2", "txtOptDir", "Image3"};
    for (const QString open : {"", "2", "3", "23"}) {
        form.Frame2->setHeightTwips(open.contains('2') ? 4335 : 700);
        form.Frame3->setHeightTwips(open.contains('3') ? 4335 : 700);
        for (const auto& row : ui::mainwindow::Form1Description().controls) {
            if (row.container != "Frame2" && row.container != "Frame3")
                continue;
            const QString name = ui::Utf8ToQString(row.name);
            const bool panelOpen = open.contains(row.container.back());
            EXPECT_EQ(Showing(*form.findChild<QWidget*>(name)),
                      panelOpen || shownCollapsed.contains(name))
                << name.toStdString() << " with open panels \"" << open.toStdString() << '"';
        }
    }
}

void Press(QWidget* control) {
    QAccessible::queryAccessibleInterface(control)->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
}

TEST_F(Accessibility, APressOnAPictureDoesWhatItsClickDoes) {
    auto& form = this->form();
    form.show();
    form.Frame4->show();
    Press(form.Image2);
    Press(form.cmdOut);
    EXPECT_EQ(form.Frame2->heightTwips(), ui::mainwindow::kPanelOpenTwips);
    EXPECT_TRUE(form.Frame4->isHidden());
    Press(form.Image1);
    EXPECT_FALSE(form.isVisible());

    ui::info::Form2 info(platform());
    info.show();
    Press(info.findChild<QWidget*>("Image2"));
    EXPECT_FALSE(info.isVisible());
}

}  // namespace
