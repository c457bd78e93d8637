#include "streaming/Classes.h"

#include <vector>

LV_PUBLISH(TPersistent) { return {}; }

void TPersistent::AssignTo(TPersistent *dest) {
  AnsiString target = dest != nullptr ? Format("a %s", {dest->ClassName()}) : "nil";
  throw Exception(Format("Cannot assign a %s to %s", {ClassName(), target}));
}

void TPersistent::Assign(TPersistent *source) {
  if (source == nullptr) throw Exception(Format("Cannot assign nil to a %s", {ClassName()}));
  source->AssignTo(this);
}

namespace {

std::vector<TClass> &ClassList() {
  static std::vector<TClass> list;
  return list;
}

bool IsRegistered(TClass cls) {
  for (TClass registered : ClassList())
    if (registered == cls) return true;
  return false;
}

}  // namespace

void classes::RegisterClassList(std::initializer_list<TClass> classes) {
  for (TClass cls : classes) {
    for (; cls != nullptr && !IsRegistered(cls); cls = cls->ClassParent) {
      ClassList().push_back(cls);
      if (cls == ClassOf<TPersistent>()) break;
    }
  }
}

TClass FindClass(std::string_view name) {
  const std::vector<TClass> &list = ClassList();
  for (auto it = list.rbegin(); it != list.rend(); ++it)
    if (SameName((*it)->ClassName, name)) return *it;
  return nullptr;
}
