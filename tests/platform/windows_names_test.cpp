// Windows' name rules as text.

#include "platform/windows_names.h"

#include <gtest/gtest.h>

namespace {

// The answers of shared/tools/cmd_model.py's opens_device(path, windows=10).
TEST(OpensDevice, AsWindows10Does) {
    for (const char* device :
         {R"(C:\s\CON.tif)", R"(C:\s\nul.tif)", R"(C:\s\aux .tif)", R"(C:\s\Nul . tif)",
          R"(C:\s\Aux)", R"(C:\s\nul.)", R"(C:\s\COM9.x.y)", R"(C:\s\lpt0.tif)",
          "C:\\s\\com\u00b9.tif", R"(C:\s\con:x)", R"(C:\s\nul\)", "C:/s/aux.tif", "C:nul",
          R"(\\server\share\nul.tif)", R"(\\.\C:\x.tif)"})
        EXPECT_TRUE(platform::OpensDevice(device)) << device;
    for (const char* file : {R"(\\?\C:\s\CON.tif)", R"(C:\s\nul\a.tif)", R"(C:\s\ nul.tif)",
                             R"(C:\s\COM10.tif)", R"(C:\s\CONTO.tif)", "C:\\s\\com\u2074.tif", ""})
        EXPECT_FALSE(platform::OpensDevice(file)) << file;
}

}  // namespace
