#include "streaming/Reader.h"

#include <gtest/gtest.h>

#include <memory>

#include "StandIns.h"

namespace {

class TSubFont : public TPersistent {
  LV_CLASS(TSubFont, TPersistent)

public:
  int32_t Height = 0;
};

// A control with a sub-object, reached by dotted property paths.
class TFramed : public TWinControl {
  LV_CLASS(TFramed, TWinControl)

public:
  using TWinControl::TWinControl;
  TSubFont *Font() { return &FFont; }
  TSubFont FFont;
};

LV_PUBLISH(TSubFont) {
  static const TPropInfo properties[] = {Property<&TSubFont::Height>("Height")};
  return {.Properties = properties};
}

LV_PUBLISH(TFramed) {
  static const TPropInfo properties[] = {Property<&TFramed::Font>("Font")};
  return {.Properties = properties};
}

std::string Int8(int8_t v) { return std::string{vaInt8, static_cast<char>(v)}; }
std::string Ident(const std::string &s) { return std::string(1, vaIdent) + Str(s); }
std::string Text(const std::string &s) { return std::string(1, vaString) + Str(s); }

class ReaderTest : public testing::Test {
protected:
  void SetUp() override {
    RegisterStandIns();
    RegisterClasses<TFramed>();
    TControl::LoadedNames.clear();
    TControl::Destroyed.clear();
    LiveBefore = TControl::Live;
  }

  static TComponentPtr<TComponent> Read(const std::string &record) {
    TBytesStream stream("TPF0" + record);
    return TComponentPtr<TComponent>(ReadComponentFromStream(stream, nullptr));
  }

  template <class T>
  static T *Find(TComponent *root, const std::string &name) {
    for (int i = 0; i < root->ComponentCount(); ++i)
      if (root->Components(i)->Name() == name) return ObjectAs<T>(root->Components(i));
    return nullptr;
  }

  int LiveBefore = 0;
};

struct ValueCase {
  const char *name;
  const char *cls;
  std::string properties;
  const char *prop;
  int32_t ordinal;  // for ordinal properties
  const char *text;  // for string properties
};

class ReaderValueTest : public ReaderTest, public testing::WithParamInterface<ValueCase> {};

TEST_P(ReaderValueTest, StoresTheValue) {
  const ValueCase &c = GetParam();
  TComponentPtr<TComponent> root = Read(Record(c.cls, "X", c.properties));
  const TPropInfo *prop = GetPropInfo(root->ClassType(), c.prop);
  if (c.text != nullptr)
    EXPECT_EQ(GetStrProp(root.get(), prop), c.text);
  else
    EXPECT_EQ(GetOrdProp(root.get(), prop), c.ordinal);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReaderValueTest,
    testing::Values(
        ValueCase{"Int8", "TButton", Str("Left") + "\x02\x2E", "Left", 46, nullptr},
        ValueCase{"Int16", "TButton", Str("Left") + "\x03\x5F\x01", "Left", 351, nullptr},
        ValueCase{"Int32", "TPanel", Str("Color") + std::string("\x04\xFF\xFF\xFF\x00", 5), "Color", 16777215,
                  nullptr},
        ValueCase{"Int8SignExtended", "TButton", Str("Left") + "\x02\xFF", "Left", -1, nullptr},
        ValueCase{"Int16SignExtended", "TButton", Str("Top") + std::string("\x03\x00\x80", 3), "Top", -32768,
                  nullptr},
        ValueCase{"OtherTypeByteReadsFourBytes", "TButton", Str("Width") + "\x05\x01\x02\x03\x04", "Width",
                  0x04030201, nullptr},
        ValueCase{"NameInLowerCase", "TButton", Str("height") + "\x02\x07", "Height", 7, nullptr},
        ValueCase{"True", "TCheckBox", Str("Checked") + "\x09", "Checked", 1, nullptr},
        ValueCase{"False", "TCheckBox", Str("Checked") + "\x09" + Str("Checked") + "\x08", "Checked", 0, nullptr},
        ValueCase{"TrueAsIdentifier", "TCheckBox", Str("checked") + Ident("TRUE"), "Checked", 1, nullptr},
        ValueCase{"Enumeration", "TPanel", Str("BevelOuter") + Ident("bvlowered"), "BevelOuter", bvLowered,
                  nullptr},
        ValueCase{"String", "TButton", Str("Caption") + Text("  ?  "), "Caption", 0, "  ?  "},
        ValueCase{"StringTypeByteIgnored", "TLabel", Str("Caption") + Ident("Next"), "Caption", 0, "Next"},
        ValueCase{"Utf8String", "TCheckBox", Str("Caption") + Text("Gr\xC3\xBC\xC3\x9F" "e"), "Caption", 0,
                  "Gr\xC3\xBC\xC3\x9F" "e"},
        ValueCase{"Name", "TButton", Str("Name") + Text("Renamed"), "Name", 0, "Renamed"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ReaderTest, ReadsThroughADottedPath) {
  TComponentPtr<TComponent> root = Read(Record("TFramed", "F", Str("Font.Height") + "\x03\xF3\xFF"));
  EXPECT_EQ(static_cast<TFramed *>(root.get())->FFont.Height, -13);
}

// A form with one button whose OnClick gets the given values in turn.
TComponentPtr<TMainForm> ReadClicks(const std::string &values) {
  TBytesStream stream("TPF0" + Record("TMainForm", "MainForm", "", Record("TButton", "NBtn", values)));
  return TComponentPtr<TMainForm>(static_cast<TMainForm *>(ReadComponentFromStream(stream, nullptr)));
}

TEST_F(ReaderTest, BindsEventsToTheRootsPublishedMethods) {
  TComponentPtr<TMainForm> form = ReadClicks(Str("OnClick") + Ident("bnclk"));
  ASSERT_NE(form->NBtn, nullptr);
  EXPECT_EQ(form->NBtn->FOnClick, TNotifyEvent(form.get(), &TMainForm::BNClk));
  form->NBtn->FOnClick(form->NBtn);
  EXPECT_EQ(form->Calls, std::vector<std::string>{"BNClk(NBtn)"});
}

TEST_F(ReaderTest, NilStoresAnEmptyHandler) {
  TComponentPtr<TMainForm> form = ReadClicks(Str("OnClick") + Ident("BNClk") + Str("OnClick") + "\x0D");
  EXPECT_FALSE(form->NBtn->FOnClick);
  EXPECT_EQ(form->NBtn->Assigned, (std::vector<std::string>{"OnClick", "OnClick"}));
}

TEST_F(ReaderTest, AnUnpublishedMethodLeavesTheHandlerAsItWas) {
  TComponentPtr<TMainForm> form = ReadClicks(Str("OnClick") + Ident("BNClk") + Str("OnClick") + Ident("Nope"));
  EXPECT_EQ(form->NBtn->FOnClick, TNotifyEvent(form.get(), &TMainForm::BNClk));
  EXPECT_EQ(form->NBtn->Assigned, std::vector<std::string>{"OnClick"});
}

TEST_F(ReaderTest, ComponentsWithoutFieldAreOwnedAndParentedAnyway) {
  TComponentPtr<TComponent> root = Read(Record(
      "TMainForm", "MainForm", "",
      Record("TPanel", "LftPan", "", Record("TBevel", "LftBvl")) + Record("TPanel", "WPan")));
  auto *form = static_cast<TMainForm *>(root.get());
  ASSERT_EQ(form->ComponentCount(), 3);
  auto *lftPan = Find<TPanel>(form, "LftPan");
  auto *lftBvl = Find<TBevel>(form, "LftBvl");
  auto *wPan = Find<TPanel>(form, "WPan");
  ASSERT_TRUE(lftPan && lftBvl && wPan);
  EXPECT_EQ(lftPan->ParentComponent, form);
  EXPECT_EQ(lftBvl->ParentComponent, lftPan);
  EXPECT_EQ(lftBvl->Owner(), form);
  EXPECT_EQ(form->WPan, wPan);
}

TEST_F(ReaderTest, TellsLoadedRootFirstThenInPostOrder) {
  TComponentPtr<TComponent> root =
      Read(Record("TMainForm", "MainForm", Str("Left") + Int8(1),
                  Record("TPanel", "A", Str("Top") + Int8(2), Record("TLabel", "B", Str("Top") + Int8(3))) +
                      Record("TPanel", "C")));
  EXPECT_EQ(TControl::LoadedNames, (std::vector<std::string>{"MainForm", "B", "A", "C"}));
  auto *form = static_cast<TMainForm *>(root.get());
  EXPECT_EQ(form->StateWhileReading, csLoading | csReading);
  EXPECT_EQ(Find<TLabel>(form, "B")->StateWhileReading, csLoading | csReading);
  for (int i = 0; i < form->ComponentCount(); ++i) EXPECT_EQ(form->Components(i)->ComponentState(), 0);
  EXPECT_EQ(form->ComponentState(), 0);
}

TEST_F(ReaderTest, TheSignatureIsNotLookedAt) {
  const std::string record = Record("TButton", "B", Str("Left") + Int8(5) + Str("Caption") + Text("Go"));
  for (const char *signature : {"TPF0", "XXXX", "\0\0\0\0"}) {
    TBytesStream stream(std::string(signature, 4) + record);
    TComponentPtr<TComponent> root(ReadComponentFromStream(stream, nullptr));
    EXPECT_EQ(static_cast<TButton *>(root.get())->Assigned, (std::vector<std::string>{"Left=5", "Caption=Go"}));
  }
}

TEST_F(ReaderTest, LeavesTheStreamJustAfterTheLastByteUsed) {
  std::string buttons;
  for (char c = 'a'; c < 'a' + 20; ++c)
    buttons += Record("TButton", std::string(1, c), Str("Caption") + Text(std::string(250, 'x')));
  const std::string small = "TPF0" + Record("TPanel", "P");
  const std::string large = "TPF0" + Record("TMainForm", "M", "", buttons);
  ASSERT_GT(large.size(), 4096u);
  for (const std::string &description : {small, large}) {
    std::string bytes = std::string(4, 'h') + description;
    bytes.append(5000, '\x01');
    TBytesStream stream(bytes);
    stream.SetPosition(4);
    TComponentPtr<TComponent> root(ReadComponentFromStream(stream, nullptr));
    EXPECT_EQ(stream.Position(), static_cast<int32_t>(4 + description.size()));
  }
}

TEST_F(ReaderTest, AGlobalLoadingListCollectsInsteadOfTellingLoaded) {
  auto earlier = MakeComponent<TPanel>();
  TList<TComponent> loading;
  loading.Add(earlier.get());
  GlobalLoaded = &loading;
  auto form = MakeComponent<TMainForm>();
  TBytesStream good("TPF0" + Record("TMainForm", "MainForm", "", Record("TPanel", "A", "", Record("TLabel", "B"))));
  ReadComponentFromStream(good, form.get());
  TBytesStream bad("TPF0" + Record("TMainForm", "MainForm", "", Record("TPanel", "C", Str("Nope") + Int8(0))));
  EXPECT_THROW(ReadComponentFromStream(bad, form.get()), EReadError);
  GlobalLoaded = nullptr;
  EXPECT_TRUE(TControl::LoadedNames.empty());
  std::vector<std::string> names;
  for (TComponent *c : loading) names.push_back(c->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"", "MainForm", "B", "A"}));
  EXPECT_EQ(form->ComponentCount(), 2);
  EXPECT_NE(form->ComponentState() & csLoading, 0);
}

struct ErrorCase {
  const char *name;
  std::string bad;  // a component record that cannot be read
  const char *message;
};

class ReaderErrorTest : public ReaderTest, public testing::WithParamInterface<ErrorCase> {
protected:
  // The bad record after some good ones, nested.
  static std::string Description() {
    return "TPF0" +
           Record("TMainForm", "MainForm", Str("ClientWidth") + Int8(9),
                  Record("TPanel", "TopPan", "", Record("TLabel", "TopLbl")) +
                      Record("TPanel", "WPan", Str("Left") + Int8(5),
                             Record("TLabel", "WelLbl") + Record("TComboBox", "LngBx") + GetParam().bad));
  }

  // The good components were freed with Free, the last made first, each still
  // whole (its class's name reached through a virtual call); the bad one, if
  // it was made, went before them.
  static void ExpectFreedLastFirst(const std::vector<std::string> &destroyed) {
    const std::vector<std::string> good{"LngBx:TComboBox", "WelLbl:TLabel", "WPan:TPanel", "TopLbl:TLabel",
                                        "TopPan:TPanel"};
    ASSERT_GE(destroyed.size(), good.size());
    EXPECT_EQ(std::vector<std::string>(destroyed.end() - 5, destroyed.end()), good);
  }
};

TEST_P(ReaderErrorTest, RaisesAndFreesWhatItMadeUnderAGivenRoot) {
  auto form = MakeComponent<TMainForm>();
  TBytesStream stream(Description());
  try {
    ReadComponentFromStream(stream, form.get());
    FAIL() << "no exception";
  } catch (const EReadError &e) {
    EXPECT_EQ(e.Message, GetParam().message);
  } catch (const Exception &e) {
    EXPECT_EQ(e.Message, GetParam().message);
  }
  EXPECT_EQ(form->ComponentCount(), 0);
  for (TComponent *field : form->Fields()) EXPECT_EQ(field, nullptr);
  EXPECT_EQ(form->ComponentState() & csReading, 0);
  EXPECT_EQ(TControl::Live, LiveBefore + 1);
  EXPECT_TRUE(TControl::LoadedNames.empty());
  ExpectFreedLastFirst(TControl::Destroyed);
}

TEST_P(ReaderErrorTest, RaisesAndFreesTheRootItMade) {
  TBytesStream stream(Description());
  EXPECT_THROW(ReadComponentFromStream(stream, nullptr), Exception);
  EXPECT_EQ(TControl::Live, LiveBefore);
  ASSERT_FALSE(TControl::Destroyed.empty());
  EXPECT_EQ(TControl::Destroyed.front(), "MainForm:TMainForm");
  ExpectFreedLastFirst(TControl::Destroyed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReaderErrorTest,
    testing::Values(
        ErrorCase{"UnknownClass", Record("TFoo", "X"), "Unknown class TFoo"},
        ErrorCase{"NotACreatableClass", Record("TPersistent", "X"), "Class TPersistent cannot be created"},
        ErrorCase{"UnknownProperty", Record("TPanel", "DPan", Str("Widht") + Int8(1)), "Property Widht does not exist"},
        ErrorCase{"PathThroughANonObject", Record("TPanel", "DPan", Str("Left.Height") + Int8(1)),
                  "Property Height does not exist"},
        ErrorCase{"ObjectGivenAValue", Record("TFramed", "F", Str("Font") + Int8(1)),
                  "Property Font has an unsupported type"},
        ErrorCase{"UnknownIdentifier", Record("TPanel", "DPan", Str("BevelInner") + Ident("bvFoo")),
                  "Invalid value \"bvFoo\" for property BevelInner"},
        ErrorCase{"EnumerationOfAnotherType", Record("TCheckBox", "LicBx", Str("Checked") + Text("True")),
                  "Invalid value \"\" for property Checked"},
        ErrorCase{"HandlerOfAnotherSignature", Record("TButton", "NBtn", Str("OnClick") + Ident("FormCloseQuery")),
                  "Method FormCloseQuery does not fit event OnClick"},
        ErrorCase{"HandlerAsString", Record("TButton", "NBtn", Str("OnClick") + Text("BNClk")),
                  "Invalid value for event OnClick"},
        ErrorCase{"HandlerAsTrue", Record("TButton", "NBtn", Str("OnClick") + "\x09"),
                  "Invalid value for event OnClick"},
        ErrorCase{"HandlerAsInteger", Record("TButton", "NBtn", Str("OnClick") + Int8(0)),
                  "Invalid value for event OnClick"},
        ErrorCase{"FieldOfAnotherClass", Record("TLabel", "DPan"), "Field DPan of TMainForm cannot hold a TLabel"}),
    [](const auto &info) { return std::string(info.param.name); });

// A form with panels nested depth deep, each inside the one before.
std::string NestedPanels(int depth) {
  std::string panels;
  for (int i = 0; i < depth; ++i) panels += Str("TPanel") + Str("") + '\0';
  return "TPF0" + Record("TMainForm", "MainForm", "", panels + std::string(static_cast<size_t>(depth), '\0'));
}

TEST_F(ReaderTest, ReadsNestingUpToTheLimit) {
  TBytesStream stream(NestedPanels(TReader::MaxDepth));
  TComponentPtr<TComponent> root(ReadComponentFromStream(stream, nullptr));
  ASSERT_EQ(root->ComponentCount(), TReader::MaxDepth);
  int depth = 0;
  for (TComponent *c = root->Components(TReader::MaxDepth - 1); c != root.get(); ++depth)
    c = static_cast<TControl *>(c)->ParentComponent;
  EXPECT_EQ(depth, TReader::MaxDepth);
}

// Deeper nesting would only exhaust the stack, here and in every walk down
// the parent chain later.
TEST_F(ReaderTest, RaisesOnDeeperNestingAndFreesWhatItMade) {
  for (int depth : {TReader::MaxDepth + 1, 10000}) {
    auto form = MakeComponent<TMainForm>();
    TBytesStream given(NestedPanels(depth));
    EXPECT_THROW(ReadComponentFromStream(given, form.get()), EReadError) << depth;
    EXPECT_EQ(form->ComponentCount(), 0) << depth;
    TBytesStream created(NestedPanels(depth));
    EXPECT_THROW(ReadComponentFromStream(created, nullptr), EReadError) << depth;
    EXPECT_EQ(TControl::Live, LiveBefore + 1) << depth;
    EXPECT_TRUE(TControl::LoadedNames.empty()) << depth;
  }
}

TEST_F(ReaderTest, AFailedReadKeepsWhatTheRootOwnedBefore) {
  auto form = MakeComponent<TMainForm>();
  auto *mine = new TPanel(form.get());
  mine->SetName("IPan");
  TBytesStream stream("TPF0" + Record("TMainForm", "MainForm", "", Record("TPanel", "FPan") + Record("TFoo", "X")));
  EXPECT_THROW(ReadComponentFromStream(stream, form.get()), EReadError);
  ASSERT_EQ(form->ComponentCount(), 1);
  EXPECT_EQ(form->Components(0), mine);
  EXPECT_EQ(form->IPan, mine);
  EXPECT_EQ(form->FPan, nullptr);
}

}  // namespace
