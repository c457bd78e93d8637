// The settings key and the uninstall entry, value by value and byte for
// byte, read around the code under test through the registry's own calls.
// These keys belong to the setup: the tests run only where the ctest entry
// says the prefix is a throwaway copy (LV_THROWAWAY_PREFIX).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "resconst/ResConst.h"
#include "setup/Records.h"
#include "support/StoredRecords.h"

namespace {

const char ProductKey[] = "Software\\Lorvane Word Processor";

// A value as stored: its type and its bytes, read through the wide call for
// values written wide and through the byte-string call otherwise.
struct RawValue {
  std::string name;
  DWORD type;
  bool wide;
  std::string bytes;
  bool operator==(const RawValue &) const = default;
};

std::ostream &operator<<(std::ostream &os, const RawValue &v) {
  os << v.name << " type " << v.type << (v.wide ? " wide" : " bytes") << " [";
  for (unsigned char b : v.bytes) os << ' ' << std::hex << static_cast<int>(b) << std::dec;
  return os << " ]";
}

RawValue Wide(const std::string &name, const std::wstring &text) {
  return {name, REG_SZ, true, std::string(reinterpret_cast<const char *>(text.c_str()), (text.size() + 1) * 2)};
}
RawValue Bytes(const std::string &name, const std::string &text) {
  return {name, REG_SZ, false, std::string(text.c_str(), text.size() + 1)};
}
RawValue Dword(const std::string &name, DWORD value) {
  return {name, REG_DWORD, false, std::string(reinterpret_cast<const char *>(&value), sizeof value)};
}

// The values of the key read as the expected ones are; the count is checked
// apart, so a value too many shows.
std::vector<RawValue> ReadLike(HKEY root, const char *path, const std::vector<RawValue> &expected) {
  std::vector<RawValue> found;
  HKEY key;
  if (::RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return found;
  for (const RawValue &e : expected) {
    RawValue v{e.name, REG_NONE, e.wide, std::string(1024, '\0')};
    DWORD size = static_cast<DWORD>(v.bytes.size());
    const std::wstring nameW(e.name.begin(), e.name.end());
    LONG rc = e.wide ? ::RegQueryValueExW(key, nameW.c_str(), nullptr, &v.type,
                                          reinterpret_cast<BYTE *>(v.bytes.data()), &size)
                     : ::RegQueryValueExA(key, e.name.c_str(), nullptr, &v.type,
                                          reinterpret_cast<BYTE *>(v.bytes.data()), &size);
    v.bytes.resize(rc == ERROR_SUCCESS ? size : 0);
    found.push_back(v);
  }
  ::RegCloseKey(key);
  return found;
}

DWORD ValueCount(HKEY root, const char *path) {
  HKEY key;
  DWORD count = 0;
  if (::RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
  ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                     nullptr);
  ::RegCloseKey(key);
  return count;
}

void ExpectKeyHolds(HKEY root, const char *path, const std::vector<RawValue> &expected) {
  ASSERT_TRUE(RawKeyExists(root, path)) << path;
  EXPECT_EQ(ReadLike(root, path, expected), expected) << path;
  EXPECT_EQ(ValueCount(root, path), expected.size()) << path;
}

// Each test starts and ends with neither key present.
class RegistryRecordsTest : public testing::Test {
protected:
  void SetUp() override {
    if (std::getenv("LV_THROWAWAY_PREFIX") == nullptr) GTEST_SKIP() << "changes the setup's keys: prefix copy only";
    RemoveKeys();
  }
  void TearDown() override {
    if (std::getenv("LV_THROWAWAY_PREFIX") != nullptr) RemoveKeys();
  }
  static void RemoveKeys() {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, ProductKey);
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, UninstallKeyPath);
  }
};

struct SaveCase {
  const char *label;
  const wchar_t *mainDir;
  bool all, desktop, launch;
  uint8_t language;
  bool portable;
  const char *code;
  const wchar_t *displayName;
};

void PrintTo(const SaveCase &c, std::ostream *os) { *os << c.label; }

class SaveSettingsTest : public RegistryRecordsTest, public testing::WithParamInterface<SaveCase> {};

TEST_P(SaveSettingsTest, WritesEveryValueByteForByteUnderItsRoot) {
  const SaveCase &c = GetParam();
  const TSettingsRecord r{c.mainDir, c.all, c.desktop, c.launch, c.language};
  SaveSettingsRecords(r, c.portable);

  ExpectKeyHolds(HKEY_CURRENT_USER, SettingsKeyPath,
                 {Wide("MAINDIR", r.MainDir), Dword("INSTALLTOALL", r.InstallToAll),
                  Dword("DSKSHORTCUT", r.DesktopShortcut), Dword("LAUNCH", r.Launch), Bytes("UILANG", c.code)});
  EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, ProductKey));
  EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, UninstallKeyPath));
  if (c.portable) {
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, UninstallKeyPath));
  } else {
    const std::wstring program = r.MainDir + L"\\lvx.exe";
    ExpectKeyHolds(
        HKEY_LOCAL_MACHINE, UninstallKeyPath,
        {Wide("DisplayIcon", program), Wide("DisplayName", c.displayName), Bytes("DisplayVersion", "5.0.0.4"),
         Dword("EstimatedSize", 3072), Bytes("Publisher", "The Lorvane Word Processor Team"),
         Wide("UninstallString", L"\"" + program + L"\" -ui")});
  }

  // The next run reads back what this one stored.
  TStoredSettings stored = ReadSettings();
  EXPECT_TRUE(stored.Found);
  EXPECT_EQ(stored.MainDir, r.MainDir);
  EXPECT_EQ(stored.InstallToAll, r.InstallToAll);
  EXPECT_EQ(stored.DesktopShortcut, r.DesktopShortcut);
  EXPECT_EQ(stored.Launch, r.Launch);
  EXPECT_EQ(stored.UILang, std::optional<AnsiString>(c.code));
}

INSTANTIATE_TEST_SUITE_P(Cases, SaveSettingsTest,
                         testing::Values(SaveCase{"english", L"C:\\Program Files\\Lorvane", true, true, true, 1, false,
                                                  "en", L"Lorvane Word Processor"},
                                         SaveCase{"german", L"D:\\Büro\\Textverarbeitung für Ärzte", false, true, false,
                                                  0, false, "de", L"Lorvane-Textverarbeitungsprogramm"},
                                         SaveCase{"traditional_chinese", L"C:\\程式\\Lorvane 文書", false, false, false,
                                                  7, false, "zht", L"Lorvane文字處理器"},
                                         SaveCase{"portable", L"E:\\Tragbar Ö", true, false, true, 3, true, "fr", L""}),
                         [](const testing::TestParamInfo<SaveCase> &info) { return std::string(info.param.label); });

// Grants nothing on a key for its lifetime, then puts its access list back.
class RefusedKey {
public:
  RefusedKey(HKEY root, const char *path) : FRoot(root), FPath(path) {
    HKEY key;
    if (::RegOpenKeyExA(root, path, 0, READ_CONTROL | WRITE_DAC, &key) != ERROR_SUCCESS) return;
    DWORD size = 0;
    ::RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
    FSaved.resize(size);
    if (::RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, FSaved.data(), &size) == ERROR_SUCCESS) {
      SECURITY_DESCRIPTOR nothingGranted;
      ACL emptyAcl;
      ::InitializeSecurityDescriptor(&nothingGranted, SECURITY_DESCRIPTOR_REVISION);
      ::InitializeAcl(&emptyAcl, sizeof emptyAcl, ACL_REVISION);
      ::SetSecurityDescriptorDacl(&nothingGranted, TRUE, &emptyAcl, FALSE);
      FRefused = ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &nothingGranted) == ERROR_SUCCESS;
    }
    ::RegCloseKey(key);
  }
  ~RefusedKey() {
    HKEY key;
    if (!FRefused || ::RegOpenKeyExA(FRoot, FPath, 0, WRITE_DAC, &key) != ERROR_SUCCESS) return;
    ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, FSaved.data());
    ::RegCloseKey(key);
  }
  RefusedKey(const RefusedKey &) = delete;
  RefusedKey &operator=(const RefusedKey &) = delete;
  bool Refused() const { return FRefused; }

private:
  HKEY FRoot;
  const char *FPath;
  std::vector<BYTE> FSaved;
  bool FRefused = false;
};

// Without write access to the uninstall entry its values are lost silently,
// and the settings are still kept. The entry itself refuses access: Wine
// creates a key below a refusing parent all the same when the path is given
// from the root.
TEST_F(RegistryRecordsTest, ARefusedUninstallEntryIsLostSilently) {
  HKEY entry;
  ASSERT_EQ(
      ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, UninstallKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &entry, nullptr),
      ERROR_SUCCESS);
  ::RegCloseKey(entry);
  {
    RefusedKey refused(HKEY_LOCAL_MACHINE, UninstallKeyPath);
    ASSERT_TRUE(refused.Refused());
    ASSERT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, UninstallKeyPath)) << "the system still grants access";
    EXPECT_NO_THROW(SaveSettingsRecords({L"C:\\Lorvane", false, true, false, 5}, false));
  }
  ASSERT_TRUE(RawKeyExists(HKEY_LOCAL_MACHINE, UninstallKeyPath)) << "access not given back";
  EXPECT_EQ(ValueCount(HKEY_LOCAL_MACHINE, UninstallKeyPath), 0u);
  ExpectKeyHolds(HKEY_CURRENT_USER, SettingsKeyPath,
                 {Wide("MAINDIR", L"C:\\Lorvane"), Dword("INSTALLTOALL", 0), Dword("DSKSHORTCUT", 1),
                  Dword("LAUNCH", 0), Bytes("UILANG", "ja")});
}

TEST_F(RegistryRecordsTest, NoKeyGivesTheDefaultsAndReadingCreatesNothing) {
  TStoredSettings stored = ReadSettings();
  EXPECT_FALSE(stored.Found);
  EXPECT_EQ(stored.MainDir, L"");
  EXPECT_TRUE(stored.InstallToAll);
  EXPECT_TRUE(stored.DesktopShortcut);
  EXPECT_TRUE(stored.Launch);
  EXPECT_EQ(stored.UILang, std::nullopt);
  EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, ProductKey));
}

// A value as an earlier installation (or a person) left it.
struct StoredValue {
  const char *name;
  std::variant<DWORD, std::wstring, std::string> value;  // REG_DWORD, wide or byte-string REG_SZ
};

struct ReadCase {
  const char *label;
  std::vector<StoredValue> values;
  TStoredSettings expected;
  uint8_t language;  // chosen with a German user locale
};

void PrintTo(const ReadCase &c, std::ostream *os) { *os << c.label; }

class ReadSettingsTest : public RegistryRecordsTest, public testing::WithParamInterface<ReadCase> {};

TEST_P(ReadSettingsTest, ReadsWhatIsPresentAndKeepsTheDefaultsOfTheRest) {
  const ReadCase &c = GetParam();
  HKEY key;
  ASSERT_EQ(
      ::RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
      ERROR_SUCCESS);
  for (const StoredValue &v : c.values) {
    if (const DWORD *n = std::get_if<DWORD>(&v.value)) {
      ::RegSetValueExA(key, v.name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(n), sizeof *n);
    } else if (const std::wstring *w = std::get_if<std::wstring>(&v.value)) {
      const std::wstring name(v.name, v.name + std::strlen(v.name));
      ::RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>(w->c_str()),
                       static_cast<DWORD>((w->size() + 1) * 2));
    } else {
      const std::string &s = std::get<std::string>(v.value);
      ::RegSetValueExA(key, v.name, 0, REG_SZ, reinterpret_cast<const BYTE *>(s.c_str()),
                       static_cast<DWORD>(s.size() + 1));
    }
  }
  ::RegCloseKey(key);

  TStoredSettings stored = ReadSettings();
  EXPECT_EQ(stored.Found, c.expected.Found);
  EXPECT_EQ(stored.MainDir, c.expected.MainDir);
  EXPECT_EQ(stored.InstallToAll, c.expected.InstallToAll);
  EXPECT_EQ(stored.DesktopShortcut, c.expected.DesktopShortcut);
  EXPECT_EQ(stored.Launch, c.expected.Launch);
  EXPECT_EQ(stored.UILang, c.expected.UILang);
  EXPECT_EQ(ChooseStartLanguage(0x0407, stored.UILang), c.language);
}

TStoredSettings Stored(const WideString &mainDir, bool all, bool desktop, bool launch, std::optional<AnsiString> code) {
  TStoredSettings s;
  s.Found = true;
  s.MainDir = mainDir;
  s.InstallToAll = all;
  s.DesktopShortcut = desktop;
  s.Launch = launch;
  s.UILang = code;
  return s;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadSettingsTest,
    testing::Values(ReadCase{"empty_key", {}, Stored(L"", true, true, true, std::nullopt), 0},
                    ReadCase{"not_zero_is_true",
                             {{"INSTALLTOALL", DWORD(0)}, {"DSKSHORTCUT", DWORD(2)}, {"LAUNCH", DWORD(0)}},
                             Stored(L"", false, true, false, std::nullopt),
                             0},
                    ReadCase{"every_value",
                             {{"MAINDIR", std::wstring(L"C:\\程式\\Lorvane 文書")},
                              {"INSTALLTOALL", DWORD(1)},
                              {"DSKSHORTCUT", DWORD(0)},
                              {"LAUNCH", DWORD(0xFFFFFFFF)},
                              {"UILANG", std::string("zht")}},
                             Stored(L"C:\\程式\\Lorvane 文書", true, false, true, "zht"),
                             7},
                    ReadCase{"code_zh", {{"UILANG", std::string("zh")}}, Stored(L"", true, true, true, "zh"), 6},
                    ReadCase{"code_en", {{"UILANG", std::string("en")}}, Stored(L"", true, true, true, "en"), 1},
                    // Letter case counts: the locale's language stays.
                    ReadCase{"code_EN", {{"UILANG", std::string("EN")}}, Stored(L"", true, true, true, "EN"), 0},
                    ReadCase{"code_empty", {{"UILANG", std::string("")}}, Stored(L"", true, true, true, ""), 0}),
    [](const testing::TestParamInfo<ReadCase> &info) { return std::string(info.param.label); });

}  // namespace
