// Starting what the user chose to start with the user's own rights, not the
// setup's: the desktop shell runs in the user's session unelevated, and a
// program or address it opens inherits its rights, not ours.
#include <windows.h>
#include <exdisp.h>
#include <oleauto.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>

#include "payload/ComPtr.h"
#include "payload/InstUtils.h"

namespace {

// The desktop's folder view, asked for the shell's automation object, which
// lives in the shell's process.
bool FindDesktopShell(TComPtr<IShellDispatch2> &shell) {
  TComPtr<IShellWindows> windows;
  if (FAILED(::CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                                windows.PutVoid())))
    return false;
  VARIANT desktop{};
  desktop.vt = VT_I4;
  desktop.lVal = CSIDL_DESKTOP;
  VARIANT none{};
  long window = 0;
  TComPtr<IDispatch> found;
  if (windows->FindWindowSW(&desktop, &none, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, found.Put()) != S_OK ||
      !found)
    return false;
  TComPtr<IServiceProvider> services;
  TComPtr<IShellBrowser> browser;
  TComPtr<IShellView> view;
  TComPtr<IDispatch> background;
  TComPtr<IShellFolderViewDual> folderView;
  TComPtr<IDispatch> application;
  return SUCCEEDED(found->QueryInterface(IID_IServiceProvider, services.PutVoid())) &&
         SUCCEEDED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.PutVoid())) &&
         SUCCEEDED(browser->QueryActiveShellView(view.Put())) &&
         SUCCEEDED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.PutVoid())) &&
         SUCCEEDED(background->QueryInterface(IID_IShellFolderViewDual, folderView.PutVoid())) &&
         SUCCEEDED(folderView->get_Application(application.Put())) &&
         SUCCEEDED(application->QueryInterface(IID_IShellDispatch2, shell.PutVoid()));
}

// A text as the automation call takes it, freed when it goes.
class TBStrVariant {
public:
  explicit TBStrVariant(const WideString &text) {
    FValue.vt = VT_BSTR;
    FValue.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  }
  ~TBStrVariant() { ::SysFreeString(FValue.bstrVal); }
  TBStrVariant(const TBStrVariant &) = delete;
  TBStrVariant &operator=(const TBStrVariant &) = delete;

  const VARIANT &Value() const { return FValue; }
  bool Valid() const { return FValue.bstrVal != nullptr; }

private:
  VARIANT FValue{};
};

bool OpenThroughShell(const WideString &file, const WideString &parameters, int show) {
  TComPtr<IShellDispatch2> shell;
  if (!FindDesktopShell(shell)) return false;
  const TBStrVariant name(file), arguments(parameters), verb(L"open");
  if (!name.Valid() || !arguments.Valid() || !verb.Valid()) return false;
  VARIANT folder{};
  VARIANT showCommand{};
  showCommand.vt = VT_I4;
  showCommand.lVal = show;
  return SUCCEEDED(
      shell->ShellExecute(name.Value().bstrVal, arguments.Value(), folder, verb.Value(), showCommand));
}

}  // namespace

void OpenAsDesktopUser(const WideString &file, const WideString &parameters, int show) {
  if (OpenThroughShell(file, parameters, show)) return;
  ::ShellExecuteW(nullptr, L"open", file.c_str(), parameters.empty() ? nullptr : parameters.c_str(), nullptr, show);
}
