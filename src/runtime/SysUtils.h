// Strings, exceptions, formatting and date arithmetic shared by the whole
// program. Portable: no platform headers, so the host tree builds it too.
#pragma once

#include <cstdint>
#include <exception>
#include <initializer_list>
#include <string>

// The process exit code the program ends with; 0 until something fails.
extern int32_t ExitCode;

// A byte string holds UTF-8; a wide string holds UTF-16 (wchar_t is 16 bits
// on the target).
using AnsiString = std::string;
using WideString = std::wstring;

// Days since 1899-12-30, time of day as the fraction, local time.
using TDateTime = double;

class Exception : public std::exception {
public:
  explicit Exception(std::string message) : Message(std::move(message)) {}
  const char *what() const noexcept override { return Message.c_str(); }
  std::string Message;
};

// Raised by stream failures and invalid time values; shows nothing when it
// reaches the toolkit.
class EAbort : public Exception {
public:
  EAbort() : Exception("Operation aborted") {}
};

// A block the heap cannot give. Not a fault of the data: it reaches the
// program's fatal-error path.
class EOutOfMemory : public Exception {
public:
  EOutOfMemory() : Exception("Out of memory") {}
};

// Basic Multilingual Plane only: a four-byte lead or a stray continuation byte
// skips four bytes; a sequence cut by the end takes zeros. Reads up to the
// first zero byte.
WideString UTF8Decode(const AnsiString &s);
// Each UTF-16 unit on its own, in one to three bytes.
AnsiString UTF8Encode(const WideString &s);

// %s takes the next argument, %% is a percent sign. Any other specifier, or a
// %s without an argument left, raises Exception.
AnsiString Format(const AnsiString &fmt, std::initializer_list<AnsiString> args);

bool TryEncodeDate(int year, int month, int day, TDateTime &date);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime &time);
// Both raise Exception on an invalid date or time.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int min, int sec, int msec);
// A date before 0001-01-01 decodes to zeros; so do NaN, infinities and values
// 1e11 days or more away, in every field.
void DecodeDate(TDateTime dt, int &year, int &month, int &day);
void DecodeTime(TDateTime dt, int &hour, int &min, int &sec, int &msec);

// Packed DOS date-time: (year - 1980) * 512 + month * 32 + day in the high
// word, hour * 2048 + minute * 32 + second / 2 in the low word. Years outside
// 1980..2099 give 0, and so does a value that is no date at all (NaN,
// infinite, huge).
uint32_t DateTimeToFileDate(TDateTime dt);
// An invalid date gives day 0; an invalid time raises EAbort.
TDateTime FileDateToDateTime(uint32_t packed);

// The current local date and time (Windows only).
TDateTime Now();
