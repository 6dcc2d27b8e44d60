#include "ui/main/form1_controls.h"

#include "ui/main/controls/classic_button.h"
#include "ui/main/controls/drive_list.h"
#include "ui/main/controls/file_list.h"
#include "ui/main/controls/folder_list.h"
#include "ui/main/controls/frame.h"
#include "ui/main/controls/wrapping_check_box.h"

namespace ui::mainwindow {

QWidget* MakeForm1Control(const ControlDescription& row, QWidget* parent,
                          platform::Platform& platform) {
    namespace K = form1_kinds;
    const ControlLook& look = row.look;
    switch (row.kind.id) {
        case K::CheckBox.id:
            return new WrappingCheckBox(Utf8ToQString(row.caption), parent);
        case K::Frame.id: {
            auto* frame = new Frame(Utf8ToQString(row.caption), !look.borderless, parent);
            if (look.background) {
                frame->setAutoFillBackground(true);
                SetColour(*frame, QPalette::Window, look.background);
            }
            return frame;
        }
        case K::CommandButton.id: {
            auto* button = new ClassicButton(Utf8ToQString(row.caption), parent);
            SetColour(*button, QPalette::Button, look.background);
            return button;
        }
        case K::DriveList.id:
            return new DriveList(platform, parent);
        case K::FolderList.id:
            return new FolderList(platform, parent);
        case K::FileList.id: {
            auto* list = new FileList(platform, parent);
            list->setPattern(Utf8ToQString(look.pattern));
            return list;
        }
        default:
            return nullptr;
    }
}

}  // namespace ui::mainwindow
