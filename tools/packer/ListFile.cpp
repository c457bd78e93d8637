#include "ListFile.h"

#include <cstdio>
#include <set>

#include "EntryName.h"

namespace {

// Exactly `digits` decimal digits.
bool ParseNumber(std::string_view text, size_t digits, int &value) {
  if (text.size() != digits) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char &c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

[[noreturn]] void Fail(int line, const std::string &what) {
  throw Exception("pack list line " + std::to_string(line) + ": " + what);
}

}  // namespace

bool ParseDateTime(std::string_view text, TDateTime &time) {
  // 0123456789012345678
  // YYYY-MM-DD HH:MM:SS
  if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':' ||
      text[16] != ':')
    return false;
  int year, month, day, hour, min, sec;
  if (!ParseNumber(text.substr(0, 4), 4, year) || !ParseNumber(text.substr(5, 2), 2, month) ||
      !ParseNumber(text.substr(8, 2), 2, day) || !ParseNumber(text.substr(11, 2), 2, hour) ||
      !ParseNumber(text.substr(14, 2), 2, min) || !ParseNumber(text.substr(17, 2), 2, sec))
    return false;
  TDateTime date, clock;
  if (!TryEncodeDate(year, month, day, date) || !TryEncodeTime(hour, min, sec, 0, clock)) return false;
  time = date + clock;
  return true;
}

bool IsDateTimeInRange(TDateTime time) {
  // 0001-01-01 00:00 up to the end of 9999-12-31; also false for NaN.
  return time >= -693593.0 && time < 2958466.0;
}

std::string FormatDateTime(TDateTime time) {
  if (!IsDateTimeInRange(time)) return "(time out of range)";
  int year, month, day, hour, min, sec, msec;
  DecodeDate(time, year, month, day);
  DecodeTime(time, hour, min, sec, msec);
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, min, sec);
  std::string out = text;
  if (msec != 0) {
    std::snprintf(text, sizeof text, ".%03d", msec);
    out += text;
  }
  return out;
}

std::vector<TPackEntry> ParsePackList(std::string_view text) {
  std::vector<TPackEntry> entries;
  std::set<std::string> seen;
  int lineNo = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.find_first_not_of(" \t") == std::string_view::npos || line[0] == '#') continue;

    TPackEntry entry{"", 0, lineNo};
    if (line.size() < 19 || !ParseDateTime(line.substr(0, 19), entry.Time))
      Fail(lineNo, "expected a valid \"YYYY-MM-DD HH:MM:SS\" local date and time");
    if (line[18] % 2 != 0) Fail(lineNo, "the time must lie on an even second (file times keep two-second steps)");
    size_t nameStart = line.find_first_not_of(" \t", 19);
    if (nameStart == 19) Fail(lineNo, "expected blanks between the time and the name");
    if (nameStart == std::string_view::npos) Fail(lineNo, "no archive name after the time");
    entry.Name = line.substr(nameStart);
    if (!IsSafeEntryName(entry.Name))
      Fail(lineNo, "\"" + entry.Name + "\" is not a relative name of 1 to 255 bytes with \"\\\" between folders");
    if (!seen.insert(Upper(entry.Name)).second) Fail(lineNo, "\"" + entry.Name + "\" is listed twice");
    entries.push_back(std::move(entry));
  }
  return entries;
}
