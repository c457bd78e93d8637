// The message path of a windowed control: focus and mouse first, then its
// handlers, reflection to the child a notification concerns, and the native
// procedure for the rest.
#include "toolkit/Controls.h"
#include "toolkit/Forms.h"
#include "toolkit/Themes.h"

namespace {

bool IsMouseMessage(uint32_t msg) { return msg >= WM_MOUSEFIRST && msg <= WM_MOUSEWHEEL; }

}  // namespace

// Lists throw std::out_of_range and allocation std::bad_alloc: everything
// stops here, and the contexts taken meanwhile are given back.
void TWinControl::MainWndProc(TMsgRecord &Message) {
  try {
    WindowProc(Message);
  } catch (...) {
    HandleException();
  }
  FreeDeviceContexts();
  FreeMemoryContexts();
}

void TWinControl::WndProc(TMsgRecord &Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS: {
      TForm *form = GetParentForm(this);
      if (form != nullptr && !form->SetFocusedControl(this)) return;
      break;
    }
    case WM_KILLFOCUS:
      if ((ControlState & ctsFocusing) != 0) return;
      break;
    case WM_CANCELMODE:
      if (::GetCapture() == FHandle && CaptureControl != nullptr && CaptureControl->Parent() == this)
        CaptureControl->Perform(WM_CANCELMODE, 0, 0);
      break;
    default:
      if (IsMouseMessage(Message.Msg) && MouseMessageToChild(Message)) return;
  }
  inherited::WndProc(Message);
}

// A mouse message over a windowless child, or while one holds the capture,
// is that child's.
bool TWinControl::MouseMessageToChild(TMsgRecord &Message) {
  TControl *target = nullptr;
  const POINT point = ParamToPoint(Message.LParam);
  if (FHandle != nullptr && ::GetCapture() == FHandle) {
    if (CaptureControl != nullptr && CaptureControl->Parent() == this) target = CaptureControl;
  } else {
    target = ControlAtPos(point, false);
  }
  if (target == nullptr) return false;
  Message.Result =
      target->Perform(Message.Msg, Message.WParam, PointToParam({point.x - target->Left(), point.y - target->Top()}));
  return true;
}

void TWinControl::Dispatch(TMsgRecord &Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      WMPaint(Message);
      break;
    case WM_ERASEBKGND:
      WMEraseBkgnd(Message);
      break;
    case WM_COMMAND:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
      Reflect(Message, FromParam<HWND>(Message.LParam));
      break;
    case WM_NOTIFY:
      Reflect(Message, FromParam<const NMHDR *>(Message.LParam)->hwndFrom);
      break;
    case WM_PARENTNOTIFY:
      if (LoWord(Message.WParam) == WM_CREATE || LoWord(Message.WParam) == WM_DESTROY)
        Reflect(Message, FromParam<HWND>(Message.LParam));
      else
        inherited::Dispatch(Message);
      break;
    case WM_SIZE:
    case WM_MOVE:
    case WM_WINDOWPOSCHANGED:
      if (FHandle != nullptr) UpdateBounds();
      inherited::Dispatch(Message);
      break;
    case WM_NCDESTROY:
      WMNCDestroy(Message);
      break;
    case WM_NCHITTEST:
      WMNCHitTest(Message);
      break;
    case TKM_VISIBLECHANGED:
      TKMVisibleChanged(Message);
      break;
    case TKM_ENABLEDCHANGED:
      TKMEnabledChanged(Message);
      break;
    case TKM_FONTCHANGED:
      TKMFontChanged(Message);
      break;
    case TKM_COLORCHANGED:
      TKMColorChanged(Message);
      break;
    case TKM_SHOWINGCHANGED:
      TKMShowingChanged(Message);
      break;
    case TKM_INVALIDATE:
      TKMInvalidate(Message);
      break;
    case TKM_RECREATEWND:
      TKMRecreateWnd(Message);
      break;
    case TKM_DIALOGKEY:
    case TKM_DIALOGCHAR:
    case TKM_FOCUSCHANGED:
      // The children may take it: buttons their keys, mnemonics, the focus.
      Broadcast(Message);
      break;
    case TKN_KEYDOWN:
      TKNKeyDown(Message);
      break;
    case TKN_KEYUP:
      TKNKeyUp(Message);
      break;
    case TKN_CHAR:
      TKNChar(Message);
      break;
    case TKN_SYSKEYDOWN:
      TKNSysKeyDown(Message);
      break;
    case TKN_SYSCHAR:
      TKNSysChar(Message);
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      WMKeyDown(Message);
      break;
    case WM_SYSCOMMAND:
      WMSysCommand(Message);
      break;
    default:
      inherited::Dispatch(Message);
  }
}

void TWinControl::DefaultHandler(TMsgRecord &Message) {
  if (FHandle == nullptr) {
    inherited::DefaultHandler(Message);
    return;
  }
  if (Message.Msg >= WM_CTLCOLORMSGBOX && Message.Msg <= WM_CTLCOLORSTATIC) {
    Message.Result = ReflectCtlColor(Message);
    return;
  }
  if (Message.Msg >= TKN_CTLCOLORMSGBOX && Message.Msg <= TKN_CTLCOLORSTATIC) {
    Message.Result = CtlColorAnswer(FromParam<HDC>(Message.WParam));
    return;
  }
  Message.Result = ::CallWindowProcW(FDefWndProc, FHandle, Message.Msg, static_cast<WPARAM>(Message.WParam),
                                     Message.LParam);
}

TMsgParam TWinControl::CtlColorAnswer(HDC DC) {
  ::SetTextColor(DC, ColorToRGB(Font()->Color()));
  ::SetBkColor(DC, ColorToRGB(FBrush->Color()));
  return ToParam(FBrush->Handle());
}

TMsgParam TWinControl::ThemedCtlColorAnswer(HDC DC) {
  ::SetTextColor(DC, ColorToRGB(Font()->Color()));
  ::SetBkMode(DC, TRANSPARENT);
  ThemeServices().PaintParentBackground(FHandle, DC);
  return ToParam(::GetStockObject(NULL_BRUSH));
}

TMsgParam ReflectCtlColor(const TMsgRecord &Message) {
  return ::SendMessageW(FromParam<HWND>(Message.LParam), Message.Msg + TKN_REFLECT,
                        static_cast<WPARAM>(Message.WParam), Message.LParam);
}

// The notification goes to the control of the child window it concerns,
// under its number plus TKN_REFLECT.
void TWinControl::Reflect(TMsgRecord &Message, HWND child) {
  TWinControl *control = FindControl(child);
  if (control == nullptr) {
    inherited::Dispatch(Message);
    return;
  }
  Message.Result = control->Perform(Message.Msg + TKN_REFLECT, Message.WParam, Message.LParam);
}

// The property goes with the last message: until then the window still
// finds its control.
void TWinControl::WMNCDestroy(TMsgRecord &Message) {
  inherited::Dispatch(Message);
  ::RemovePropW(FHandle, ControlProperty());
  FHandle = nullptr;
  FShowing = false;
}

// Windowless children take the mouse where the window itself is
// transparent.
void TWinControl::WMNCHitTest(TMsgRecord &Message) {
  inherited::Dispatch(Message);
  if (Message.Result != HTTRANSPARENT) return;
  if (ControlAtPos(ScreenToClient(ParamToPoint(Message.LParam)), false) != nullptr) Message.Result = HTCLIENT;
}

void TWinControl::TKMFontChanged(TMsgRecord &) {
  Invalidate();
  if (FHandle != nullptr) Perform(WM_SETFONT, ToParam(Font()->Handle()), 0);
  NotifyControls(TKM_PARENTFONTCHANGED);
}

void TWinControl::TKMColorChanged(TMsgRecord &) {
  Invalidate();
  FBrush->SetColor(Color());
  NotifyControls(TKM_PARENTCOLORCHANGED);
}
