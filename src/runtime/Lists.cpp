#include "runtime/Lists.h"

#include <windows.h>

#include "runtime/Streams.h"

namespace {

// The strings hold UTF-8. Compared as bytes in the ANSI code page, their
// continuation bytes would pair up as letter cases, so they are compared as
// the text they encode.
int CompareW(DWORD flags, const AnsiString &a, const AnsiString &b) {
  const WideString wa = UTF8Decode(a), wb = UTF8Decode(b);
  return ::CompareStringW(LOCALE_USER_DEFAULT, flags, wa.data(), static_cast<int>(wa.size()), wb.data(),
                          static_cast<int>(wb.size())) - CSTR_EQUAL;
}

}  // namespace

int AnsiCompareText(const AnsiString &a, const AnsiString &b) { return CompareW(NORM_IGNORECASE, a, b); }

int AnsiCompareTextStringSort(const AnsiString &a, const AnsiString &b) {
  return CompareW(NORM_IGNORECASE | SORT_STRINGSORT, a, b);
}

int TStringList::Add(const AnsiString &s) {
  if (!FSorted) {
    FStrings.push_back(s);
    return Count() - 1;
  }
  int index;
  Find(s, index);
  FStrings.insert(FStrings.begin() + index, s);
  return index;
}

void TStringList::Delete(int index) { FStrings.erase(FStrings.begin() + index); }

int TStringList::IndexOf(const AnsiString &s) const {
  if (FSorted) {
    int index;
    return Find(s, index) ? index : -1;
  }
  for (int i = 0; i < Count(); ++i)
    if (AnsiCompareText(FStrings[static_cast<size_t>(i)], s) == 0) return i;
  return -1;
}

void TStringList::Sort() {
  std::stable_sort(FStrings.begin(), FStrings.end(),
                   [](const AnsiString &a, const AnsiString &b) { return AnsiCompareTextStringSort(a, b) < 0; });
  FSorted = true;
}

bool TStringList::Find(const AnsiString &s, int &index) const {
  int lo = 0, hi = Count() - 1;
  bool found = false;
  while (lo <= hi) {
    int mid = (lo + hi) / 2;
    int c = AnsiCompareTextStringSort(FStrings[static_cast<size_t>(mid)], s);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) found = true;
    }
  }
  index = lo;
  return found;
}

AnsiString TStringList::Text() const {
  AnsiString text;
  for (const auto &s : FStrings) {
    text += s;
    text += "\r\n";
  }
  return text;
}

void TStringList::SetText(const AnsiString &text) {
  Clear();
  size_t i = 0, n = text.size();
  while (i < n) {
    size_t start = i;
    while (i < n && text[i] != '\r' && text[i] != '\n') ++i;
    FStrings.emplace_back(text, start, i - start);
    if (i < n && text[i] == '\r') ++i;
    if (i < n && text[i] == '\n') ++i;
  }
  if (FSorted) Sort();
}

void TStringList::LoadFromFile(const WideString &fileName) {
  TFileStream stream(fileName, fmOpenRead);
  int32_t size = stream.Size() - stream.Position();
  AnsiString text(static_cast<size_t>(size > 0 ? size : 0), '\0');
  stream.Read(text.data(), static_cast<int32_t>(text.size()));
  SetText(text);
}

void TStringList::SaveToFile(const WideString &fileName) const {
  TFileStream stream(fileName, fmCreate);
  AnsiString text = Text();
  stream.WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
}
