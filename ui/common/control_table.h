#pragma once
// A form described as a table: the window's name, caption, icon, client size and colour, and one
// row per control with its name, kind, container, caption, twips geometry, tab index and look.
// BuildForm builds such a form; the form then picks its members out of the result by name. Both
// windows are built this way, each from its own layout file.

#include <QColor>
#include <QHash>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "ui/common/twips.h"

namespace ui {

// What kind of control a row describes, and what BuildForm must know of it. BuildForm makes the
// kinds in `kinds` below; a window's own kinds come from its ControlMaker, which tells them
// apart by `id`.
struct ControlKind {
    int id = 0;
    bool takesFocus = false;
    // A container (a frame): a window of its own that holds the rows naming it, a group to
    // screen readers.
    bool holdsControls = false;
    friend constexpr bool operator==(ControlKind a, ControlKind b) { return a.id == b.id; }
};

namespace kinds {
inline constexpr ControlKind TextBox{1, true};  // one line, no length limit
// Wrapping, with a vertical scroll bar always shown; Tab leaves it.
inline constexpr ControlKind MultiLineTextBox{2, true};
// Drawn by the platform's style unless the form's maker draws its own.
inline constexpr ControlKind CommandButton{3, true};
inline constexpr ControlKind Label{4, false};
inline constexpr ControlKind Image{5, false};  // a picture drawn from the control's top-left corner
inline constexpr ControlKind PictureBox{6, true};  // a picture in a filled box that takes the focus
// Horizontal, one pixel; the mouse passes through it to the form.
inline constexpr ControlKind Line{7, false};
// A window's own kinds take their ids from here on.
inline constexpr int kFirstOwnId = 100;
}  // namespace kinds

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    QColor color() const { return QColor(r, g, b); }
};

// A mouse pointer drawn from a picture, pointing with its hot spot.
struct PointerPicture {
    std::string_view picture = {};  // resource path; empty: the standard arrow
    int hotX = 0;
    int hotY = 0;
};

// What a row says beyond name and geometry; every field left out keeps the kind's standard.
struct ControlLook {
    std::optional<Rgb> background = {};  // button face, or the fill of a label, frame or text box
    std::optional<Rgb> foreground = {};  // text colour
    double fontPoints = 8.25;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool serif = false;       // a Times-like face instead of the form's sans-serif
    bool border = false;      // labels: a single border; frames always draw theirs unless hidden
    bool borderless = false;  // frames: no border and no caption
    bool hidden = false;
    bool transparent = false;  // labels: the container shows through
    bool centred = false;
    // The mouse over it is its own and never reaches its container: labels and images report
    // their clicks and moves (ClickLabel), other controls just keep the mouse.
    bool ownsMouse = false;
    PointerPicture pointer = {};
    std::string_view picture = {};  // resource path of an image's picture
    std::string_view pattern = {};  // file lists
};

// What screen readers are told of a control.
struct ControlAccess {
    // German, what the control is for. A visible caption stands at its start, so voice control
    // finds the control by what it shows; empty: the caption alone (labels, buttons).
    std::string_view name = {};
    std::string_view description = {};
    // Labels and images that act on a click: a button or a link, clicked by the press action.
    enum class ActsAs { Itself, Button, Link } actsAs = ActsAs::Itself;
    std::string_view buddy = {};  // labels: the field the label captions
};

inline constexpr int kNoTabIndex = -1;

struct ControlDescription {
    std::string_view name;
    ControlKind kind;
    std::string_view container;  // empty: the form itself
    std::string_view caption;    // UTF-8; a text box's text
    TwipsRect rect;
    int tabIndex = kNoTabIndex;
    ControlLook look = {};
    ControlAccess access = {};
};

struct FormDescription {
    std::string_view name;
    std::string_view caption;
    std::string_view icon;  // resource path
    int clientWidth = 0;    // twips
    int clientHeight = 0;
    std::optional<Rgb> background = {};  // standard: the button face
    std::span<const ControlDescription> controls;
};

using BuiltControls = QHash<QString, QWidget*>;

// Makes the widget of a row whose kind only this form has, or draws in its own way; returns null
// for the kinds it leaves to BuildForm.
using ControlMaker = std::function<QWidget*(const ControlDescription& row, QWidget* parent)>;

// Gives `form` its name, caption, icon, font, colour and client size, then creates every control
// of the table on it (rows must name containers before their contents), sets objectName to the
// row's name, places it by edges (a TwipsPlaced control in twips), applies texts, fonts, colours
// and pictures, and chains the focus by tab index; controls that cannot take the focus (labels,
// frames, images, lines) pass it on, and command buttons answer Enter while they have it. Later
// rows lie in front of earlier ones, and labels, images and lines behind all other controls of
// their container. The focus starts on the first control in the tab order. For screen readers the
// form is a window, frames are groups, lines are separators, and each control gets the name and
// role of its row.
BuiltControls BuildForm(QWidget& form, const FormDescription& description,
                        const ControlMaker& formsOwn = {});

QString Utf8ToQString(std::string_view utf8);

// Sets one colour of `widget`'s palette; nothing when the row leaves it standard.
void SetColour(QWidget& widget, QPalette::ColorRole role, const std::optional<Rgb>& rgb);

// The control `name` of a built form as a T; throws when the table has none of that kind.
template <typename T>
T* ControlOf(const BuiltControls& built, std::string_view name) {
    auto* widget = qobject_cast<T*>(built.value(QString::fromUtf8(name.data(), name.size())));
    if (!widget)
        throw std::logic_error("no control " + std::string(name) + " of that kind on the form");
    return widget;
}

}  // namespace ui
