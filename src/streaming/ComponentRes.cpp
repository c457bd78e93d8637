// Descriptions stored as resources of the module.
#include <windows.h>

#include "streaming/Reader.h"

TComponent *ReadComponentRes(const AnsiString &ResName, TComponent *Instance) {
  TResourceStream stream(GetModuleHandleW(nullptr), ResName, MAKEINTRESOURCEA(10));
  if (stream.Size() == 0) throw EReadError(Format("Resource %s not found", {ResName}));
  return ReadComponentFromStream(stream, Instance);
}

namespace {

void ReadClassChain(TComponent *Instance, TClass cls, TClass RootAncestor) {
  if (cls == &TComponent::ClassInfo || cls == RootAncestor) return;
  ReadClassChain(Instance, cls->ClassParent, RootAncestor);
  ReadComponentRes(cls->ClassName, Instance);
}

}  // namespace

void InitInheritedComponent(TComponent *Instance, TClass RootAncestor) {
  TList<TComponent> loaded;
  TList<TComponent> *previous = GlobalLoaded;
  GlobalLoaded = &loaded;
  try {
    ReadClassChain(Instance, Instance->ClassType(), RootAncestor);
    for (int i = 0; i < loaded.Count(); ++i) loaded[i]->Loaded();
  } catch (...) {
    GlobalLoaded = previous;
    throw;
  }
  GlobalLoaded = previous;
}
