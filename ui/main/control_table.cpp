#include "ui/main/control_table.h"

#include <QCursor>
#include <QFrame>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <algorithm>
#include <limits>
#include <stdexcept>
#include <vector>

#include "ui/common/classic_font.h"
#include "ui/common/click_label.h"
#include "ui/main/controls/classic_button.h"
#include "ui/main/controls/drive_list.h"
#include "ui/main/controls/file_list.h"
#include "ui/main/controls/folder_list.h"
#include "ui/main/controls/frame.h"
#include "ui/main/controls/wrapping_check_box.h"

namespace ui::mainwindow {
namespace {

QString Text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

QCursor HandCursorOf(HandCursor cursor) {
    // Hot spots: the black-and-white hand points with its top-left corner, the coloured one
    // with its fingertip.
    if (cursor == HandCursor::Colour)
        return QCursor(QPixmap(":/main/hand_colour.png"), 12, 1);
    return QCursor(QPixmap(":/main/hand_bw.png"), 0, 0);
}

void SetColour(QWidget& widget, QPalette::ColorRole role, const std::optional<Rgb>& rgb) {
    if (!rgb)
        return;
    QPalette palette = widget.palette();
    palette.setColor(role, rgb->color());
    widget.setPalette(palette);
}

QWidget* Create(const ControlDescription& row, QWidget* parent, platform::Platform& platform) {
    const ControlLook& look = row.look;
    const QString caption = Text(row.caption);
    switch (row.kind) {
        case ControlKind::TextBox: {
            auto* box = new QLineEdit(caption, parent);
            box->setMaxLength(std::numeric_limits<int>::max());  // Qt's default cuts at 32,767
            SetColour(*box, QPalette::Base, look.background);
            SetColour(*box, QPalette::Text, look.foreground);
            return box;
        }
        case ControlKind::CheckBox:
            return new WrappingCheckBox(caption, parent);
        case ControlKind::Frame: {
            auto* frame = new Frame(caption, !look.borderless, parent);
            frame->setTwipsGeometry(row.rect);
            if (look.background) {
                frame->setAutoFillBackground(true);
                SetColour(*frame, QPalette::Window, look.background);
            }
            return frame;
        }
        case ControlKind::CommandButton: {
            auto* button = new ClassicButton(caption, parent);
            SetColour(*button, QPalette::Button, look.background);
            return button;
        }
        case ControlKind::Label:
        case ControlKind::Image: {
            auto* label = look.clickable ? new ClickLabel(parent) : new QLabel(parent);
            label->setTextFormat(Qt::PlainText);
            if (row.kind == ControlKind::Image) {
                label->setPixmap(QPixmap(Text(look.picture)));
            } else {
                label->setText(caption);
                label->setAlignment((look.centred ? Qt::AlignHCenter : Qt::AlignLeft) |
                                    Qt::AlignTop);
            }
            if (look.border)
                label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            if (look.background && !look.transparent) {
                label->setAutoFillBackground(true);
                SetColour(*label, QPalette::Window, look.background);
            }
            SetColour(*label, QPalette::WindowText, look.foreground);
            return label;
        }
        case ControlKind::Line: {
            auto* line = new QFrame(parent);
            line->setFrameShape(QFrame::HLine);
            line->setFrameShadow(QFrame::Plain);
            line->setLineWidth(1);
            return line;
        }
        case ControlKind::DriveList:
            return new DriveList(platform, parent);
        case ControlKind::FolderList:
            return new FolderList(platform, parent);
        case ControlKind::FileList: {
            auto* list = new FileList(platform, parent);
            list->setPattern(Text(look.pattern));
            return list;
        }
    }
    throw std::logic_error("unknown control kind in " + std::string(row.name));
}

bool TakesFocus(ControlKind kind) {
    switch (kind) {
        case ControlKind::Frame:
        case ControlKind::Label:
        case ControlKind::Image:
        case ControlKind::Line:
            return false;
        default:
            return true;
    }
}

}  // namespace

BuiltControls ApplyControlTable(QWidget& form, std::span<const ControlDescription> table,
                                platform::Platform& platform) {
    BuiltControls built;
    std::vector<const ControlDescription*> byTab;
    for (const auto& row : table) {
        const QString name = Text(row.name);
        QWidget* parent = &form;
        if (!row.container.empty()) {
            parent = built.value(Text(row.container));
            if (!parent)
                throw std::logic_error("container of " + std::string(row.name) + " unknown");
        }
        QWidget* widget = Create(row, parent, platform);
        widget->setObjectName(name);
        widget->setGeometry(PixelRect(row.rect));
        if (row.look.fontPoints != 8.25 || row.look.bold) {
            widget->setFont(ClassicFont(row.look.fontPoints, row.look.bold));
        }
        if (row.look.cursor != HandCursor::None)
            widget->setCursor(HandCursorOf(row.look.cursor));
        widget->setFocusPolicy(TakesFocus(row.kind) ? Qt::StrongFocus : Qt::NoFocus);
        widget->setVisible(!row.look.hidden);
        // As on the classic form, pictures, labels and lines lie behind every control that
        // is a window of its own, whatever their order.
        if (TakesFocus(row.kind) || row.kind == ControlKind::Frame) {
            widget->raise();
        } else {
            widget->lower();
        }
        built.insert(name, widget);
        if (row.tabIndex != kNoTabIndex && TakesFocus(row.kind))
            byTab.push_back(&row);
    }
    std::stable_sort(byTab.begin(), byTab.end(),
                     [](auto* a, auto* b) { return a->tabIndex < b->tabIndex; });
    for (std::size_t i = 1; i < byTab.size(); ++i) {
        QWidget::setTabOrder(built.value(Text(byTab[i - 1]->name)),
                             built.value(Text(byTab[i]->name)));
    }
    // The window opens with the focus on the first control that can take it.
    if (!byTab.empty())
        built.value(Text(byTab.front()->name))->setFocus();
    return built;
}

}  // namespace ui::mainwindow
