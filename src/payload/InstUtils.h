// The setup's small file-system toolkit: path helpers, existence and time
// tests, folder creation, whole-file writing, shortcuts, the folder picker and
// the installation log. Paths are wide strings handed to the W entry points;
// log lines are UTF-8 byte strings. None of the actions reports failure.
#pragma once

#include <cstdint>

#include "runtime/Lists.h"
#include "runtime/SysUtils.h"

// Set by the program body for a silent run: no window is shown and the result
// is only the exit code.
extern bool Silent;

// Path and string helpers.

// Empty stays empty; a final "/" becomes "\"; otherwise ensures one final "\".
void IncludeTrailingBackslash(WideString &path);
// Drops one final "\", if there is one.
WideString ExcludeTrailingBackslash(const WideString &path);
// The folder with a trailing backslash, followed by the decoded name.
WideString AppendFileName(const WideString &folder, const AnsiString &name);
// Up to and including the last "\" or ":"; empty when there is none.
WideString ExtractFilePath(const WideString &path);
// Both upper-cased with the user's default locale, then compared unit by unit.
bool SameText(const WideString &a, const WideString &b);
// An empty prefix matches everything.
bool StartsText(const WideString &s, const WideString &prefix);

// File-system queries.

// The process's current directory, always with a trailing backslash.
WideString GetCurrentDir();
// True when the folder can be made current and the system then spells it the
// same way; a relative path or a short 8.3 name therefore counts as missing.
// Changes the current directory for a moment and restores it.
bool DirectoryExists(const WideString &folder);
// True when a directory search finds an entry that is not a folder.
bool FileExists(const WideString &path);
// The last-write time in local time, truncated to even seconds; the current
// local time when nothing is found.
TDateTime GetFileDateTime(const WideString &path);
// The shell's current path of a CSIDL folder; empty unless the shell succeeds.
WideString GetSpecialFolder(int csidl);
// The root of the shared data with a trailing backslash: the folder "Lorvane"
// in the common application-data folder or, where the system has none, in the
// user's documents folder (relative when neither is known). Both the data
// folders the setup writes to and the catalogue's PublicDir come from here, so
// that every shared file written is also recognised as one and listed in
// "Update.log".
WideString SharedDataFolder();

// File-system actions.

// Creates the folder and its missing parents, parents first, and logs
// "Made Dir: " for each folder found missing, whether or not it was created.
void ForceDirectories(const WideString &folder);
// Creates or truncates the file and writes all of data; a file that cannot
// take all of it is deleted. Nothing is reported.
void WriteStringToFile(const WideString &fileName, const AnsiString &data);
// Sets the last-write time of an open file from a packed DOS date-time taken
// as local time; false when the system rejects a step. A packed 0 (a time
// outside 1980..2099) is rejected, so the file keeps the time it was written.
bool SetFileDateTime(void *handle, uint32_t packed);
// Saves a shell link (COM must be initialised on the calling thread), creating
// its folder, and logs "File Copy: " with the link's path. When the shell's
// link object cannot be created there is no shortcut and no log line.
void CreateShortcut(const WideString &linkFile, const WideString &target, const WideString &workDir,
                    const WideString &description);
// Opens a program with its parameters, or an address, the way the desktop's
// user would: through the desktop shell, so that what an elevated setup
// starts runs with the user's own rights. Where no desktop shell answers,
// the setup opens it itself. COM must be initialised on the calling thread.
void OpenAsDesktopUser(const WideString &file, const WideString &parameters, int show);
// The shell's folder picker owned by the given window (an HWND, may be null),
// preselecting the folder. True with folder set to the chosen path; on Cancel
// false and folder unchanged. OLE must be initialised on the calling thread.
bool BrowseForFolder(WideString &folder, void *owner);

// The installation log.

// nullptr until the install step creates it; unsorted, so lines keep their
// order.
extern TStringList *InstallLog;
// Where the log is loaded from and saved to; empty for a portable install.
extern WideString InstallLogFile;
// Logging is active only while this is 0; suspensions nest.
extern int32_t LogSuspendCount;

// Appends the line unless the log is suspended or missing, or already holds
// the line regardless of letter case (as the file system compares names:
// ordinal, after upper-casing).
void Log(const AnsiString &line);
void SuspendLog();
void ResumeLog();

// Suspends the log for its lifetime, also when an exception leaves the scope.
class TLogSuspension {
public:
  TLogSuspension();
  ~TLogSuspension();
  TLogSuspension(const TLogSuspension &) = delete;
  TLogSuspension &operator=(const TLogSuspension &) = delete;
};

// Loads the lines of InstallLogFile into InstallLog when that file exists.
// Failures are ignored here: an unreadable old log leaves the list as it was.
void LoadInstallLog();
// Writes InstallLog to InstallLogFile (create-always, no sharing), each line
// followed by CR LF. Does nothing while either is unset. Raises EAbort when
// the file cannot be created or written; the program body calls it inside the
// guarded block that also writes the registry records and swallows the error.
void SaveInstallLog();
