#include "payload/Registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/StoredRecords.h"

namespace {

const char *const TestsKey = "Software\\LorvaneSetupTests";

struct RawValue {
  LONG rc = ERROR_FILE_NOT_FOUND;
  DWORD type = REG_NONE;
  std::vector<BYTE> bytes;
};

// Reads a value around TRegistry, through the wide or the byte-string query.
RawValue QueryRaw(HKEY root, const std::string &path, const std::wstring &name, bool wide) {
  RawValue v;
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return v;
  std::string nameA(name.begin(), name.end());
  DWORD size = 0;
  v.rc = wide ? RegQueryValueExW(key, name.c_str(), nullptr, &v.type, nullptr, &size)
              : RegQueryValueExA(key, nameA.c_str(), nullptr, &v.type, nullptr, &size);
  if (v.rc == ERROR_SUCCESS) {
    v.bytes.resize(size);
    v.rc = wide ? RegQueryValueExW(key, name.c_str(), nullptr, &v.type, v.bytes.data(), &size)
                : RegQueryValueExA(key, nameA.c_str(), nullptr, &v.type, v.bytes.data(), &size);
    v.bytes.resize(size);
  }
  RegCloseKey(key);
  return v;
}

std::vector<BYTE> BytesOf(const void *p, size_t n) {
  const auto *b = static_cast<const BYTE *>(p);
  return std::vector<BYTE>(b, b + n);
}

// Each test works below a key of its own, removed afterwards under both roots.
class RegistryTest : public testing::Test {
protected:
  void SetUp() override {
    Base = std::string(TestsKey) + "\\" + std::to_string(GetCurrentProcessId()) + "-" +
           testing::UnitTest::GetInstance()->current_test_info()->name();
    ASSERT_FALSE(RawKeyExists(HKEY_CURRENT_USER, Base));
  }
  void TearDown() override {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
      RegDeleteTreeA(root, Base.c_str());
      RegDeleteKeyA(root, TestsKey);  // only when no other test still uses it
    }
  }
  std::string Base;
};

TEST_F(RegistryTest, StartsAtTheCurrentUserWithNoKeyOpen) {
  TRegistry reg;
  EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
  EXPECT_EQ(reg.CurrentKey(), HKEY(0));
  EXPECT_EQ(reg.CurrentPath(), "");
}

TEST_F(RegistryTest, OpenKeyCreatesButKeyExistsDoesNot) {
  TRegistry reg;
  EXPECT_FALSE(reg.KeyExists(Base + "\\Install"));
  EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, Base + "\\Install"));

  reg.OpenKey(Base + "\\Install");
  EXPECT_NE(reg.CurrentKey(), HKEY(0));
  EXPECT_EQ(reg.CurrentPath(), Base + "\\Install");
  EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, Base + "\\Install"));

  HKEY open = reg.CurrentKey();
  EXPECT_TRUE(reg.KeyExists("\\" + Base + "\\Install"));
  EXPECT_FALSE(reg.KeyExists("\\" + Base + "\\Other"));
  EXPECT_EQ(reg.CurrentKey(), open);
  EXPECT_EQ(reg.CurrentPath(), Base + "\\Install");
}

TEST_F(RegistryTest, RelativePathsGoBelowTheOpenKeyAbsoluteBelowTheRoot) {
  TRegistry reg;
  reg.OpenKey("\\" + Base);  // nothing open yet: below the root either way
  EXPECT_EQ(reg.CurrentPath(), Base);

  reg.OpenKey("A");
  EXPECT_EQ(reg.CurrentPath(), Base + "\\A");
  EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, Base + "\\A"));
  EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, "A"));
  EXPECT_TRUE(reg.KeyExists(""));  // the open key itself

  reg.OpenKey("B\\C");
  EXPECT_EQ(reg.CurrentPath(), Base + "\\A\\B\\C");
  EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, Base + "\\A\\B\\C"));
  EXPECT_FALSE(reg.KeyExists("A"));

  reg.OpenKey("\\" + Base + "\\D");
  EXPECT_EQ(reg.CurrentPath(), Base + "\\D");
  EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, Base + "\\D"));
  EXPECT_TRUE(reg.KeyExists("\\" + Base + "\\A\\B"));

  reg.CloseKey();
  EXPECT_EQ(reg.CurrentKey(), HKEY(0));
  EXPECT_EQ(reg.CurrentPath(), "");
  reg.OpenKey(Base + "\\E");  // relative with nothing open: below the root
  EXPECT_EQ(reg.CurrentPath(), Base + "\\E");
  EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, Base + "\\E"));
}

TEST_F(RegistryTest, SetRootKeyClosesOnlyOnAnotherRoot) {
  TRegistry reg;
  reg.OpenKey(Base);
  HKEY open = reg.CurrentKey();

  reg.SetRootKey(HKEY_CURRENT_USER);
  EXPECT_EQ(reg.CurrentKey(), open);
  EXPECT_EQ(reg.CurrentPath(), Base);

  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_EQ(reg.RootKey(), HKEY_LOCAL_MACHINE);
  EXPECT_EQ(reg.CurrentKey(), HKEY(0));
  EXPECT_EQ(reg.CurrentPath(), "");
}

TEST_F(RegistryTest, WritesBelowTheLocalMachineRoot) {
  TRegistry reg;
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  reg.OpenKey(Base + "\\Uninstall");
  reg.WriteStringW("DisplayName", L"Lorvane Word Processor");
  reg.WriteInteger("EstimatedSize", 3072);

  EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, Base));
  RawValue name = QueryRaw(HKEY_LOCAL_MACHINE, Base + "\\Uninstall", L"DisplayName", true);
  ASSERT_EQ(name.rc, ERROR_SUCCESS);
  EXPECT_EQ(name.type, DWORD(REG_SZ));
  EXPECT_EQ(name.bytes, BytesOf(L"Lorvane Word Processor", 23 * 2));
  RawValue size = QueryRaw(HKEY_LOCAL_MACHINE, Base + "\\Uninstall", L"EstimatedSize", true);
  EXPECT_EQ(size.type, DWORD(REG_DWORD));
  EXPECT_EQ(size.bytes, (std::vector<BYTE>{0x00, 0x0C, 0x00, 0x00}));
}

struct StringCase {
  const char *name;
  bool wide;              // written through WriteStringW
  std::string text;       // for WriteString
  std::wstring wideText;  // for WriteStringW; the expected UTF-16 either way
};

class RegistryStringTest : public RegistryTest, public testing::WithParamInterface<StringCase> {};

TEST_P(RegistryStringTest, StoresRegSzWithItsTerminatingZero) {
  const StringCase &c = GetParam();
  {
    TRegistry reg;
    reg.OpenKey(Base);
    if (c.wide)
      reg.WriteStringW("Value", c.wideText);
    else
      reg.WriteString("Value", c.text);
  }

  RawValue w = QueryRaw(HKEY_CURRENT_USER, Base, L"Value", true);
  ASSERT_EQ(w.rc, ERROR_SUCCESS);
  EXPECT_EQ(w.type, DWORD(REG_SZ));
  EXPECT_EQ(w.bytes, BytesOf(c.wideText.c_str(), (c.wideText.size() + 1) * 2));

  bool ascii = true;
  for (wchar_t ch : c.wideText) ascii = ascii && ch < 0x80;
  if (ascii) {
    RawValue a = QueryRaw(HKEY_CURRENT_USER, Base, L"Value", false);
    ASSERT_EQ(a.rc, ERROR_SUCCESS);
    EXPECT_EQ(a.type, DWORD(REG_SZ));
    std::string narrow(c.wideText.begin(), c.wideText.end());
    EXPECT_EQ(a.bytes, BytesOf(narrow.c_str(), narrow.size() + 1));
  }

  TRegistry reg;
  reg.OpenKey(Base);
  EXPECT_TRUE(reg.ValueExists("Value"));
  std::wstring back = L"stale";
  reg.ReadString("Value", back);
  EXPECT_EQ(back, c.wideText);
}

INSTANTIATE_TEST_SUITE_P(
    EntryPoints, RegistryStringTest,
    testing::Values(StringCase{"ByteString", false, "5.0.0.4", L"5.0.0.4"},
                    StringCase{"ByteStringEmpty", false, "", L""},
                    StringCase{"Wide", true, "", L"C:\\Program Files\\Lorvane"},
                    StringCase{"WideEmpty", true, "", L""},
                    // German umlaut, CJK and a character outside every ANSI code page
                    StringCase{"WideNonAscii", true, "", L"C:\\B\u00FCro\\Lorvane\u6587\u5B57\u8655\u7406\u5668 \u2603"}),
    [](const auto &info) { return info.param.name; });

TEST_F(RegistryTest, ReadStringStopsAtTheFirstZero) {
  TRegistry reg;
  reg.OpenKey(Base);
  reg.WriteStringW("Value", std::wstring(L"ab\0cd", 5));
  EXPECT_EQ(QueryRaw(HKEY_CURRENT_USER, Base, L"Value", true).bytes.size(), 12u);
  std::wstring back;
  reg.ReadString("Value", back);
  EXPECT_EQ(back, L"ab");
}

TEST_F(RegistryTest, MissingOrEmptyValuesReadAsNothing) {
  TRegistry reg;
  reg.OpenKey(Base);
  EXPECT_FALSE(reg.ValueExists("Missing"));
  EXPECT_EQ(reg.GetDataSize("Missing"), -1);
  std::wstring s = L"stale";
  reg.ReadString("Missing", s);
  EXPECT_EQ(s, L"");
  EXPECT_EQ(reg.ReadInteger("Missing"), 0);
  EXPECT_FALSE(reg.ReadBool("Missing"));

  // A string value with no data at all, not even a terminating zero.
  ASSERT_EQ(RegSetValueExW(reg.CurrentKey(), L"NoData", 0, REG_SZ, nullptr, 0), ERROR_SUCCESS);
  EXPECT_TRUE(reg.ValueExists("NoData"));
  EXPECT_EQ(reg.GetDataSize("NoData"), 0);
  s = L"stale";
  reg.ReadString("NoData", s);
  EXPECT_EQ(s, L"");
}

TEST_F(RegistryTest, BooleansAndIntegersAreDwords) {
  TRegistry reg;
  reg.OpenKey(Base);
  reg.WriteBool("On", true);
  reg.WriteBool("Off", false);
  reg.WriteInteger("Negative", -2);

  struct {
    const wchar_t *name;
    std::vector<BYTE> bytes;
  } const cases[] = {{L"On", {1, 0, 0, 0}}, {L"Off", {0, 0, 0, 0}}, {L"Negative", {0xFE, 0xFF, 0xFF, 0xFF}}};
  for (const auto &c : cases) {
    RawValue v = QueryRaw(HKEY_CURRENT_USER, Base, c.name, true);
    EXPECT_EQ(v.type, DWORD(REG_DWORD)) << c.name;
    EXPECT_EQ(v.bytes, c.bytes) << c.name;
  }
  EXPECT_TRUE(reg.ReadBool("On"));
  EXPECT_FALSE(reg.ReadBool("Off"));
  EXPECT_TRUE(reg.ReadBool("Negative"));
  EXPECT_EQ(reg.ReadInteger("Negative"), -2);
  EXPECT_EQ(reg.GetDataSize("On"), 4);
}

TEST_F(RegistryTest, AKeyThatCannotBeOpenedLosesWritesSilently) {
  TRegistry reg;
  reg.OpenKey(Base);
  reg.SetRootKey(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x8000FFFF)));  // no such root
  reg.OpenKey("\\Software");
  EXPECT_EQ(reg.CurrentKey(), HKEY(0));
  EXPECT_EQ(reg.CurrentPath(), "");
  reg.WriteString("Value", "lost");
  reg.WriteBool("Flag", true);
  EXPECT_FALSE(reg.ValueExists("Value"));
  std::wstring s = L"stale";
  reg.ReadString("Value", s);
  EXPECT_EQ(s, L"");
  EXPECT_EQ(reg.ReadInteger("Flag"), 0);
  EXPECT_FALSE(reg.KeyExists("Software"));
}

// A key whose access list grants nothing: the key exists, but for the setup
// it is as good as missing, and OpenKey leaves no key open.
TEST_F(RegistryTest, AKeyThatRefusesAccessCountsAsMissing) {
  const std::string denied = Base + "\\Denied";
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, denied.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  SECURITY_DESCRIPTOR nothingGranted;
  ACL emptyAcl;
  ASSERT_TRUE(InitializeSecurityDescriptor(&nothingGranted, SECURITY_DESCRIPTOR_REVISION));
  ASSERT_TRUE(InitializeAcl(&emptyAcl, sizeof emptyAcl, ACL_REVISION));
  ASSERT_TRUE(SetSecurityDescriptorDacl(&nothingGranted, TRUE, &emptyAcl, FALSE));
  ASSERT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &nothingGranted), ERROR_SUCCESS);
  RegCloseKey(key);
  // Afterwards the owner opens it for its access list alone and grants all
  // again, so that the key can be removed.
  struct GrantAgain {
    std::string path;
    ~GrantAgain() {
      HKEY k;
      if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, WRITE_DAC, &k) != ERROR_SUCCESS) return;
      SECURITY_DESCRIPTOR everything;
      InitializeSecurityDescriptor(&everything, SECURITY_DESCRIPTOR_REVISION);
      SetSecurityDescriptorDacl(&everything, TRUE, nullptr, FALSE);
      RegSetKeySecurity(k, DACL_SECURITY_INFORMATION, &everything);
      RegCloseKey(k);
    }
  } grantAgain{denied};
  ASSERT_FALSE(RawKeyExists(HKEY_CURRENT_USER, denied)) << "the system still grants access";

  TRegistry reg;
  EXPECT_FALSE(reg.KeyExists(denied));
  reg.OpenKey(Base);
  EXPECT_FALSE(reg.KeyExists("Denied"));
  reg.OpenKey("Denied");
  EXPECT_EQ(reg.CurrentKey(), HKEY(0));
  EXPECT_EQ(reg.CurrentPath(), "");
  EXPECT_FALSE(reg.ValueExists("UILANG"));
}

}  // namespace
