#include "streaming/TypInfo.h"

#include <gtest/gtest.h>

#include "StandIns.h"

namespace {

class TSub : public TPersistent {
  LV_CLASS(TPersistent)

public:
  int32_t Height = 0;
};

// One published property of every storage and kind.
class TSample : public TComponent {
  LV_CLASS(TComponent)

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
  TSub *Sub() const { return const_cast<TSub *>(&FSub); }
  void Ping(TObject *Sender) { Pinged.push_back(Sender); }

  AnsiString FText;
  int TextSets = 0;
  TSub FSub;
  std::vector<TObject *> Pinged;
};

// Publishes its own S8, which hides the one of TSample.
class TShadow : public TSample {
  LV_CLASS(TSample)

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

const TPropInfo *Prop(const char *name) { return GetPropInfo(&TSample::ClassInfo, name); }

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
  EXPECT_EQ(name, GetPropInfo(&TComponent::ClassInfo, "Name"));
  EXPECT_EQ(Prop("Widht"), nullptr);
  EXPECT_EQ(GetPropInfo(&TPersistent::ClassInfo, "Name"), nullptr);
}

TEST(TypInfoTest, AClassesOwnPropertyHidesItsParents) {
  TShadow shadow(nullptr);
  SetOrdProp(&shadow, GetPropInfo(&TShadow::ClassInfo, "S8"), 1000);
  EXPECT_EQ(shadow.Wide, 1000);
  EXPECT_EQ(shadow.S8, 0);
}

struct OrdinalCase {
  const char *prop;
  int32_t stored;
  int32_t readBack;
};

class OrdinalWidthTest : public testing::TestWithParam<OrdinalCase> {};

// Stored with the field's width, read back sign- or zero-extended.
TEST_P(OrdinalWidthTest, StoresWithTheFieldsWidth) {
  TSample sample(nullptr);
  const TPropInfo *prop = Prop(GetParam().prop);
  SetOrdProp(&sample, prop, GetParam().stored);
  EXPECT_EQ(GetOrdProp(&sample, prop), GetParam().readBack);
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
  EXPECT_EQ(Prop("Sub")->PropType->ClassType, &TSub::ClassInfo);
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
  TSample sample(nullptr);
  SetStrProp(&sample, Prop("text"), "  ?  ");
  EXPECT_EQ(sample.TextSets, 1);
  EXPECT_EQ(GetStrProp(&sample, Prop("Text")), "  ?  ");
}

TEST(TypInfoTest, MethodsBecomeHandlersOfTheirSignature) {
  TSample sample(nullptr);
  const TMethodInfo *ping = FindMethodInfo(&TShadow::ClassInfo, "PING");
  ASSERT_NE(ping, nullptr);
  EXPECT_EQ(ping->Signature, &TypeInfo<TNotifyEvent>);
  SetMethodProp(&sample, Prop("OnPing"), TMethod{ping->Code, &sample});
  ASSERT_TRUE(sample.OnPing);
  EXPECT_EQ(sample.OnPing, TNotifyEvent(&sample, &TSample::Ping));
  sample.OnPing(&sample);
  EXPECT_EQ(sample.Pinged, std::vector<TObject *>{&sample});
  EXPECT_EQ(GetMethodProp(&sample, Prop("OnPing")), (TMethod{ping->Code, &sample}));
  SetMethodProp(&sample, Prop("OnPing"), TMethod{});
  EXPECT_FALSE(sample.OnPing);
}

TEST(TypInfoTest, ClosuresCompareByObjectAndMethod) {
  TSample a(nullptr), b(nullptr);
  EXPECT_EQ(TNotifyEvent(&a, &TSample::Ping), TNotifyEvent(&a, &TSample::Ping));
  EXPECT_NE(TNotifyEvent(&a, &TSample::Ping), TNotifyEvent(&b, &TSample::Ping));
  EXPECT_NE(TNotifyEvent(&a, &TSample::Ping), TNotifyEvent());
  EXPECT_FALSE(TNotifyEvent());
}

TEST(TypInfoTest, ObjectPropertiesGiveTheirObject) {
  TSample sample(nullptr);
  EXPECT_EQ(GetObjectProp(&sample, Prop("Sub")), sample.Sub());
  EXPECT_EQ(Prop("Sub")->Set, nullptr);
}

TEST(TypInfoTest, AccessOfTheWrongKindRaises) {
  TSample sample(nullptr);
  EXPECT_THROW(SetStrProp(&sample, Prop("S8"), "1"), Exception);
  EXPECT_THROW(GetOrdProp(&sample, Prop("Text")), Exception);
  EXPECT_THROW(SetOrdProp(&sample, Prop("Sub"), 0), Exception);
  EXPECT_THROW(SetMethodProp(&sample, Prop("Flag"), TMethod{}), Exception);
}

TEST(TypInfoTest, FieldsAndMethodsAreFoundInAnyCase) {
  const TFieldInfo *field = FindFieldInfo(&TMainForm::ClassInfo, "toppan");
  ASSERT_NE(field, nullptr);
  EXPECT_STREQ(field->Name, "TopPan");
  EXPECT_EQ(field->FieldClass, &TPanel::ClassInfo);
  EXPECT_EQ(FindFieldInfo(&TMainForm::ClassInfo, "LftPan"), nullptr);
  const TMethodInfo *query = FindMethodInfo(&TMainForm::ClassInfo, "formclosequery");
  ASSERT_NE(query, nullptr);
  EXPECT_EQ(query->Signature, &TypeInfo<TCloseQueryEvent>);
  EXPECT_EQ(FindMethodInfo(&TMainForm::ClassInfo, "Nope"), nullptr);
}

TEST(ClassInfoTest, ChainsToTObject) {
  std::vector<std::string> chain;
  for (TClass cls = &TMemo::ClassInfo; cls != nullptr; cls = cls->ClassParent) chain.push_back(cls->ClassName);
  EXPECT_EQ(chain, (std::vector<std::string>{"TMemo", "TEdit", "TWinControl", "TControl", "TComponent",
                                             "TPersistent", "TObject"}));
  EXPECT_TRUE(TMemo::ClassInfo.InheritsFrom(&TControl::ClassInfo));
  EXPECT_FALSE(TControl::ClassInfo.InheritsFrom(&TMemo::ClassInfo));
}

TEST(ClassInfoTest, ComponentsHaveAVirtualConstructor) {
  TMainForm owner(nullptr);
  TComponent *panel = TPanel::ClassInfo.Create(&owner);
  EXPECT_EQ(panel->ClassType(), &TPanel::ClassInfo);
  EXPECT_STREQ(panel->ClassName(), "TPanel");
  EXPECT_EQ(panel->Owner(), &owner);
  EXPECT_EQ(TPersistent::ClassInfo.Create, nullptr);
  EXPECT_EQ(TSub::ClassInfo.Create, nullptr);
}

}  // namespace
