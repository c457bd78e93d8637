#include "runtime/SysUtils.h"

#include <cmath>
#include <cstdlib>

int32_t ExitCode = 0;

WideString UTF8Decode(const AnsiString &s) {
  const auto *p = reinterpret_cast<const unsigned char *>(s.c_str());
  size_t n = 0;
  while (n < s.size() && p[n] != 0) ++n;

  WideString out;
  out.reserve(n);
  // A byte past the end (or the terminator) reads as zero.
  auto at = [&](size_t i) -> unsigned { return i < n ? p[i] : 0u; };
  size_t i = 0;
  while (i < n) {
    unsigned b0 = p[i];
    if (b0 < 0x80) {
      out.push_back(static_cast<wchar_t>(b0));
      i += 1;
    } else if ((b0 & 0xE0) == 0xC0) {
      out.push_back(static_cast<wchar_t>((b0 & 0x1F) * 64 + (at(i + 1) & 0x3F)));
      i += 2;
    } else if ((b0 & 0xF0) == 0xE0) {
      out.push_back(static_cast<wchar_t>((b0 & 0x0F) * 4096 + (at(i + 1) & 0x3F) * 64 + (at(i + 2) & 0x3F)));
      i += 3;
    } else {
      i += 4;
    }
  }
  return out;
}

AnsiString UTF8Encode(const WideString &s) {
  AnsiString out;
  out.reserve(s.size());
  for (wchar_t wc : s) {
    unsigned c = static_cast<unsigned>(wc) & 0xFFFF;
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 + (c >> 6)));
      out.push_back(static_cast<char>(0x80 + (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 + (c >> 12)));
      out.push_back(static_cast<char>(0x80 + ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 + (c & 0x3F)));
    }
  }
  return out;
}

AnsiString Format(const AnsiString &fmt, std::initializer_list<AnsiString> args) {
  AnsiString out;
  auto next = args.begin();
  for (size_t i = 0; i < fmt.size(); ++i) {
    if (fmt[i] != '%') {
      out.push_back(fmt[i]);
      continue;
    }
    char conv = i + 1 < fmt.size() ? fmt[i + 1] : '\0';
    ++i;
    if (conv == '%') {
      out.push_back('%');
    } else if (conv == 's') {
      if (next == args.end()) throw Exception("Format '" + fmt + "': too few arguments");
      out += *next++;
    } else {
      throw Exception("Format '" + fmt + "': unsupported specifier");
    }
  }
  return out;
}

namespace {

constexpr int64_t MSecsPerDay = 86400000;
// Days from 0001-01-01 to 1899-12-30.
constexpr int DateDelta = 693594;

bool IsLeapYear(int y) { return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0); }

int DaysInMonth(int y, int m) {
  static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

// Whole milliseconds split into a day number counted from 0001-01-01 (1 is
// that day) and the milliseconds of the day; negative times keep a positive
// time of day.
void SplitTimeStamp(TDateTime dt, int64_t &date, int64_t &time) {
  // NaN, infinities and values whose milliseconds overflow 64 bits are no
  // date: they split as day 0 at midnight, so they decode to zeros.
  if (!(std::fabs(dt) < 1e11)) {
    date = 0;
    time = 0;
    return;
  }
  int64_t ms = std::llround(dt * static_cast<double>(MSecsPerDay));
  date = ms / MSecsPerDay + DateDelta;
  time = std::llabs(ms) % MSecsPerDay;
}

}  // namespace

bool TryEncodeDate(int year, int month, int day, TDateTime &date) {
  if (year < 1 || year > 9999 || month < 1 || month > 12) return false;
  if (day < 1 || day > DaysInMonth(year, month)) return false;
  int64_t days = day;
  for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
  int64_t y = year - 1;
  date = static_cast<double>(y * 365 + y / 4 - y / 100 + y / 400 + days - DateDelta);
  return true;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime &time) {
  if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999) return false;
  time = static_cast<double>(hour * 3600000 + min * 60000 + sec * 1000 + msec) / static_cast<double>(MSecsPerDay);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime d;
  if (!TryEncodeDate(year, month, day, d)) throw Exception("Invalid date");
  return d;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
  TDateTime t;
  if (!TryEncodeTime(hour, min, sec, msec, t)) throw Exception("Invalid time");
  return t;
}

void DecodeDate(TDateTime dt, int &year, int &month, int &day) {
  int64_t date, time;
  SplitTimeStamp(dt, date, time);
  if (date <= 0) {
    year = month = day = 0;
    return;
  }
  constexpr int64_t D1 = 365, D4 = D1 * 4 + 1, D100 = D4 * 25 - 1, D400 = D100 * 4 + 1;
  int64_t t = date - 1;
  int64_t y = 1 + (t / D400) * 400;
  t %= D400;
  int64_t i = t / D100;
  t %= D100;
  if (i == 4) {  // the last day of a 400-year cycle
    i = 3;
    t += D100;
  }
  y += i * 100;
  y += (t / D4) * 4;
  t %= D4;
  i = t / D1;
  t %= D1;
  if (i == 4) {  // the last day of a leap cycle
    i = 3;
    t += D1;
  }
  y += i;
  year = static_cast<int>(y);
  int m = 1;
  while (t >= DaysInMonth(year, m)) {
    t -= DaysInMonth(year, m);
    ++m;
  }
  month = m;
  day = static_cast<int>(t) + 1;
}

void DecodeTime(TDateTime dt, int &hour, int &min, int &sec, int &msec) {
  int64_t date, time;
  SplitTimeStamp(dt, date, time);
  hour = static_cast<int>(time / 3600000);
  min = static_cast<int>(time / 60000 % 60);
  sec = static_cast<int>(time / 1000 % 60);
  msec = static_cast<int>(time % 1000);
}

uint32_t DateTimeToFileDate(TDateTime dt) {
  int year, month, day, hour, min, sec, msec;
  DecodeDate(dt, year, month, day);
  if (year < 1980 || year > 2099) return 0;
  DecodeTime(dt, hour, min, sec, msec);
  uint32_t date = static_cast<uint32_t>((year - 1980) * 512 + month * 32 + day);
  uint32_t time = static_cast<uint32_t>(hour * 2048 + min * 32 + sec / 2);
  return date << 16 | time;
}

TDateTime FileDateToDateTime(uint32_t packed) {
  int year = static_cast<int>(packed >> 25) + 1980;
  int month = (packed >> 21) & 15;
  int day = (packed >> 16) & 31;
  int hour = (packed >> 11) & 31;
  int min = (packed >> 5) & 63;
  int sec = (packed & 31) * 2;
  TDateTime date = 0;
  if (!TryEncodeDate(year, month, day, date)) date = 0;
  TDateTime time;
  if (!TryEncodeTime(hour, min, sec, 0, time)) throw EAbort();
  return date + time;
}
