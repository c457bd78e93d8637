// Controls: the base of every visual element, the tree of parents and
// children, the native window made on demand, and the painting of windowless
// controls on their parent.
//
// How a control class declares itself (TButton, from StdCtrls.h and
// Buttons.cpp, shortened; a new control follows this pattern):
//
//   class TButton : public TButtonControl {
//     LV_CLASS(TButton, TButtonControl)           // its class record
//   public:
//     explicit TButton(TComponent *AOwner);       // ControlStyle, tab stop
//     bool Cancel = false;                        // published fields
//     int32_t ModalResult = 0;
//     void Click() override;
//     void Dispatch(TMsgRecord &Message) override;
//   protected:
//     void CreateParams(TCreateParams &Params) override;  // the native class
//   private:
//     void TKMDialogKey(TMsgRecord &Message);     // named after its message
//     bool FDefault = false;
//   };
//
//   // Buttons.cpp: what the form description may set, and the messages.
//   LV_PUBLISH(TButton) {
//     static const TPropInfo properties[] = {
//         Property<&TButton::Cancel>("Cancel"),
//         Property<&TControl::Caption, &TControl::SetCaption>("Caption"),
//         Property<&TButton::FDefault>("Default"),
//         Property<&TButton::OnClick>("OnClick"),  // a closure field
//     };
//     return {.Properties = properties};
//   }
//   void TButton::Dispatch(TMsgRecord &Message) {
//     switch (Message.Msg) {                      // the messages it handles
//       case TKM_DIALOGKEY:
//         TKMDialogKey(Message);
//         break;
//       default:
//         inherited::Dispatch(Message);           // the rest, up the chain
//     }
//   }
//
// Every message, native or the toolkit's, enters through WindowProc, a
// closure bound to the virtual WndProc; WndProc does the first-stage work and
// calls Dispatch; the chain of Dispatch overrides ends in the virtual
// DefaultHandler (for a windowed control: the native window procedure). An
// "inherited" handling is a call of the base class's Dispatch. Property
// setters compare, store, then Perform the matching toolkit message, whose
// handlers repaint and tell the children.
//
// Controls never keep a pointer to their form: they ask GetParentForm.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "streaming/Classes.h"
#include "toolkit/Graphics.h"
#include "toolkit/Messages.h"

class TWinControl;
class TReader;

// How a control behaves.
using TControlStyle = uint16_t;
constexpr TControlStyle ctlContainer = 0x0001;
constexpr TControlStyle ctlMouseCapture = 0x0002;
constexpr TControlStyle ctlClicks = 0x0004;
constexpr TControlStyle ctlOpaque = 0x0010;
constexpr TControlStyle ctlDblClicks = 0x0020;
constexpr TControlStyle ctlKeepWidth = 0x0040;
constexpr TControlStyle ctlKeepHeight = 0x0080;
constexpr TControlStyle ctlParentBackground = 0x0100;

// What a control is going through.
using TControlState = uint8_t;
constexpr TControlState ctsLButtonDown = 0x01;
constexpr TControlState ctsClicked = 0x02;
constexpr TControlState ctsReadingState = 0x08;
constexpr TControlState ctsFocusing = 0x20;

// Which bounds and whether the font were set while loading; ChangeScale
// scales only those of a control still loading.
using TScalingFlags = uint8_t;
constexpr TScalingFlags sfLeft = 0x01;
constexpr TScalingFlags sfTop = 0x02;
constexpr TScalingFlags sfWidth = 0x04;
constexpr TScalingFlags sfHeight = 0x08;
constexpr TScalingFlags sfFont = 0x10;
constexpr TScalingFlags sfAll = 0x1F;

class TControl : public TComponent {
  LV_CLASS(TControl, TComponent)

public:
  explicit TControl(TComponent *AOwner);
  TControl(const TControl &) = delete;
  TControl &operator=(const TControl &) = delete;

  // Entry point of every message sent to the control; bound to WndProc.
  TWndMethod WindowProc;
  // Sends a message through WindowProc and returns its result.
  TMsgParam Perform(uint32_t Msg, TMsgParam WParam, TMsgParam LParam);
  virtual void WndProc(TMsgRecord &Message);
  virtual void Dispatch(TMsgRecord &Message);
  // What no handler took. Without a window the text messages are answered
  // from Text; everything else is ignored.
  virtual void DefaultHandler(TMsgRecord &Message);

  TWinControl *Parent() const { return FParent; }
  // The old parent removes the control, the new one inserts it.
  virtual void SetParent(TWinControl *AParent);
  // A windowed component becomes the parent (the form reader's way).
  void SetParentComponent(TComponent *Value) override;

  int32_t Left() const { return FLeft; }
  int32_t Top() const { return FTop; }
  int32_t Width() const { return FWidth; }
  int32_t Height() const { return FHeight; }
  void SetLeft(int32_t value);
  void SetTop(int32_t value);
  void SetWidth(int32_t value);
  void SetHeight(int32_t value);
  virtual void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight);
  RECT BoundsRect() const { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
  // Screen position of the client area's top-left corner.
  virtual POINT ClientOrigin();
  virtual RECT GetClientRect();
  int32_t ClientWidth() { return GetClientRect().right; }
  int32_t ClientHeight() { return GetClientRect().bottom; }
  void SetClientWidth(int32_t value);
  void SetClientHeight(int32_t value);
  POINT ScreenToClient(POINT point);

  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);

  TFont *Font() const { return FFont.get(); }
  void SetFont(TFont *value) { FFont->Assign(value); }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool value);
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool value);

  // The text in UTF-8, read and written through the text messages, so it
  // works with and without a window.
  AnsiString Caption();
  void SetCaption(const AnsiString &value);

  // Whether the control holds the mouse; setting it takes or lets go.
  bool MouseCapture();
  void SetMouseCapture(bool value);

  TControlStyle ControlStyle = ctlMouseCapture | ctlClicks | ctlDblClicks;
  TControlState ControlState = 0;
  TScalingFlags ScalingFlags = 0;
  TNotifyEvent OnClick;

  virtual void Click();
  virtual void Invalidate();
  // Invalidates the control's rectangle on its parent's window.
  void InvalidateControl(bool IsVisible, bool IsOpaque);
  virtual void Repaint();
  virtual void Update();
  // A device context to draw the control on, and the window it belongs to.
  virtual HDC GetDeviceContext(HWND &WindowHandle);
  // Multiplies position, size and font by M/D.
  virtual void ChangeScale(int32_t M, int32_t D);

  void ReadState(TReader &Reader) override;

protected:
  void Destroy() override;

  // The caption of a control that has no native window.
  AnsiString FText;

private:
  friend class TWinControl;
  void FontChanged(TObject *Sender);
  void TKMVisibleChanged(TMsgRecord &Message);
  void TKMEnabledChanged(TMsgRecord &Message);
  void TKMParentFontChanged(TMsgRecord &Message);
  void TKMParentColorChanged(TMsgRecord &Message);
  void WMLButtonDown(TMsgRecord &Message);
  void WMLButtonUp(TMsgRecord &Message);
  void WMCancelMode(TMsgRecord &Message);

  TWinControl *FParent = nullptr;
  int32_t FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  bool FVisible = true;
  bool FEnabled = true;
  bool FParentFont = true;
  bool FParentColor = true;
  std::unique_ptr<TFont> FFont;
  TColor FColor = clWindow;
  int32_t FFontHeight = 0;
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

  // Reading the handle creates the window (and its parents') when there is
  // none.
  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded();
  // The owner window of a control without a parent control.
  HWND ParentWindow() const { return FParentWindow; }
  void SetParentWindow(HWND value);
  bool Showing() const { return FShowing; }
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool value);
  TBrush *Brush() const { return FBrush.get(); }

  // Children: windowless ones first, then windowed ones, each in insertion
  // order.
  int32_t ControlCount() const { return FControls.Count() + FWinControls.Count(); }
  TControl *Controls(int32_t index) const;
  const TList<TWinControl> &WinControls() const { return FWinControls; }
  const TList<TWinControl> &TabList() const { return FTabList; }
  void InsertControl(TControl *Control);
  void RemoveControl(TControl *Control);
  bool ContainsControl(TControl *Control) const;

  // Passes the message to each child in turn until one sets a Result.
  void Broadcast(TMsgRecord &Message);
  void NotifyControls(uint32_t Msg);
  // The top-most windowless child under Pos, or nil.
  TControl *ControlAtPos(POINT Pos, bool AllowDisabled);

  void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;
  POINT ClientOrigin() override;
  RECT GetClientRect() override;
  void Invalidate() override;
  void Repaint() override;
  void Update() override;
  HDC GetDeviceContext(HWND &WindowHandle) override;
  void ChangeScale(int32_t M, int32_t D) override;
  void ReadState(TReader &Reader) override;

  // Focus: whether the window has it, whether it may get it, and asking the
  // form to give it.
  bool Focused() const;
  bool CanFocus();
  virtual void SetFocus();
  // Windowed children and theirs, depth first, in tab order.
  virtual void GetTabOrderList(TList<TWinControl> &List);
  TWinControl *FindNextControl(TWinControl *Current, bool GoForward, bool CheckTabStop, bool CheckParent);
  void SelectNext(TWinControl *Current, bool GoForward, bool CheckTabStop);

  // Shows or hides the window as Visible and the reading state say, making
  // it when needed; the windowed children follow.
  void UpdateShowing();
  // UpdateShowing, when every parent up to a form is showing.
  void UpdateControlState();

  // What the window procedure calls for each message of the window.
  void MainWndProc(TMsgRecord &Message);
  void WndProc(TMsgRecord &Message) override;
  void Dispatch(TMsgRecord &Message) override;
  void DefaultHandler(TMsgRecord &Message) override;

  // Destroys the windows of the children, then its own; the text is kept.
  void DestroyHandle();

protected:
  void Destroy() override;

  virtual void CreateHandle();
  virtual void CreateParams(TCreateParams &Params);
  // Builds on the native class ClassName: its procedure becomes DefWndProc.
  void CreateSubClass(TCreateParams &Params, LPCWSTR ClassName);
  virtual void CreateWindowHandle(const TCreateParams &Params);
  virtual void CreateWnd();
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  // Paints the window and then its windowless children.
  void PaintHandler(TMsgRecord &Message);
  virtual void PaintWindow(HDC DC);
  void PaintControls(HDC DC, TControl *First);
  void UpdateBounds();
  // Answers to a colour message (WM_CTLCOLOR*, reflected or not): the
  // font's colour on the control's brush; themed, the font's colour,
  // transparent, on the parent's background.
  TMsgParam CtlColorAnswer(HDC DC);
  TMsgParam ThemedCtlColorAnswer(HDC DC);

  HWND FHandle = nullptr;
  // The native procedure of the window's class; unhandled messages go there.
  WNDPROC FDefWndProc = nullptr;
  bool FShowing = false;

private:
  friend class TControl;
  friend LRESULT CALLBACK ControlWndProc(HWND, UINT, WPARAM, LPARAM);
  // The first message of a new window binds it to its control.
  void AttachWindow(HWND window);
  void Reflect(TMsgRecord &Message, HWND child);
  // Tells the form to forget the control as active or focused one.
  void ForgetFocus(TWinControl *Control);
  void WMPaint(TMsgRecord &Message);
  void WMEraseBkgnd(TMsgRecord &Message);
  void WMNCDestroy(TMsgRecord &Message);
  void WMNCHitTest(TMsgRecord &Message);
  void TKMVisibleChanged(TMsgRecord &Message);
  void TKMEnabledChanged(TMsgRecord &Message);
  void TKMFontChanged(TMsgRecord &Message);
  void TKMColorChanged(TMsgRecord &Message);
  void TKMShowingChanged(TMsgRecord &Message);
  void TKMInvalidate(TMsgRecord &Message);
  void TKMRecreateWnd(TMsgRecord &Message);
  bool MouseMessageToChild(TMsgRecord &Message);
  // Keys offered by the message loop before they reach the window.
  void TKNKeyDown(TMsgRecord &Message);
  void TKNKeyUp(TMsgRecord &Message);
  void TKNChar(TMsgRecord &Message);
  void TKNSysKeyDown(TMsgRecord &Message);
  void TKNSysChar(TMsgRecord &Message);
  void WMKeyDown(TMsgRecord &Message);
  void WMSysCommand(TMsgRecord &Message);

  HWND FParentWindow = nullptr;
  bool FTabStop = false;
  std::unique_ptr<TBrush> FBrush;
  TList<TControl> FControls;
  TList<TWinControl> FWinControls;
  TList<TWinControl> FTabList;
};

// A canvas that draws on a control: it takes a device context when a drawing
// needs one and gives it back after the message.
class TControlCanvas : public TCanvas {
  LV_CLASS(TControlCanvas, TCanvas)

public:
  TControlCanvas() = default;
  ~TControlCanvas() override;
  TControl *Control() const { return FControl; }
  // Releases a held context first.
  void SetControl(TControl *value);
  void FreeHandle();

protected:
  void CreateHandle() override;

private:
  TControl *FControl = nullptr;
  HDC FDeviceContext = nullptr;
  HWND FWindowHandle = nullptr;
};

// A windowless control that paints itself on its parent.
class TGraphicControl : public TControl {
  LV_CLASS(TGraphicControl, TControl)

public:
  explicit TGraphicControl(TComponent *AOwner);
  TControlCanvas *Canvas() const { return FCanvas.get(); }
  void Dispatch(TMsgRecord &Message) override;

protected:
  virtual void Paint() {}

private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

// A windowed control of its own class that paints itself.
class TCustomControl : public TWinControl {
  LV_CLASS(TCustomControl, TWinControl)

public:
  explicit TCustomControl(TComponent *AOwner);
  TControlCanvas *Canvas() const { return FCanvas.get(); }
  void Dispatch(TMsgRecord &Message) override;

protected:
  virtual void Paint() {}
  void PaintWindow(HDC DC) override;

private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

// The window property that names a window's control: a global atom made of
// "_" and the toolkit thread's identifier in eight hexadecimal digits, so
// the property is private to that thread.
LPCWSTR ControlProperty();
// The control whose window is being created; its first message binds it.
extern TWinControl *CreationControl;
// The windowless control that holds the mouse capture through its parent's
// window, or nil.
extern TControl *CaptureControl;
// The control that holds the mouse: the window's control, or the windowless
// child of it that took the capture.
TControl *GetCaptureControl();
// Lets go of the mouse, then gives it to Control (nil: to nobody). A
// windowless control captures through its parent's window.
void SetCaptureControl(TControl *Control);
// The screen's pixels per inch, read at start-up.
int32_t ScreenPixelsPerInch();
// Whether the system is of the newer shell generation (version 6 or later).
bool IsNewShell();
// Releases the device contexts of every control canvas; runs after every
// native message.
void FreeDeviceContexts();

// A point packed into a message parameter as two signed 16-bit halves, as
// mouse messages carry it, and back.
inline POINT ParamToPoint(TMsgParam param) { return {static_cast<int16_t>(LoWord(param)), static_cast<int16_t>(HiWord(param))}; }
inline TMsgParam PointToParam(POINT point) {
  return static_cast<int32_t>(MAKELONG(static_cast<int16_t>(point.x), static_cast<int16_t>(point.y)));
}

// Sends a colour message (WM_CTLCOLORMSGBOX..WM_CTLCOLORSTATIC) on to the
// control window it names in LParam, reflected; returns that one's answer.
TMsgParam ReflectCtlColor(const TMsgRecord &Message);

// The control of a window of this thread's toolkit, or nil.
TWinControl *FindControl(HWND window);

// The window procedure of every window class the toolkit registers: finds the
// window's control (its property, or the control whose window is being
// created) and passes it the message. No exception leaves it.
LRESULT CALLBACK ControlWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
