#include "support/StoredRecords.h"

#include <cstring>

namespace {

const char SettingsKey[] = "Software\\Lorvane Word Processor\\Install";

// Through the wide interface, so that any text is stored as it is.
void WriteStored(const char *name, DWORD type, const void *data, DWORD size) {
  HKEY key;
  ::RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  const std::wstring wideName(name, name + std::strlen(name));
  ::RegSetValueExW(key, wideName.c_str(), 0, type, static_cast<const BYTE *>(data), size);
  ::RegCloseKey(key);
}

}  // namespace

TRawValue QueryRaw(HKEY root, const char *path, const wchar_t *name) {
  TRawValue v;
  HKEY key;
  if (::RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return v;
  DWORD size = 0;
  if (::RegQueryValueExW(key, name, nullptr, &v.Type, nullptr, &size) == ERROR_SUCCESS) {
    v.Bytes.resize(size);
    ::RegQueryValueExW(key, name, nullptr, &v.Type, reinterpret_cast<BYTE *>(v.Bytes.data()), &size);
  }
  ::RegCloseKey(key);
  return v;
}

bool RawKeyExists(HKEY root, const std::string &path) {
  HKEY key;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  ::RegCloseKey(key);
  return true;
}

std::string WideBytes(const std::wstring &s) {
  return std::string(reinterpret_cast<const char *>(s.c_str()), (s.size() + 1) * sizeof(wchar_t));
}

std::string DwordBytes(DWORD value) { return std::string(reinterpret_cast<const char *>(&value), sizeof value); }

void WriteStoredDword(const char *name, DWORD value) { WriteStored(name, REG_DWORD, &value, sizeof value); }

void WriteStoredString(const char *name, const std::wstring &value) {
  WriteStored(name, REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void RemoveStoredSettings() { ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Lorvane Word Processor"); }
