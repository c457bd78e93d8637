// Forms: the application object with its hidden window, the form with its
// modal loop, and the services forms give their controls (focus, the parent
// form, keys, exceptions).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "streaming/Classes.h"
#include "toolkit/Controls.h"

// Counts focus changes; the focus logic and the modal loop see from it that
// the focus moved meanwhile.
extern int32_t FocusCount;

// The program as the window system sees it: a hidden window of size 0 that
// owns every form and stands for the program in the taskbar.
class TApplication : public TComponent {
  LV_CLASS(TApplication, TComponent)

public:
  explicit TApplication(TComponent *AOwner);

  HWND Handle() const { return FHandle; }
  // A WM_QUIT was taken from the queue.
  bool Terminated() const { return FTerminated; }
  // The program is the active one.
  bool Active() const { return FActive; }
  // The title of the taskbar button.
  void SetTitle(const AnsiString &value);
  // The big icon of the application window and of every form.
  HICON Icon() const { return FIcon; }
  void SetIcon(HICON value);

  // Takes one message from the queue and delivers it; false when there was
  // none. Keyboard messages are offered to their control first.
  bool ProcessMessage();
  // Top-most windows step back while the program is inactive or disabled,
  // and come back when it returns.
  void NormalizeTopMosts();
  void RestoreTopMosts();

  // Takes every exception a message handler raised but EAbort, in place of
  // the error box.
  TNotifyEvent OnException;

protected:
  void Destroy() override;

private:
  static LRESULT CALLBACK AppWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  void WndProc(TMsgRecord &Message);
  void Default(TMsgRecord &Message);

  HWND FHandle = nullptr;
  HICON FIcon = nullptr;
  std::vector<HWND> FTopMostList;
  int32_t FTopMostLevel = 0;
  bool FTerminated = false;
  bool FActive = true;
  // The windows disabled while the application window is; none is no list.
  std::unique_ptr<std::vector<HWND>> FTaskWindows;
};

// The one application object, between CreateApplication and FreeApplication.
extern TApplication *Application;
// The toolkit's start-up: the window property's atom, the theme service and
// the application object.
void CreateApplication();
void FreeApplication();

// Disables every visible, enabled window of this thread but Except, and
// lists them; EnableTaskWindows enables those still there again.
std::vector<HWND> DisableTaskWindows(HWND Except);
void EnableTaskWindows(const std::vector<HWND> &List);

// A form's modal result: none keeps the modal loop running.
constexpr int32_t mrNone = 0;
constexpr int32_t mrOk = 1;
constexpr int32_t mrCancel = 2;

// A form's state while it is made and shown.
using TFormState = uint8_t;
constexpr TFormState fsCreating = 0x01;  // its description is being read
constexpr TFormState fsVisible = 0x02;   // shown while reading: show afterwards
constexpr TFormState fsShowing = 0x04;   // its showing is changing

// A top-level window built from a form description, with text-height
// scaling, a modal loop and a close query.
//
// A form class reads its description at the start of its own constructor's
// body, with ReadDescription: only then do its published fields exist.
class TForm : public TWinControl {
  LV_CLASS(TForm, TWinControl)

public:
  explicit TForm(TComponent *AOwner);

  TWinControl *ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl *Control);
  // The form's window is the active window.
  bool Active() const { return FActive; }
  TControlCanvas *Canvas() const { return FCanvas.get(); }
  int32_t ModalResult() const { return FModalResult; }
  void SetModalResult(int32_t value) { FModalResult = value; }
  TCloseQueryEvent OnCloseQuery;

  // Shows the form and runs messages until ModalResult is not mrNone;
  // hides it.
  int32_t ShowModal();
  // Ends the modal loop as Cancel does (mrCancel).
  void Close();
  // Whether OnCloseQuery lets the form close.
  bool CloseQuery();

  void SetVisible(bool value) override;
  void SetParent(TWinControl *AParent) override;
  void SetFocus() override;
  void ReadState(TReader &Reader) override;
  // While reading only remembered, and scaled with the form.
  void SetClientWidth(int32_t value);
  void SetClientHeight(int32_t value);

  // Focus bookkeeping, for the controls of the form.
  // Makes Control the focused control, walking out of the old one and into
  // the new one; false when the walk was overtaken by another focus change.
  bool SetFocusedControl(TWinControl *Control);
  // Makes Control the active control and gives it the focus.
  void FocusControl(TWinControl *Control);
  // Forgets Control (and its children) as active and, when it is being
  // removed, as focused control.
  void DefocusControl(TWinControl *Control, bool Removing);
  // A mouse press on Pressed: the active control closes what it has open.
  void SendCancelMode(TControl *Pressed);

  void Dispatch(TMsgRecord &Message) override;

protected:
  // Reads the descriptions of the form's classes, the most basic first; a
  // show asked for meanwhile happens afterwards.
  void ReadDescription();
  void CreateParams(TCreateParams &Params) override;
  void CreateWnd() override;

private:
  // The window focus goes to the active control, or to the form.
  void SetWindowFocus();
  void WMActivate(TMsgRecord &Message);
  void WMSetFocus(TMsgRecord &Message);
  void TKMDialogKey(TMsgRecord &Message);
  void TKMShowingChanged(TMsgRecord &Message);

  TWinControl *FActiveControl = nullptr;
  TWinControl *FFocusedControl = nullptr;
  bool FActive = false;
  TFormState FFormState = 0;
  std::unique_ptr<TControlCanvas> FCanvas;
  int32_t FModalResult = 0;
  int32_t FClientWidth = 0;
  int32_t FClientHeight = 0;
  int32_t FTextHeight = 13;
};

// The form at the top of Control's parent chain, or nil.
TForm *GetParentForm(TControl *Control);

using TShiftState = uint8_t;
constexpr TShiftState ssShift = 0x01;
constexpr TShiftState ssAlt = 0x02;
constexpr TShiftState ssCtrl = 0x04;
// Shift and Ctrl as the keyboard is now, Alt from bit 29 of the key data.
TShiftState KeyDataToShiftState(TMsgParam KeyData);
// Whether CharCode is the mnemonic of Caption: the character after its
// first "&", compared in upper case for the user's locale.
bool IsAccel(uint16_t CharCode, const AnsiString &Caption);

// Reports the exception being handled; call it only inside a catch block. A
// window holding the mouse capture is told to cancel the mode first. EAbort
// is silent; anything else goes to the application's OnException, or without
// one to ShowException. The message loop then goes on; at the outermost level
// the run ends.
void HandleException();
// The task-modal box "Critical error" without the exception's own text (that
// is for developers, not for the user). While that box is up, a further
// exception shows none.
void ShowException();
