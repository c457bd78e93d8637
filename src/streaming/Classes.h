// Persistent objects, components with their owner tree and names, the event
// types, and the registry of classes that form descriptions may name.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <utility>

#include "runtime/Lists.h"
#include "runtime/SysUtils.h"
#include "streaming/Publishing.h"

class TReader;

// Handlers: the sender, and for a close query whether closing may go on.
using TNotifyEvent = TClosure<TObject *>;
using TCloseQueryEvent = TClosure<TObject *, bool &>;

class TPersistent : public TObject {
  LV_CLASS(TPersistent, TObject)

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
//
// Life of a component: made with new (with an owner, or held by a
// TComponentPtr), ended with Free, never with delete. Free runs Destroy while
// the object is whole, so overrides of Destroy still see their own members and
// virtual calls still reach the derived class; overrides end with
// inherited::Destroy(). Destructors only release what the class holds itself.
// A form whose layout comes from a description reads it at the end of its own
// constructor (InitInheritedComponent): only there do its published fields
// exist and ClassType name it. Controls never cache their form: they find it
// through their parents when they need it, so nothing points into a form that
// is being torn down.
class TComponent : public TPersistent {
  LV_CLASS(TComponent, TPersistent)

public:
  explicit TComponent(TComponent *AOwner);
  TComponent(const TComponent &) = delete;
  TComponent &operator=(const TComponent &) = delete;

  // Destroy, then delete.
  void Free();

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

  // Sets csDestroying on this component and everything it owns; Destroy
  // does it too, overrides may do it earlier.
  void Destroying();

  // Clears csLoading once the whole description has been read.
  virtual void Loaded();
  // Reads this component's properties and children.
  virtual void ReadState(TReader &Reader);
  // The component whose child list this one stands in; nothing here.
  virtual void SetParentComponent(TComponent *Value);

protected:
  // Deleting a component by hand would skip Destroy: Free it.
  ~TComponent() override;
  // Tells those that asked for free notification; frees the owned
  // components, the last first; leaves the owner, clearing its field.
  virtual void Destroy();
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
  // What Destroy does for TComponent; finds nothing left to do after it.
  void Teardown();
  // The owner's published field named after this component, or nil.
  const TFieldInfo *OwnerField(const AnsiString &name) const;

  TComponent *FOwner = nullptr;
  AnsiString FName;
  TList<TComponent> FFreeNotifies;
  TComponentState FComponentState = 0;
  TList<TComponent> FComponents;
};

// Frees a component: the deleter of TComponentPtr.
struct TFreeComponent {
  void operator()(TComponent *component) const {
    if (component != nullptr) component->Free();
  }
};

// A component without owner, freed with the pointer.
template <class T>
using TComponentPtr = std::unique_ptr<T, TFreeComponent>;

// A new T without owner (nil, then args to its constructor).
template <class T, class... Args>
TComponentPtr<T> MakeComponent(Args &&...args) {
  return TComponentPtr<T>(new T(nullptr, std::forward<Args>(args)...));
}

namespace classes {

void RegisterClassList(std::initializer_list<TClass> classes);

template <class T>
constexpr TClass CreatableClass() {
  static_assert(publishing::IsCreatable<T>,
                "only a component the reader can create, with a constructor T(TComponent *Owner), is registered");
  return ClassOf<T>();
}

}  // namespace classes

// Adds each class and then its ancestors, up to TPersistent or to the first
// class already registered. Only classes the reader can create compile.
template <class... T>
void RegisterClasses() {
  classes::RegisterClassList({classes::CreatableClass<T>()...});
}

// The class registered last under name (ASCII case-insensitive), or nil.
TClass FindClass(std::string_view name);
