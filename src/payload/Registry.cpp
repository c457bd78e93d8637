#include "payload/Registry.h"

namespace {

// A path is absolute when it begins with a backslash, which is dropped.
bool IsRelative(const AnsiString &path) { return path.empty() || path[0] != '\\'; }

AnsiString SubKey(const AnsiString &path) { return IsRelative(path) ? path : path.substr(1); }

}  // namespace

TRegistry::~TRegistry() { CloseKey(); }

HKEY TRegistry::GetBaseKey(bool relative) const { return FCurrentKey != 0 && relative ? FCurrentKey : FRootKey; }

void TRegistry::ChangeKey(HKEY key, const AnsiString &path) {
  CloseKey();
  FCurrentKey = key;
  if (key != 0) FCurrentPath = path;
}

void TRegistry::SetRootKey(HKEY root) {
  if (root == FRootKey) return;
  FRootKey = root;
  CloseKey();
}

void TRegistry::OpenKey(const AnsiString &path) {
  bool relative = IsRelative(path);
  AnsiString sub = SubKey(path);
  HKEY key = 0;
  DWORD disposition;
  RegCreateKeyExA(GetBaseKey(relative), sub.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                  &disposition);
  ChangeKey(key, relative && FCurrentKey != 0 ? FCurrentPath + "\\" + sub : sub);
}

bool TRegistry::KeyExists(const AnsiString &path) {
  HKEY key = 0;
  if (RegOpenKeyExA(GetBaseKey(IsRelative(path)), SubKey(path).c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

void TRegistry::CloseKey() {
  if (FCurrentKey == 0) return;
  RegCloseKey(FCurrentKey);
  FCurrentKey = 0;
  FCurrentPath.clear();
}

bool TRegistry::ValueExists(const AnsiString &name) { return GetDataSize(name) != -1; }

int32_t TRegistry::GetDataSize(const AnsiString &name) {
  DWORD size = 0;
  if (RegQueryValueExA(FCurrentKey, name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) return -1;
  return static_cast<int32_t>(size);
}

void TRegistry::ReadString(const AnsiString &name, WideString &value) {
  // The byte-string size is at least one byte per character, so twice as
  // many bytes hold the UTF-16 text.
  int32_t n = GetDataSize(name);
  value.clear();
  if (n < 1) return;
  value.assign(n, L'\0');
  DWORD size = 2 * static_cast<DWORD>(n);
  LONG rc = RegQueryValueExW(FCurrentKey, UTF8Decode(name).c_str(), nullptr, nullptr,
                             reinterpret_cast<BYTE *>(value.data()), &size);
  // After a failed query the buffer holds nothing defined.
  if (rc != ERROR_SUCCESS) {
    value.clear();
    return;
  }
  size_t end = value.find(L'\0');
  if (end != WideString::npos) value.resize(end);
}

void TRegistry::WriteString(const AnsiString &name, const AnsiString &value) {
  RegSetValueExA(FCurrentKey, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
}

void TRegistry::WriteStringW(const AnsiString &name, const WideString &value) {
  RegSetValueExW(FCurrentKey, UTF8Decode(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

int32_t TRegistry::ReadInteger(const AnsiString &name) {
  int32_t value = 0;
  DWORD size = sizeof(value);
  if (RegQueryValueExA(FCurrentKey, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE *>(&value), &size) !=
      ERROR_SUCCESS)
    return 0;
  return value;
}

void TRegistry::WriteInteger(const AnsiString &name, int32_t value) {
  RegSetValueExA(FCurrentKey, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value), sizeof(value));
}

bool TRegistry::ReadBool(const AnsiString &name) { return ReadInteger(name) != 0; }

void TRegistry::WriteBool(const AnsiString &name, bool value) { WriteInteger(name, value ? 1 : 0); }
