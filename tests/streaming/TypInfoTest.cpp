#include "streaming/TypInfo.h"

#include <gtest/gtest.h>

#include "StandIns.h"

namespace {

class TSub : public TPersistent {
  LV_CLASS(TSub, TPersistent)

public:
  int32_t Height = 0;
};

// One published property of every storage and kind.
class TSample : public TComponent {
  LV_CLASS(TSample, TComponent)

public:
  using TComponent::TComponent;
  int8_t S8 = 0;
  uint8_t U8 = 0;
  int16_t S16 = 0;
  uint16_t U16 = 0;
  int32_t S32 = 0;
  uint32_t U32 = 0;
  bool Flag = false;
  TPanelBevel Bevel = bvNone;
  AnsiString Text() const { return FText; }
  void SetText(const AnsiString &value) {
    FText = value;
    ++TextSets;
  }
  TNotifyEvent OnPing;
  // A non-const getter, as a control's window-backed properties have.
  TSub *Sub() { return &FSub; }
  void Ping(TObject *Sender) { Pinged.push_back(Sender); }

  AnsiString FText;
  int TextSets = 0;
  TSub FSub;
  std::vector<TObject *> Pinged;
};

// Publishes its own S8, which hides the one of TSample.
class TShadow : public TSample {
  LV_CLASS(TShadow, TSample)

public:
  using TSample::TSample;
  int32_t Wide = 0;
};

LV_PUBLISH(TSub) {
  static const TPropInfo properties[] = {Property<&TSub::Height>("Height")};
  return {.Properties = properties};
}

LV_PUBLISH(TSample) {
  static const TPropInfo properties[] = {
      Property<&TSample::S8>("S8"),
      Property<&TSample::U8>("U8"),
      Property<&TSample::S16>("S16"),
      Property<&TSample::U16>("U16"),
      Property<&TSample::S32>("S32"),
      Property<&TSample::U32>("U32"),
      Property<&TSample::Flag>("Flag"),
      Property<&TSample::Bevel>("Bevel"),
      Property<&TSample::Text, &TSample::SetText>("Text"),
      Property<&TSample::OnPing>("OnPing"),
      Property<&TSample::Sub>("Sub"),
  };
  static const TMethodInfo methods[] = {Method<&TSample::Ping>("Ping")};
  return {.Methods = methods, .Properties = properties};
}

LV_PUBLISH(TShadow) {
  static const TPropInfo properties[] = {Property<&TShadow::Wide>("S8")};
  return {.Properties = properties};
}

const TPropInfo *Prop(const char *name) { return GetPropInfo(ClassOf<TSample>(), name); }

TEST(SameNameTest, ClearsBitFiveOfEveryByte) {
  EXPECT_TRUE(SameName("Width", "width"));
  EXPECT_TRUE(SameName("ONCLICK", "OnClick"));
  EXPECT_TRUE(SameName("", ""));
  EXPECT_FALSE(SameName("Width", "Widt"));
  EXPECT_FALSE(SameName("Width", "Widht"));
  // The rule is bit 5, not letter case: '@' (0x40) and '`' (0x60) match.
  EXPECT_TRUE(SameName("a@", "A`"));
}

TEST(TypInfoTest, FindsPropertiesInAnyCaseThroughTheClassChain) {
  const TPropInfo *s8 = Prop("s8");
  ASSERT_NE(s8, nullptr);
  EXPECT_STREQ(s8->Name, "S8");
  const TPropInfo *name = Prop("NAME");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name, GetPropInfo(ClassOf<TComponent>(), "Name"));
  EXPECT_EQ(Prop("Widht"), nullptr);
  EXPECT_EQ(GetPropInfo(ClassOf<TPersistent>(), "Name"), nullptr);
}

TEST(TypInfoTest, AClassesOwnPropertyHidesItsParents) {
  auto shadow = MakeComponent<TShadow>();
  SetOrdProp(shadow.get(), GetPropInfo(ClassOf<TShadow>(), "S8"), 1000);
  EXPECT_EQ(shadow->Wide, 1000);
  EXPECT_EQ(shadow->S8, 0);
}

struct OrdinalCase {
  const char *prop;
  int32_t stored;
  int32_t readBack;
};

class OrdinalWidthTest : public testing::TestWithParam<OrdinalCase> {};

// Stored with the field's width, read back sign- or zero-extended.
TEST_P(OrdinalWidthTest, StoresWithTheFieldsWidth) {
  auto sample = MakeComponent<TSample>();
  const TPropInfo *prop = Prop(GetParam().prop);
  SetOrdProp(sample.get(), prop, GetParam().stored);
  EXPECT_EQ(GetOrdProp(sample.get(), prop), GetParam().readBack);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OrdinalWidthTest,
    testing::Values(OrdinalCase{"S8", 0x1234FF80, -128}, OrdinalCase{"U8", 0x1234FF80, 128},
                    OrdinalCase{"S16", 0x1234FF80, -128}, OrdinalCase{"U16", 0x1234FF80, 0xFF80},
                    OrdinalCase{"S32", -5, -5}, OrdinalCase{"U32", static_cast<int32_t>(0x80000005), static_cast<int32_t>(0x80000005)},
                    OrdinalCase{"Flag", 1, 1}, OrdinalCase{"Bevel", bvRaised, bvRaised}),
    [](const auto &info) { return std::string(info.param.prop); });

TEST(TypInfoTest, KindsFollowTheCppTypes) {
  EXPECT_EQ(Prop("S8")->PropType->Kind, tkInteger);
  EXPECT_EQ(Prop("U32")->PropType->Kind, tkInteger);
  EXPECT_EQ(Prop("Flag")->PropType->Kind, tkEnumeration);
  EXPECT_EQ(Prop("Bevel")->PropType->Kind, tkEnumeration);
  EXPECT_EQ(Prop("Text")->PropType->Kind, tkString);
  EXPECT_EQ(Prop("OnPing")->PropType->Kind, tkMethod);
  EXPECT_EQ(Prop("Sub")->PropType->Kind, tkClass);
  EXPECT_EQ(Prop("Sub")->PropType->ClassType, ClassOf<TSub>());
}

TEST(TypInfoTest, EnumValuesAreFoundInAnyCase) {
  const TTypeInfo *boolean = &TypeInfo<bool>;
  EXPECT_EQ(GetEnumValue(boolean, "true"), 1);
  EXPECT_EQ(GetEnumValue(boolean, "FALSE"), 0);
  EXPECT_EQ(GetEnumValue(boolean, ""), -1);
  EXPECT_EQ(GetEnumValue(boolean, "yes"), -1);
  EXPECT_EQ(GetEnumValue(&TypeInfo<TPanelBevel>, "BVRAISED"), 2);
  EXPECT_EQ(GetEnumValue(&TypeInfo<TBevelShape>, "bsLeftLine"), 1);
}

TEST(TypInfoTest, StringsGoThroughTheAccessors) {
  auto sample = MakeComponent<TSample>();
  SetStrProp(sample.get(), Prop("text"), "  ?  ");
  EXPECT_EQ(sample->TextSets, 1);
  EXPECT_EQ(GetStrProp(sample.get(), Prop("Text")), "  ?  ");
}

TEST(TypInfoTest, MethodsBecomeHandlersOfTheirSignature) {
  auto sample = MakeComponent<TSample>();
  const TMethodInfo *ping = FindMethodInfo(ClassOf<TShadow>(), "PING");
  ASSERT_NE(ping, nullptr);
  EXPECT_EQ(ping->Signature, &TypeInfo<TNotifyEvent>);
  SetMethodProp(sample.get(), Prop("OnPing"), TMethod{ping->Code, sample.get()});
  ASSERT_TRUE(sample->OnPing);
  EXPECT_EQ(sample->OnPing, TNotifyEvent(sample.get(), &TSample::Ping));
  sample->OnPing(sample.get());
  EXPECT_EQ(sample->Pinged, std::vector<TObject *>{sample.get()});
  EXPECT_EQ(GetMethodProp(sample.get(), Prop("OnPing")), (TMethod{ping->Code, sample.get()}));
  SetMethodProp(sample.get(), Prop("OnPing"), TMethod{});
  EXPECT_FALSE(sample->OnPing);
}

TEST(TypInfoTest, ClosuresCompareByObjectAndMethod) {
  auto a = MakeComponent<TSample>();
  auto b = MakeComponent<TSample>();
  EXPECT_EQ(TNotifyEvent(a.get(), &TSample::Ping), TNotifyEvent(a.get(), &TSample::Ping));
  EXPECT_NE(TNotifyEvent(a.get(), &TSample::Ping), TNotifyEvent(b.get(), &TSample::Ping));
  EXPECT_NE(TNotifyEvent(a.get(), &TSample::Ping), TNotifyEvent());
  EXPECT_FALSE(TNotifyEvent());
}

TEST(TypInfoTest, ObjectPropertiesGiveTheirObject) {
  auto sample = MakeComponent<TSample>();
  EXPECT_EQ(GetObjectProp(sample.get(), Prop("Sub")), sample->Sub());
  EXPECT_EQ(Prop("Sub")->Set, nullptr);
}

TEST(TypInfoTest, AccessOfTheWrongKindRaises) {
  auto sample = MakeComponent<TSample>();
  EXPECT_THROW(SetStrProp(sample.get(), Prop("S8"), "1"), Exception);
  EXPECT_THROW(GetOrdProp(sample.get(), Prop("Text")), Exception);
  EXPECT_THROW(SetOrdProp(sample.get(), Prop("Sub"), 0), Exception);
  EXPECT_THROW(SetMethodProp(sample.get(), Prop("Flag"), TMethod{}), Exception);
}

TEST(TypInfoTest, FieldsAndMethodsAreFoundInAnyCase) {
  const TFieldInfo *field = FindFieldInfo(ClassOf<TMainForm>(), "toppan");
  ASSERT_NE(field, nullptr);
  EXPECT_STREQ(field->Name, "TopPan");
  EXPECT_EQ(field->FieldClass, ClassOf<TPanel>());
  EXPECT_EQ(FindFieldInfo(ClassOf<TMainForm>(), "LftPan"), nullptr);
  const TMethodInfo *query = FindMethodInfo(ClassOf<TMainForm>(), "formclosequery");
  ASSERT_NE(query, nullptr);
  EXPECT_EQ(query->Signature, &TypeInfo<TCloseQueryEvent>);
  EXPECT_EQ(FindMethodInfo(ClassOf<TMainForm>(), "Nope"), nullptr);
}

TEST(ClassInfoTest, ChainsToTObject) {
  std::vector<std::string> chain;
  for (TClass cls = ClassOf<TMemo>(); cls != nullptr; cls = cls->ClassParent) chain.push_back(cls->ClassName);
  EXPECT_EQ(chain, (std::vector<std::string>{"TMemo", "TEdit", "TWinControl", "TControl", "TComponent",
                                             "TPersistent", "TObject"}));
  EXPECT_TRUE(ClassOf<TMemo>()->InheritsFrom(ClassOf<TControl>()));
  EXPECT_FALSE(ClassOf<TControl>()->InheritsFrom(ClassOf<TMemo>()));
}

struct ClassCase {
  TClass cls;
  const char *name;
  TClass parent;
  bool creatable;  // the reader can make one
};

// Every class of this layer and its stand-ins has a record of its own.
TEST(ClassInfoTest, EveryClassHasItsOwnRecord) {
  const ClassCase table[] = {
      {ClassOf<TObject>(), "TObject", nullptr, false},
      {ClassOf<TPersistent>(), "TPersistent", ClassOf<TObject>(), false},
      {ClassOf<TComponent>(), "TComponent", ClassOf<TPersistent>(), true},
      {ClassOf<TControl>(), "TControl", ClassOf<TComponent>(), true},
      {ClassOf<TWinControl>(), "TWinControl", ClassOf<TControl>(), true},
      {ClassOf<TForm>(), "TForm", ClassOf<TWinControl>(), true},
      {ClassOf<TButton>(), "TButton", ClassOf<TWinControl>(), true},
      {ClassOf<TCheckBox>(), "TCheckBox", ClassOf<TWinControl>(), true},
      {ClassOf<TComboBox>(), "TComboBox", ClassOf<TWinControl>(), true},
      {ClassOf<TLabel>(), "TLabel", ClassOf<TWinControl>(), true},
      {ClassOf<TEdit>(), "TEdit", ClassOf<TWinControl>(), true},
      {ClassOf<TMemo>(), "TMemo", ClassOf<TEdit>(), true},
      {ClassOf<TPanel>(), "TPanel", ClassOf<TWinControl>(), true},
      {ClassOf<TImage>(), "TImage", ClassOf<TControl>(), true},
      {ClassOf<TBevel>(), "TBevel", ClassOf<TControl>(), true},
      {ClassOf<TMainForm>(), "TMainForm", ClassOf<TForm>(), true},
      {ClassOf<TSub>(), "TSub", ClassOf<TPersistent>(), false},
      {ClassOf<TSample>(), "TSample", ClassOf<TComponent>(), true},
      {ClassOf<TShadow>(), "TShadow", ClassOf<TSample>(), true},
  };
  for (const ClassCase &c : table) {
    SCOPED_TRACE(c.name);
    EXPECT_STREQ(c.cls->ClassName, c.name);
    EXPECT_EQ(c.cls->ClassParent, c.parent);
    EXPECT_EQ(c.cls->Create != nullptr, c.creatable);
    if (c.creatable) {
      auto owner = MakeComponent<TComponent>();
      TComponent *made = c.cls->Create(owner.get());
      EXPECT_EQ(made->ClassType(), c.cls);
      EXPECT_STREQ(made->ClassName(), c.name);
    }
  }
}

// Derived without a record of its own: ClassOf, Field, object properties and
// RegisterClasses refuse it at compile time.
class TForgotten : public TPanel {
public:
  using TPanel::TPanel;
};

static_assert(HasOwnClassRecord<TPanel> && HasOwnClassRecord<TObject> && HasOwnClassRecord<TSub>);
static_assert(!HasOwnClassRecord<TForgotten>);
// Only components with T(TComponent *Owner) can be registered.
static_assert(publishing::IsCreatable<TPanel> && publishing::IsCreatable<TComponent>);
static_assert(!publishing::IsCreatable<TSub> && !publishing::IsCreatable<TPersistent>);

TEST(ClassInfoTest, ObjectsAreTestedByTheirRecords) {
  auto memo = MakeComponent<TMemo>();
  TObject *object = memo.get();
  EXPECT_TRUE(object->InheritsFrom<TMemo>());
  EXPECT_TRUE(object->InheritsFrom<TEdit>());
  EXPECT_TRUE(object->InheritsFrom<TObject>());
  EXPECT_FALSE(object->InheritsFrom<TPanel>());
  EXPECT_EQ(ObjectAs<TEdit>(object), memo.get());
  EXPECT_EQ(ObjectAs<TControl>(static_cast<const TObject *>(object)), memo.get());
  EXPECT_EQ(ObjectAs<TPanel>(object), nullptr);
  EXPECT_EQ(ObjectAs<TMemo>(static_cast<TObject *>(nullptr)), nullptr);
}

TEST(ClassInfoTest, ComponentsHaveAVirtualConstructor) {
  auto owner = MakeComponent<TMainForm>();
  TComponent *panel = ClassOf<TPanel>()->Create(owner.get());
  EXPECT_EQ(panel->ClassType(), ClassOf<TPanel>());
  EXPECT_STREQ(panel->ClassName(), "TPanel");
  EXPECT_EQ(panel->Owner(), owner.get());
  EXPECT_EQ(ClassOf<TPersistent>()->Create, nullptr);
  EXPECT_EQ(ClassOf<TSub>()->Create, nullptr);
}

}  // namespace
