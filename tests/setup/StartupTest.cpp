// The start-up as a user meets it: each probe starts the way the program
// does and is run as a child process. A damaged payload is reported
// interactively (its box is read and answered) and silently (no window at
// all); running out of memory is the program's fatal error. The ctest entry
// sets the expected start language in LV_EXPECT_LANGUAGE; with
// LV_STORED_UILANG the test first stores that code as an earlier
// installation would (only in a throwaway prefix).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/MessageBoxDriver.h"
#include "support/ProcessWindows.h"
#include "support/ProgramRun.h"
#include "resconst/ResConst.h"

namespace {

constexpr DWORD ExitDamaged = 3;

std::wstring ProbePath(const std::string &probe) {
  return WindowsPath(LV_PROBE_DIR) + L"\\setup_probe_" + UTF8Decode(probe) + L".exe";
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
class ProbeRun : public TProgramRun {
public:
  ProbeRun(const std::string &probe, const std::wstring &args) : TProgramRun(ProbePath(probe), args) {}
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

// Runs the probe interactively and silently; both end with exitCode, the
// silent run without any window (a box would hold up the script). Returns the
// one box the interactive run showed.
TSeenBox ExpectFatalEnd(const char *probe, DWORD exitCode) {
  TSeenBox shown;
  for (const wchar_t *args : {L"", L"/S"}) {
    SCOPED_TRACE(UTF8Encode(args));
    ProbeRun run(probe, args);
    EXPECT_TRUE(run.Started()) << "error " << GetLastError();
    TMessageBoxDriver driver({TBoxAnswer{IDOK}}, run.ProcessId());
    EXPECT_EQ(run.Wait(), exitCode);
    const auto &boxes = driver.Finish();
    if (args[0] != 0) {
      EXPECT_TRUE(boxes.empty());
      EXPECT_FALSE(run.ShowedAWindow());
    } else if (boxes.size() == 1) {
      shown = boxes[0];
    } else {
      ADD_FAILURE() << boxes.size() << " boxes";
    }
  }
  return shown;
}

// Running out of memory while inflating is no damage: the program's fatal
// error, exit code 1; interactively the task-modal critical-error box without
// caption text.
TEST(ScarceMemoryTest, InflationWithoutMemoryEndsWithTheCriticalErrorBox) {
  const TSeenBox box = ExpectFatalEnd("oom", 1);
  EXPECT_EQ(box.Text, L"Critical error");
  EXPECT_EQ(box.Owner, nullptr);
  EXPECT_EQ(box.Buttons, std::vector<int>{IDOK});
}

// A fault no handler takes, a heap that refuses a block, a stack that runs
// out (the box still shows) and a C++ exception nothing may catch are
// runtime errors: the number as the exit code, and interactively the box
// "Runtime error N at ADDRESS" captioned "Error".
TEST(RuntimeErrorTest, EachFaultEndsTheRunWithItsRuntimeError) {
  const struct {
    const char *Probe;
    DWORD Number;
  } cases[] = {{"fault", 200}, {"heap", 203}, {"stack", 202}, {"terminate", 217}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.Probe);
    const TSeenBox box = ExpectFatalEnd(c.Probe, c.Number);
    EXPECT_EQ(box.Caption, L"Error");
    const std::wstring prefix = L"Runtime error " + std::to_wstring(c.Number) + L" at ";
    EXPECT_EQ(box.Text.substr(0, prefix.size()), prefix);
    const std::wstring address = box.Text.substr(std::min(prefix.size(), box.Text.size()));
    EXPECT_EQ(address.size(), 2 * sizeof(void *)) << UTF8Encode(address);
    EXPECT_EQ(address.find_first_not_of(L"0123456789ABCDEF"), std::wstring::npos) << UTF8Encode(address);
  }
}

// An exception raised inside a window procedure while the body runs: a
// person sees the critical-error box and the run goes on to its end; a
// silent run shows nothing and ends with exit code 1.
TEST(HandlerExceptionTest, ShowsTheCriticalErrorBoxOrEndsASilentRunWithExitCode1) {
  {
    ProbeRun run("handler", L"");
    ASSERT_TRUE(run.Started()) << "error " << GetLastError();
    TMessageBoxDriver driver({TBoxAnswer{IDOK}}, run.ProcessId());
    EXPECT_EQ(run.Wait(), 0u);
    const auto &boxes = driver.Finish();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, L"Critical error");
  }
  ProbeRun silent("handler", L"/S");
  ASSERT_TRUE(silent.Started()) << "error " << GetLastError();
  TMessageBoxDriver driver({TBoxAnswer{IDOK}}, silent.ProcessId());
  EXPECT_EQ(silent.Wait(), 1u);
  EXPECT_TRUE(driver.Finish().empty());
  EXPECT_FALSE(silent.ShowedAWindow());
}

}  // namespace
