// What an installation leaves behind: the settings key the next run reads
// back, the uninstall entry, and the files kept for the installed
// application ("install_stamp", "lvx_common.dat", "Update.log"). None of the
// registry or whole-file writes reports failure.
#pragma once

#include <cstdint>
#include <optional>

#include "runtime/Lists.h"
#include "runtime/SysUtils.h"

// Always below HKEY_CURRENT_USER, whoever the installation is for.
extern const char SettingsKeyPath[];
// Always below HKEY_LOCAL_MACHINE.
extern const char UninstallKeyPath[];

// The choices an earlier installation stored.
struct TStoredSettings {
  bool Found = false;  // the settings key exists
  WideString MainDir;  // empty when absent
  // True when absent, else whether the stored number is not 0.
  bool InstallToAll = true, DesktopShortcut = true, Launch = true;
  std::optional<AnsiString> UILang;  // the stored code, as stored
};

// Reads the settings key without creating it.
TStoredSettings ReadSettings();

// The choices of this installation.
struct TSettingsRecord {
  WideString MainDir;  // the program folder, no trailing backslash
  bool InstallToAll, DesktopShortcut, Launch;
  uint8_t Language;  // stored as its code; names the product in the uninstall entry
};

// Writes the settings key, then unless portable the uninstall entry. A
// refused uninstall entry is lost silently; the settings key is written all
// the same.
void SaveSettingsRecords(const TSettingsRecord &record, bool portable);

// Folders end with a backslash.

// "install_stamp": the 8 bytes of the time, little-endian.
void WriteInstallStamp(const WideString &folder, TDateTime installTime);
// "lvx_common.dat": tag 1 with the time, tag 2 with the character "1".
void WriteCommonData(const WideString &folder, TDateTime pageEntered);
// "*" and the bytes of the time, least significant first, two upper-case hex
// digits each: the group header of "Update.log".
AnsiString StampLine(TDateTime installTime);
// Sorts publicFiles, then rewrites the file at path: the lines of earlier
// installations stay, except empty ones, those this installation writes
// again and the stamps of groups left empty; then this installation's stamp
// and its files. Raises EAbort when the file cannot be loaded or saved.
void MergeUpdateLog(TStringList &publicFiles, TDateTime installTime, const WideString &path);
