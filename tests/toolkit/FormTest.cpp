// Forms built from their descriptions: the modal loop and how it ends, the
// close query, the application window, focus walking, and text-height
// scaling at the screen's DPI.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "Probes.h"
#include "WindowTesting.h"
#include "support/MessageBoxDriver.h"
#include "support/WindowShot.h"

namespace {

// Posted to a form: record where it stands, then end the loop with WParam
// unless it is 0.
constexpr UINT RecordMessage = WM_APP;
constexpr UINT ThrowMessage = WM_APP + 1;
constexpr UINT AbortMessage = WM_APP + 2;

class TModalForm : public TForm {
  LV_CLASS(TModalForm, TForm)

public:
  explicit TModalForm(TComponent *AOwner) : TForm(AOwner) { ReadDescription(); }

  TProbeButton *OkBtn = nullptr;
  TProbeButton *CancelBtn = nullptr;
  // Answers of the close query, in turn; true once they run out.
  std::vector<bool> CloseAnswers;
  int Queries = 0;
  RECT Seen{};
  bool SeenVisible = false;

  void Dispatch(TMsgRecord &Message) override {
    switch (Message.Msg) {
      case RecordMessage:
        ::GetWindowRect(Handle(), &Seen);
        SeenVisible = ::IsWindowVisible(Handle());
        // The shot is of the plain form, before any box covers it.
        if (const std::wstring shot = ShotPath(L"modal-form.bmp"); !shot.empty() && Message.WParam == 0) {
          SaveWindowShot(Handle(), shot);
        }
        if (Message.WParam != 0) SetModalResult(Message.WParam);
        break;
      case ThrowMessage:
        throw Exception("a handler failed");
      case AbortMessage:
        throw EAbort();
      default:
        inherited::Dispatch(Message);
    }
  }

  void FormCloseQuery(TObject *Sender, bool &CanClose) {
    EXPECT_EQ(Sender, this);
    CanClose = Queries < static_cast<int>(CloseAnswers.size()) ? CloseAnswers[Queries] : true;
    ++Queries;
  }
};

LV_PUBLISH(TModalForm) {
  static const TFieldInfo fields[] = {
      Field<&TModalForm::OkBtn>("OkBtn"),
      Field<&TModalForm::CancelBtn>("CancelBtn"),
  };
  static const TMethodInfo methods[] = {Method<&TModalForm::FormCloseQuery>("FormCloseQuery")};
  return {.Fields = fields, .Methods = methods};
}

class TLayoutForm : public TForm {
  LV_CLASS(TLayoutForm, TForm)

public:
  explicit TLayoutForm(TComponent *AOwner) : TForm(AOwner) { ReadDescription(); }
  TProbePanel *Pan = nullptr;
  TProbeWin *Inner = nullptr;
  TProbeGraphic *Mark = nullptr;
  TProbeWin *Loose = nullptr;
};

LV_PUBLISH(TLayoutForm) {
  static const TFieldInfo fields[] = {
      Field<&TLayoutForm::Pan>("Pan"),
      Field<&TLayoutForm::Inner>("Inner"),
      Field<&TLayoutForm::Mark>("Mark"),
      Field<&TLayoutForm::Loose>("Loose"),
  };
  return {.Fields = fields};
}

void Post(HWND window, UINT msg, WPARAM wParam = 0) { ::PostMessageW(window, msg, wParam, 0); }

class FormTest : public testing::Test {
protected:
  FormTest() { RegisterProbes(); }
};

TEST_F(FormTest, AFormFromItsDescriptionShowsCentredAndItsButtonEndsTheModalLoop) {
  TComponentPtr<TModalForm> form{new TModalForm(nullptr)};
  ASSERT_NE(form->OkBtn, nullptr);
  EXPECT_EQ(form->OkBtn->Caption(), "OK");
  // Queued now, handled by the modal loop once the form is up.
  const HWND window = form->Handle();
  Post(window, RecordMessage);
  Post(form->OkBtn->Handle(), BM_CLICK);

  EXPECT_EQ(form->ShowModal(), 1);
  EXPECT_EQ(form->ModalResult(), 1);
  EXPECT_TRUE(form->SeenVisible);
  const RECT &r = form->Seen;
  EXPECT_EQ(r.left, (::GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2);
  EXPECT_EQ(r.top, (::GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2);
  // Owned by the application window, with a caption and a close box only.
  EXPECT_EQ(::GetWindow(window, GW_OWNER), Application->Handle());
  const LONG style = ::GetWindowLongW(window, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
  EXPECT_EQ(style & (WS_CHILD | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
  // The loop hides the form when it ends.
  EXPECT_FALSE(::IsWindowVisible(window));
  EXPECT_EQ(form->Queries, 1);
}

TEST_F(FormTest, AltF4AsksTheCloseQueryLikeCancel) {
  TComponentPtr<TModalForm> form{new TModalForm(nullptr)};
  // Alt+F4 is refused; Cancel, pressed from the refusal, is let through.
  form->CloseAnswers = {false, true};
  struct TCancelOnRefusal : TObject {
    TModalForm *Form;
    void Query(TObject *Sender, bool &CanClose) {
      Form->FormCloseQuery(Sender, CanClose);
      if (!CanClose) Post(Form->CancelBtn->Handle(), BM_CLICK);
    }
  } cancel;
  cancel.Form = form.get();
  form->OnCloseQuery = TCloseQueryEvent(&cancel, &TCancelOnRefusal::Query);
  ::PostMessageW(form->Handle(), WM_SYSKEYDOWN, VK_F4, 0x20000001);  // Alt held
  EXPECT_EQ(form->ShowModal(), 2);
  EXPECT_EQ(form->Queries, 2);
}

TEST_F(FormTest, WMCloseToTheApplicationWindowDoesNotEndTheProgram) {
  TComponentPtr<TModalForm> form{new TModalForm(nullptr)};
  EXPECT_EQ(::SendMessageW(Application->Handle(), WM_CLOSE, 0, 0), 0);
  Post(Application->Handle(), WM_CLOSE);
  Post(form->Handle(), RecordMessage, 1);
  EXPECT_EQ(form->ShowModal(), 1);
  EXPECT_TRUE(::IsWindow(Application->Handle()));
  EXPECT_FALSE(Application->Terminated());
}

TEST_F(FormTest, AnExceptionInAHandlerShowsCriticalErrorAndTheLoopGoesOnAnAbortShowsNothing) {
  TComponentPtr<TModalForm> form{new TModalForm(nullptr)};
  TMessageBoxDriver driver({TBoxAnswer{IDOK}});
  Post(form->Handle(), AbortMessage);
  Post(form->Handle(), ThrowMessage);
  Post(form->Handle(), RecordMessage, 1);
  EXPECT_EQ(form->ShowModal(), 1);
  const auto &boxes = driver.Finish();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, L"Critical error");
  EXPECT_EQ(boxes[0].Caption, L"Error");
}

TEST_F(FormTest, TheFocusWalksOutOfTheOldControlAndIntoTheNewOne) {
  TJournal journal;  // outlives the form, whose controls write to it
  TComponentPtr<TLayoutForm> form{new TLayoutForm(nullptr)};
  const std::vector<uint32_t> watched{TKM_ENTER, TKM_EXIT};
  for (TProbeWin *c : {form->Inner, form->Loose}) c->Journal = &journal, c->Watched = watched;
  form->Pan->Journal = &journal;
  form->Pan->Watched = watched;
  form->SetVisible(true);
  // Activation puts the focus on the first tab stop.
  EXPECT_EQ(form->ActiveControl(), form->Inner);
  EXPECT_EQ(::GetFocus(), form->Inner->Handle());

  journal.clear();
  form->Loose->SetFocus();
  EXPECT_EQ(journal, (TJournal{"Inner exit", "Pan exit", "Loose enter"}));
  EXPECT_EQ(::GetFocus(), form->Loose->Handle());

  journal.clear();
  form->Inner->SetFocus();
  EXPECT_EQ(journal, (TJournal{"Loose exit", "Pan enter", "Inner enter"}));

  // Tab goes on to the next tab stop and wraps from the last to the first.
  form->Perform(TKM_DIALOGKEY, VK_TAB, 0);
  EXPECT_EQ(form->ActiveControl(), form->Loose);
  form->Perform(TKM_DIALOGKEY, VK_TAB, 0);
  EXPECT_EQ(form->ActiveControl(), form->Inner);
  form->SetVisible(false);
}

// The focus walk tells only controls that have a window. A form's focused
// control can lose its window while another program's window has the focus;
// the next walk out of it does not make it a new one just to say so.
TEST_F(FormTest, TheFocusWalkMakesNoWindowForALeavingControlWhoseWindowIsGone) {
  TJournal journal;
  TComponentPtr<TLayoutForm> form{new TLayoutForm(nullptr)};
  for (TProbeWin *c : {form->Inner, form->Loose}) c->Journal = &journal, c->Watched = {TKM_ENTER, TKM_EXIT};
  form->Pan->Journal = &journal;
  form->Pan->Watched = {TKM_ENTER, TKM_EXIT};
  form->SetVisible(true);
  form->Inner->SetFocus();
  ASSERT_EQ(::GetFocus(), form->Inner->Handle());
  const HWND other = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                       nullptr, nullptr);
  ::SetFocus(other);
  ASSERT_FALSE(form->Active());
  form->Pan->DestroyHandle();
  journal.clear();
  form->Loose->SetFocus();
  EXPECT_FALSE(form->Pan->HandleAllocated());
  EXPECT_FALSE(form->Inner->HandleAllocated());
  EXPECT_EQ(journal, TJournal{"Loose enter"});
  EXPECT_EQ(form->ActiveControl(), form->Loose);
  EXPECT_EQ(::GetFocus(), form->Loose->Handle());
  ::DestroyWindow(other);
  form->SetVisible(false);
}

// Sits in a control's WindowProc and throws at the first Msg.
class TThrowOnce : public TObject {
  LV_CLASS(TThrowOnce, TObject)

public:
  TThrowOnce(TControl *control, uint32_t msg) : FControl(control), FMsg(msg), FOld(control->WindowProc) {
    control->WindowProc = TWndMethod(this, &TThrowOnce::Hook);
  }
  ~TThrowOnce() override { FControl->WindowProc = FOld; }
  TThrowOnce(const TThrowOnce &) = delete;
  TThrowOnce &operator=(const TThrowOnce &) = delete;

private:
  void Hook(TMsgRecord &Message) {
    if (Message.Msg == FMsg && !FThrown) {
      FThrown = true;
      throw Exception("a focus handler failed");
    }
    FOld(Message);
  }
  TControl *FControl;
  uint32_t FMsg;
  TWndMethod FOld;
  bool FThrown = false;
};

LV_PUBLISH(TThrowOnce) { return {}; }

// A walk left by an exception, wherever it was raised, leaves the form able
// to move the focus into the same control again.
TEST_F(FormTest, AFocusWalkLeftByAnExceptionLeavesTheFormAbleToFocusAgain) {
  TJournal journal;
  TComponentPtr<TLayoutForm> form{new TLayoutForm(nullptr)};
  struct Case {
    const char *name;
    TControl *thrower;
    uint32_t msg;
  } cases[] = {
      {"the leaving control's exit", form->Inner, TKM_EXIT},
      {"the entering control's enter", form->Loose, TKM_ENTER},
      {"the form's focus change", form.get(), TKM_FOCUSCHANGED},
  };
  for (TProbeWin *c : {form->Inner, form->Loose}) c->Journal = &journal, c->Watched = {TKM_ENTER, TKM_EXIT};
  form->Pan->Journal = &journal;
  form->Pan->Watched = {TKM_ENTER, TKM_EXIT};
  form->SetVisible(true);
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    form->Inner->SetFocus();
    ASSERT_EQ(::GetFocus(), form->Inner->Handle());
    {
      TMessageBoxDriver driver({TBoxAnswer{IDOK}});
      const TThrowOnce failing(c.thrower, c.msg);
      form->Loose->SetFocus();
      EXPECT_EQ(driver.Finish().size(), 1u);
    }
    Pump();
    form->Inner->SetFocus();
    journal.clear();
    form->Loose->SetFocus();
    EXPECT_EQ(journal, (TJournal{"Inner exit", "Pan exit", "Loose enter"}));
    EXPECT_EQ(form->ActiveControl(), form->Loose);
    EXPECT_EQ(::GetFocus(), form->Loose->Handle());
  }
  form->SetVisible(false);
}

// What the form's scaling must give for a value of the description: the
// text height of this screen over the design's 13.
int32_t Scaled(int32_t value, int32_t textHeight) { return MulDiv(value, textHeight, 13); }

TEST_F(FormTest, PositionsSizesAndTheClientAreaGrowWithTheScreensTextHeight) {
  TComponentPtr<TLayoutForm> form{new TLayoutForm(nullptr)};
  if (const char *dpi = std::getenv("LV_EXPECT_DPI")) {
    EXPECT_EQ(ScreenPixelsPerInch(), std::atoi(dpi));
  }
  // Text drawn by the system is not stretched: the program says it is
  // DPI-aware.
  EXPECT_TRUE(::IsProcessDPIAware());
  form->Canvas()->SetFont(form->Font());
  const int32_t h = form->Canvas()->TextHeight("0");
  if (ScreenPixelsPerInch() == 96) {
    EXPECT_EQ(h, 13);
  } else {
    EXPECT_GT(h, 13);
  }
  RecordProperty("TextHeight", h);

  struct Case {
    TControl *control;
    RECT design;  // left, top, width, height
  } cases[] = {
      {form->Pan, {10, 20, 150, 100}},
      {form->Inner, {5, 6, 50, 20}},
      {form->Mark, {60, 6, 30, 30}},
      {form->Loose, {200, 150, 75, 25}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.control->Name());
    const RECT &d = c.design;
    EXPECT_EQ(c.control->Left(), Scaled(d.left, h));
    EXPECT_EQ(c.control->Top(), Scaled(d.top, h));
    EXPECT_EQ(c.control->Width(), Scaled(d.left + d.right, h) - Scaled(d.left, h));
    EXPECT_EQ(c.control->Height(), Scaled(d.top + d.bottom, h) - Scaled(d.top, h));
    EXPECT_EQ(c.control->ScalingFlags, 0);
  }
  EXPECT_EQ(form->ClientWidth(), Scaled(300, h));
  EXPECT_EQ(form->ClientHeight(), Scaled(200, h));

  form->SetVisible(true);
  // The real windows stand where the fields say.
  RECT inner;
  ::GetWindowRect(form->Inner->Handle(), &inner);
  ::MapWindowPoints(nullptr, form->Pan->Handle(), reinterpret_cast<POINT *>(&inner), 2);
  EXPECT_EQ(inner.left, form->Inner->Left());
  EXPECT_EQ(inner.right - inner.left, form->Inner->Width());
  if (const std::wstring shot = ShotPath(L"layout-form.bmp"); !shot.empty()) {
    SaveWindowShot(form->Handle(), shot);
  }
  form->SetVisible(false);
}

TEST_F(FormTest, IsAccelComparesTheCharacterAfterTheFirstAmpersandInUpperCase) {
  struct Case {
    const char *caption;
    wchar_t key;
    bool accel;
  } cases[] = {
      {"&Next", L'N', true},     {"&Next", L'n', true},    {"Ne&xt", L'X', true},   {"Next", L'N', false},
      {"Next&", L'N', false},    {"&&Next", L'&', true},   {"&Next", L'e', false},  {"&Über", L'ü', true},
      {"&über", L'Ü', true},     {"", L'N', false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.caption);
    EXPECT_EQ(IsAccel(c.key, c.caption), c.accel);
  }
}

TEST_F(FormTest, GetParentFormIsTheFormAtTheTopOrNil) {
  TComponentPtr<TLayoutForm> form{new TLayoutForm(nullptr)};
  EXPECT_EQ(GetParentForm(form->Inner), form.get());
  EXPECT_EQ(GetParentForm(form->Mark), form.get());
  EXPECT_EQ(GetParentForm(form.get()), form.get());
  form->Pan->SetParent(nullptr);
  EXPECT_EQ(GetParentForm(form->Inner), nullptr);
  form->Pan->SetParent(form.get());
}

}  // namespace
