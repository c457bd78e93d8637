// The destination folder rules: what the typed, browsed, stored or passed
// destination becomes, where a portable copy may go, and the data folders an
// installation writes to outside the destination.
#pragma once

#include "runtime/SysUtils.h"

// The Program Files folder of this process; for the shipped 32-bit program on
// a 64-bit system that is the folder of 32-bit programs.
WideString ProgramFilesFolder();
// The Program Files folder joined with "Lorvane".
WideString DefaultDestination();

// Completes a destination text: blanks (code 32 only) off both ends and one
// trailing backslash off; a text without a drive part (":" as its second
// character, or two leading backslashes) becomes programFiles, so a relative
// text is discarded; a text without a name after its last backslash or colon,
// or equal to programFiles in any letter case, gets "Lorvane" appended. Never
// fails and touches no file.
WideString NormalizeDestination(const WideString &text, const WideString &programFiles);

// Whether the folder holds the portable marker, a file "Lorvane.ini".
bool HoldsPortableMarker(const WideString &folder);
// A portable copy may not go below the Program Files folder. The test is a
// plain text prefix, so a sibling such as "C:\Program FilesOld" is refused
// too, and an unknown (empty) Program Files folder refuses everything.
bool PortableRefused(const WideString &destination, const WideString &programFiles);

// The kinds of data folder.
enum TDataFolderKind : int { dfCommon = 0, dfHidden = 1, dfPublic = 2 };

// The data folder of a kind with a trailing backslash: SharedDataFolder itself
// or its "Hidden" or "Public" folder, or for a portable copy the target
// folder. The folder and its missing parents are created, each logged
// "Made Dir: " unless the log is suspended; an empty result creates nothing.
WideString DataFolder(TDataFolderKind kind, bool portable, const WideString &targetDir);
