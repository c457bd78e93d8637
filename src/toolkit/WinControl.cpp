// Windowed controls: the native window made on demand, and the messages
// that reach its native procedure.
#include <cwchar>

#include "toolkit/Controls.h"

LV_PUBLISH(TWinControl) { return {}; }

TWinControl::TWinControl(TComponent *AOwner) : TControl(AOwner) {}

void TWinControl::Destroy() {
  if (FHandle != nullptr) DestroyWindowHandle();
  inherited::Destroy();
}

HWND TWinControl::Handle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded() {
  if (FHandle == nullptr) CreateHandle();
}

void TWinControl::CreateHandle() {
  if (FHandle == nullptr) CreateWnd();
}

void TWinControl::CreateParams(TCreateParams &Params) {
  Params = TCreateParams{};
  Params.Caption = UTF8Decode(FText);
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  Params.WndParent = FParentWindow;
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  Params.WindowClass.lpfnWndProc = ::DefWindowProcW;
  Params.WindowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  Params.WindowClass.hInstance = ::GetModuleHandleW(nullptr);
  const WideString name = UTF8Decode(ClassName());
  std::wcsncpy(Params.WinClassName, name.c_str(), std::size(Params.WinClassName) - 1);
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  FDefWndProc = params.WindowClass.lpfnWndProc;
  // The class is registered under the control's class name with the
  // toolkit's window procedure; the procedure it was built on stays the
  // default handler.
  WNDCLASSW registered{};
  const bool known = ::GetClassInfoW(params.WindowClass.hInstance, params.WinClassName, &registered);
  if (!known || registered.lpfnWndProc != ControlWndProc) {
    if (known) ::UnregisterClassW(params.WinClassName, params.WindowClass.hInstance);
    WNDCLASSW cls = params.WindowClass;
    cls.lpfnWndProc = ControlWndProc;
    cls.lpszClassName = params.WinClassName;
    ::RegisterClassW(&cls);
  }
  CreationControl = this;
  CreateWindowHandle(params);
  CreationControl = nullptr;
  FText.clear();
}

void TWinControl::CreateWindowHandle(const TCreateParams &Params) {
  FHandle = ::CreateWindowExW(Params.ExStyle, Params.WinClassName, Params.Caption.c_str(), Params.Style, Params.X,
                              Params.Y, Params.Width, Params.Height, Params.WndParent, nullptr,
                              Params.WindowClass.hInstance, Params.Param);
}

void TWinControl::DestroyHandle() {
  if (FHandle != nullptr) DestroyWnd();
}

void TWinControl::DestroyWnd() {
  const int32_t length = Perform(WM_GETTEXTLENGTH, 0, 0);
  WideString text(static_cast<size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0)
    Perform(WM_GETTEXT, length + 1, static_cast<int32_t>(reinterpret_cast<intptr_t>(text.data())));
  DestroyWindowHandle();
  FText = UTF8Encode(text.c_str());
}

void TWinControl::DestroyWindowHandle() { ::DestroyWindow(FHandle); }

void TWinControl::MainWndProc(TMsgRecord &Message) { WindowProc(Message); }

void TWinControl::Dispatch(TMsgRecord &Message) {
  switch (Message.Msg) {
    case WM_NCDESTROY:
      WMNCDestroy(Message);
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
  Message.Result = static_cast<int32_t>(::CallWindowProcW(FDefWndProc, FHandle, Message.Msg,
                                                         static_cast<WPARAM>(Message.WParam),
                                                         static_cast<LPARAM>(Message.LParam)));
}

void TWinControl::WMNCDestroy(TMsgRecord &Message) {
  inherited::Dispatch(Message);
  ::RemovePropW(FHandle, ControlProperty());
  FHandle = nullptr;
}
