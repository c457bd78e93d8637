// setup.exe run from end to end in a throwaway prefix, as a script or a
// person runs it: started as a process of its own, driven from outside
// through its windows, and judged by everything it leaves behind.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/SysUtils.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"

// The setup under test and the stand-in application, as Windows paths.
std::wstring SetupExe();
std::wstring StandInApp();
// A library that leaves the marker "<its path>.loaded" when loaded, and a
// program that loads the libraries named on its command line by bare name.
std::wstring PlantedLibrary();
std::wstring BareNameLoader();

// What a person chose in the wizard, or what a silent run takes from the
// stored settings and its defaults; what the installation must show for it.
struct TChoices {
  explicit TChoices(std::wstring target) : Target(std::move(target)) {}
  std::wstring Target;  // without a trailing backslash
  bool ForAll = true;
  bool Desktop = true;
  bool Launch = true;
  bool Portable = false;
  uint8_t Language = 1;  // English
  bool Interactive = false;
  // Files the run left as they were: skipped with Ignore, kept by a
  // portable update, or an "Update.log" that could not be saved. The case
  // checks them itself.
  std::vector<std::wstring> Unwritten;
};

// Everything an installation leaves, judged against the state before it.
// Made before the run: notes what already exists (folders, the earlier
// "Install.log" and "Update.log", other links) so that the expected bytes
// follow from the rules, not from the program's output.
class TInstallCheck {
public:
  explicit TInstallCheck(TChoices choices);
  // Every file with its bytes and time, the records and their types, the
  // exact logs, the stamp and common data, the links and the launch. When
  // the wizard was closed on the finished page, the close step never ran:
  // "Update.log" stays as it was and nothing is launched.
  void ExpectInstalled(bool finished = true);
  // An installation that stopped at a file it could not write ("lvx.exe" or
  // "License.txt"): what was written before stays with the records, no part
  // of that file or of the next is there, "Install.log" lists what was
  // written; the finished page's files, the links and "Update.log" never
  // came.
  void ExpectStoppedAt(const std::wstring &name);
  // Nothing written: no program folder (or, where the case made one, one
  // that holds only the files it put there), records, shared data or links.
  static void ExpectNothingInstalled(const std::wstring &target, const std::vector<std::wstring> &placed = {});

  TChoices Choices;

private:
  struct TPlacedFile {
    std::wstring Path;
    std::string Bytes;
    uint32_t Time;  // packed DOS date and time
  };
  std::vector<TPlacedFile> PlacedFiles() const;
  bool Unwritten(const std::wstring &path) const;
  std::string ExpectedInstallLog(bool finished = true) const;
  std::string ExpectedUpdateLog(const std::string &stampLine) const;
  void ExpectFiles() const;
  void ExpectRecords() const;
  void ExpectStampAndCommonData(std::string &stampLine) const;
  void ExpectLinks() const;
  // The installed application started in the wizard's language, or not at
  // all.
  void ExpectLaunch(bool launched) const;

  TDateTime FStart;
  std::vector<bool> FFolderExisted;
  std::string FInstallLogBefore;
  std::string FUpdateLogBefore;
};

// The folders an installation touches in this prefix.
std::wstring SharedData();  // with a trailing backslash
std::wstring LinkFolder(bool forAll, bool desktop);
std::wstring LinkName(uint8_t language);

// A run of setup.exe: the process and, for an interactive run, its wizard.
class TSetupRun {
public:
  TSetupRun(const std::wstring &args, const std::wstring &program = SetupExe());
  DWORD ProcessId() const { return FRun.ProcessId(); }
  // The exit code, waited for; also notes whether any window showed.
  DWORD Wait() { return FRun.Wait(); }
  bool ShowedAWindow() const { return FRun.ShowedAWindow(); }

  // The wizard's window, waited for.
  HWND Wizard();
  // Waits until the wizard shows the page's title in the language.
  bool OnPage(int page, uint8_t language = 1);
  // Clicks the wizard's button with this localised caption.
  bool Press(const char *const captions[], uint8_t language = 1);
  HWND Control(const char *const captions[], uint8_t language = 1);

private:
  TProgramRun FRun;
  HWND FWizard = nullptr;
};

// Every case starts from a prefix with no trace of an installation, and
// leaves none.
class SetupRunTest : public testing::Test {
protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;
  static void RemoveEveryTrace();

  TempFolder Work;
  // A program folder that does not exist yet.
  const std::wstring Target = Work.Path() + L"Lorvane Test";
};

// Runs onto the small drive S: that the ctest entry gives the prefix. The
// drive is filled so that only half the program file fits.
class SmallDriveRun : public SetupRunTest {
protected:
  void SetUp() override;
  void TearDown() override;
  // Makes room for the whole installation again.
  void FreeDrive();

  const std::wstring Destination = L"S:\\Lorvane";
  const std::wstring Filler = L"S:\\filler";
};

// The lines of a file's text, split at CR LF.
std::vector<std::string> Lines(const std::string &text);
// The Windows text of a UTF-8 string of the program's tables.
std::wstring Text(const char *utf8);
// A copy of setup.exe in the folder whose payload has one byte inverted
// halfway through, as a broken download leaves it.
std::wstring DamagedCopy(const std::wstring &folder);
