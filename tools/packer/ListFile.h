// The pack list: which files go into an archive, in which order, with which
// stored modification times. One entry a line:
//   2024-03-18 10:42:00  Templates\Letters\Letter 1.rtf
// a local date and time on an even second, blanks, then the archive name up to
// the end of the line. Blank lines and lines starting with "#" are skipped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "runtime/SysUtils.h"

struct TPackEntry {
  std::string Name;  // archive name, "\" between folders
  TDateTime Time;
  int Line;  // in the list, for messages
};

// Raises Exception naming the line for a malformed date or time, an odd
// second, an unsafe name (see IsSafeEntryName) or a name listed twice.
std::vector<TPackEntry> ParsePackList(std::string_view text);

// "YYYY-MM-DD HH:MM:SS" to a TDateTime; false when malformed or invalid.
bool ParseDateTime(std::string_view text, TDateTime &time);
// Whether a time lies between the years 1 and 9999 (and is a number).
bool IsDateTimeInRange(TDateTime time);
// The reverse of ParseDateTime; milliseconds, when there are any, follow as ".mmm".
std::string FormatDateTime(TDateTime time);
