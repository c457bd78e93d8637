// String lists: appending, the text form, nested updates and copying.
#include "streaming/Strings.h"

LV_PUBLISH(TStrings) { return {}; }

namespace {

// An update of the list, ended however the scope is left: a count left
// raised would keep the list from ever hearing of an end again.
class TUpdating {
public:
  explicit TUpdating(TStrings &strings) : FStrings(strings) { FStrings.BeginUpdate(); }
  ~TUpdating() { FStrings.EndUpdate(); }
  TUpdating(const TUpdating &) = delete;
  TUpdating &operator=(const TUpdating &) = delete;

private:
  TStrings &FStrings;
};

}  // namespace

int32_t TStrings::Add(const AnsiString &S) {
  const int32_t index = Count();
  Insert(index, S);
  return index;
}

int32_t TStrings::AddObject(const AnsiString &S, TObject *AObject) {
  const int32_t index = Add(S);
  if (index >= 0) PutObject(index, AObject);
  return index;
}

AnsiString TStrings::Text() {
  AnsiString text;
  const int32_t count = Count();
  for (int32_t i = 0; i < count; ++i) text += Get(i) + "\r\n";
  return text;
}

void TStrings::SetText(const AnsiString &Value) {
  const TUpdating updating(*this);
  Clear();
  size_t start = 0;
  while (start < Value.size()) {
    const size_t end = Value.find_first_of("\r\n", start);
    if (end == AnsiString::npos) {
      Add(Value.substr(start));
      break;
    }
    Add(Value.substr(start, end - start));
    start = end + 1;
    if (Value[end] == '\r' && start < Value.size() && Value[start] == '\n') ++start;
  }
}

void TStrings::BeginUpdate() {
  if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (--FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::Assign(TPersistent *Source) {
  auto *source = ObjectAs<TStrings>(Source);
  if (source == nullptr) return inherited::Assign(Source);
  const TUpdating updating(*this);
  Clear();
  const int32_t count = source->Count();
  for (int32_t i = 0; i < count; ++i) AddObject(source->Get(i), source->Objects(i));
}

LV_PUBLISH(TStoredStrings) { return {}; }

void TStoredStrings::Insert(int32_t Index, const AnsiString &S) {
  if (Index < 0 || Index > Count()) throw Exception("List index out of bounds");
  FItems.insert(FItems.begin() + Index, {S, nullptr});
}

void TStoredStrings::Delete(int32_t Index) {
  if (Index < 0 || Index >= Count()) throw Exception("List index out of bounds");
  FItems.erase(FItems.begin() + Index);
}
