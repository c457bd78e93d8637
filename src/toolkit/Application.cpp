// The application object: its hidden window, the message pump, and the
// windows it disables or steps back while the program is not in front.
#include "runtime/SysUtils.h"
#include "toolkit/Forms.h"
#include "toolkit/Themes.h"

TApplication *Application = nullptr;

namespace {

constexpr wchar_t AppClassName[] = L"TApp";

struct TOwnedWindows {
  HWND Owner;
  HWND Last = nullptr;
  std::vector<HWND> TopMost;
};

BOOL CALLBACK CollectTopMost(HWND window, LPARAM data) {
  auto &owned = *reinterpret_cast<TOwnedWindows *>(data);
  if (::GetWindow(window, GW_OWNER) != owned.Owner) return TRUE;
  owned.Last = window;
  if ((::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) owned.TopMost.push_back(window);
  return TRUE;
}

struct TTaskWindows {
  HWND Except;
  std::vector<HWND> Disabled;
};

BOOL CALLBACK DisableTaskWindow(HWND window, LPARAM data) {
  auto &task = *reinterpret_cast<TTaskWindows *>(data);
  if (window != task.Except && ::IsWindowVisible(window) && ::IsWindowEnabled(window)) {
    ::EnableWindow(window, FALSE);
    task.Disabled.push_back(window);
  }
  return TRUE;
}

}  // namespace

std::vector<HWND> DisableTaskWindows(HWND Except) {
  TTaskWindows task{Except, {}};
  ::EnumThreadWindows(::GetCurrentThreadId(), DisableTaskWindow, reinterpret_cast<LPARAM>(&task));
  return task.Disabled;
}

void EnableTaskWindows(const std::vector<HWND> &List) {
  for (HWND window : List)
    if (::IsWindow(window)) ::EnableWindow(window, TRUE);
}

LV_PUBLISH(TApplication) { return {}; }

TApplication::TApplication(TComponent *AOwner) : TComponent(AOwner) {
  const HINSTANCE module = ::GetModuleHandleW(nullptr);
  WNDCLASSW cls{};
  if (!::GetClassInfoW(module, AppClassName, &cls)) {
    cls = WNDCLASSW{};
    cls.lpfnWndProc = ::DefWindowProcW;
    cls.hInstance = module;
    cls.lpszClassName = AppClassName;
    ::RegisterClassW(&cls);
  }
  FHandle = ::CreateWindowExW(0, AppClassName, L"", WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU |
                              WS_MINIMIZEBOX, 0, 0, 0, 0, nullptr, nullptr, module, nullptr);
  ::SetWindowLongPtrW(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ::SetWindowLongPtrW(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AppWndProc));
}

void TApplication::Destroy() {
  if (FHandle != nullptr) {
    ::SetWindowLongPtrW(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&::DefWindowProcW));
    ::DestroyWindow(FHandle);
    FHandle = nullptr;
  }
  inherited::Destroy();
}

void TApplication::SetTitle(const AnsiString &value) { ::SetWindowTextW(FHandle, UTF8Decode(value).c_str()); }

void TApplication::SetIcon(HICON value) {
  FIcon = value;
  ::SendMessageW(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(value));
}

bool TApplication::ProcessMessage() {
  MSG msg;
  if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST && ::GetCapture() == nullptr &&
      ::SendMessageW(msg.hwnd, msg.message + TKN_REFLECT, msg.wParam, msg.lParam) != 0)
    return true;
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
  return true;
}

LRESULT CALLBACK TApplication::AppWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto *application = reinterpret_cast<TApplication *>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  TMsgRecord message{msg, static_cast<TMsgParam>(wParam), lParam, 0};
  try {
    application->WndProc(message);
  } catch (...) {
    HandleException();
  }
  return message.Result;
}

void TApplication::Default(TMsgRecord &Message) {
  Message.Result = ::DefWindowProcW(FHandle, Message.Msg, static_cast<WPARAM>(Message.WParam), Message.LParam);
}

void TApplication::WndProc(TMsgRecord &Message) {
  switch (Message.Msg) {
    case WM_ENDSESSION:
      // Windows is really going down: there is nothing left to finish.
      if (Message.WParam != 0) ::ExitProcess(static_cast<UINT>(ExitCode));
      break;
    case WM_SETFOCUS:
      ::PostMessageW(FHandle, TKM_ENTER, 0, 0);
      Default(Message);
      break;
    case WM_ENABLE:
      if (Message.WParam != 0) {
        RestoreTopMosts();
        if (FTaskWindows != nullptr) EnableTaskWindows(*FTaskWindows);
        FTaskWindows.reset();
        Default(Message);
      } else {
        Default(Message);
        if (FTaskWindows == nullptr) FTaskWindows = std::make_unique<std::vector<HWND>>(DisableTaskWindows(FHandle));
        NormalizeTopMosts();
      }
      break;
    case WM_CLOSE:
      // The program ends only through its form.
      break;
    case WM_ERASEBKGND:
      Message.Msg = WM_ICONERASEBKGND;
      Default(Message);
      break;
    case WM_ACTIVATEAPP:
      Default(Message);
      FActive = Message.WParam != 0;
      if (FActive) {
        RestoreTopMosts();
        ::PostMessageW(FHandle, TKM_ACTIVATE, 0, 0);
      } else {
        NormalizeTopMosts();
        ::PostMessageW(FHandle, TKM_DEACTIVATE, 0, 0);
      }
      break;
    default:
      if (Message.Msg >= WM_CTLCOLORMSGBOX && Message.Msg <= WM_CTLCOLORSTATIC)
        Message.Result = ReflectCtlColor(Message);
      else
        Default(Message);
  }
}

void TApplication::NormalizeTopMosts() {
  if (FTopMostLevel++ != 0) return;
  TOwnedWindows owned{FHandle, nullptr, {}};
  ::EnumWindows(CollectTopMost, reinterpret_cast<LPARAM>(&owned));
  FTopMostList = owned.TopMost;
  if (FTopMostList.empty()) return;
  const bool lastTopMost = (::GetWindowLongW(owned.Last, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  const HWND after = lastTopMost ? HWND_NOTOPMOST : owned.Last;
  for (auto it = FTopMostList.rbegin(); it != FTopMostList.rend(); ++it)
    ::SetWindowPos(*it, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TApplication::RestoreTopMosts() {
  if (FTopMostLevel == 0 || --FTopMostLevel != 0) return;
  for (auto it = FTopMostList.rbegin(); it != FTopMostList.rend(); ++it)
    ::SetWindowPos(*it, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  FTopMostList.clear();
}

void CreateApplication() {
  ControlProperty();
  ThemeServices();
  Application = new TApplication(nullptr);
}

void FreeApplication() {
  if (Application == nullptr) return;
  Application->Free();
  Application = nullptr;
}
