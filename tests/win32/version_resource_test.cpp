// The version resource linked into this test program, read back as Explorer reads it.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

class VersionResourceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t file[4096];
        ASSERT_GT(GetModuleFileNameW(nullptr, file, 4096), 0u);
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(file, &ignored);
        ASSERT_GT(size, 0u) << "no version resource";
        block.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(file, 0, size, block.data()));
    }

    // A value of the German (Germany), Unicode string table; nullptr when missing.
    const wchar_t* text(const wchar_t* name) {
        const std::wstring key = std::wstring(L"\\StringFileInfo\\040704B0\\") + name;
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(block.data(), key.c_str(), &value, &length))
            return nullptr;
        return static_cast<const wchar_t*>(value);
    }

    std::vector<char> block;
};

TEST_F(VersionResourceTest, FixedPartSaysOneZeroZeroZero) {
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(VersionResourceTest, HasOneStringTableForGermanGermanyInUnicode) {
    WORD* pairs = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&pairs), &length));
    ASSERT_EQ(length, 2 * sizeof(WORD));
    EXPECT_EQ(pairs[0], 0x0407);
    EXPECT_EQ(pairs[1], 1200);
}

TEST_F(VersionResourceTest, StringsNameTheProgramAndItsVersion) {
    struct Case {
        const wchar_t* name;
        std::wstring value;
    } cases[] = {
        {L"FileVersion", L"1.00"},
        {L"ProductVersion", L"1.00"},
        {L"ProductName", L"dadiRaravor"},
        {L"InternalName", L"dadiRaravor"},
        {L"OriginalFilename", L"dadiRaravor.exe"},
    };
    for (const auto& c : cases) {
        const wchar_t* value = text(c.name);
        ASSERT_NE(value, nullptr) << "missing " << testing::PrintToString(std::wstring(c.name));
        EXPECT_EQ(std::wstring(value), c.value);
    }
    ASSERT_NE(text(L"CompanyName"), nullptr);
    EXPECT_NE(std::wstring(text(L"CompanyName")), L"");
}

TEST_F(VersionResourceTest, CarriesTheProgramIcon) {
    int groups = 0;
    EnumResourceNamesW(
        nullptr, RT_GROUP_ICON,
        [](HMODULE, LPCWSTR, LPWSTR, LONG_PTR count) -> BOOL {
            ++*reinterpret_cast<int*>(count);
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&groups));
    EXPECT_EQ(groups, 1);
    EXPECT_NE(LoadIconW(GetModuleHandleW(nullptr), L"IDI_ICON1"), nullptr);
}

}  // namespace
