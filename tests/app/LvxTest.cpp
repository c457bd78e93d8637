// Starts the real lvx.exe and finds its window the way the setup does:
// EnumWindows over the top-level windows, GetPropW for the marker.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/ProcessWindows.h"

namespace {

constexpr DWORD TimeoutMs = 30000;

// The build path of lvx.exe as Wine sees it (drive Z: is the host's root).
std::wstring LvxPath() {
  std::wstring path = L"Z:";
  for (const char *p = LVX_EXE; *p != '\0'; ++p) path.push_back(*p == '/' ? L'\\' : static_cast<wchar_t>(*p));
  return path;
}

// The text of a control of another process.
std::wstring ControlText(HWND window, int id) {
  HWND control = GetDlgItem(window, id);
  if (control == nullptr) return L"(no control " + std::to_wstring(id) + L")";
  wchar_t text[512] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &copied);
  return text;
}

class LvxTest : public testing::Test {
protected:
  // Starts lvx.exe with args and waits for its marked top-level window.
  HWND Start(const std::wstring &args) {
    std::wstring commandLine = L"\"" + LvxPath() + L"\" " + args;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
      ADD_FAILURE() << "cannot start lvx.exe, error " << GetLastError();
      return nullptr;
    }
    WaitForInputIdle(process.hProcess, TimeoutMs);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < TimeoutMs) {
      for (HWND window : ProcessWindows(process.dwProcessId))
        if (GetPropW(window, L"1.x Quenmoor") != nullptr) return window;
      if (WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0) break;
    }
    ADD_FAILURE() << "no window with the instance property appeared";
    return nullptr;
  }

  // Closes the window like a user and waits for the process to end.
  void CloseAndWait(HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, TimeoutMs), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(code, 0u);
  }

  void TearDown() override {
    if (process.hProcess == nullptr) return;
    if (WaitForSingleObject(process.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }

  PROCESS_INFORMATION process{};
};

TEST_F(LvxTest, MarksItsWindowAndShowsTheLanguage) {
  HWND window = Start(L"-uilp de");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(GetAncestor(window, GA_ROOT), window);
  wchar_t title[128] = {};
  GetWindowTextW(window, title, 128);
  EXPECT_STREQ(title, L"Lorvane Word Processor");
  EXPECT_EQ(ControlText(window, 101), L"Interface language: de (German)");
  EXPECT_EQ(ControlText(window, 102).find(L"uninstall"), std::wstring::npos);
  CloseAndWait(window);
}

TEST_F(LvxTest, SaysWhenAskedToUninstall) {
  HWND window = Start(L"-ui");
  ASSERT_NE(window, nullptr);
  EXPECT_NE(ControlText(window, 102).find(L"was asked to uninstall itself"), std::wstring::npos)
      << testing::PrintToString(ControlText(window, 102));
  CloseAndWait(window);
}

TEST_F(LvxTest, ShowsACodeItDoesNotKnowAsGiven) {
  HWND window = Start(L"-uilp xx");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ControlText(window, 101), L"Interface language: xx (not one of the setup's languages)");
  CloseAndWait(window);
}

}  // namespace
