// How a class declares its record and what it publishes.
//
//   class TPanel : public TCustomControl {
//     LV_CLASS(TPanel, TCustomControl)   // first in the body; leaves access private
//   public:
//     ...
//   };
//
//   LV_PUBLISH(TPanel) {                 // in the class's source file
//     static const TPropInfo properties[] = {
//         Property<&TPanel::FBevelInner>("BevelInner"),
//         Property<&TPanel::FColor, &TPanel::SetColor>("Color"),
//         Property<&TPanel::GetCaption, &TPanel::SetCaption>("Caption"),
//     };
//     return {.Properties = properties};
//   }
//
// LV_CLASS names the class itself and its direct base class; every class
// derived from TObject declares it, so each has a record of its own. A record
// is only ever taken through ClassOf<T>() (published fields, object
// properties, registration do so), which refuses at compile time a class
// without its own LV_CLASS. Objects are tested with InheritsFrom<T>() and
// converted with ObjectAs<T>(); the parent named here must be the direct base
// (the class table test lists every class with its parent).
//
// A class that publishes nothing of its own writes LV_PUBLISH(T) { return {}; }.
// The body runs in the class's scope, so private members can be published.
// Getters may be const or not.
#pragma once

#include <type_traits>

#include "streaming/TypInfo.h"

#define LV_CLASS(Self, Base)                                                                    \
 public:                                                                                        \
  static_assert(std::is_same_v<typename Base::ThisClass, Base>,                                 \
                "LV_CLASS(" #Self ", " #Base "): the base declares no class record of its own"); \
  using ThisClass = Self;                                                                       \
  using inherited = Base;                                                                       \
  TClass ClassType() const override {                                                           \
    static_assert(std::is_same_v<std::remove_cvref_t<decltype(*this)>, Self>,                  \
                  "LV_CLASS(" #Self ", " #Base ") is not in the body of " #Self);              \
    return &ClassInfo;                                                                          \
  }                                                                                             \
                                                                                                \
 private:                                                                                       \
  friend class ::TClassRecords;                                                                 \
  static const TClassInfo ClassInfo;                                                            \
  static TPublished Published();

#define LV_PUBLISH(T)                                                  \
  const TClassInfo T::ClassInfo = MakeClassInfo<T>(#T, &T::Published); \
  TPublished T::Published()

namespace publishing {

// Class and value type of a field, a getter or a setter.
template <class M>
struct MemberTraits;
template <class C, class V>
struct MemberTraits<V C::*> {
  using Class = C;
  using Value = V;
};
template <class C, class V>
struct MemberTraits<V (C::*)() const> {
  using Class = C;
  using Value = std::remove_cvref_t<V>;
};
template <class C, class V>
struct MemberTraits<V (C::*)()> {
  using Class = C;
  using Value = std::remove_cvref_t<V>;
};
template <class C, class V>
struct MemberTraits<void (C::*)(V)> {
  using Class = C;
  using Value = std::remove_cvref_t<V>;
};

// Member function pointers of every signature round-trip through TMethodCode;
// the reader checks the signature before a code is used as a handler.
template <class To, class From>
To CastCode(From code) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wcast-function-type"
  return reinterpret_cast<To>(code);
#pragma GCC diagnostic pop
}

template <class V>
inline constexpr bool IsOrdinal = std::is_integral_v<V> || std::is_enum_v<V>;

// The kind's value type from a property's C++ value, and back.
template <class V>
void Store(const V &v, void *out) {
  if constexpr (IsOrdinal<V>)
    *static_cast<int32_t *>(out) = static_cast<int32_t>(v);
  else if constexpr (std::is_pointer_v<V>)
    *static_cast<TObject **>(out) = v;
  else if constexpr (std::is_same_v<V, AnsiString>)
    *static_cast<AnsiString *>(out) = v;
  else
    *static_cast<TMethod *>(out) = TMethod{CastCode<TMethodCode>(v.Code), v.Data};
}

template <class V>
V Load(const void *in) {
  if constexpr (std::is_same_v<V, bool>) {
    return *static_cast<const int32_t *>(in) != 0;
  } else if constexpr (std::is_enum_v<V>) {
    return static_cast<V>(static_cast<std::underlying_type_t<V>>(*static_cast<const int32_t *>(in)));
  } else if constexpr (std::is_integral_v<V>) {
    return static_cast<V>(*static_cast<const int32_t *>(in));
  } else if constexpr (std::is_same_v<V, AnsiString>) {
    return *static_cast<const AnsiString *>(in);
  } else {
    const TMethod &m = *static_cast<const TMethod *>(in);
    V closure;
    closure.Code = CastCode<typename V::TCode>(m.Code);
    closure.Data = m.Data;
    return closure;
  }
}

template <auto Read>
void PropGet(TObject &instance, void *value) {
  using R = MemberTraits<decltype(Read)>;
  auto &object = static_cast<typename R::Class &>(instance);
  if constexpr (std::is_member_object_pointer_v<decltype(Read)>)
    Store<typename R::Value>(object.*Read, value);
  else
    Store<typename R::Value>((object.*Read)(), value);
}

template <auto Write>
void PropSet(TObject &instance, const void *value) {
  using W = MemberTraits<decltype(Write)>;
  auto &object = static_cast<typename W::Class &>(instance);
  if constexpr (std::is_member_object_pointer_v<decltype(Write)>)
    object.*Write = Load<typename W::Value>(value);
  else
    (object.*Write)(Load<typename W::Value>(value));
}

template <auto F>
TComponent *FieldGet(const TObject &instance) {
  using R = MemberTraits<decltype(F)>;
  return static_cast<const typename R::Class &>(instance).*F;
}

template <auto F>
void FieldSet(TObject &instance, TComponent *value) {
  using R = MemberTraits<decltype(F)>;
  static_cast<typename R::Class &>(instance).*F = static_cast<typename R::Value>(value);
}

template <class C, class... Args>
TMethodInfo MethodInfo(const char *name, void (C::*code)(Args...)) {
  auto rooted = static_cast<typename TClosure<Args...>::TCode>(code);
  return {name, CastCode<TMethodCode>(rooted), &TypeInfo<TClosure<Args...>>};
}

// Whether the reader can make a T: a component with the constructor
// T(TComponent *Owner).
template <class T>
inline constexpr bool IsCreatable =
    std::is_base_of_v<TComponent, T> && !std::is_abstract_v<T> && requires(TComponent *owner) { new T(owner); };

template <class T>
constexpr TComponent *(*ComponentFactory())(TComponent *) {
  if constexpr (IsCreatable<T>)
    return [](TComponent *owner) -> TComponent * { return new T(owner); };
  else
    return nullptr;
}

}  // namespace publishing

// A property read from a field or a getter and written to a field or through
// a setter. An object property (a pointer to a class with a record) is read
// only: give it just its field or getter.
template <auto Read, auto Write = Read>
constexpr TPropInfo Property(const char *name) {
  using V = typename publishing::MemberTraits<decltype(Read)>::Value;
  if constexpr (std::is_pointer_v<V>) {
    static_assert(std::is_same_v<decltype(Read), decltype(Write)>, "an object property is read only");
    return {name, &TypeInfo<V>, &publishing::PropGet<Read>, nullptr};
  } else {
    static_assert(std::is_same_v<V, typename publishing::MemberTraits<decltype(Write)>::Value>,
                  "read and write types differ");
    return {name, &TypeInfo<V>, &publishing::PropGet<Read>, &publishing::PropSet<Write>};
  }
}

// A field holding a reference to a component, bound by the component's name.
template <auto F>
constexpr TFieldInfo Field(const char *name) {
  using P = typename publishing::MemberTraits<decltype(F)>::Value;
  static_assert(std::is_pointer_v<P>, "a published field holds a component reference");
  return {name, ClassOf<std::remove_pointer_t<P>>(), &publishing::FieldGet<F>, &publishing::FieldSet<F>};
}

// A member function returning nothing, usable as a handler of the events with
// its parameter list.
template <auto M>
TMethodInfo Method(const char *name) {
  return publishing::MethodInfo(name, M);
}

template <class T>
constexpr TClassInfo MakeClassInfo(const char *name, TPublished (*published)()) {
  using Base = typename T::inherited;
  static_assert(std::is_same_v<typename T::ThisClass, T>, "LV_CLASS does not name the class itself");
  static_assert(std::is_base_of_v<Base, T> && !std::is_same_v<Base, T>, "LV_CLASS names no base");
  return {name, ClassOf<Base>(), publishing::ComponentFactory<T>(), published};
}
