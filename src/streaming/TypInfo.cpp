#include "streaming/TypInfo.h"

const TClassInfo TObject::ClassInfo{"TObject", nullptr, nullptr, [] { return TPublished{}; }};

const char *TObject::ClassName() const { return ClassType()->ClassName; }

bool TObject::InheritsFrom(TClass ancestor) const { return ClassType()->InheritsFrom(ancestor); }

bool TClassInfo::InheritsFrom(TClass ancestor) const {
  for (TClass cls = this; cls != nullptr; cls = cls->ClassParent)
    if (cls == ancestor) return true;
  return false;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if ((a[i] & ~0x20) != (b[i] & ~0x20)) return false;
  return true;
}

namespace {

// The first entry named name in the tables of cls and then of its ancestors.
template <class Info>
const Info *FindPublished(TClass cls, std::string_view name, std::span<const Info> TPublished::*table) {
  for (; cls != nullptr; cls = cls->ClassParent) {
    TPublished published = cls->Published();
    for (const Info &info : published.*table)
      if (SameName(info.Name, name)) return &info;
  }
  return nullptr;
}

void CheckKind(const TPropInfo *prop, bool fits) {
  if (!fits) throw Exception(Format("Property %s is not of the kind asked for", {prop->Name}));
}

bool IsOrdinal(const TPropInfo *prop) {
  return prop->PropType->Kind == tkInteger || prop->PropType->Kind == tkEnumeration;
}

}  // namespace

const TPropInfo *GetPropInfo(TClass cls, std::string_view name) {
  return FindPublished(cls, name, &TPublished::Properties);
}

const TFieldInfo *FindFieldInfo(TClass cls, std::string_view name) {
  return FindPublished(cls, name, &TPublished::Fields);
}

const TMethodInfo *FindMethodInfo(TClass cls, std::string_view name) {
  return FindPublished(cls, name, &TPublished::Methods);
}

int32_t GetEnumValue(const TTypeInfo *type, std::string_view name) {
  if (name.empty()) return -1;
  for (size_t i = 0; i < type->EnumNames.size(); ++i)
    if (SameName(type->EnumNames[i], name)) return static_cast<int32_t>(i);
  return -1;
}

int32_t GetOrdProp(TObject *instance, const TPropInfo *prop) {
  CheckKind(prop, IsOrdinal(prop));
  int32_t value = 0;
  prop->Get(*instance, &value);
  return value;
}

void SetOrdProp(TObject *instance, const TPropInfo *prop, int32_t value) {
  CheckKind(prop, IsOrdinal(prop));
  prop->Set(*instance, &value);
}

AnsiString GetStrProp(TObject *instance, const TPropInfo *prop) {
  CheckKind(prop, prop->PropType->Kind == tkString);
  AnsiString value;
  prop->Get(*instance, &value);
  return value;
}

void SetStrProp(TObject *instance, const TPropInfo *prop, const AnsiString &value) {
  CheckKind(prop, prop->PropType->Kind == tkString);
  prop->Set(*instance, &value);
}

TMethod GetMethodProp(TObject *instance, const TPropInfo *prop) {
  CheckKind(prop, prop->PropType->Kind == tkMethod);
  TMethod value;
  prop->Get(*instance, &value);
  return value;
}

void SetMethodProp(TObject *instance, const TPropInfo *prop, const TMethod &value) {
  CheckKind(prop, prop->PropType->Kind == tkMethod);
  prop->Set(*instance, &value);
}

TObject *GetObjectProp(TObject *instance, const TPropInfo *prop) {
  CheckKind(prop, prop->PropType->Kind == tkClass);
  TObject *value = nullptr;
  prop->Get(*instance, &value);
  return value;
}
