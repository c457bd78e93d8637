// Controls: the base of every visual element, and the windowed control that
// owns a native window.
//
// How a control handles messages. Every message, native or the toolkit's,
// enters through WindowProc, a closure bound to the virtual WndProc; WndProc
// does the first-stage work and calls Dispatch. A class that handles messages
// overrides Dispatch with one switch that names its handlers and hands every
// other number to its base class's Dispatch; the chain ends in the virtual
// DefaultHandler (for a windowed control: the native window procedure). An
// "inherited" call inside a handler is a call of the base class's Dispatch.
//
//   void TPanel::Dispatch(TMsgRecord &Message) {
//     switch (Message.Msg) {
//       case WM_ERASEBKGND: WMEraseBkgnd(Message); break;
//       case TKM_COLORCHANGED: CMColorChanged(Message); break;
//       default: inherited::Dispatch(Message);
//     }
//   }
//
// Controls never keep a pointer to their form: they ask for it when needed.
#pragma once

#include <windows.h>

#include <cstdint>

#include "streaming/Classes.h"
#include "toolkit/Messages.h"

class TControl : public TComponent {
  LV_CLASS(TControl, TComponent)

public:
  explicit TControl(TComponent *AOwner);

  // Entry point of every message sent to the control; bound to WndProc.
  TWndMethod WindowProc;
  // Sends a message through WindowProc and returns its result.
  int32_t Perform(uint32_t Msg, int32_t WParam, int32_t LParam);

  virtual void WndProc(TMsgRecord &Message);
  virtual void Dispatch(TMsgRecord &Message);
  // What no handler took. Without a window the text messages are answered
  // from Text; everything else is ignored.
  virtual void DefaultHandler(TMsgRecord &Message);

protected:
  // The caption of a control that has no native window.
  AnsiString FText;
};

// Window class parameters, filled by CreateParams before a window is made.
struct TCreateParams {
  WideString Caption;
  DWORD Style;
  DWORD ExStyle;
  int32_t X, Y, Width, Height;
  HWND WndParent;
  void *Param;
  WNDCLASSW WindowClass;
  wchar_t WinClassName[64];
};

class TWinControl : public TControl {
  LV_CLASS(TWinControl, TControl)

public:
  explicit TWinControl(TComponent *AOwner);

  // Reading the handle creates the window when there is none.
  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded();
  // The owner window of a control without a parent control.
  HWND ParentWindow() const { return FParentWindow; }
  void SetParentWindow(HWND value) { FParentWindow = value; }

  // What the window procedure calls for each message of the window.
  void MainWndProc(TMsgRecord &Message);
  void Dispatch(TMsgRecord &Message) override;
  // Passes the message to the native window procedure of the class the
  // window was built on.
  void DefaultHandler(TMsgRecord &Message) override;

  // Destroys the window; its text is kept in the control.
  void DestroyHandle();

protected:
  void Destroy() override;

  virtual void CreateHandle();
  virtual void CreateParams(TCreateParams &Params);
  virtual void CreateWindowHandle(const TCreateParams &Params);
  virtual void CreateWnd();
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();

  HWND FHandle = nullptr;
  // The native procedure of the window's class; unhandled messages go there.
  WNDPROC FDefWndProc = nullptr;

private:
  friend LRESULT CALLBACK ControlWndProc(HWND, UINT, WPARAM, LPARAM);
  // The first message of a new window binds it to its control.
  void AttachWindow(HWND window);
  void WMNCDestroy(TMsgRecord &Message);

  HWND FParentWindow = nullptr;
};

// The window property that names a window's control: a global atom made of
// "_" and the toolkit thread's identifier in eight hexadecimal digits, so
// the property is private to that thread.
LPCWSTR ControlProperty();
// The control whose window is being created; its first message binds it.
extern TWinControl *CreationControl;

// The control of a window of this thread's toolkit, or nil.
TWinControl *FindControl(HWND window);

// The window procedure of every window class the toolkit registers: finds the
// window's control (its property, or the control whose window is being
// created) and passes it the message. No exception leaves it.
LRESULT CALLBACK ControlWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
