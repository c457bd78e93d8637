// A form with one of every control kind, read from its description: shown
// for a person to look at (themed or not, at the screen's DPI) in shots that
// wait for every control, with check boxes tall enough for their captions,
// and used with the keyboard alone.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "WindowTesting.h"
#include "support/WindowShot.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/Themes.h"

namespace {

class TGalleryForm : public TForm {
  LV_CLASS(TGalleryForm, TForm)

public:
  explicit TGalleryForm(TComponent *AOwner) : TForm(AOwner) {
    ReadDescription();
    // The title as the wizard shows its own; a description carries no fonts.
    TopLbl->Font()->SetColor(clNavy);
    TopLbl->Font()->SetStyle(fsBold);
    NameEdt->SetCaption("Zoë Ångström");
    NotesMemo->Lines()->SetText("A memo of two lines,\r\nthe second one here.");
    for (const char *language : {"Deutsch", "English", "Español", "Français", "Polski", "日本語"})
      LangBx->Items()->Add(language);
    LangBx->SetItemIndex(1);
    Picture.SetSize(64, 96);
    // A top-to-bottom blue ramp, so stretching shows.
    for (int y = 0; y < 96; ++y) {
      Picture.Canvas()->Brush()->SetColor(static_cast<TColor>(RGB(0, 64 + y, 128 + y)));
      Picture.Canvas()->FillRect({0, y, 64, y + 1});
    }
    Img->SetPicture(&Picture);
  }

  TPanel *TopPan = nullptr;
  TLabel *TopLbl = nullptr;
  TImage *Img = nullptr;
  TEdit *NameEdt = nullptr;
  TComboBox *LangBx = nullptr;
  TMemo *NotesMemo = nullptr;
  TCheckBox *AgreeChk = nullptr;
  TButton *BackBtn = nullptr;
  TButton *OkBtn = nullptr;
  TButton *CancelBtn = nullptr;
  std::vector<std::string> Events;

  void LangChg(TObject *) { Events.push_back("change " + std::to_string(LangBx->ItemIndex())); }
  void BackClk(TObject *) { Events.push_back("back"); }
  void OkClk(TObject *) { Events.push_back("ok"); }
  void CancelClk(TObject *) { Events.push_back("cancel"); }

private:
  TBitmap Picture;
};

LV_PUBLISH(TGalleryForm) {
  static const TFieldInfo fields[] = {
      Field<&TGalleryForm::TopPan>("TopPan"),       Field<&TGalleryForm::TopLbl>("TopLbl"),
      Field<&TGalleryForm::Img>("Img"),             Field<&TGalleryForm::NameEdt>("NameEdt"),
      Field<&TGalleryForm::LangBx>("LangBx"),       Field<&TGalleryForm::NotesMemo>("NotesMemo"),
      Field<&TGalleryForm::AgreeChk>("AgreeChk"),   Field<&TGalleryForm::BackBtn>("BackBtn"),
      Field<&TGalleryForm::OkBtn>("OkBtn"),         Field<&TGalleryForm::CancelBtn>("CancelBtn"),
  };
  static const TMethodInfo methods[] = {
      Method<&TGalleryForm::LangChg>("LangChg"),
      Method<&TGalleryForm::BackClk>("BackClk"),
      Method<&TGalleryForm::OkClk>("OkClk"),
      Method<&TGalleryForm::CancelClk>("CancelClk"),
  };
  return {.Fields = fields, .Methods = methods};
}

// A key pressed and released on the focused window, as the keyboard would
// deliver it; with Alt it comes as a system key.
void Press(WPARAM key, bool alt = false) {
  const HWND focus = ::GetFocus();
  const LPARAM data = alt ? 0x20000001 : 1;
  ::PostMessageW(focus, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, data);
  ::PostMessageW(focus, alt ? WM_SYSKEYUP : WM_KEYUP, key, data | static_cast<LPARAM>(0xC0000000));
  Pump();
}

bool RegisterControls() {
  RegisterStdControls();
  RegisterExtControls();
  return true;
}

class GalleryTest : public testing::Test {
protected:
  // The reader must know the classes before the form is read.
  const bool Registered = RegisterControls();
  TComponentPtr<TGalleryForm> Form{new TGalleryForm(nullptr)};
};

TEST_F(GalleryTest, EveryControlKindShows) {
  Form->SetVisible(true);
  ::RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  Pump();
  for (TWinControl *c : std::initializer_list<TWinControl *>{Form->NameEdt, Form->LangBx, Form->NotesMemo,
                                                              Form->AgreeChk, Form->OkBtn, Form->TopLbl})
    EXPECT_TRUE(c->HandleAllocated() && ::IsWindowVisible(c->Handle())) << c->Name();
  const std::wstring name = L"gallery-" + std::to_wstring(ScreenPixelsPerInch()) + L"dpi-" +
                            (ThemeServices().ThemesEnabled() ? L"themed" : L"unthemed") + L".bmp";
  if (const std::wstring shot = ShotPath(name); !shot.empty()) {
    EXPECT_TRUE(SaveWindowShot(Form->Handle(), shot));
  }
}

// A point of a control, in the shot of its form's window.
POINT InShot(HWND form, TControl *control, int x, int y) {
  POINT point{control->Left() + x, control->Top() + y};
  ::ClientToScreen(control->Parent()->Handle(), &point);
  RECT window;
  ::GetWindowRect(form, &window);
  return {point.x - window.left, point.y - window.top};
}

// The colour an image shows at (x, y): its picture resampled to its size.
COLORREF ShownBy(TImage *image, int x, int y) {
  TBitmap shown;
  shown.SetPixelFormat(pf24Bit);
  shown.SetSize(image->Width(), image->Height());
  Resample(ObjectAs<TBitmap>(image->Picture()), &shown, true);
  const auto *pixel = static_cast<const uint8_t *>(shown.ScanLine(y)) + 3 * x;
  return RGB(pixel[2], pixel[1], pixel[0]);
}

// Taken at once after the form is shown, before anyone pumps a message, the
// shot still has every control painted.
TEST_F(GalleryTest, AShotWaitsForEveryControlToPaint) {
  Form->SetVisible(true);
  const HWND form = Form->Handle();
  TImage *img = Form->Img;
  struct Case {
    TControl *control;
    int x, y;
    COLORREF colour;
  } cases[] = {
      {img, img->Width() / 2, img->Height() / 2, ShownBy(img, img->Width() / 2, img->Height() / 2)},
      {Form->NameEdt, Form->NameEdt->Width() - 6, Form->NameEdt->Height() / 2, ColorToRGB(clWindow)},
      // Past its caption the check box shows the form's face.
      {Form->AgreeChk, Form->AgreeChk->Width() - 4, Form->AgreeChk->Height() / 2, ColorToRGB(clBtnFace)},
  };
  const TWindowShot shot = TakeWindowShot(form);
  ASSERT_GT(shot.Width, 0);
  for (const Case &c : cases) {
    SCOPED_TRACE(c.control->Name());
    const POINT at = InShot(form, c.control, c.x, c.y);
    EXPECT_EQ(shot.At(at.x, at.y), c.colour);
  }
}

// Rows of a window that carry ink: a pixel as dark as text.
int InkRows(HWND window) {
  const TWindowShot shot = TakeWindowShot(window);
  int rows = 0;
  for (int y = 0; y < shot.Height; ++y) {
    bool ink = false;
    for (int x = 0; x < shot.Width && !ink; ++x) {
      const COLORREF c = shot.At(x, y);
      ink = GetRValue(c) < 96 && GetGValue(c) < 96 && GetBValue(c) < 96;
    }
    rows += ink;
  }
  return rows;
}

int TextHeightOf(TFont *font) {
  const HDC dc = ::GetDC(nullptr);
  const HGDIOBJ old = ::SelectObject(dc, font->Handle());
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  ::SelectObject(dc, old);
  ::ReleaseDC(nullptr, dc);
  return metrics.tmHeight;
}

// At the screen's DPI, a check box from the description and one made in code
// hold a line of their font with its focus frame, and show their box and
// caption whole: as many rows carry ink as when the box is three times as
// tall.
TEST_F(GalleryTest, ACheckBoxIsTallEnoughForItsCaption) {
  auto *made = new TCheckBox(Form.get());
  made->SetName("MadeChk");
  made->SetParent(Form.get());
  // Both below everything else, each with room to grow and nothing else in
  // its way.
  int top = Form->ClientHeight() + 4;
  for (TCheckBox *check : {Form->AgreeChk, made}) {
    check->SetCaption("Ägypten, Quay");
    check->SetBounds(Form->AgreeChk->Left(), top, Form->AgreeChk->Width(), check->Height());
    top += 3 * check->Height() + 4;
  }
  Form->SetClientHeight(top);
  Form->SetVisible(true);
  for (TCheckBox *check : {Form->AgreeChk, made}) {
    SCOPED_TRACE(check->Name());
    RECT client;
    ::GetClientRect(check->Handle(), &client);
    EXPECT_GE(client.bottom, TextHeightOf(check->Font()) + 2);
    const int height = check->Height();
    const int shown = InkRows(check->Handle());
    check->SetHeight(3 * height);
    EXPECT_EQ(shown, InkRows(check->Handle()));
    check->SetHeight(height);
  }
}

TEST_F(GalleryTest, TabReachesEveryControlInOrderAndWraps) {
  Form->SetVisible(true);
  Pump();
  const std::vector<TWinControl *> order{Form->NameEdt, Form->LangBx,  Form->NotesMemo, Form->AgreeChk,
                                         Form->BackBtn, Form->OkBtn, Form->CancelBtn};
  EXPECT_EQ(Form->ActiveControl(), order[0]);
  for (size_t i = 1; i <= order.size(); ++i) {
    Press(VK_TAB);
    TWinControl *expected = order[i % order.size()];
    EXPECT_EQ(Form->ActiveControl(), expected) << "after Tab " << i;
    EXPECT_EQ(::GetFocus(), expected->Handle()) << "after Tab " << i;
  }
}

TEST_F(GalleryTest, AMnemonicFocusesAndTogglesTheCheckBoxAndClicksAButton) {
  Form->SetVisible(true);
  Pump();
  ASSERT_TRUE(Form->AgreeChk->Checked());
  Press('A', true);
  EXPECT_EQ(::GetFocus(), Form->AgreeChk->Handle());
  EXPECT_FALSE(Form->AgreeChk->Checked());
  Press('B', true);
  EXPECT_EQ(Form->Events, std::vector<std::string>{"back"});
}

TEST_F(GalleryTest, SpaceTogglesTheCheckBoxAndTheArrowsMoveInTheComboBox) {
  Form->SetVisible(true);
  Pump();
  Form->AgreeChk->SetFocus();
  Press(VK_SPACE);
  EXPECT_FALSE(Form->AgreeChk->Checked());
  Press(VK_SPACE);
  EXPECT_TRUE(Form->AgreeChk->Checked());

  Form->LangBx->SetFocus();
  Form->Events.clear();
  Press(VK_DOWN);
  EXPECT_EQ(Form->LangBx->ItemIndex(), 2);
  Press(VK_UP);
  Press(VK_UP);
  EXPECT_EQ(Form->LangBx->ItemIndex(), 0);
  EXPECT_EQ(Form->Events, (std::vector<std::string>{"change 2", "change 1", "change 0"}));
}

TEST_F(GalleryTest, EnterPressesTheDefaultButtonAndEscapeTheCancelButton) {
  Form->SetVisible(true);
  Pump();
  Form->NameEdt->SetFocus();
  Press(VK_RETURN);
  Press(VK_ESCAPE);
  EXPECT_EQ(Form->Events, (std::vector<std::string>{"ok", "cancel"}));
}

}  // namespace
