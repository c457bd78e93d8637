// The setup's registry records read and written raw, as the registry holds
// them and as an earlier installation leaves them.
#pragma once

#include <windows.h>

#include <string>

struct TRawValue {
  DWORD Type = REG_NONE;  // REG_NONE when the value is missing
  std::string Bytes;      // strings as UTF-16, whichever interface wrote them
};

TRawValue QueryRaw(HKEY root, const char *path, const wchar_t *name);
bool RawKeyExists(HKEY root, const std::string &path);
// The bytes of a string value with its terminating zero, and of a DWORD.
std::string WideBytes(const std::wstring &s);
std::string DwordBytes(DWORD value);

// The settings key of the setup, written raw; removed with everything in it.
void WriteStoredDword(const char *name, DWORD value);
void WriteStoredString(const char *name, const std::wstring &value);
void RemoveStoredSettings();
