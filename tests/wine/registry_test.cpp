#include "ui/registry.hpp"

#include <gtest/gtest.h>

#include "common/registry.hpp"
#include "common/text.hpp"
#include "settings/product.hpp"
#include "settings/settings_store.hpp"
#include "wine/fixture.hpp"

using namespace testing_wine;

namespace {
const char* kScratch = "Software\\OBSC32 test scratch";

void SetRaw(const char* name, DWORD type, const void* data, DWORD size) {
    ASSERT_TRUE(testing_common::registry::SetRaw(HKEY_CURRENT_USER, kScratch, name, type, data, size));
}

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { ui::Registry(HKEY_CURRENT_USER).DeleteKey(kScratch); }
    void TearDown() override { ui::Registry(HKEY_CURRENT_USER).DeleteKey(kScratch); }
};
}  // namespace

TEST_F(RegistryTest, ReadsStringsAndTreatsEverythingElseAsAbsent) {
    ui::Registry reg(HKEY_CURRENT_USER);
    EXPECT_FALSE(reg.OpenKey(kScratch, false).Ok());
    EXPECT_EQ(reg.ReadString("x"), "");

    DWORD dword = 7;
    SetRaw("dword", REG_DWORD, &dword, sizeof dword);
    SetRaw("binary", REG_BINARY, "12", 2);
    SetRaw("expand", REG_EXPAND_SZ, L"%WINDIR%\\a.bmp", 30);
    // Stored without its terminator, one with a terminator in the middle, and one of an odd length.
    SetRaw("unterminated", REG_SZ, L"abc", 6);
    SetRaw("early", REG_SZ, L"ab\0cd", 12);
    SetRaw("empty", REG_SZ, L"", 0);
    SetRaw("odd", REG_SZ, L"ab", 3);

    ASSERT_TRUE(reg.OpenKey(kScratch, false).Ok());
    EXPECT_EQ(reg.ReadString("dword"), "");
    EXPECT_EQ(reg.ReadString("binary"), "");
    EXPECT_EQ(reg.ReadString("expand"), "%WINDIR%\\a.bmp");
    EXPECT_EQ(reg.ReadString("unterminated"), "abc");
    EXPECT_EQ(reg.ReadString("early"), "ab");
    EXPECT_EQ(reg.ReadString("empty"), "");
    EXPECT_EQ(reg.ReadString("odd"), "a");
    EXPECT_EQ(reg.ReadString("missing"), "");
    EXPECT_TRUE(reg.ValueExists("dword"));
    EXPECT_FALSE(reg.ValueExists("missing"));
}

TEST_F(RegistryTest, LongValuesReadWhole) {
    std::string big(5000, 'x');
    big += "ソ한";
    ui::Registry reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKey(kScratch, true).Ok());
    ASSERT_TRUE(reg.WriteString("big", big).Ok());
    reg.CloseKey();
    ASSERT_TRUE(reg.OpenKey(kScratch, false).Ok());
    EXPECT_EQ(reg.ReadString("big"), big);
}

TEST_F(RegistryTest, StringsAreStoredInUnicodeThatAnOlderCopyReadsBackAsTheSameBytes) {
    // ソ and 表 end in the byte of '\\'.
    const std::string text = "真っ黒\\ソ表";
    ui::Registry reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKey(kScratch, true).Ok());
    ASSERT_TRUE(reg.WriteString("text", text).Ok());
    EXPECT_EQ(reg.WriteString("broken", "a\x81").Code, ERROR_NO_UNICODE_TRANSLATION);
    reg.CloseKey();

    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kScratch, 0, KEY_READ, &raw), ERROR_SUCCESS);
    ui::Key key(raw);
    wchar_t wide[16] = {};
    DWORD type = 0, size = sizeof wide;
    ASSERT_EQ(RegQueryValueExW(key.Get(), L"text", nullptr, &type, reinterpret_cast<BYTE*>(wide), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 7 * sizeof(wchar_t));  // six characters and the terminator
    EXPECT_EQ(std::wstring(wide), L"\u771f\u3063\u9ed2\\\u30bd\u8868");
    char bytes[32] = {};
    size = sizeof bytes;
    ASSERT_EQ(RegQueryValueExA(key.Get(), "text", nullptr, &type, reinterpret_cast<BYTE*>(bytes), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::string(bytes, size), testing_common::InCodePage(text, 932) + '\0');
    // A text that is not whole UTF-8 is refused, not stored garbled.
    EXPECT_EQ(RegQueryValueExA(key.Get(), "broken", nullptr, nullptr, nullptr, nullptr),
              ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, WritesListsAndDeletesTrees) {
    ui::Registry reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKey(std::string(kScratch) + "\\A\\B", true).Ok());
    ASSERT_TRUE(reg.WriteString("v", "1").Ok());
    ASSERT_TRUE(reg.OpenKey(kScratch, true).Ok());
    ASSERT_TRUE(reg.WriteString("one", "1").Ok());
    ASSERT_TRUE(reg.WriteString("two", "2").Ok());
    reg.DeleteValue("two");
    reg.DeleteValue("never there");
    EXPECT_EQ(reg.GetValueNames(), std::vector<std::string>{"one"});
    EXPECT_EQ(reg.GetKeyNames(), std::vector<std::string>{"A"});
    reg.CloseKey();

    EXPECT_TRUE(reg.DeleteKey(kScratch).Ok());
    EXPECT_FALSE(testing_common::registry::KeyExists(HKEY_CURRENT_USER, kScratch));
    EXPECT_FALSE(reg.DeleteKey(kScratch).Ok());
}

TEST(SettingsStore, CoverSettingsReadFromTheRegistryWithFallbacks) {
    DeleteProductKeys();
    obsc32::CoverSettings s = obsc32::ReadCoverSettings();
    EXPECT_FALSE(s.Auto);
    EXPECT_TRUE(s.Mue);
    EXPECT_EQ(s.Ichi, 1);

    SetProductDword("AUTO", 1);  // not a string: as if absent
    SetProductValue("ICHI", "9");
    SetProductValue("mode", "2");
    SetProductValue("MUE", "x");
    SetProductValue("BMPFile", "C:\\ソ\\a.bmp");
    s = obsc32::ReadCoverSettings();
    EXPECT_FALSE(s.Auto);
    EXPECT_EQ(s.Ichi, 1);
    EXPECT_EQ(s.Mode, 2);
    EXPECT_TRUE(s.Mue);
    EXPECT_EQ(s.BmpFile, "C:\\ソ\\a.bmp");
    DeleteProductKeys();
}

TEST(SettingsStore, WritesSevenStringValuesCreatingTheKey) {
    DeleteProductKeys();
    obsc32::CoverSettings s;
    s.Auto = true;
    s.Ichi = 6;
    s.Mode = 1;
    s.Mue = false;
    s.BmpFile = "D:\\b.bmp";
    obsc32::WriteCoverSettings(s);
    EXPECT_EQ(ProductValueNames(),
              (std::vector<std::string>{"AUTO", "BMPFile", "ICHI", "Kabe", "MUE", "UE", "mode"}));
    DWORD type;
    EXPECT_EQ(ReadProductValue("AUTO", &type), "1");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ReadProductValue("ICHI"), "6");
    EXPECT_EQ(ReadProductValue("mode"), "1");
    EXPECT_EQ(ReadProductValue("MUE"), "0");
    EXPECT_EQ(ReadProductValue("BMPFile"), "D:\\b.bmp");
    EXPECT_EQ(obsc32::ReadStoredVersion(), 255);
    SetProductValue("Version", "12");
    EXPECT_EQ(obsc32::ReadStoredVersion(), 12);
    SetProductValue("Version", "1x");
    EXPECT_EQ(obsc32::ReadStoredVersion(), 255);
    DeleteProductKeys();
}

namespace {
bool KeyExists(const char* path) { return testing_common::registry::KeyExists(HKEY_CURRENT_USER, path); }
}  // namespace

TEST(SettingsStore, InstallValuesAndTheVersionReset) {
    DeleteProductKeys();
    obsc32::SetupSettings none = obsc32::ReadSetupSettings();
    EXPECT_EQ(none.ExePath, "");
    EXPECT_FALSE(none.BackColor);
    EXPECT_TRUE(none.VanteColor);
    obsc32::WriteInstallPlace("C:\\VERADO32\\OBSC32", "ソフト");
    obsc32::WriteInstalledVersion(12, true, false);
    EXPECT_EQ(obsc32::ReadStoredVersion(), 12);
    obsc32::ClearStoredVersion();
    DWORD type;
    EXPECT_EQ(ReadProductValue("Version", &type), "");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(obsc32::ReadStoredVersion(), 255);
    // Everything else survives the reset.
    obsc32::SetupSettings s = obsc32::ReadSetupSettings();
    EXPECT_EQ(s.ExePath, "C:\\VERADO32\\OBSC32");
    EXPECT_EQ(s.Group, "ソフト");
    EXPECT_TRUE(s.BackColor);
    EXPECT_FALSE(s.VanteColor);
    SetProductValue("VANTE_COLOR", "x");
    EXPECT_TRUE(obsc32::ReadSetupSettings().VanteColor);
    DeleteProductKeys();
}

TEST(SettingsStore, UninstallRemovesOnlyWhatIsOurs) {
    DeleteProductKeys();
    SetProductValue("Version", "12");
    SetProductValue("REC_TXT", "old");
    SetProductValue("EXEPATH", "C:\\X");
    SetProductValue("AUTO", "1");
    obsc32::RemoveVersionValues();
    EXPECT_EQ(ProductValueNames(), (std::vector<std::string>{"AUTO", "EXEPATH"}));

    // A maker key holding another product's key stays.
    namespace registry = testing_common::registry;
    ASSERT_TRUE(registry::SetString(HKEY_CURRENT_USER, "Software\\VANTE SOFT32\\OTHER32", "x", "1"));
    obsc32::RemoveProductSettings();
    EXPECT_FALSE(KeyExists("Software\\VANTE SOFT32\\OBSC32"));
    EXPECT_TRUE(KeyExists("Software\\VANTE SOFT32\\OTHER32"));

    // A value of its own keeps it too.
    registry::DeleteTree(HKEY_CURRENT_USER, "Software\\VANTE SOFT32\\OTHER32");
    ASSERT_TRUE(registry::SetString(HKEY_CURRENT_USER, "Software\\VANTE SOFT32", "maker", "1"));
    SetProductValue("AUTO", "1");
    obsc32::RemoveProductSettings();
    EXPECT_FALSE(KeyExists("Software\\VANTE SOFT32\\OBSC32"));
    EXPECT_TRUE(KeyExists("Software\\VANTE SOFT32"));

    // An empty one goes.
    registry::DeleteValue(HKEY_CURRENT_USER, "Software\\VANTE SOFT32", "maker");
    SetProductValue("AUTO", "1");
    obsc32::RemoveProductSettings();
    EXPECT_FALSE(KeyExists("Software\\VANTE SOFT32"));
    // Removing when nothing is there is harmless.
    obsc32::RemoveVersionValues();
    obsc32::RemoveProductSettings();
    EXPECT_FALSE(KeyExists("Software\\VANTE SOFT32"));
}
