// Windows' name rules as text. Each row's answer is what shared/tools/cmd_model.py's
// opens_device(path, windows=10) gives for it.

#include "platform/windows_names.h"

#include <gtest/gtest.h>

namespace {

TEST(OpensDevice, AsWindows10Does) {
    const struct {
        const char* path;
        bool device;
    } rows[] = {
        {R"(C:\s\CON.tif)", true},
        {R"(C:\s\nul.tif)", true},
        {R"(C:\s\aux .tif)", true},
        {R"(C:\s\Nul . tif)", true},
        {R"(C:\s\Aux)", true},
        {R"(C:\s\nul.)", true},
        {R"(C:\s\COM9.x.y)", true},
        {R"(C:\s\lpt0.tif)", true},
        {"C:\\s\\com\u00b9.tif", true},
        {R"(C:\s\con:x)", true},
        {R"(C:\s\nul\)", true},
        {"C:/s/aux.tif", true},
        {"C:nul", true},
        {R"(\\server\share\nul.tif)", true},
        {R"(\\.\C:\x.tif)", true},
        {R"(\\?\C:\s\CON.tif)", false},
        {R"(C:\s\nul\a.tif)", false},
        {R"(C:\s\ nul.tif)", false},
        {R"(C:\s\COM10.tif)", false},
        {R"(C:\s\CONTO.tif)", false},
        {"C:\\s\\com\u2074.tif", false},
        {"", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(platform::OpensDevice(row.path), row.device) << row.path;
}

}  // namespace
