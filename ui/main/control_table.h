#pragma once
// A form described as a table: one row per control with its name, kind, container, caption,
// twips geometry, tab index and look. ApplyControlTable builds the widgets of such a table on a
// form; the form then picks its members out of the result by name.

#include <QColor>
#include <QHash>
#include <QString>
#include <QWidget>
#include <optional>
#include <span>
#include <string_view>

#include "ui/common/twips.h"

namespace platform {
class Platform;
}

namespace ui::mainwindow {

enum class ControlKind {
    TextBox,
    CheckBox,
    Frame,
    CommandButton,
    Label,
    Image,
    Line,
    DriveList,
    FolderList,
    FileList,
};

enum class HandCursor { None, BlackWhite, Colour };

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    QColor color() const { return QColor(r, g, b); }
};

// What a row says beyond name and geometry; every field left out keeps the kind's standard.
struct ControlLook {
    std::optional<Rgb> background = {};  // button face, or the fill of a label, frame or text box
    std::optional<Rgb> foreground = {};  // text colour
    double fontPoints = 8.25;
    bool bold = false;
    bool border = false;      // labels: a single border; frames always draw theirs unless hidden
    bool borderless = false;  // frames: no border and no caption
    bool hidden = false;
    bool transparent = false;  // labels: the container shows through
    bool centred = false;
    bool clickable = false;  // labels and images report clicks
    HandCursor cursor = HandCursor::None;
    std::string_view picture = {};  // resource path of an image's picture
    std::string_view pattern = {};  // file lists
};

inline constexpr int kNoTabIndex = -1;

struct ControlDescription {
    std::string_view name;
    ControlKind kind;
    std::string_view container;  // empty: the form itself
    std::string_view caption;    // UTF-8
    TwipsRect rect;
    int tabIndex = kNoTabIndex;
    ControlLook look = {};
};

using BuiltControls = QHash<QString, QWidget*>;

// Creates every control of `table` on `form` (rows must name containers before their
// contents), sets objectName to the row's name, places it by edges, applies texts, fonts,
// colours and pictures, and chains the focus by tab index; controls that cannot take the focus
// (labels, frames, images, lines) pass it on. Later rows lie in front of earlier ones, and
// labels, images and lines behind all other controls of their container.
BuiltControls ApplyControlTable(QWidget& form, std::span<const ControlDescription> table,
                                platform::Platform& platform);

}  // namespace ui::mainwindow
