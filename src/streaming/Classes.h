// Persistent objects, components with their owner tree and names, the event
// types, and the registry of classes that form descriptions may name.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "runtime/Lists.h"
#include "runtime/SysUtils.h"
#include "streaming/Publishing.h"

class TReader;

// Handlers: the sender, and for a close query whether closing may go on.
using TNotifyEvent = TClosure<TObject *>;
using TCloseQueryEvent = TClosure<TObject *, bool &>;

class TPersistent : public TObject {
  LV_CLASS(TObject)

public:
  // Copies this object into dest; the base refuses with an Exception.
  virtual void AssignTo(TPersistent *dest);
  // Takes the value of source (source->AssignTo(this) unless overridden).
  virtual void Assign(TPersistent *source);
};

using TComponentState = uint8_t;
// Its description is being read and Loaded has not run yet.
constexpr TComponentState csLoading = 0x01;
// Its own properties and children are being read now.
constexpr TComponentState csReading = 0x02;
constexpr TComponentState csDestroying = 0x08;

enum TOperation : uint8_t { opInsert, opRemove };

// A component is owned by its Owner, which frees it, and its name binds the
// owner's published field of that name to it.
class TComponent : public TPersistent {
  LV_CLASS(TPersistent)

public:
  explicit TComponent(TComponent *AOwner);
  // Tells those that asked for free notification; destroys the owned
  // components, the last first; leaves the owner, clearing its field.
  ~TComponent() override;
  TComponent(const TComponent &) = delete;
  TComponent &operator=(const TComponent &) = delete;

  TComponent *Owner() const { return FOwner; }
  const AnsiString &Name() const { return FName; }
  // Unbinds the owner's field of the old name and binds the one of the new
  // name. Raises Exception when that field cannot hold this component.
  void SetName(const AnsiString &NewName);
  TComponentState ComponentState() const { return FComponentState; }
  int ComponentCount() const { return FComponents.Count(); }
  TComponent *Components(int index) const { return FComponents[index]; }

  // AComponent is told (Notification opRemove) when this one goes away, and
  // this one when AComponent does, so neither keeps a dangling reference.
  void FreeNotification(TComponent *AComponent);
  void RemoveFreeNotification(TComponent *AComponent);

  // Sets csDestroying on this component and everything it owns; the
  // destructor does it too, derived destructors may do it earlier.
  void Destroying();

  // Clears csLoading once the whole description has been read.
  virtual void Loaded();
  // Reads this component's properties and children.
  virtual void ReadState(TReader &Reader);
  // The component whose child list this one stands in; nothing here.
  virtual void SetParentComponent(TComponent *Value);

protected:
  // Told of every insertion into and removal from the owner tree it is in,
  // and of the removal of components it asked free notification of. The base
  // forgets a removed component's free notification.
  virtual void Notification(TComponent *AComponent, TOperation Operation);

private:
  friend class TReader;
  void InsertComponent(TComponent *AComponent);
  void RemoveComponent(TComponent *AComponent);
  // This component and, recursively, everything it owns.
  void NotifyTree(TComponent *AComponent, TOperation Operation);
  // The owner's published field named after this component, or nil.
  const TFieldInfo *OwnerField(const AnsiString &name) const;

  TComponent *FOwner = nullptr;
  AnsiString FName;
  TList<TComponent> FFreeNotifies;
  TComponentState FComponentState = 0;
  TList<TComponent> FComponents;
};

// Adds each class and then its ancestors, up to TPersistent or to the first
// class already registered.
void RegisterClasses(std::initializer_list<TClass> classes);
// The class registered last under name (ASCII case-insensitive), or nil.
TClass FindClass(std::string_view name);
