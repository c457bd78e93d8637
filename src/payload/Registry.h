// Registry access: one open key at a time, opened by a path relative to the
// open key or (with a leading backslash) to the root key. Keys go through the
// byte-string entry points with full access; no operation reports an error:
// a key that cannot be opened leaves no key open, after which reads find
// nothing and writes are lost.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/SysUtils.h"

class TRegistry {
public:
  TRegistry() = default;
  ~TRegistry();
  TRegistry(const TRegistry &) = delete;
  TRegistry &operator=(const TRegistry &) = delete;

  HKEY CurrentKey() const { return FCurrentKey; }
  HKEY RootKey() const { return FRootKey; }
  // Below RootKey, without a leading backslash; empty when no key is open.
  const AnsiString &CurrentPath() const { return FCurrentPath; }

  // Closes the open key only when the root changes.
  void SetRootKey(HKEY root);
  // Opens the key, creating it when missing.
  void OpenKey(const AnsiString &path);
  // Whether the key can be opened with full access; creates nothing and
  // leaves the open key as it is.
  bool KeyExists(const AnsiString &path);
  void CloseKey();

  bool ValueExists(const AnsiString &name);
  // Bytes of the value's data, or -1 when it cannot be queried.
  int32_t GetDataSize(const AnsiString &name);

  // Up to the first zero character; empty for a missing value.
  void ReadString(const AnsiString &name, WideString &value);
  // REG_SZ through the byte-string entry point.
  void WriteString(const AnsiString &name, const AnsiString &value);
  // REG_SZ through the wide entry point, UTF-16 as given.
  void WriteStringW(const AnsiString &name, const WideString &value);
  // 0 for a missing value.
  int32_t ReadInteger(const AnsiString &name);
  void WriteInteger(const AnsiString &name, int32_t value);
  bool ReadBool(const AnsiString &name);
  // REG_DWORD 1 or 0.
  void WriteBool(const AnsiString &name, bool value);

private:
  HKEY GetBaseKey(bool relative) const;
  void ChangeKey(HKEY key, const AnsiString &path);

  HKEY FCurrentKey = 0;
  HKEY FRootKey = HKEY_CURRENT_USER;
  AnsiString FCurrentPath;
};
