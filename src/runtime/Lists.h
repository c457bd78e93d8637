// Growable lists of object references and of byte strings.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "runtime/SysUtils.h"

// A list of references to objects it does not own.
template <class T>
class TList {
public:
  int Count() const { return static_cast<int>(FItems.size()); }
  T *Items(int index) const { return FItems.at(static_cast<size_t>(index)); }
  T *operator[](int index) const { return Items(index); }
  T *Last() const { return FItems.back(); }
  int Add(T *item) {
    FItems.push_back(item);
    return Count() - 1;
  }
  void Insert(int index, T *item) { FItems.insert(FItems.begin() + index, item); }
  void Delete(int index) { FItems.erase(FItems.begin() + index); }
  int IndexOf(const T *item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
  }
  // Removes the first occurrence; returns its former index or -1.
  int Remove(const T *item) {
    int i = IndexOf(item);
    if (i >= 0) Delete(i);
    return i;
  }
  void Clear() { FItems.clear(); }
  auto begin() const { return FItems.begin(); }
  auto end() const { return FItems.end(); }

private:
  std::vector<T *> FItems;
};

// A list of UTF-8 byte strings. Comparisons are the user locale's, ignoring
// case, of the decoded UTF-16 text. Unsorted lists append on Add; after Sort
// the list stays sorted, Add inserts in order and IndexOf is a binary search.
class TStringList {
public:
  int Count() const { return static_cast<int>(FStrings.size()); }
  const AnsiString &Strings(int index) const { return FStrings.at(static_cast<size_t>(index)); }
  const AnsiString &operator[](int index) const { return Strings(index); }
  int Add(const AnsiString &s);
  void Delete(int index);
  void Clear() { FStrings.clear(); }
  int IndexOf(const AnsiString &s) const;
  void Sort();
  bool Sorted() const { return FSorted; }
  // Binary search of a sorted list: true when found; index is the match or
  // the place where s would be inserted.
  bool Find(const AnsiString &s, int &index) const;

  // Every line followed by CR LF.
  AnsiString Text() const;
  // Splits at CR, LF or CR LF; a final line break adds no empty line.
  void SetText(const AnsiString &text);

  // Both raise EAbort when the file cannot be opened or written.
  void LoadFromFile(const WideString &fileName);
  void SaveToFile(const WideString &fileName) const;

  auto begin() const { return FStrings.begin(); }
  auto end() const { return FStrings.end(); }

private:
  std::vector<AnsiString> FStrings;
  bool FSorted = false;
};

// CompareStringW with the user locale, ignoring case, of the UTF-8 strings
// decoded: <0, 0 or >0.
int AnsiCompareText(const AnsiString &a, const AnsiString &b);
// Sort order of string lists: ignoring case, with string sort.
int AnsiCompareTextStringSort(const AnsiString &a, const AnsiString &b);
