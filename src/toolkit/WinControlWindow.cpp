// The native window of a windowed control: made on demand, stacked in
// insertion order, shown when its whole chain up to a form is showing.
#include <cwchar>

#include "toolkit/Controls.h"
#include "toolkit/Forms.h"

HWND TWinControl::Handle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded() {
  if (FHandle != nullptr) return;
  if (Parent() != nullptr) Parent()->HandleNeeded();
  CreateHandle();
}

void TWinControl::CreateHandle() {
  if (FHandle != nullptr) return;
  CreateWnd();
  if (FHandle == nullptr || Parent() == nullptr) return;
  // Below the first later sibling that has a window: windows stack in the
  // order the children were inserted.
  HWND after = nullptr;
  const TList<TWinControl> &siblings = Parent()->FWinControls;
  for (int32_t i = siblings.IndexOf(this) + 1; i < siblings.Count() && after == nullptr; ++i)
    after = siblings[i]->FHandle;
  ::SetWindowPos(FHandle, after, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void TWinControl::CreateParams(TCreateParams &Params) {
  Params = TCreateParams{};
  Params.Caption = UTF8Decode(FText);
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if ((ControlStyle & ctlContainer) != 0) {
    Params.Style |= WS_CLIPCHILDREN;
    Params.ExStyle |= WS_EX_CONTROLPARENT;
  }
  if (!Enabled()) Params.Style |= WS_DISABLED;
  if (FTabStop) Params.Style |= WS_TABSTOP;
  Params.X = Left();
  Params.Y = Top();
  Params.Width = Width();
  Params.Height = Height();
  Params.WndParent = Parent() != nullptr ? Parent()->Handle() : FParentWindow;
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  Params.WindowClass.lpfnWndProc = ::DefWindowProcW;
  Params.WindowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  Params.WindowClass.hInstance = ::GetModuleHandleW(nullptr);
  const WideString name = UTF8Decode(ClassName());
  std::wcsncpy(Params.WinClassName, name.c_str(), std::size(Params.WinClassName) - 1);
}

void TWinControl::CreateSubClass(TCreateParams &Params, LPCWSTR ClassName) {
  const HINSTANCE module = ::GetModuleHandleW(nullptr);
  const HINSTANCE instances[] = {module, nullptr, module, Params.WindowClass.hInstance};
  for (HINSTANCE instance : instances)
    if (::GetClassInfoW(instance, ClassName, &Params.WindowClass)) break;
  Params.WindowClass.hInstance = module;
  Params.WindowClass.style &= ~(CS_OWNDC | CS_CLASSDC | CS_PARENTDC | CS_GLOBALCLASS);
  Params.WindowClass.style |= CS_VREDRAW | CS_HREDRAW;
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
  // A window that could not be made leaves the text where it was.
  if (FHandle == nullptr) return;
  FText.clear();
  UpdateBounds();
  Perform(WM_SETFONT, ToParam(Font()->Handle()), 1);
}

void TWinControl::CreateWindowHandle(const TCreateParams &Params) {
  FHandle = ::CreateWindowExW(Params.ExStyle, Params.WinClassName, Params.Caption.c_str(), Params.Style, Params.X,
                              Params.Y, Params.Width, Params.Height, Params.WndParent, nullptr,
                              Params.WindowClass.hInstance, Params.Param);
}

void TWinControl::DestroyHandle() {
  if (FHandle == nullptr) return;
  for (TWinControl *child : FWinControls) child->DestroyHandle();
  DestroyWnd();
}

void TWinControl::DestroyWnd() {
  const AnsiString text = Caption();
  FreeDeviceContexts();
  DestroyWindowHandle();
  FText = text;
}

void TWinControl::DestroyWindowHandle() { ::DestroyWindow(FHandle); }

void TWinControl::UpdateShowing() {
  const bool showing = Visible() && (ControlState & ctsReadingState) == 0;
  if (showing && FHandle == nullptr) CreateHandle();
  // Children of a control without a window wait for it.
  if (FHandle != nullptr)
    for (TWinControl *child : FWinControls) child->UpdateShowing();
  if (FHandle != nullptr && FShowing != showing) {
    FShowing = showing;
    Perform(TKM_SHOWINGCHANGED, 0, 0);
  }
}

void TWinControl::UpdateControlState() {
  TWinControl *top = this;
  while (top->Parent() != nullptr) {
    if (!top->Parent()->FShowing) return;
    top = top->Parent();
  }
  if (top->InheritsFrom<TForm>() || top->FParentWindow != nullptr) UpdateShowing();
}

void TWinControl::TKMShowingChanged(TMsgRecord &) {
  const UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  ::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, flags | (FShowing ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::TKMVisibleChanged(TMsgRecord &) {
  if (!Visible() && Parent() != nullptr) ForgetFocus(this);
  UpdateControlState();
}

void TWinControl::TKMEnabledChanged(TMsgRecord &) {
  if (!Enabled() && Parent() != nullptr) ForgetFocus(this);
  if (FHandle != nullptr) ::EnableWindow(FHandle, Enabled());
}

void TWinControl::TKMRecreateWnd(TMsgRecord &) {
  const bool focused = Focused();
  DestroyHandle();
  UpdateControlState();
  if (focused && FHandle != nullptr) ::SetFocus(FHandle);
}

void TWinControl::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
  if (ALeft == Left() && ATop == Top() && AWidth == Width() && AHeight == Height()) return;
  if (FHandle != nullptr) {
    // The fields follow when the window reports the change.
    ::SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
}

void TWinControl::UpdateBounds() {
  RECT rect;
  ::GetWindowRect(FHandle, &rect);
  if ((::GetWindowLongW(FHandle, GWL_STYLE) & WS_CHILD) != 0) {
    const HWND parent = reinterpret_cast<HWND>(::GetWindowLongPtrW(FHandle, GWLP_HWNDPARENT));
    ::ScreenToClient(parent, reinterpret_cast<POINT *>(&rect.left));
    ::ScreenToClient(parent, reinterpret_cast<POINT *>(&rect.right));
  }
  FLeft = rect.left;
  FTop = rect.top;
  FWidth = rect.right - rect.left;
  FHeight = rect.bottom - rect.top;
}

POINT TWinControl::ClientOrigin() {
  POINT origin{0, 0};
  ::ClientToScreen(Handle(), &origin);
  return origin;
}

RECT TWinControl::GetClientRect() {
  RECT rect;
  ::GetClientRect(Handle(), &rect);
  return rect;
}

bool TWinControl::Focused() const { return FHandle != nullptr && ::GetFocus() == FHandle; }
