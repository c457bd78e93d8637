// The records an installation leaves, read the way the removal needs them:
// "Install.log" in the program folder, the shared data folder with
// "Update.log" and the stamp, and the two registry keys.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

constexpr wchar_t SettingsKey[] = L"Software\\Lorvane Word Processor\\Install";
constexpr wchar_t SettingsParentKey[] = L"Software\\Lorvane Word Processor";
constexpr wchar_t UninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lorvane Word Processor";

// A file's bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::wstring &path);
// The lines of a text file as bytes, split at CR LF, CR or LF; empty lines
// dropped. Empty too when the file cannot be read.
std::vector<std::string> ReadLines(const std::wstring &path);
// The setup writes each UTF-16 unit on its own (a surrogate half as three
// bytes), so units are decoded one by one.
std::wstring FromUtf8(const std::string &bytes);

// The folder part of a path, with its trailing backslash.
std::wstring FolderOf(const std::wstring &path);
bool SamePath(const std::wstring &a, const std::wstring &b);
// The path lies below the folder (which ends with a backslash).
bool IsInside(const std::wstring &path, const std::wstring &folder);

// The path as the file system takes it: absolute, "." and ".." resolved (so
// that a log line cannot climb out of a folder it seems to lie in), and the
// parts that exist in their long form.
std::wstring FullPath(const std::wstring &path);

// Where the setup writes, and so the only places a removal deletes in: the
// program folder, the shared data folder, and the setup's own link names in
// the four link folders (programs menu and desktop, for everyone and for the
// current user).
struct TSetupPlaces {
  std::wstring ProgramFolder, SharedFolder;  // with trailing backslashes
  std::vector<std::wstring> LinkFolders;     // with trailing backslashes
};
TSetupPlaces SetupPlaces(const std::wstring &programFolder);
// A full file path the setup may have written.
bool IsSetupFile(const TSetupPlaces &places, const std::wstring &path);
// A full folder path the setup may have made.
bool IsSetupFolder(const TSetupPlaces &places, const std::wstring &folder);

// What "Install.log" lists: the folders the setup made (with trailing
// backslashes) and the files it wrote, links included.
struct TInstallLog {
  std::vector<std::wstring> Folders;
  std::vector<std::wstring> Files;
};
TInstallLog ReadInstallLog(const std::wstring &programFolder);
// An installation lives in the program's folder only when its log lists the
// program: nothing is removed on the word of a log that does not.
bool ListsProgram(const TInstallLog &log, const std::wstring &program);

// The root of the shared data, with a trailing backslash: the machine's
// common application data, or the user's documents where that is unknown.
std::wstring SharedDataFolder();
// The stamp line of "Update.log" for the 8 bytes of "install_stamp"; empty
// when the file does not hold exactly 8 bytes.
std::string StampLineOf(const std::wstring &stampFile);
// Takes the group that begins with the stamp line out of the lines of
// "Update.log" and returns the paths it lists, marks cut off.
std::vector<std::wstring> TakeGroup(std::vector<std::string> &lines, const std::string &stampLine);
