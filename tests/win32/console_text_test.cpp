// Text in do.bat: the console's OEM code page on Windows, UTF-8 in the program.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"

namespace {

using platform::win32::Win32Platform;

std::size_t CodePoints(std::string_view utf8) {
    std::size_t count = 0;
    for (const char c : utf8)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

class ConsoleTextTest : public ::testing::Test {
  protected:
    std::unique_ptr<Win32Platform> platform = Win32Platform::Create();
};

TEST_F(ConsoleTextTest, IsTheOemCodePage) {
    EXPECT_EQ(platform->consoleCodePage(), GetOEMCP());
    // The German run of the suite sets this, so it proves it really ran under code page 850.
    if (const char* expected = std::getenv("DADIRARAVOR_EXPECT_OEM_CODE_PAGE")) {
        EXPECT_EQ(platform->consoleCodePage(), static_cast<UINT>(std::atoi(expected)));
    }
}

TEST_F(ConsoleTextTest, GermanTextSurvivesTheRoundTripOneBytePerLetter) {
    ASSERT_FALSE(platform->consoleTextIsUtf8());
    for (const std::string text : {"Grüße", "Ärger über Öl", "C:\\Scans\\Straße 1\\", "a&b^c%d"}) {
        const std::string bytes = platform->utf8ToConsole(text);
        EXPECT_EQ(bytes.size(), CodePoints(text)) << text;
        EXPECT_EQ(platform::win32::Narrow(
                      platform::win32::FromCodePage(bytes, platform->consoleCodePage())),
                  text);
        EXPECT_TRUE(platform->consoleCanHold(text)) << text;
    }
}

TEST_F(ConsoleTextTest, TextTheCodePageLacksIsMarkedNotReplacedByALookAlike) {
    struct Case {
        const char* text;
        const char* written;
    } cases[] = {
        {"日本", "??"},
        {"Brž", "Br?"},  // best fit would write "Brz", which names another file
        {"€", "?"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(platform->consoleCanHold(c.text)) << c.text;
        EXPECT_EQ(platform->utf8ToConsole(c.text), c.written) << c.text;
    }
}

TEST_F(ConsoleTextTest, BrokenUtf8DoesNotStopTheConversion) {
    const std::string broken = "a\xC3(b";
    EXPECT_EQ(platform->utf8ToConsole(broken).front(), 'a');
    EXPECT_EQ(platform->utf8ToConsole(broken).back(), 'b');
    EXPECT_EQ(platform->utf8ToConsole(""), "");
}

}  // namespace
