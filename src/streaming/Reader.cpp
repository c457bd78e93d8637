#include "streaming/Reader.h"

#include <algorithm>
#include <cstring>
#include <string_view>

TList<TComponent> *GlobalLoaded = nullptr;

TReader::TReader(TStream &Stream, int32_t BufSize)
    : FStream(Stream), FBuffer(static_cast<size_t>(BufSize)) {}

TReader::~TReader() { FStream.Seek(FBufPos - FBufEnd, soFromCurrent); }

void TReader::FillBuffer() {
  FBufPos = 0;
  FBufEnd = std::max(FStream.Read(FBuffer.data(), static_cast<int32_t>(FBuffer.size())), 0);
  if (FBufEnd == 0) throw EReadError("Stream read error");
}

void TReader::Read(void *buf, int32_t count) {
  auto *out = static_cast<uint8_t *>(buf);
  while (count > 0) {
    if (FBufPos == FBufEnd) FillBuffer();
    int32_t n = std::min(count, FBufEnd - FBufPos);
    std::memcpy(out, &FBuffer[static_cast<size_t>(FBufPos)], static_cast<size_t>(n));
    FBufPos += n;
    out += n;
    count -= n;
  }
}

uint8_t TReader::ReadValue() {
  uint8_t value;
  Read(&value, 1);
  return value;
}

uint8_t TReader::NextValue() {
  if (FBufPos == FBufEnd) FillBuffer();
  return FBuffer[static_cast<size_t>(FBufPos)];
}

bool TReader::EndOfList() { return NextValue() == vaNull; }

AnsiString TReader::ReadStr() {
  AnsiString s(ReadValue(), '\0');
  Read(s.data(), static_cast<int32_t>(s.size()));
  return s;
}

AnsiString TReader::ReadIdent() {
  switch (ReadValue()) {
    case vaIdent:
      return ReadStr();
    case vaFalse:
      return "False";
    case vaTrue:
      return "True";
    default:
      return "";
  }
}

int32_t TReader::ReadInteger() {
  uint8_t b[4];
  switch (ReadValue()) {
    case vaInt8:
      Read(b, 1);
      return static_cast<int8_t>(b[0]);
    case vaInt16:
      Read(b, 2);
      return static_cast<int16_t>(b[0] | b[1] << 8);
    default:
      Read(b, 4);
      return static_cast<int32_t>(b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24);
  }
}

AnsiString TReader::ReadString() {
  ReadValue();
  return ReadStr();
}

TComponent *TReader::CreateComponent(const AnsiString &className, TComponent *owner) {
  TClass cls = FindClass(className);
  if (cls == nullptr) throw EReadError(Format("Unknown class %s", {className}));
  if (cls->Create == nullptr) throw EReadError(Format("Class %s cannot be created", {className}));
  return cls->Create(owner);
}

TComponent *TReader::ReadRootComponent(TComponent *Root) {
  char signature[4];
  Read(signature, 4);
  AnsiString className = ReadStr();
  AnsiString name = ReadStr();
  bool createdRoot = Root == nullptr;
  if (createdRoot) Root = CreateComponent(className, nullptr);

  TList<TComponent> localLoaded;
  FLoaded = GlobalLoaded != nullptr ? GlobalLoaded : &localLoaded;
  int ownedBefore = Root->ComponentCount();
  int loadedBefore = FLoaded->Count();
  try {
    Root->SetName(name);
    FRoot = Root;
    // A root read in several steps (one description per class) is told
    // Loaded once.
    if (FLoaded->IndexOf(Root) < 0) FLoaded->Add(Root);
    FOwner = Root;
    Root->FComponentState |= csLoading | csReading;
    Root->ReadState(*this);
    Root->FComponentState &= ~csReading;
    if (FLoaded == &localLoaded)
      for (int i = 0; i < localLoaded.Count(); ++i) localLoaded[i]->Loaded();
  } catch (...) {
    Undo(Root, createdRoot, ownedBefore, loadedBefore);
    FLoaded = nullptr;
    throw;
  }
  FLoaded = nullptr;
  return Root;
}

void TReader::Undo(TComponent *Root, bool createdRoot, int ownedBefore, int loadedBefore) {
  while (FLoaded->Count() > loadedBefore) FLoaded->Delete(FLoaded->Count() - 1);
  if (createdRoot) {
    Root->Free();
    return;
  }
  Root->FComponentState &= ~csReading;
  while (Root->ComponentCount() > ownedBefore) Root->Components(Root->ComponentCount() - 1)->Free();
}

void TReader::ReadData(TComponent *Instance) {
  while (!EndOfList()) ReadProperty(Instance);
  ReadValue();
  TComponent *savedParent = FParent;
  TComponent *savedOwner = FOwner;
  FParent = Instance;
  if (FOwner == nullptr) FOwner = FRoot;
  while (!EndOfList()) ReadComponent();
  ReadValue();
  FParent = savedParent;
  FOwner = savedOwner;
}

TComponent *TReader::ReadComponent() {
  if (FDepth == MaxDepth) throw EReadError("Components nested too deeply");
  AnsiString className = ReadStr();
  AnsiString name = ReadStr();
  TComponent *component = CreateComponent(className, FOwner);
  component->FComponentState |= csLoading;
  component->SetParentComponent(FParent);
  component->SetName(name);
  component->FComponentState |= csReading;
  ++FDepth;
  component->ReadState(*this);
  --FDepth;
  component->FComponentState &= ~csReading;
  FLoaded->Add(component);
  return component;
}

void TReader::ReadProperty(TObject *Instance) {
  AnsiString path = ReadStr();
  std::string_view rest(path);
  for (;;) {
    size_t dot = rest.find('.');
    std::string_view element = rest.substr(0, dot);
    const TPropInfo *prop = Instance != nullptr ? GetPropInfo(Instance->ClassType(), element) : nullptr;
    if (prop == nullptr) throw EReadError(Format("Property %s does not exist", {AnsiString(element)}));
    if (dot == std::string_view::npos) {
      SetPropValue(Instance, prop, AnsiString(element));
      return;
    }
    Instance = prop->PropType->Kind == tkClass ? GetObjectProp(Instance, prop) : nullptr;
    rest.remove_prefix(dot + 1);
  }
}

void TReader::SetPropValue(TObject *Instance, const TPropInfo *prop, const AnsiString &name) {
  switch (prop->PropType->Kind) {
    case tkInteger:
      SetOrdProp(Instance, prop, ReadInteger());
      return;
    case tkEnumeration: {
      AnsiString ident = ReadIdent();
      int32_t value = GetEnumValue(prop->PropType, ident);
      if (value < 0) throw EReadError(Format("Invalid value \"%s\" for property %s", {ident, name}));
      SetOrdProp(Instance, prop, value);
      return;
    }
    case tkString:
      SetStrProp(Instance, prop, ReadString());
      return;
    case tkMethod: {
      if (NextValue() == vaNil) {
        ReadValue();
        SetMethodProp(Instance, prop, TMethod{});
        return;
      }
      // Only an identifier names a handler; anything else is a damaged
      // description, not a handler to leave unassigned.
      if (ReadValue() != vaIdent) throw EReadError(Format("Invalid value for event %s", {name}));
      AnsiString ident = ReadStr();
      const TMethodInfo *method = FindMethod(FRoot, ident);
      if (method == nullptr) return;
      // A handler of another signature would be called with the wrong
      // arguments.
      if (method->Signature != prop->PropType)
        throw EReadError(Format("Method %s does not fit event %s", {ident, name}));
      SetMethodProp(Instance, prop, TMethod{method->Code, FRoot});
      return;
    }
    case tkClass:
      break;
  }
  throw EReadError(Format("Property %s has an unsupported type", {name}));
}

const TMethodInfo *TReader::FindMethod(TComponent *Root, const AnsiString &Name) {
  return FindMethodInfo(Root->ClassType(), Name);
}

TComponent *ReadComponentFromStream(TStream &Stream, TComponent *Instance) {
  TReader reader(Stream, 4096);
  return reader.ReadRootComponent(Instance);
}
