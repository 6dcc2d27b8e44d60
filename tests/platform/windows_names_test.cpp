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

// As the folder lists report folders; the same rule serves the settings and the file list.
TEST(NormalFolderPath, AsTheFolderListsGiveThem) {
    const struct {
        const char* path;
        const char* normal;
    } rows[] = {{"c:/scans//2024/", R"(C:\scans\2024)"}, {"d:", R"(D:\)"}, {R"(C:\)", R"(C:\)"},
                {R"(e:\\)", R"(E:\)"}, {R"(1:\x\)", R"(1:\x)"}, {R"(scans\a\)", R"(scans\a)"}};
    for (const auto& row : rows)
        EXPECT_EQ(platform::NormalFolderPath(row.path), row.normal) << row.path;
    EXPECT_FALSE(platform::HasDriveLetter("1:"));
    EXPECT_FALSE(platform::HasDriveLetter("\xC3\x84:"));  // Ä is no drive letter
    EXPECT_TRUE(platform::HasDriveLetter("z:x"));
}

}  // namespace
