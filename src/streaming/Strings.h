// String lists with an object per string: the abstract list that controls
// bind to their windows, and one that holds its strings itself. Beside the
// runtime's plain lists, here because they are persistent objects.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "streaming/Classes.h"

// A list of strings, each with an object reference, read and written one by
// one or as a whole text.
class TStrings : public TPersistent {
  LV_CLASS(TStrings, TPersistent)

public:
  // Not const: lists bound to a control ask its window.
  virtual int32_t Count() = 0;
  virtual AnsiString Get(int32_t Index) = 0;
  virtual TObject *Objects(int32_t) { return nullptr; }
  virtual void PutObject(int32_t, TObject *) {}
  // Appends; returns the new string's index.
  virtual int32_t Add(const AnsiString &S);
  int32_t AddObject(const AnsiString &S, TObject *AObject);
  virtual void Insert(int32_t Index, const AnsiString &S) = 0;
  virtual void Delete(int32_t Index) = 0;
  virtual void Clear() = 0;
  // Every string followed by CR LF.
  virtual AnsiString Text();
  // Splits at CR, LF or CR LF; a final line break adds no empty string.
  virtual void SetText(const AnsiString &Value);
  // Nested; the list hears of the outermost begin and end only.
  void BeginUpdate();
  void EndUpdate();
  // From another TStrings: its strings and objects replace these.
  void Assign(TPersistent *Source) override;

protected:
  virtual void SetUpdateState(bool) {}

private:
  int32_t FUpdateCount = 0;
};

// Strings and objects held in the list itself.
class TStoredStrings : public TStrings {
  LV_CLASS(TStoredStrings, TStrings)

public:
  int32_t Count() override { return static_cast<int32_t>(FItems.size()); }
  AnsiString Get(int32_t Index) override { return FItems.at(static_cast<size_t>(Index)).first; }
  TObject *Objects(int32_t Index) override { return FItems.at(static_cast<size_t>(Index)).second; }
  void PutObject(int32_t Index, TObject *AObject) override { FItems.at(static_cast<size_t>(Index)).second = AObject; }
  void Insert(int32_t Index, const AnsiString &S) override;
  void Delete(int32_t Index) override;
  void Clear() override { FItems.clear(); }

private:
  std::vector<std::pair<AnsiString, TObject *>> FItems;
};
