// Starts the real lvx.exe and finds its window the way the setup does:
// EnumWindows over the top-level windows, GetPropW for the marker; and
// started for removal where there is no installation to remove.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/MessageBoxDriver.h"
#include "support/ProcessWindows.h"
#include "support/TempFolder.h"

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

// Runs the program to its end, pressing OK in every box it shows; its exit
// code, and the boxes into seen.
DWORD RunAnsweringBoxes(const std::wstring &program, const std::wstring &args, std::vector<TSeenBox> &seen) {
  std::wstring commandLine = L"\"" + program + L"\" " + args;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION run{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &run)) {
    ADD_FAILURE() << "cannot start " << testing::PrintToString(program) << ", error " << GetLastError();
    return STILL_ACTIVE;
  }
  TMessageBoxDriver boxes({TBoxAnswer{IDOK}}, run.dwProcessId);
  if (WaitForSingleObject(run.hProcess, TimeoutMs) != WAIT_OBJECT_0) TerminateProcess(run.hProcess, STILL_ACTIVE);
  seen = boxes.Finish();
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(run.hProcess, &code);
  CloseHandle(run.hThread);
  CloseHandle(run.hProcess);
  return code;
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

// -ui removes nothing unless "Install.log" beside the program lists the
// program: not from the build folder, which has no log, nor from a folder
// whose log lists only other files. A box says so unless silent; exit code 2.
TEST_F(LvxTest, RemovesNothingWhereNoInstallationListsIt) {
  TempFolder folder;
  const std::wstring copy = folder / L"lvx.exe", listed = folder / L"listed.txt";
  ASSERT_TRUE(CopyFileW(LvxPath().c_str(), copy.c_str(), FALSE));
  WriteFileBytes(listed, "a file of someone else's");
  std::string log = "File Copy: ";
  for (wchar_t c : listed) log += static_cast<char>(c);
  WriteFileBytes(folder / L"Install.log", log + "\r\n");
  const struct {
    std::wstring Program;
    bool Silent;
  } cases[] = {{LvxPath(), false}, {LvxPath(), true}, {copy, false}, {copy, true}};
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.Program) + (c.Silent ? " silent" : ""));
    std::vector<TSeenBox> seen;
    EXPECT_EQ(RunAnsweringBoxes(c.Program, c.Silent ? L"-ui /S" : L"-ui", seen), 2u);
    if (c.Silent) {
      EXPECT_TRUE(seen.empty());
    } else {
      ASSERT_EQ(seen.size(), 1u);
      EXPECT_EQ(seen[0].Caption, L"Lorvane Word Processor");
      const std::wstring where = c.Program.substr(0, c.Program.find_last_of(L'\\'));
      EXPECT_EQ(seen[0].Text, L"No installation of Lorvane Word Processor was found in " + where +
                                  L". Nothing was removed.");
    }
    EXPECT_NE(GetFileAttributesW(c.Program.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ReadWholeFile(listed), "a file of someone else's");
  }
}

TEST_F(LvxTest, ShowsACodeItDoesNotKnowAsGiven) {
  HWND window = Start(L"-uilp xx");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ControlText(window, 101), L"Interface language: xx (not one of the setup's languages)");
  CloseAndWait(window);
}

}  // namespace
