#include "ui/common/control_table.h"

#include <QCursor>
#include <QFrame>
#include <QIcon>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <limits>
#include <vector>

#include "ui/common/accessible_role.h"
#include "ui/common/classic_font.h"
#include "ui/common/click_label.h"

namespace ui {
namespace {

QWidget* CreateLabel(const ControlDescription& row, QWidget* parent) {
    const ControlLook& look = row.look;
    auto* label = look.ownsMouse ? new ClickLabel(parent) : new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    if (row.kind == kinds::Label) {
        label->setText(Utf8ToQString(row.caption));
        label->setAlignment((look.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    } else {
        label->setPixmap(QPixmap(Utf8ToQString(look.picture)));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    if (look.border)
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // A picture box fills its box; a label only when it is not transparent.
    if (row.kind == kinds::PictureBox || (look.background && !look.transparent)) {
        label->setAutoFillBackground(true);
        SetColour(*label, QPalette::Window, look.background);
    }
    SetColour(*label, QPalette::WindowText, look.foreground);
    return label;
}

QWidget* CreateTextBox(const ControlDescription& row, QWidget* parent) {
    QWidget* box = nullptr;
    if (row.kind == kinds::TextBox) {
        auto* line = new QLineEdit(Utf8ToQString(row.caption), parent);
        line->setMaxLength(std::numeric_limits<int>::max());  // Qt's default cuts at 32,767
        box = line;
    } else {
        auto* text = new QPlainTextEdit(parent);
        text->setPlainText(Utf8ToQString(row.caption));
        text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        text->setTabChangesFocus(true);
        box = text;
    }
    SetColour(*box, QPalette::Base, row.look.background);
    SetColour(*box, QPalette::Text, row.look.foreground);
    return box;
}

QWidget* Create(const ControlDescription& row, QWidget* parent) {
    switch (row.kind.id) {
        case kinds::TextBox.id:
        case kinds::MultiLineTextBox.id:
            return CreateTextBox(row, parent);
        case kinds::CommandButton.id: {
            auto* button = new QPushButton(Utf8ToQString(row.caption), parent);
            SetColour(*button, QPalette::Button, row.look.background);
            return button;
        }
        case kinds::Label.id:
        case kinds::Image.id:
        case kinds::PictureBox.id:
            return CreateLabel(row, parent);
        case kinds::Line.id: {
            auto* line = new QFrame(parent);
            line->setFrameShape(QFrame::HLine);
            line->setFrameShadow(QFrame::Plain);
            line->setLineWidth(1);
            // A drawn line: the pointer over it is over its container.
            line->setAttribute(Qt::WA_TransparentForMouseEvents);
            return line;
        }
        default:
            throw std::logic_error("no maker for the kind of " + std::string(row.name));
    }
}

// Pictures, labels and lines lie behind every control that is a window of its own (containers
// and what takes the focus); within each group later rows lie in front.
bool LiesBehind(ControlKind kind) {
    return !kind.takesFocus && !kind.holdsControls;
}

void Place(QWidget& widget, TwipsRect rect) {
    if (auto* placed = dynamic_cast<TwipsPlaced*>(&widget)) {
        placed->setTwipsGeometry(rect);
    } else {
        widget.setGeometry(PixelRect(rect));
    }
}

void ApplyLook(QWidget& widget, const ControlDescription& row) {
    const ControlLook& look = row.look;
    if (look.fontPoints != 8.25 || look.bold || look.italic || look.underline || look.serif) {
        QFont font = look.serif ? ClassicSerifFont(look.fontPoints, look.bold)
                                : ClassicFont(look.fontPoints, look.bold);
        if (look.italic)
            font.setItalic(true);
        if (look.underline)
            font.setUnderline(true);
        widget.setFont(font);
    }
    if (!look.pointer.picture.empty()) {
        widget.setCursor(QCursor(QPixmap(Utf8ToQString(look.pointer.picture)), look.pointer.hotX,
                                 look.pointer.hotY));
    }
    if (look.ownsMouse)
        widget.setAttribute(Qt::WA_NoMousePropagation);
    widget.setVisible(!look.hidden);
}

void ApplyKeys(QWidget& widget, const ControlDescription& row) {
    widget.setFocusPolicy(row.kind.takesFocus ? Qt::StrongFocus : Qt::NoFocus);
    // Outside a dialog only an auto-default button answers Enter, and only while focused.
    if (auto* button = qobject_cast<QPushButton*>(&widget))
        button->setAutoDefault(true);
}

// AT-SPI names a drop-down list by the item it shows (Qt's combo box does so on every Unix), and
// screen readers read the label that labels it instead: such a control gets a hidden one.
void LabelWhereTheNameIsNotRead(QWidget& widget) {
#ifdef Q_OS_UNIX
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&widget);
    if (widget.accessibleName().isEmpty() || accessible == nullptr ||
        accessible->role() != QAccessible::ComboBox)
        return;
    auto* label = new QLabel(widget.accessibleName(), widget.parentWidget());
    label->setObjectName(widget.objectName() + QStringLiteral("Label"));
    label->hide();
    label->setBuddy(&widget);
#else
    Q_UNUSED(widget);
#endif
}

void ApplyAccess(QWidget& widget, const ControlDescription& row) {
    const ControlAccess& access = row.access;
    if (!access.name.empty())
        widget.setAccessibleName(Utf8ToQString(access.name));
    if (!access.description.empty())
        widget.setAccessibleDescription(Utf8ToQString(access.description));
    if (row.kind.holdsControls)
        SetAccessibleRole(widget, QAccessible::Grouping);
    if (row.kind == kinds::Line)
        SetAccessibleRole(widget, QAccessible::Separator);
    if (access.actsAs == ControlAccess::ActsAs::Button)
        SetAccessibleRole(widget, QAccessible::Button);
    if (access.actsAs == ControlAccess::ActsAs::Link)
        SetAccessibleRole(widget, QAccessible::Link);
    LabelWhereTheNameIsNotRead(widget);
}

// A label that captions a field names it for screen readers.
void TieBuddies(const BuiltControls& built, std::span<const ControlDescription> table) {
    for (const auto& row : table) {
        if (row.access.buddy.empty())
            continue;
        auto* label = ControlOf<QLabel>(built, row.name);
        label->setBuddy(ControlOf<QWidget>(built, row.access.buddy));
    }
}

void ApplyWindow(QWidget& form, const FormDescription& description) {
    form.setObjectName(Utf8ToQString(description.name));
    form.setWindowTitle(Utf8ToQString(description.caption));
    // A plain widget would be a filler to screen readers; they announce a window by its title.
    SetAccessibleRole(form, QAccessible::Window);
    form.setWindowIcon(QIcon(Utf8ToQString(description.icon)));
    form.setFont(ClassicFont());
    if (description.background) {
        QPalette palette = form.palette();
        palette.setColor(QPalette::Window, description.background->color());
        form.setPalette(palette);
        form.setAutoFillBackground(true);
    }
    form.resize(TwipsToPixels(description.clientWidth), TwipsToPixels(description.clientHeight));
}

void Stack(const BuiltControls& built, std::span<const ControlDescription> table) {
    for (const bool behind : {true, false}) {
        for (const auto& row : table) {
            if (LiesBehind(row.kind) == behind)
                built.value(Utf8ToQString(row.name))->raise();
        }
    }
}

void ChainFocus(const BuiltControls& built, std::span<const ControlDescription> table) {
    std::vector<const ControlDescription*> byTab;
    for (const auto& row : table) {
        if (row.tabIndex != kNoTabIndex && row.kind.takesFocus)
            byTab.push_back(&row);
    }
    std::stable_sort(byTab.begin(), byTab.end(),
                     [](auto* a, auto* b) { return a->tabIndex < b->tabIndex; });
    for (std::size_t i = 1; i < byTab.size(); ++i) {
        QWidget::setTabOrder(built.value(Utf8ToQString(byTab[i - 1]->name)),
                             built.value(Utf8ToQString(byTab[i]->name)));
    }
    if (!byTab.empty())
        built.value(Utf8ToQString(byTab.front()->name))->setFocus();
}

}  // namespace

QString Utf8ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

void SetColour(QWidget& widget, QPalette::ColorRole role, const std::optional<Rgb>& rgb) {
    if (!rgb)
        return;
    QPalette palette = widget.palette();
    palette.setColor(role, rgb->color());
    widget.setPalette(palette);
}

BuiltControls BuildForm(QWidget& form, const FormDescription& description,
                        const ControlMaker& formsOwn) {
    ApplyWindow(form, description);
    BuiltControls built;
    for (const auto& row : description.controls) {
        QWidget* parent = &form;
        if (!row.container.empty()) {
            parent = built.value(Utf8ToQString(row.container));
            if (!parent)
                throw std::logic_error("container of " + std::string(row.name) + " unknown");
        }
        QWidget* widget = formsOwn ? formsOwn(row, parent) : nullptr;
        if (!widget)
            widget = Create(row, parent);
        widget->setObjectName(Utf8ToQString(row.name));
        Place(*widget, row.rect);
        ApplyLook(*widget, row);
        ApplyKeys(*widget, row);
        ApplyAccess(*widget, row);
        built.insert(widget->objectName(), widget);
    }
    Stack(built, description.controls);
    TieBuddies(built, description.controls);
    ChainFocus(built, description.controls);
    return built;
}

}  // namespace ui
