// The form description reader: a signature, then one component record (class
// name, name, properties, children), read into a tree of components owned by
// the root. Malformed input stops reading with EReadError; what the reading
// created is freed again.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/Lists.h"
#include "runtime/Streams.h"
#include "streaming/Classes.h"
#include "streaming/ValueTypes.h"

class EReadError : public Exception {
public:
  using Exception::Exception;
};

class TReader {
public:
  // How deep components may nest below the root. Far deeper than any form
  // (the wizard's is two deep); deeper nesting would only exhaust the stack,
  // here and in every later walk down the parent chain. Deeper raises
  // EReadError.
  static constexpr int MaxDepth = 64;

  TReader(TStream &Stream, int32_t BufSize);
  // Moves the stream back to just after the last byte used.
  ~TReader();
  TReader(const TReader &) = delete;
  TReader &operator=(const TReader &) = delete;

  // All raise EReadError("Stream read error") at the end of the stream.
  uint8_t ReadValue();
  uint8_t NextValue();
  bool EndOfList();
  AnsiString ReadStr();
  // A value of type vaIdent, vaFalse or vaTrue; any other type gives "".
  AnsiString ReadIdent();
  // vaInt8 and vaInt16 are sign-extended; any other type reads 4 bytes.
  int32_t ReadInteger();
  // The type byte is not looked at.
  AnsiString ReadString();

  // Root nil: the class named by the description is created without owner.
  // Without a global loading list the components read are told Loaded here.
  TComponent *ReadRootComponent(TComponent *Root);
  void ReadData(TComponent *Instance);
  TComponent *ReadComponent();
  void ReadProperty(TObject *Instance);
  // The published method of Root's class named Name, or nil.
  const TMethodInfo *FindMethod(TComponent *Root, const AnsiString &Name);

  // The component whose children are being read.
  TComponent *Parent() const { return FParent; }

private:
  void Read(void *buf, int32_t count);
  void FillBuffer();
  TComponent *CreateComponent(const AnsiString &className, TComponent *owner);
  void SetPropValue(TObject *Instance, const TPropInfo *prop, const AnsiString &name);
  // Frees what a failed ReadRootComponent made: the components it added
  // to Root (the last first) and Root itself when it was created here.
  void Undo(TComponent *Root, bool createdRoot, int ownedBefore, int loadedBefore);

  TStream &FStream;
  std::vector<uint8_t> FBuffer;
  int32_t FBufPos = 0;
  int32_t FBufEnd = 0;
  TComponent *FOwner = nullptr;
  TComponent *FParent = nullptr;
  TList<TComponent> *FLoaded = nullptr;
  TComponent *FRoot = nullptr;
  int FDepth = 0;
};

// The loading list of the innermost InitInheritedComponent, or nil: readers
// collect the components to be told Loaded there.
extern TList<TComponent> *GlobalLoaded;

// Reads a description from Stream through a 4,096-byte buffer into Instance
// (or into a new root when Instance is nil); returns the root.
TComponent *ReadComponentFromStream(TStream &Stream, TComponent *Instance);

// The module's RT_RCDATA resource ResName (any letter case) read into
// Instance; returns the root. Raises EReadError when there is no such
// resource.
TComponent *ReadComponentRes(const AnsiString &ResName, TComponent *Instance);

// Reads the description of every class from Instance's class up to, not
// including, RootAncestor (TComponent at the latest), the most basic first;
// then every component read is told Loaded, the root first. Nested calls keep
// their own loading lists. Call it from the constructor of Instance's own
// class: only there do its published fields exist and ClassType name it.
void InitInheritedComponent(TComponent *Instance, TClass RootAncestor);
