// Run-time type information: class records with their published fields,
// methods and properties, and the typed access to published properties that
// the form reader stores values through. Names are matched ASCII
// case-insensitively, through the class chain.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <type_traits>
#include <utility>

#include "runtime/SysUtils.h"

class TObject;
class TComponent;
struct TClassInfo;

// A class reference: the address of the class's static record.
using TClass = const TClassInfo *;

// The record of T, which must declare its own (LV_CLASS): the one way a
// record is taken, so a class that forgot its record cannot pass for its
// parent.
template <class T>
constexpr TClass ClassOf();

// Reads the private record of a class; only ClassOf asks it.
class TClassRecords {
  template <class T>
  static constexpr TClass Of() {
    return &T::ClassInfo;
  }
  template <class T>
  friend constexpr TClass ClassOf();
};

// The root of every class that has a class record.
class TObject {
public:
  using ThisClass = TObject;
  virtual ~TObject() = default;
  virtual TClass ClassType() const { return &ClassInfo; }
  const char *ClassName() const;
  bool InheritsFrom(TClass ancestor) const;
  // Whether this object is a T or derives from it.
  template <class T>
  bool InheritsFrom() const {
    return InheritsFrom(ClassOf<T>());
  }

private:
  friend class TClassRecords;
  static const TClassInfo ClassInfo;
};

// A class with LV_CLASS in its own body; one without it would pass for its
// parent.
template <class T>
concept HasOwnClassRecord = std::is_base_of_v<TObject, T> && std::is_same_v<typename T::ThisClass, T>;

template <class T>
constexpr TClass ClassOf() {
  static_assert(HasOwnClassRecord<T>, "this class declares no class record of its own (LV_CLASS)");
  return TClassRecords::Of<T>();
}

// The object as a T, or nil when it is nil or not a T.
template <class T>
T *ObjectAs(TObject *object) {
  return object != nullptr && object->InheritsFrom<T>() ? static_cast<T *>(object) : nullptr;
}
template <class T>
const T *ObjectAs(const TObject *object) {
  return object != nullptr && object->InheritsFrom<T>() ? static_cast<const T *>(object) : nullptr;
}

// A closure: an object and one of its member functions. Empty when Code is
// nil; calling an empty closure is not allowed (test it first).
template <class... Args>
struct TClosure {
  using TCode = void (TObject::*)(Args...);

  TClosure() = default;
  template <class C>
  TClosure(C *data, void (C::*code)(Args...)) : Code(static_cast<TCode>(code)), Data(data) {}

  explicit operator bool() const { return Code != nullptr; }
  void operator()(Args... args) const { (Data->*Code)(std::forward<Args>(args)...); }
  friend bool operator==(const TClosure &, const TClosure &) = default;

  TCode Code = nullptr;
  TObject *Data = nullptr;
};

// Any closure with its signature erased, as the metadata moves it around.
using TMethodCode = void (TObject::*)();
struct TMethod {
  TMethodCode Code = nullptr;
  TObject *Data = nullptr;
  friend bool operator==(const TMethod &, const TMethod &) = default;
};

enum TTypeKind : uint8_t { tkInteger, tkEnumeration, tkString, tkMethod, tkClass };

struct TTypeInfo {
  TTypeKind Kind;
  std::span<const char *const> EnumNames{};  // enumeration: value names in order
  TClass ClassType = nullptr;                // class: the class of the object held
};

// The type information of a C++ type used by a published property or method:
// integers (any width and signedness), bool (the enumeration False, True),
// AnsiString, closures and pointers to classes with a record. Enumerations
// declare theirs with LV_ENUM_TYPE.
template <class T>
inline constexpr TTypeInfo TypeInfo = [] {
  static_assert(std::is_integral_v<T> && sizeof(T) <= 4, "no type information for this type");
  return TTypeInfo{tkInteger};
}();

inline constexpr const char *BooleanNames[] = {"False", "True"};
template <>
inline constexpr TTypeInfo TypeInfo<bool>{tkEnumeration, BooleanNames};
template <>
inline constexpr TTypeInfo TypeInfo<AnsiString>{tkString};
template <class... Args>
inline constexpr TTypeInfo TypeInfo<TClosure<Args...>>{tkMethod};
template <class T>
inline constexpr TTypeInfo TypeInfo<T *>{tkClass, {}, ClassOf<T>()};

template <class E>
struct TEnumNames;

// Declares an enumeration's value names, in order; at global namespace scope,
// after the enumeration, which must have a fixed underlying type.
#define LV_ENUM_TYPE(E, ...)                                                                     \
  template <>                                                                                    \
  struct TEnumNames<E> {                                                                         \
    static_assert(std::is_enum_v<E> && sizeof(E) <= 4, #E " is not a small enumeration");       \
    static constexpr const char *Names[] = {__VA_ARGS__};                                        \
  };                                                                                             \
  template <>                                                                                    \
  inline constexpr TTypeInfo TypeInfo<E> { tkEnumeration, TEnumNames<E>::Names }

// A published field: a reference to a component of the form, bound by name.
struct TFieldInfo {
  const char *Name;
  TClass FieldClass;
  TComponent *(*Get)(const TObject &instance);
  // Only with a component of FieldClass (or nil).
  void (*Set)(TObject &instance, TComponent *value);
};

// A published method, callable as a handler of the events of its signature.
struct TMethodInfo {
  const char *Name;
  TMethodCode Code;
  const TTypeInfo *Signature;
};

// A published property. Get and Set move the kind's value type: int32_t for
// integers and enumerations, AnsiString, TMethod, TObject * for objects
// (which are read only). Get takes the instance non-const: a getter may ask
// the object (a control's caption comes from its window).
struct TPropInfo {
  const char *Name;
  const TTypeInfo *PropType;
  void (*Get)(TObject &instance, void *value);
  void (*Set)(TObject &instance, const void *value);
};

struct TPublished {
  std::span<const TFieldInfo> Fields{};
  std::span<const TMethodInfo> Methods{};
  std::span<const TPropInfo> Properties{};
};

struct TClassInfo {
  const char *ClassName;
  TClass ClassParent;
  // The virtual constructor Create(Owner); nil for a class the reader cannot
  // build (not a component, abstract, or without that constructor).
  TComponent *(*Create)(TComponent *owner);
  TPublished (*Published)();

  bool InheritsFrom(TClass ancestor) const;
};

// Same length and every byte equal once bit 5 (0x20) is cleared in both.
bool SameName(std::string_view a, std::string_view b);

// Lookups in the class's own tables in declaration order, then its parent's;
// nil when nothing matches.
const TPropInfo *GetPropInfo(TClass cls, std::string_view name);
const TFieldInfo *FindFieldInfo(TClass cls, std::string_view name);
const TMethodInfo *FindMethodInfo(TClass cls, std::string_view name);

// The index of the first value name that matches; -1 when none does or name
// is empty.
int32_t GetEnumValue(const TTypeInfo *type, std::string_view name);

// Property access by kind; a property of another kind raises Exception.
// Ordinals are widened by their field type (sign- or zero-extended) and cut
// to its width when stored.
int32_t GetOrdProp(TObject *instance, const TPropInfo *prop);
void SetOrdProp(TObject *instance, const TPropInfo *prop, int32_t value);
AnsiString GetStrProp(TObject *instance, const TPropInfo *prop);
void SetStrProp(TObject *instance, const TPropInfo *prop, const AnsiString &value);
TMethod GetMethodProp(TObject *instance, const TPropInfo *prop);
void SetMethodProp(TObject *instance, const TPropInfo *prop, const TMethod &value);
TObject *GetObjectProp(TObject *instance, const TPropInfo *prop);
