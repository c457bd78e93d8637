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
  if (cls == ClassOf<TComponent>() || cls == RootAncestor) return;
  ReadClassChain(Instance, cls->ClassParent, RootAncestor);
  ReadComponentRes(cls->ClassName, Instance);
}

// Makes a list the global loading list for its lifetime; nested lists stack.
class TLoadingList {
public:
  TLoadingList() : FPrevious(GlobalLoaded) { GlobalLoaded = &FList; }
  ~TLoadingList() { GlobalLoaded = FPrevious; }
  TLoadingList(const TLoadingList &) = delete;
  TLoadingList &operator=(const TLoadingList &) = delete;
  TList<TComponent> &List() { return FList; }

private:
  TList<TComponent> FList;
  TList<TComponent> *FPrevious;
};

}  // namespace

void InitInheritedComponent(TComponent *Instance, TClass RootAncestor) {
  TLoadingList loading;
  ReadClassChain(Instance, Instance->ClassType(), RootAncestor);
  TList<TComponent> &loaded = loading.List();
  for (int i = 0; i < loaded.Count(); ++i) loaded[i]->Loaded();
}
