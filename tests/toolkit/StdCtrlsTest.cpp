// The standard controls on real windows: what the form description may set,
// native styles, heights and bounds they take themselves, how changes and
// clicks are reported, the default and cancel buttons, and the list that
// keeps its items.
#include <cstdio>
#include <memory>

#include "StdCtrlsFixture.h"
#include "support/WindowShot.h"
#include "toolkit/Themes.h"

namespace {

// The log keeps what was printed even when the process dies.
const int unbufferedOutput = (std::setvbuf(stdout, nullptr, _IONBF, 0), 0);

class StdCtrlsTest : public testing::Test {
protected:
  void SetUp() override { Form->Journal = &Journal; }
  // Declared first, so they outlive the form and what it says while it goes.
  TJournal Journal;
  TEvents Events{&Journal};
  TComponentPtr<TStdForm> Form{new TStdForm(nullptr)};
};

LONG StyleOf(TWinControl *control) { return ::GetWindowLongW(control->Handle(), GWL_STYLE); }

// --- What a form description can set ---------------------------------------

TEST(StdCtrlsVocabulary, EachClassPublishesExactlyItsPropertiesWithTheirKinds) {
  RegisterStdControls();
  RegisterExtControls();
  struct Case {
    const char *className;
    const char *property;
    bool published;
    TTypeKind kind;
  } cases[] = {
      {"TButton", "Cancel", true, tkEnumeration},   {"TButton", "Caption", true, tkString},
      {"TButton", "Default", true, tkEnumeration},  {"TButton", "OnClick", true, tkMethod},
      {"TButton", "ModalResult", false, tkInteger}, {"TCheckBox", "Caption", true, tkString},
      {"TCheckBox", "Checked", true, tkEnumeration}, {"TCheckBox", "OnClick", false, tkMethod},
      {"TComboBox", "OnChange", true, tkMethod},    {"TComboBox", "Caption", false, tkString},
      {"TLabel", "AutoSize", true, tkEnumeration},  {"TLabel", "Caption", true, tkString},
      {"TPanel", "BevelInner", true, tkEnumeration}, {"TPanel", "BevelOuter", true, tkEnumeration},
      {"TPanel", "Color", true, tkInteger},         {"TBevel", "Shape", true, tkEnumeration},
      {"TEdit", "Caption", false, tkString},        {"TEdit", "ReadOnly", false, tkEnumeration},
      {"TMemo", "Lines", false, tkClass},           {"TImage", "Picture", false, tkClass},
      {"TImage", "Width", true, tkInteger},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.className) + "." + c.property);
    const TClass cls = FindClass(c.className);
    ASSERT_NE(cls, nullptr);
    const TPropInfo *prop = GetPropInfo(cls, c.property);
    ASSERT_EQ(prop != nullptr, c.published);
    if (prop != nullptr) {
      EXPECT_EQ(prop->PropType->Kind, c.kind);
    }
  }
}

TEST(StdCtrlsVocabulary, EnumerationsAreReadByTheirValueNames) {
  struct Case {
    TClass cls;
    const char *property;
    const char *value;
    int32_t ordinal;
  } cases[] = {
      {ClassOf<TPanel>(), "BevelOuter", "bvRaised", 2}, {ClassOf<TPanel>(), "BevelInner", "bvLowered", 1},
      {ClassOf<TBevel>(), "Shape", "bsLeftLine", 1},    {ClassOf<TButton>(), "Default", "True", 1},
      {ClassOf<TCheckBox>(), "Checked", "True", 1},     {ClassOf<TLabel>(), "AutoSize", "False", 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.property);
    const TPropInfo *prop = GetPropInfo(c.cls, c.property);
    ASSERT_NE(prop, nullptr);
    EXPECT_EQ(GetEnumValue(prop->PropType, c.value), c.ordinal);
  }
  // Written the way the reader writes them, they land where code reads them.
  TComponentPtr<TPanel> panel(new TPanel(nullptr));
  SetOrdProp(panel.get(), GetPropInfo(ClassOf<TPanel>(), "BevelOuter"), bvRaised);
  EXPECT_EQ(panel->BevelOuter, bvRaised);
  TComponentPtr<TButton> button(new TButton(nullptr));
  SetOrdProp(button.get(), GetPropInfo(ClassOf<TButton>(), "Default"), 1);
  EXPECT_TRUE(button->Default());
}

// --- Native classes and styles ---------------------------------------------

TEST_F(StdCtrlsTest, EachControlMakesItsWindowWithItsStyles) {
  auto *edit = Add<TEdit>(Form.get(), "Edit", {0, 0, 100, 20});
  auto *readOnly = Add<TEdit>(Form.get(), "ReadOnly", {0, 30, 100, 20});
  readOnly->SetReadOnly(true);
  auto *memo = Add<TMemo>(Form.get(), "Memo", {0, 60, 100, 60});
  auto *combo = Add<TComboBox>(Form.get(), "Combo", {110, 0, 100, 20});
  auto *ok = Add<TButton>(Form.get(), "OK", {110, 30, 80, 25});
  ok->SetDefault(true);
  auto *other = Add<TButton>(Form.get(), "Other", {200, 30, 80, 25});
  auto *check = Add<TCheckBox>(Form.get(), "Check", {110, 60, 100, 17});
  auto *label = Add<TLabel>(Form.get(), "Label", {110, 90, 100, 17});
  // What the native class answers WM_GETDLGCODE with shows it is underneath.
  struct Case {
    TWinControl *control;
    LONG present, absent, exPresent;
    LRESULT dialogCode;
  } cases[] = {
      {edit, ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_TABSTOP, WS_BORDER | ES_READONLY | ES_MULTILINE, WS_EX_CLIENTEDGE,
       DLGC_HASSETSEL},
      {readOnly, ES_READONLY, 0, WS_EX_CLIENTEDGE, DLGC_HASSETSEL},
      {memo, ES_MULTILINE | WS_VSCROLL | ES_AUTOVSCROLL, ES_AUTOHSCROLL | WS_BORDER, WS_EX_CLIENTEDGE, DLGC_HASSETSEL},
      // The native class moves the scroll bar and the client edge to its
      // list and its own frame.
      {combo, CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | CBS_HASSTRINGS | WS_TABSTOP, 0, 0,
       DLGC_WANTARROWS},
      {ok, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 0, DLGC_DEFPUSHBUTTON},
      {other, WS_TABSTOP, 0x0F, 0, DLGC_UNDEFPUSHBUTTON},
      {check, BS_3STATE | WS_TABSTOP, 0, 0, DLGC_BUTTON},
      {label, SS_NOTIFY, WS_TABSTOP, 0, DLGC_STATIC},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.control->Name());
    const LONG style = StyleOf(c.control);
    EXPECT_EQ(style & c.present, c.present);
    EXPECT_EQ(style & c.absent, 0);
    EXPECT_EQ(::GetWindowLongW(c.control->Handle(), GWL_EXSTYLE) & c.exPresent, c.exPresent);
    EXPECT_EQ(::SendMessageW(c.control->Handle(), WM_GETDLGCODE, 0, 0) & c.dialogCode, c.dialogCode);
  }
  // The check box leaves the redrawing on resizing to itself.
  WNDCLASSW checkClass{};
  ASSERT_TRUE(::GetClassInfoW(::GetModuleHandleW(nullptr), L"TCheckBox", &checkClass));
  EXPECT_EQ(checkClass.style & (CS_HREDRAW | CS_VREDRAW), 0u);

  readOnly->SetReadOnly(false);
  EXPECT_EQ(StyleOf(readOnly) & ES_READONLY, 0);
}

// --- Edit box and memo -----------------------------------------------------

int32_t OneLineHeight(TFont *font) {
  const HDC dc = ::GetDC(nullptr);
  const HGDIOBJ old = ::SelectObject(dc, font->Handle());
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(dc, &metrics);
  ::SelectObject(dc, old);
  ::ReleaseDC(nullptr, dc);
  return metrics.tmHeight + 8 * ::GetSystemMetrics(SM_CYBORDER);
}

TEST_F(StdCtrlsTest, AnEditBoxIsOneLineOfItsFontHighAndAMemoKeepsTheHeightItWasGiven) {
  auto *edit = Add<TEdit>(Form.get(), "Edit", {0, 0, 100, 50});
  auto *memo = Add<TMemo>(Form.get(), "Memo", {0, 60, 100, 80});
  EXPECT_EQ(edit->Height(), 50);  // set after the constructor
  EXPECT_EQ((edit->ControlStyle & ctlKeepHeight) != 0, true);
  EXPECT_EQ((memo->ControlStyle & ctlKeepHeight) != 0, false);
  for (int32_t fontHeight : {-11, -24}) {
    SCOPED_TRACE(fontHeight);
    edit->Font()->SetHeight(fontHeight);
    memo->Font()->SetHeight(fontHeight);
    Form->DestroyHandle();
    edit->HandleNeeded();
    memo->HandleNeeded();
    EXPECT_EQ(edit->Height(), OneLineHeight(edit->Font()));
    EXPECT_EQ(memo->Height(), 80);
  }
  // AutoSize off leaves the height to the caller; on again, it fits the font.
  edit->SetAutoSize(false);
  edit->SetHeight(70);
  EXPECT_EQ(edit->Height(), 70);
  edit->SetAutoSize(true);
  EXPECT_EQ(edit->Height(), OneLineHeight(edit->Font()));
}

TEST_F(StdCtrlsTest, ANewTextIsReportedToTheFormOnceWithOrWithoutAWindow) {
  auto *edit = Add<TEdit>(Form.get(), "Edit", {0, 0, 100, 20});
  auto *memo = Add<TMemo>(Form.get(), "Memo", {0, 60, 100, 60});
  struct Case {
    TEdit *control;
    bool window;
  } cases[] = {{edit, false}, {edit, true}, {memo, false}, {memo, true}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.control->Name() + (c.window ? " with window" : " without"));
    Form->DestroyHandle();
    if (c.window) c.control->HandleNeeded();
    Journal.clear();
    c.control->SetCaption(c.window ? "with" : "without");
    Pump();
    EXPECT_EQ(Journal, TJournal{"Form changed " + c.control->Name()});
  }
  // Typing reports through the native notification.
  Journal.clear();
  ::SendMessageW(edit->Handle(), WM_CHAR, 'x', 1);
  EXPECT_EQ(Journal, TJournal{"Form changed Edit"});
  // The memo's lines set the whole text, reported once.
  Journal.clear();
  memo->Lines()->SetText("one\r\ntwo");
  EXPECT_EQ(Journal, TJournal{"Form changed Memo"});
  EXPECT_EQ(memo->Caption(), "one\r\ntwo");
}

TEST_F(StdCtrlsTest, AMemoCountsItsLinesButNotAnEmptyLastOne) {
  auto *memo = Add<TMemo>(Form.get(), "Memo", {0, 0, 200, 100});
  EXPECT_EQ(memo->Lines()->Count(), 0);  // no window yet
  EXPECT_FALSE(memo->HandleAllocated());
  struct Case {
    const char *text;
    int32_t count;
  } cases[] = {{"", 0}, {"one", 1}, {"one\r\ntwo", 2}, {"one\r\ntwo\r\n", 2}, {"one\r\n\r\nthree", 3}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.text);
    memo->Lines()->SetText(c.text);
    EXPECT_EQ(memo->Lines()->Count(), c.count);
    EXPECT_EQ(memo->Lines()->Text(), c.text);
  }
  // Lines are not edited one by one.
  memo->Lines()->Add("more");
  memo->Lines()->Clear();
  EXPECT_EQ(memo->Lines()->Text(), "one\r\n\r\nthree");
}

// A list that cannot give its strings.
class TUnreadableStrings : public TStoredStrings {
  LV_CLASS(TUnreadableStrings, TStoredStrings)

public:
  AnsiString Get(int32_t) override { throw Exception("unreadable"); }
};

LV_PUBLISH(TUnreadableStrings) { return {}; }

// The memo stops redrawing when the outermost update begins and starts
// again, showing what changed, when it ends; also when an update is left by
// an exception, so later updates end normally.
TEST_F(StdCtrlsTest, AMemoUpdateLeftByAnExceptionEndsAndLaterUpdatesEndNormally) {
  auto *memo = Add<TMemo>(Form.get(), "Memo", {0, 0, 200, 100});
  Form->SetVisible(true);
  TJournal updates;
  const TSpy spy(memo, &updates, {{WM_SETREDRAW, "setredraw"}, {TKM_SHOWINGCHANGED, "showingchanged"}});
  const TJournal begun{"Memo setredraw"};
  const TJournal ended{"Memo setredraw", "Memo showingchanged"};
  TUnreadableStrings unreadable;
  unreadable.Add("line");
  struct Case {
    const char *name;
    bool outerUpdate;  // the failing update runs inside one of the caller's
  } cases[] = {{"alone", false}, {"nested", true}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    if (c.outerUpdate) memo->Lines()->BeginUpdate();
    updates.clear();
    EXPECT_THROW(memo->Lines()->Assign(&unreadable), Exception);
    EXPECT_EQ(updates, c.outerUpdate ? TJournal{} : (TJournal{"Memo setredraw", "Memo setredraw", "Memo showingchanged"}));
    updates.clear();
    if (c.outerUpdate) memo->Lines()->EndUpdate();
    EXPECT_EQ(updates, c.outerUpdate ? ended : TJournal{});
    updates.clear();
    memo->Lines()->BeginUpdate();
    EXPECT_EQ(updates, begun);
    updates.clear();
    memo->Lines()->EndUpdate();
    EXPECT_EQ(updates, ended);
  }
}

TEST_F(StdCtrlsTest, AMemoLeavesTabEnterAndEscapeToTheForm) {
  auto *memo = Add<TMemo>(Form.get(), "Memo", {0, 0, 200, 100});
  auto *edit = Add<TEdit>(Form.get(), "Edit", {0, 110, 100, 20});
  const LRESULT memoCode = ::SendMessageW(memo->Handle(), WM_GETDLGCODE, 0, 0);
  EXPECT_EQ(memoCode & (DLGC_WANTTAB | DLGC_WANTALLKEYS), 0);
  EXPECT_NE(memoCode & DLGC_WANTCHARS, 0);
  // The native multi-line edit would have wanted them.
  WNDCLASSW native{};
  ASSERT_TRUE(::GetClassInfoW(nullptr, L"EDIT", &native));
  EXPECT_NE(::CallWindowProcW(native.lpfnWndProc, memo->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, 0);
  EXPECT_NE(::SendMessageW(edit->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS, 0);
}

TEST_F(StdCtrlsTest, AMemoMadeWithALongTextShowsAllOfIt) {
  auto *memo = Add<TMemo>(Form.get(), "Memo", {0, 0, 200, 100});
  AnsiString text;
  for (int i = 0; i < 400; ++i) text += "Line " + std::to_string(i) + "\r\n";
  memo->SetCaption(text);
  memo->HandleNeeded();
  EXPECT_EQ(memo->Lines()->Count(), 400);
  EXPECT_EQ(memo->Caption(), text);
}

// --- Drop-down list --------------------------------------------------------

TEST_F(StdCtrlsTest, ListItemsLiveInTheWindowAndSurviveItsRecreation) {
  auto *combo = Add<TComboBox>(Form.get(), "Combo", {0, 0, 150, 25});
  TComponentPtr<TComponent> first(new TComponent(nullptr)), second(new TComponent(nullptr));
  EXPECT_FALSE(combo->HandleAllocated());
  EXPECT_EQ(combo->Items()->AddObject("Deutsch", first.get()), 0);
  EXPECT_TRUE(combo->HandleAllocated());  // adding made the window
  EXPECT_EQ(combo->Items()->AddObject("English", second.get()), 1);
  combo->Items()->Add("Français");
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->ItemIndex(), 1);

  combo->Perform(TKM_RECREATEWND, 0, 0);
  EXPECT_FALSE(combo->HandleAllocated());
  EXPECT_EQ(combo->Items()->Count(), 3);
  const char *names[] = {"Deutsch", "English", "Français"};
  TObject *objects[] = {first.get(), second.get(), nullptr};
  for (int32_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(combo->Items()->Get(i), names[i]);
    EXPECT_EQ(combo->Items()->Objects(i), objects[i]);
  }
  // Only additions change the list.
  combo->Items()->Delete(0);
  combo->Items()->Clear();
  EXPECT_EQ(combo->Items()->Count(), 3);
}

TEST_F(StdCtrlsTest, ChoosingAListItemRaisesTheClickHandlingThenOnChangeOnce) {
  auto *combo = Add<TComboBox>(Form.get(), "Combo", {10, 10, 150, 25});
  for (const char *item : {"one", "two", "three"}) combo->Items()->Add(item);
  combo->SetItemIndex(0);
  combo->OnClick = Events.OnClick();
  combo->OnChange = Events.OnChange();
  Form->SetVisible(true);
  Pump();
  Journal.clear();
  ::SendMessageW(combo->Handle(), WM_KEYDOWN, VK_DOWN, 1);
  Pump();
  EXPECT_EQ(Journal, (TJournal{"Combo click", "Form changed Combo", "Combo change"}));
  EXPECT_EQ(combo->ItemIndex(), 1);
  // Setting the index by code is no choice.
  Journal.clear();
  combo->SetItemIndex(2);
  Pump();
  EXPECT_EQ(Journal, TJournal{});
}

TEST_F(StdCtrlsTest, AnOpenListShowsEveryItemKeepsEnterAndEscapeAndClosesOnAnotherControlsPress) {
  auto *combo = Add<TComboBox>(Form.get(), "Combo", {10, 10, 150, 25});
  auto *edit = Add<TEdit>(Form.get(), "Edit", {10, 60, 150, 25});
  for (int i = 0; i < 12; ++i) combo->Items()->Add("Item " + std::to_string(i));
  Form->SetVisible(true);
  Pump();
  ::SetFocus(combo->Handle());
  Pump();
  ASSERT_EQ(::GetFocus(), combo->Handle());
  const auto wantsAllKeys = [&] { return (::SendMessageW(combo->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS) != 0; };
  EXPECT_FALSE(wantsAllKeys());

  combo->SetDroppedDown(true);
  Pump();
  ASSERT_TRUE(combo->DroppedDown());
  EXPECT_TRUE(wantsAllKeys());
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(::GetComboBoxInfo(combo->Handle(), &info));
  RECT list{};
  ::GetClientRect(info.hwndList, &list);
  const LRESULT itemHeight = ::SendMessageW(combo->Handle(), CB_GETITEMHEIGHT, 0, 0);
  EXPECT_GE(list.bottom, itemHeight * 12);
  // The combo box itself keeps its one-line height.
  EXPECT_LT(combo->Height(), 40);

  // Its own press leaves it open; another control's closes it.
  combo->Perform(TKM_CANCELMODE, 0, ToParam(combo));
  EXPECT_TRUE(combo->DroppedDown());
  combo->Perform(TKM_CANCELMODE, 0, ToParam(edit));
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_FALSE(wantsAllKeys());
}

// --- Push buttons ----------------------------------------------------------

class ButtonsTest : public StdCtrlsTest {
protected:
  void SetUp() override {
    StdCtrlsTest::SetUp();
    Edit = Add<TEdit>(Form.get(), "Edit", {10, 10, 100, 25});
    OK = Add<TButton>(Form.get(), "OK", {10, 50, 80, 25});
    OK->SetCaption("&OK");
    OK->SetDefault(true);
    OK->ModalResult = 1;
    CancelButton = Add<TButton>(Form.get(), "Cancel", {100, 50, 80, 25});
    CancelButton->SetCaption("Cancel");
    CancelButton->Cancel = true;
    Other = Add<TButton>(Form.get(), "Other", {190, 50, 80, 25});
    Other->SetCaption("&Details");
    Check = Add<TCheckBox>(Form.get(), "Check", {10, 90, 150, 17});
    Check->SetCaption("I &agree");
    for (TButton *button : {OK, CancelButton, Other}) button->OnClick = Events.OnClick();
    Check->OnClick = Events.OnClick();
    Form->HandleNeeded();
    for (TWinControl *control : {static_cast<TWinControl *>(Edit), static_cast<TWinControl *>(Check)})
      control->HandleNeeded();
    for (TButton *button : {OK, CancelButton, Other}) button->HandleNeeded();
    // Only a control that can take the focus is pressed by its key.
    Form->SetVisible(true);
    Pump();
  }
  void TearDown() override { SetShift(false, false); }

  // What the form's default handling does with the focus change and the keys.
  void FocusMovesTo(TWinControl *control) {
    TMsgRecord message{TKM_FOCUSCHANGED, 0, ToParam(control), 0};
    Form->Broadcast(message);
  }
  int32_t DialogKey(uint32_t msg, int32_t key, int32_t keyData) {
    TMsgRecord message{msg, key, keyData, 0};
    Form->Broadcast(message);
    return message.Result;
  }
  static void SetShift(bool shift, bool ctrl) {
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    ::SetKeyboardState(keys);
  }
  TWinControl *Named(const std::string &name) {
    for (TWinControl *control : Form->WinControls())
      if (control->Name() == name) return control;
    return nullptr;
  }
  TButton *Framed() {
    TButton *framed = nullptr;
    for (TButton *button : {OK, CancelButton, Other})
      if ((StyleOf(button) & 0x0F) == BS_DEFPUSHBUTTON) {
        EXPECT_EQ(framed, nullptr) << "two framed buttons";
        framed = button;
      }
    return framed;
  }

  TEdit *Edit = nullptr;
  TButton *OK = nullptr;
  TButton *CancelButton = nullptr;
  TButton *Other = nullptr;
  TCheckBox *Check = nullptr;
};

TEST_F(ButtonsTest, EnterPressesTheFocusedPushButtonElseTheDefaultAndEscapeTheCancelButton) {
  enum Mod { None, Shift, Ctrl, Alt };
  struct Case {
    const char *focus;
    int32_t key;
    Mod mod;
    const char *pressed;  // "" for none
    const char *framed;
  } cases[] = {
      {"Edit", VK_RETURN, None, "OK", "OK"},        {"Other", VK_RETURN, None, "Other", "Other"},
      {"OK", VK_RETURN, None, "OK", "OK"},          {"Cancel", VK_RETURN, None, "Cancel", "Cancel"},
      {"Check", VK_RETURN, None, "OK", "OK"},       {"Edit", VK_ESCAPE, None, "Cancel", "OK"},
      {"Other", VK_ESCAPE, None, "Cancel", "Other"}, {"Edit", VK_RETURN, Shift, "", "OK"},
      {"Edit", VK_RETURN, Ctrl, "", "OK"},          {"Edit", VK_RETURN, Alt, "", "OK"},
      {"Edit", VK_ESCAPE, Shift, "", "OK"},         {"Edit", 'A', None, "", "OK"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.focus) + " key " + std::to_string(c.key) + " mod " + std::to_string(c.mod));
    FocusMovesTo(Named(c.focus));
    TButton *framed = Framed();
    EXPECT_EQ(framed != nullptr ? framed->Name() : "", c.framed);
    SetShift(c.mod == Shift, c.mod == Ctrl);
    Journal.clear();
    const int32_t result = DialogKey(TKM_DIALOGKEY, c.key, c.mod == Alt ? 0x20000000 : 0);
    SetShift(false, false);
    const bool pressed = *c.pressed != 0;
    EXPECT_EQ(Journal, pressed ? TJournal{std::string(c.pressed) + " click"} : TJournal{});
    EXPECT_EQ(result != 0, pressed);
  }
}

TEST_F(ButtonsTest, AClickGivesTheFormTheButtonsModalResult) {
  Form->SetModalResult(0);
  ::SendMessageW(Form->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(OK->Handle()));
  EXPECT_EQ(Form->ModalResult(), 1);
  EXPECT_EQ(Journal, TJournal{"OK click"});
}

TEST_F(ButtonsTest, ADisabledOrHiddenButtonIsNotPressedByItsKey) {
  OK->SetEnabled(false);
  CancelButton->SetVisible(false);
  FocusMovesTo(Edit);
  EXPECT_EQ(DialogKey(TKM_DIALOGKEY, VK_RETURN, 0), 0);
  EXPECT_EQ(DialogKey(TKM_DIALOGKEY, VK_ESCAPE, 0), 0);
  EXPECT_EQ(Journal, TJournal{});
}

TEST_F(ButtonsTest, TheDefaultFrameMovesWhenDefaultIsSetByCode) {
  FocusMovesTo(Edit);
  Other->SetDefault(true);
  OK->SetDefault(false);
  EXPECT_EQ(Framed(), Other);
  EXPECT_TRUE(Other->Active());
  EXPECT_FALSE(OK->Active());
}

TEST_F(ButtonsTest, AMnemonicPressesItsButtonAndFocusesAndTogglesItsCheckBox) {
  struct Case {
    wchar_t key;
    const char *seen;  // "" for none
    bool checked;
  } cases[] = {{L'o', "OK click", false}, {L'D', "Other click", false}, {L'a', "Check click", true},
               {L'A', "Check click", false}, {L'x', "", false}};
  for (const Case &c : cases) {
    SCOPED_TRACE(static_cast<char>(c.key));
    Journal.clear();
    const int32_t result = DialogKey(TKM_DIALOGCHAR, c.key, 0);
    const bool handled = *c.seen != 0;
    EXPECT_EQ(result != 0, handled);
    TJournal expected;
    if (c.key == L'a' || c.key == L'A') expected.push_back("Form changed Check");
    if (handled) expected.push_back(c.seen);
    EXPECT_EQ(Journal, expected);
    EXPECT_EQ(Check->Checked(), c.checked);
  }
  EXPECT_EQ(::GetFocus(), Check->Handle());
}

TEST_F(ButtonsTest, APressOnAnUnfocusedButtonFocusesItAndClicksOnce) {
  ::SetFocus(Edit->Handle());
  Pump();
  struct Case {
    TButtonControl *control;
    TJournal seen;
  } cases[] = {{Other, {"Other click"}}, {Check, {"Form changed Check", "Check click"}}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.control->Name());
    Journal.clear();
    ::SendMessageW(c.control->Handle(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(Journal, c.seen);
    EXPECT_EQ(::GetFocus(), c.control->Handle());
  }
  EXPECT_TRUE(Check->Checked());
  EXPECT_EQ(::SendMessageW(Check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

// --- Check box -------------------------------------------------------------

TEST_F(ButtonsTest, CheckedSetToItsValueDoesNothingAndAChangeClicksEvenFromCode) {
  TSpy spy(Check, &Journal, {{BM_SETCHECK, "setcheck"}});
  struct Case {
    bool value;
    TJournal seen;
  } cases[] = {
      {false, {}},
      {true, {"Check setcheck", "Form changed Check", "Check click"}},
      {true, {}},
      {false, {"Check setcheck", "Form changed Check", "Check click"}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.value);
    Journal.clear();
    Check->SetChecked(c.value);
    EXPECT_EQ(Journal, c.seen);
    EXPECT_EQ(Check->Checked(), c.value);
    EXPECT_EQ(::SendMessageW(Check->Handle(), BM_GETCHECK, 0, 0), c.value ? BST_CHECKED : BST_UNCHECKED);
  }
  Journal.clear();
  Check->Toggle();
  EXPECT_TRUE(Check->Checked());
  EXPECT_EQ(Journal, (TJournal{"Check setcheck", "Form changed Check", "Check click"}));
}

TEST_F(StdCtrlsTest, AStateSetBeforeTheWindowIsPushedIntoIt) {
  auto *check = Add<TCheckBox>(Form.get(), "Check", {0, 0, 100, 17});
  EXPECT_EQ(check->Height(), 17);
  check->OnClick = Events.OnClick();
  check->SetChecked(true);
  EXPECT_EQ(Journal, (TJournal{"Form changed Check", "Check click"}));
  EXPECT_FALSE(check->HandleAllocated());
  EXPECT_EQ(::SendMessageW(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  // And again after a re-creation.
  check->Perform(TKM_RECREATEWND, 0, 0);
  EXPECT_EQ(::SendMessageW(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

// --- Themed backgrounds ----------------------------------------------------

TEST_F(StdCtrlsTest, ButtonsAndLabelsStandOnTheThemedParentBackgroundOrTakeTheirColours) {
  auto *button = Add<TButton>(Form.get(), "Button", {0, 0, 80, 25});
  auto *check = Add<TCheckBox>(Form.get(), "Check", {0, 30, 100, 17});
  auto *label = Add<TLabel>(Form.get(), "Label", {0, 60, 100, 17});
  auto *edit = Add<TEdit>(Form.get(), "Edit", {0, 90, 100, 25});
  const bool themed = ThemeServices().ThemesEnabled();
  const HGDIOBJ hollow = ::GetStockObject(NULL_BRUSH);
  struct Case {
    TWinControl *control;
    UINT msg;
    bool hollowWhenThemed;
  } cases[] = {{button, WM_CTLCOLORBTN, true},
               {check, WM_CTLCOLORSTATIC, true},
               {label, WM_CTLCOLORSTATIC, true},
               {edit, WM_CTLCOLORSTATIC, false}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.control->Name());
    TPixels pixels(10, 10);
    const auto brush = reinterpret_cast<HGDIOBJ>(
        ::SendMessageW(Form->Handle(), c.msg, reinterpret_cast<WPARAM>(pixels.DC()),
                       reinterpret_cast<LPARAM>(c.control->Handle())));
    if (themed && c.hollowWhenThemed)
      EXPECT_EQ(brush, hollow);
    else
      EXPECT_EQ(brush, c.control->Brush()->Handle());
  }
  // The check box erases nothing when themed.
  TPixels pixels(100, 17);
  EXPECT_EQ(::SendMessageW(check->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(pixels.DC()), 0), 1);
  EXPECT_EQ(pixels.At(50, 8), themed ? White : ColorToRGB(check->Brush()->Color()));
}

// --- Label -----------------------------------------------------------------

SIZE ExtentOf(const AnsiString &text, TFont *font) {
  const WideString wide = UTF8Decode(text);
  const HDC dc = ::GetDC(nullptr);
  const HGDIOBJ old = ::SelectObject(dc, font->Handle());
  SIZE extent{};
  ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
  ::SelectObject(dc, old);
  ::ReleaseDC(nullptr, dc);
  return extent;
}

TEST_F(StdCtrlsTest, ALabelTakesItsTextsExtentPlusAQuarterOfItsHeightBothWays) {
  auto *label = Add<TLabel>(Form.get(), "Label", {20, 30, 5, 5});
  struct Case {
    const char *caption;
    int32_t fontHeight;
    bool window;
  } cases[] = {{"Select the setup language:", -11, false},
               {"Wählen Sie die Sprache", 16, true},
               {"W", 13, true},
               {"A longer line of text for the label", -24, true}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.caption);
    if (!c.window) Form->DestroyHandle();
    label->Font()->SetHeight(c.fontHeight);
    label->SetCaption(c.caption);
    if (c.window) label->HandleNeeded();
    const SIZE extent = ExtentOf(c.caption, label->Font());
    EXPECT_EQ(label->Width(), extent.cx + extent.cy / 4);
    EXPECT_EQ(label->Height(), extent.cy + extent.cy / 4);
    EXPECT_EQ(label->Left(), 20);
    EXPECT_EQ(label->Top(), 30);
  }
  // A text 16 pixels high gets 4 more in both directions.
  label->Font()->SetHeight(16);
  const SIZE sixteen = ExtentOf(label->Caption(), label->Font());
  ASSERT_EQ(sixteen.cy, 16);
  EXPECT_EQ(label->Height(), 20);
  EXPECT_EQ(label->Width(), sixteen.cx + 4);

  // Without AutoSize the bounds stay; switching it on fits them again.
  label->SetAutoSize(false);
  label->SetCaption("x");
  EXPECT_EQ(label->Height(), 20);
  EXPECT_EQ(label->Width(), sixteen.cx + 4);
  label->SetAutoSize(true);
  const SIZE x = ExtentOf("x", label->Font());
  EXPECT_EQ(label->Width(), x.cx + x.cy / 4);
}

// Themed or not, the text is drawn in the font's colour: the wizard's title
// is navy and bold.
TEST_F(StdCtrlsTest, ALabelDrawsItsTextInItsFontsColour) {
  struct Case {
    TColor colour;
    TFontStyles style;
  } cases[] = {{clNavy, fsBold}, {0x008000, 0}};
  Form->SetVisible(true);
  for (const Case &c : cases) {
    SCOPED_TRACE(c.colour);
    auto *label = Add<TLabel>(Form.get(), "Label", {10, 10, 0, 0});
    label->Font()->SetColor(c.colour);
    label->Font()->SetStyle(c.style);
    label->SetCaption("Welcome to the Lorvane setup");
    const TWindowShot shot = TakeWindowShot(label->Handle());
    ASSERT_GT(shot.Width, 0);
    int inColour = 0, black = 0;
    for (int y = 0; y < shot.Height; ++y)
      for (int x = 0; x < shot.Width; ++x) {
        inColour += shot.At(x, y) == ColorToRGB(c.colour);
        black += shot.At(x, y) == RGB(0, 0, 0);
      }
    EXPECT_GT(inColour, 20);
    EXPECT_EQ(black, 0);
    label->Free();
  }
}

}  // namespace
