// The start-up as a user meets it: each probe starts the way the program
// does and is run as a child process. A damaged payload is reported
// interactively (its box is read and answered) and silently (no window at
// all); running out of memory is the program's fatal error. The ctest entry
// sets the expected start language in LV_EXPECT_LANGUAGE; with
// LV_STORED_UILANG the test first stores that code as an earlier
// installation would (only in a throwaway prefix).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/MessageBoxDriver.h"
#include "support/ProcessWindows.h"
#include "resconst/ResConst.h"

namespace {

constexpr DWORD TimeoutMs = 60000;
constexpr DWORD ExitDamaged = 3;

std::wstring ProbePath(const std::string &probe) {
  std::wstring path = L"Z:";
  for (const char *p = LV_PROBE_DIR; *p != '\0'; ++p) path.push_back(*p == '/' ? L'\\' : static_cast<wchar_t>(*p));
  return path + L"\\setup_probe_" + UTF8Decode(probe) + L".exe";
}

int ExpectedLanguage() {
  const char *code = std::getenv("LV_EXPECT_LANGUAGE");
  for (int i = 0; i < LanguageCount; ++i)
    if (code != nullptr && std::string(code) == Languages[i].Code) return i;
  ADD_FAILURE() << "LV_EXPECT_LANGUAGE names no language";
  return 1;
}

class Environment : public testing::Environment {
public:
  void SetUp() override {
    const char *stored = std::getenv("LV_STORED_UILANG");
    if (stored == nullptr) return;
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Lorvane Word Processor\\Install", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "UILANG", 0, REG_SZ, reinterpret_cast<const BYTE *>(stored),
                   static_cast<DWORD>(std::string(stored).size() + 1));
    RegCloseKey(key);
  }
};

const testing::Environment *const StoredCode = testing::AddGlobalTestEnvironment(new Environment);

// One run of a probe; the process is ended and closed at the latest here.
class ProbeRun {
public:
  ProbeRun(const std::string &probe, const std::wstring &args) {
    std::wstring commandLine = L"\"" + ProbePath(probe) + L"\" " + args;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    FStarted = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &FProcess);
  }
  ~ProbeRun() {
    if (!FStarted) return;
    if (WaitForSingleObject(FProcess.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(FProcess.hProcess, 99);
    CloseHandle(FProcess.hThread);
    CloseHandle(FProcess.hProcess);
  }
  ProbeRun(const ProbeRun &) = delete;
  ProbeRun &operator=(const ProbeRun &) = delete;

  bool Started() const { return FStarted; }
  DWORD ProcessId() const { return FProcess.dwProcessId; }

  // The exit code, or 259 (STILL_ACTIVE) when the probe does not end in time.
  // Meanwhile notes whether the probe ever showed a visible top-level window.
  DWORD Wait() {
    while (WaitForSingleObject(FProcess.hProcess, 20) == WAIT_TIMEOUT) {
      if (GetTickCount() - FStart > TimeoutMs) return STILL_ACTIVE;
      for (HWND window : ProcessWindows(FProcess.dwProcessId))
        if (IsWindowVisible(window)) FShowedWindow = true;
    }
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(FProcess.hProcess, &code);
    return code;
  }
  bool ShowedAWindow() const { return FShowedWindow; }

private:
  PROCESS_INFORMATION FProcess{};
  bool FStarted = false;
  bool FShowedWindow = false;
  DWORD FStart = GetTickCount();
};

class DamagedSetupTest : public testing::TestWithParam<const char *> {};

TEST_P(DamagedSetupTest, AnInteractiveRunSaysSoAndEndsWithCode3) {
  ProbeRun run(GetParam(), L"");
  ASSERT_TRUE(run.Started()) << "error " << GetLastError();
  TMessageBoxDriver driver({TBoxAnswer{IDOK}}, run.ProcessId());
  EXPECT_EQ(run.Wait(), ExitDamaged);
  const auto &boxes = driver.Finish();
  ASSERT_EQ(boxes.size(), 1u);
  const int language = ExpectedLanguage();
  EXPECT_EQ(boxes[0].Text, UTF8Decode(SDamagedSetup[language]));
  EXPECT_EQ(boxes[0].Caption, UTF8Decode(SSetupTitle[language]));
  EXPECT_EQ(boxes[0].Buttons, std::vector<int>{IDOK});
}

TEST_P(DamagedSetupTest, ASilentRunShowsNothingAndEndsWithCode3) {
  ProbeRun run(GetParam(), L"/S");
  ASSERT_TRUE(run.Started()) << "error " << GetLastError();
  EXPECT_EQ(run.Wait(), ExitDamaged);
  EXPECT_FALSE(run.ShowedAWindow());
}

INSTANTIATE_TEST_SUITE_P(Payloads, DamagedSetupTest,
                         testing::Values("flipped", "truncated", "overrun", "missing"),
                         [](const testing::TestParamInfo<const char *> &info) { return std::string(info.param); });

TEST(IntactSetupTest, StartsWithoutAWordInEitherMode) {
  for (const wchar_t *args : {L"", L"/S"}) {
    ProbeRun run("intact", args);
    ASSERT_TRUE(run.Started()) << "error " << GetLastError();
    EXPECT_EQ(run.Wait(), 0u);
    EXPECT_FALSE(run.ShowedAWindow());
  }
}

// Running out of memory while inflating is no damage: the program's fatal
// error, in either mode the task-modal critical-error box without caption
// text, and exit code 1.
TEST(ScarceMemoryTest, InflationWithoutMemoryEndsWithTheCriticalErrorBox) {
  for (const wchar_t *args : {L"", L"/S"}) {
    SCOPED_TRACE(UTF8Encode(args));
    ProbeRun run("oom", args);
    ASSERT_TRUE(run.Started()) << "error " << GetLastError();
    TMessageBoxDriver driver({TBoxAnswer{IDOK}}, run.ProcessId());
    EXPECT_EQ(run.Wait(), 1u);
    const auto &boxes = driver.Finish();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, L"Critical error");
    EXPECT_EQ(boxes[0].Owner, nullptr);
    EXPECT_EQ(boxes[0].Buttons, std::vector<int>{IDOK});
  }
}

}  // namespace
