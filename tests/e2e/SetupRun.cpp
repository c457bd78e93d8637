#include "SetupRun.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <cstring>

#include "automation/Automation.h"
#include "payload/AttachFiles.h"
#include "payload/InstUtils.h"
#include "resconst/ResConst.h"
#include "support/ProcessWindows.h"
#include "support/StoredRecords.h"

namespace {

const char SettingsKey[] = "Software\\Lorvane Word Processor\\Install";
const char UninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lorvane Word Processor";

std::wstring SpecialFolder(int csidl) {
  wchar_t path[MAX_PATH] = L"";
  if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  return path;
}

bool Exists(const std::wstring &path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadFile(const std::wstring &path) {
  std::string bytes;
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  bytes.resize(::GetFileSize(file, nullptr));
  DWORD read = 0;
  if (!bytes.empty()) ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  bytes.resize(read);
  ::CloseHandle(file);
  return bytes;
}

// The last-write time as the setup sets it: local time, packed.
uint32_t PackedWriteTime(const std::wstring &path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  FILETIME local;
  WORD date = 0, time = 0;
  ::FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
  ::FileTimeToDosDateTime(&local, &date, &time);
  return static_cast<uint32_t>(date) << 16 | time;
}

std::string Joined(const std::vector<std::string> &lines) {
  std::string text;
  for (const std::string &line : lines) text += line + "\r\n";
  return text;
}

bool SameLine(const std::string &a, const std::string &b) {
  return ::lstrcmpiW(UTF8Decode(a).c_str(), UTF8Decode(b).c_str()) == 0;
}

void AddUnique(std::vector<std::string> &lines, const std::string &line) {
  for (const std::string &present : lines)
    if (SameLine(present, line)) return;
  lines.push_back(line);
}

void ExpectString(HKEY root, const char *key, const wchar_t *name, const std::wstring &expected) {
  const TRawValue value = QueryRaw(root, key, name);
  EXPECT_EQ(value.Type, static_cast<DWORD>(REG_SZ)) << UTF8Encode(name);
  EXPECT_EQ(value.Bytes, WideBytes(expected)) << UTF8Encode(name);
}

void ExpectDword(HKEY root, const char *key, const wchar_t *name, DWORD expected) {
  const TRawValue value = QueryRaw(root, key, name);
  EXPECT_EQ(value.Type, static_cast<DWORD>(REG_DWORD)) << UTF8Encode(name);
  EXPECT_EQ(value.Bytes, DwordBytes(expected)) << UTF8Encode(name);
}

double DoubleAt(const std::string &bytes, size_t offset) {
  double value = 0;
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

std::string StampLine(const std::string &stamp) {
  static const char digits[] = "0123456789ABCDEF";
  std::string line = "*";
  for (unsigned char byte : stamp) {
    line += digits[byte >> 4];
    line += digits[byte & 15];
  }
  return line;
}

struct TLink {
  bool Found = false;
  std::wstring Target, Folder, Description;
};

TLink ReadLink(const std::wstring &path) {
  TLink link;
  IShellLinkW *shellLink = nullptr;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void **>(&shellLink))))
    return link;
  IPersistFile *file = nullptr;
  if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file)))) {
    if (SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
      wchar_t text[MAX_PATH * 2] = L"";
      link.Found = true;
      shellLink->GetPath(text, MAX_PATH * 2, nullptr, SLGP_RAWPATH);
      link.Target = text;
      text[0] = 0;
      shellLink->GetWorkingDirectory(text, MAX_PATH * 2);
      link.Folder = text;
      text[0] = 0;
      shellLink->GetDescription(text, MAX_PATH * 2);
      link.Description = text;
    }
    file->Release();
  }
  shellLink->Release();
  return link;
}

// The running processes of the stand-in application, whatever folder they
// were started from.
struct TAppSearch {
  DWORD ProcessId;
  HWND Found = nullptr;
};

BOOL CALLBACK FindAppWindow(HWND window, LPARAM param) {
  auto *search = reinterpret_cast<TAppSearch *>(param);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner != search->ProcessId || ::GetPropW(window, L"1.x Quenmoor") == nullptr) return TRUE;
  search->Found = window;
  return FALSE;
}

std::vector<std::wstring> AllLinkFolders() {
  return {LinkFolder(true, false), LinkFolder(true, true), LinkFolder(false, false), LinkFolder(false, true)};
}

}  // namespace

std::vector<std::string> Lines(const std::string &text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::wstring SetupExe() { return WindowsPath(LV_SETUP_EXE); }
std::wstring StandInApp() { return WindowsPath(LV_STANDIN_APP); }
std::wstring PlantedLibrary() { return WindowsPath(LV_PLANTED_LIBRARY); }
std::wstring BareNameLoader() { return WindowsPath(LV_BARE_NAME_LOADER); }

std::wstring SharedData() { return SpecialFolder(CSIDL_COMMON_APPDATA) + L"\\Lorvane\\"; }

std::wstring LinkFolder(bool forAll, bool desktop) {
  if (desktop) return SpecialFolder(forAll ? CSIDL_COMMON_DESKTOPDIRECTORY : CSIDL_DESKTOPDIRECTORY);
  return SpecialFolder(forAll ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS);
}

std::wstring LinkName(uint8_t language) { return Text(SProductName[language]) + L".lnk"; }

std::wstring Text(const char *utf8) { return UTF8Decode(utf8); }

TInstallCheck::TInstallCheck(TChoices choices) : Choices(std::move(choices)), FStart(Now()) {
  const std::wstring shared = SharedData();
  for (const std::wstring &folder : {shared, shared + L"Public\\", shared + L"Hidden\\", Choices.Target + L"\\",
                                     LinkFolder(Choices.ForAll, false) + L"\\",
                                     LinkFolder(Choices.ForAll, true) + L"\\"})
    FFolderExisted.push_back(Exists(folder));
  FInstallLogBefore = ReadFile(Choices.Target + L"\\Install.log");
  FUpdateLogBefore = ReadFile(shared + L"Update.log");
}

std::vector<TInstallCheck::TPlacedFile> TInstallCheck::PlacedFiles() const {
  std::vector<TPlacedFile> placed;
  HMODULE module = ::LoadLibraryExW(SetupExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  TAttachedFiles catalogue(module);
  const std::wstring shared = Choices.Portable ? Choices.Target + L"\\" : SharedData() + L"Public\\";
  bool program = false, licence = false;
  for (int k = 0; k < catalogue.Files.Count(); ++k) {
    const TAttachedFile &entry = *catalogue.Files[k];
    std::wstring path;
    if (!program && ::lstrcmpiW(entry.Name.c_str(), L"lvx.exe") == 0) {
      program = true;
      path = Choices.Target + L"\\lvx.exe";
    } else if (!licence && ::lstrcmpiW(entry.Name.c_str(), L"License.txt") == 0) {
      licence = true;
      path = Choices.Target + L"\\License.txt";
    } else if (StartsText(entry.Name, L"Templates\\") || StartsText(entry.Name, L"Clip Library\\")) {
      path = shared + entry.Name;
    } else {
      continue;
    }
    placed.push_back({path, std::string(reinterpret_cast<const char *>(entry.Data), entry.Size),
                      DateTimeToFileDate(entry.Time)});
  }
  ::FreeLibrary(module);
  EXPECT_TRUE(program && licence);
  return placed;
}

bool TInstallCheck::Unwritten(const std::wstring &path) const {
  return std::any_of(Choices.Unwritten.begin(), Choices.Unwritten.end(),
                     [&](const std::wstring &file) { return ::lstrcmpiW(file.c_str(), path.c_str()) == 0; });
}

std::string TInstallCheck::ExpectedInstallLog(bool finished) const {
  std::vector<std::string> lines = Lines(FInstallLogBefore);
  const std::wstring shared = SharedData();
  const std::wstring made[] = {shared, shared + L"Public\\", shared + L"Hidden\\", Choices.Target + L"\\"};
  for (size_t k = 0; k < std::size(made); ++k)
    if (!FFolderExisted[k]) AddUnique(lines, "Made Dir: " + UTF8Encode(made[k]));
  for (const wchar_t *name : {L"\\lvx.exe", L"\\License.txt"})
    if (!Unwritten(Choices.Target + name)) AddUnique(lines, "File Copy: " + UTF8Encode(Choices.Target + name));
  if (!finished) return Joined(lines);
  for (bool desktop : {false, true}) {
    if (desktop && !Choices.Desktop) continue;
    if (!FFolderExisted[desktop ? 5 : 4]) AddUnique(lines, "Made Dir: " + UTF8Encode(LinkFolder(Choices.ForAll, desktop)) + "\\");
    AddUnique(lines, "File Copy: " + UTF8Encode(LinkFolder(Choices.ForAll, desktop) + L"\\" + LinkName(Choices.Language)));
  }
  return Joined(lines);
}

std::string TInstallCheck::ExpectedUpdateLog(const std::string &stampLine) const {
  std::vector<std::wstring> shared;
  for (const TPlacedFile &file : PlacedFiles())
    if (StartsText(file.Path, SharedData() + L"Public\\")) shared.push_back(file.Path + L"\t!");
  std::sort(shared.begin(), shared.end(), [](const std::wstring &a, const std::wstring &b) {
    return ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE | SORT_STRINGSORT, a.c_str(), -1, b.c_str(), -1) ==
           CSTR_LESS_THAN;
  });
  // An earlier list keeps the paths this run did not write again, and the
  // stamps of groups that still hold one.
  std::vector<std::string> lines;
  for (const std::string &line : Lines(FUpdateLogBefore)) {
    const bool rewritten = std::any_of(shared.begin(), shared.end(),
                                       [&](const std::wstring &path) { return SameLine(UTF8Encode(path), line); });
    if (line.empty() || rewritten) continue;
    if (line[0] == '*' && !lines.empty() && lines.back()[0] == '*') continue;
    lines.push_back(line);
  }
  if (!lines.empty() && lines.back()[0] == '*') lines.pop_back();
  lines.push_back(stampLine);
  for (const std::wstring &path : shared) lines.push_back(UTF8Encode(path));
  return Joined(lines);
}

void TInstallCheck::ExpectFiles() const {
  for (const TPlacedFile &file : PlacedFiles()) {
    if (Unwritten(file.Path)) continue;
    SCOPED_TRACE(UTF8Encode(file.Path));
    EXPECT_TRUE(ReadFile(file.Path) == file.Bytes) << "the file's bytes differ from the payload's";
    EXPECT_EQ(PackedWriteTime(file.Path), file.Time);
  }
}

void TInstallCheck::ExpectRecords() const {
  if (Choices.Portable) {
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, SettingsKey));
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, UninstallKey));
    return;
  }
  ExpectString(HKEY_CURRENT_USER, SettingsKey, L"MAINDIR", Choices.Target);
  ExpectDword(HKEY_CURRENT_USER, SettingsKey, L"INSTALLTOALL", Choices.ForAll);
  ExpectDword(HKEY_CURRENT_USER, SettingsKey, L"DSKSHORTCUT", Choices.Desktop);
  ExpectDword(HKEY_CURRENT_USER, SettingsKey, L"LAUNCH", Choices.Launch);
  ExpectString(HKEY_CURRENT_USER, SettingsKey, L"UILANG", Text(Languages[Choices.Language].Code));

  const std::wstring program = Choices.Target + L"\\lvx.exe";
  ExpectString(HKEY_LOCAL_MACHINE, UninstallKey, L"DisplayIcon", program);
  ExpectString(HKEY_LOCAL_MACHINE, UninstallKey, L"DisplayName", Text(SProductName[Choices.Language]));
  ExpectString(HKEY_LOCAL_MACHINE, UninstallKey, L"DisplayVersion", L"5.0.0.4");
  ExpectDword(HKEY_LOCAL_MACHINE, UninstallKey, L"EstimatedSize", 3072);
  ExpectString(HKEY_LOCAL_MACHINE, UninstallKey, L"Publisher", L"The Lorvane Word Processor Team");
  ExpectString(HKEY_LOCAL_MACHINE, UninstallKey, L"UninstallString", L"\"" + program + L"\" -ui");
}

void TInstallCheck::ExpectStampAndCommonData(std::string &stampLine) const {
  const TDateTime end = Now();
  const double second = 1.0 / 86400;
  double stampTime = FStart - 2 * second;
  if (!Choices.Portable) {
    const std::string stamp = ReadFile(SharedData() + L"Hidden\\install_stamp");
    ASSERT_EQ(stamp.size(), 8u);
    stampTime = DoubleAt(stamp, 0);
    EXPECT_GE(stampTime, FStart - 2 * second);
    EXPECT_LE(stampTime, end + 2 * second);
    stampLine = StampLine(stamp);
  } else {
    EXPECT_FALSE(Exists(Choices.Target + L"\\install_stamp"));
  }
  const std::string common =
      ReadFile((Choices.Portable ? Choices.Target + L"\\" : SharedData()) + L"lvx_common.dat");
  ASSERT_EQ(common.size(), 25u);
  EXPECT_EQ(common.substr(0, 8), std::string("\1\0\0\0\10\0\0\0", 8));
  EXPECT_GE(DoubleAt(common, 8), stampTime);
  EXPECT_LE(DoubleAt(common, 8), end + 2 * second);
  EXPECT_EQ(common.substr(16), std::string("\2\0\0\0\1\0\0\0" "1", 9));
}

void TInstallCheck::ExpectLinks() const {
  const std::wstring name = LinkName(Choices.Language);
  for (bool forAll : {true, false}) {
    for (bool desktop : {false, true}) {
      const std::wstring path = LinkFolder(forAll, desktop) + L"\\" + name;
      SCOPED_TRACE(UTF8Encode(path));
      const bool wanted = !Choices.Portable && forAll == Choices.ForAll && (!desktop || Choices.Desktop);
      EXPECT_EQ(Exists(path), wanted);
      if (!wanted) continue;
      const TLink link = ReadLink(path);
      EXPECT_TRUE(link.Found);
      EXPECT_EQ(link.Target, Choices.Target + L"\\lvx.exe");
      EXPECT_EQ(link.Folder, Choices.Target);
      EXPECT_EQ(link.Description, Text(SDescription[Choices.Language]));
    }
  }
}

void TInstallCheck::ExpectLaunch(bool launched) const {
  const std::wstring program = Choices.Target + L"\\lvx.exe";
  if (!launched) {
    // The launch would have started the process before the setup ended.
    for (DWORD process : StandInProcesses()) EXPECT_NE(ImagePath(process), program) << "the application was launched";
    return;
  }
  TAppSearch search{0};
  const bool shown = WaitUntil([&] {
    for (DWORD process : StandInProcesses()) {
      if (ImagePath(process) != program) continue;
      search.ProcessId = process;
      ::EnumWindows(FindAppWindow, reinterpret_cast<LPARAM>(&search));
      if (search.Found != nullptr) return true;
    }
    return false;
  });
  ASSERT_TRUE(shown) << "the installed application did not start";
  // The application names the language it was started in, in English.
  static const wchar_t *const names[LanguageCount] = {L"German",   L"English",            L"Spanish",
                                                      L"French",   L"Polish",             L"Japanese",
                                                      L"Simplified Chinese", L"Traditional Chinese"};
  const std::wstring code = Text(Languages[Choices.Language].Code);
  EXPECT_NE(WaitForCaption(search.Found, L"Interface language: " + code + L" (" + names[Choices.Language] + L")"),
            nullptr)
      << "the application did not start in the wizard's language: "
      << UTF8Encode(WindowText(::GetWindow(search.Found, GW_CHILD)));
  // Closed as a person closes it, and gone before the next run.
  HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, search.ProcessId);
  ::PostMessageW(search.Found, WM_CLOSE, 0, 0);
  EXPECT_EQ(::WaitForSingleObject(process, AutomationWaitMs), WAIT_OBJECT_0);
  ::CloseHandle(process);
}

void TInstallCheck::ExpectInstalled(bool finished) {
  ExpectFiles();
  ExpectRecords();
  std::string stampLine;
  ExpectStampAndCommonData(stampLine);
  const std::wstring installLog = Choices.Target + L"\\Install.log";
  if (Choices.Portable)
    EXPECT_EQ(ReadFile(installLog), FInstallLogBefore);
  else
    EXPECT_EQ(ReadFile(installLog), ExpectedInstallLog());
  const std::string updateLog = ReadFile(SharedData() + L"Update.log");
  if (Choices.Portable || !finished || Unwritten(SharedData() + L"Update.log"))
    EXPECT_EQ(updateLog, FUpdateLogBefore);
  else
    EXPECT_EQ(updateLog, ExpectedUpdateLog(stampLine));
  ExpectLinks();
  ExpectLaunch(finished && Choices.Interactive && Choices.Launch);
}

void TInstallCheck::ExpectStoppedAt(const std::wstring &name) {
  // The program file is written first, then the licence.
  const std::wstring program = Choices.Target + L"\\lvx.exe", licence = Choices.Target + L"\\License.txt";
  const bool atProgram = ::lstrcmpiW(name.c_str(), L"lvx.exe") == 0;
  Choices.Unwritten = atProgram ? std::vector<std::wstring>{program, licence} : std::vector<std::wstring>{licence};
  for (const TPlacedFile &file : PlacedFiles()) {
    if (file.Path != program) continue;
    SCOPED_TRACE(UTF8Encode(program));
    if (atProgram) {
      // A write that fell short leaves no part of the file.
      EXPECT_FALSE(Exists(program));
      continue;
    }
    EXPECT_TRUE(ReadFile(program) == file.Bytes);
    EXPECT_EQ(PackedWriteTime(program), file.Time);
  }
  ExpectRecords();
  EXPECT_EQ(ReadFile(Choices.Target + L"\\Install.log"), ExpectedInstallLog(false));
  EXPECT_EQ(ReadFile(SharedData() + L"Hidden\\install_stamp").size(), 8u);
  EXPECT_FALSE(Exists(SharedData() + L"lvx_common.dat"));
  EXPECT_FALSE(Exists(SharedData() + L"Update.log"));
  for (const std::wstring &folder : AllLinkFolders())
    EXPECT_FALSE(Exists(folder + L"\\" + LinkName(Choices.Language))) << UTF8Encode(folder);
  ExpectLaunch(false);
}

void TInstallCheck::ExpectNothingInstalled(const std::wstring &target, const std::vector<std::wstring> &placed) {
  if (placed.empty()) {
    EXPECT_FALSE(Exists(target)) << UTF8Encode(target);
  } else {
    std::vector<std::wstring> held;
    WIN32_FIND_DATAW data;
    HANDLE search = ::FindFirstFileW((target + L"\\*").c_str(), &data);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = ::FindNextFileW(search, &data))
      if (std::wstring(data.cFileName) != L"." && std::wstring(data.cFileName) != L"..") held.push_back(data.cFileName);
    if (search != INVALID_HANDLE_VALUE) ::FindClose(search);
    EXPECT_EQ(held, placed) << UTF8Encode(target);
  }
  EXPECT_FALSE(Exists(SharedData())) << "shared data written";
  EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, "Software\\Lorvane Word Processor"));
  EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, UninstallKey));
  for (const std::wstring &folder : AllLinkFolders())
    for (uint8_t language = 0; language < LanguageCount; ++language)
      EXPECT_FALSE(Exists(folder + L"\\" + LinkName(language))) << UTF8Encode(folder);
}

TSetupRun::TSetupRun(const std::wstring &args, const std::wstring &program) : FRun(program, args) {
  EXPECT_TRUE(FRun.Started()) << "error " << FRun.StartError() << " starting " << UTF8Encode(program);
}

HWND TSetupRun::Wizard() {
  if (FWizard == nullptr) FWizard = WaitForTopWindow(ProcessId(), L"TMainForm");
  return FWizard;
}

bool TSetupRun::OnPage(int page, uint8_t language) {
  return WaitForCaption(Wizard(), Text(SPageTitles[language][page])) != nullptr;
}

HWND TSetupRun::Control(const char *const captions[], uint8_t language) {
  return FindByCaption(Wizard(), ReadableCaption(Text(captions[language])));
}

bool TSetupRun::Press(const char *const captions[], uint8_t language) { return Click(Control(captions, language)); }

void SetupRunTest::SetUpTestSuite() { ::CoInitialize(nullptr); }

void SetupRunTest::SetUp() { RemoveEveryTrace(); }

void SetupRunTest::TearDown() { RemoveEveryTrace(); }

void SmallDriveRun::SetUp() {
  SetupRunTest::SetUp();
  ULARGE_INTEGER free{};
  ASSERT_TRUE(::GetDiskFreeSpaceExW(L"S:\\", &free, nullptr, nullptr)) << "no small drive S: in this prefix";
  WIN32_FILE_ATTRIBUTE_DATA program{};
  ASSERT_TRUE(::GetFileAttributesExW(StandInApp().c_str(), GetFileExInfoStandard, &program));
  // Half the program file's size is left free.
  const uint64_t filler = free.QuadPart - program.nFileSizeLow / 2;
  ASSERT_GT(free.QuadPart, program.nFileSizeLow);
  HANDLE file = ::CreateFileW(Filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const std::string block(64 * 1024, 'x');
  for (uint64_t left = filler; left > 0;) {
    const DWORD count = static_cast<DWORD>(std::min<uint64_t>(left, block.size()));
    DWORD written = 0;
    ::WriteFile(file, block.data(), count, &written, nullptr);
    left -= count;
  }
  ::CloseHandle(file);
}

void SmallDriveRun::TearDown() {
  TempFolder::RemoveTree(Destination + L"\\");
  FreeDrive();
  SetupRunTest::TearDown();
}

void SmallDriveRun::FreeDrive() { ::DeleteFileW(Filler.c_str()); }

void SetupRunTest::RemoveEveryTrace() {
  for (DWORD process : StandInProcesses()) {
    HANDLE handle = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, process);
    ::TerminateProcess(handle, 0);
    ::WaitForSingleObject(handle, 5000);
    ::CloseHandle(handle);
  }
  RemoveStoredSettings();
  ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, UninstallKey);
  TempFolder::RemoveTree(SharedData());
  for (const std::wstring &folder : AllLinkFolders())
    for (uint8_t language = 0; language < LanguageCount; ++language)
      ::DeleteFileW((folder + L"\\" + LinkName(language)).c_str());
}

// The language of the resource, into *found (the replacement must take its
// place, not stand beside it).
static BOOL CALLBACK FirstLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found) {
  *reinterpret_cast<WORD *>(found) = language;
  return FALSE;
}

std::wstring DamagedCopy(const std::wstring &folder) {
  const std::wstring damaged = folder + L"damaged-setup.exe";
  EXPECT_TRUE(::CopyFileW(SetupExe().c_str(), damaged.c_str(), FALSE));
  std::string payload;
  WORD language = 0;
  HMODULE module = ::LoadLibraryExW(damaged.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ::EnumResourceLanguagesW(module, L"FILES", L"FILES", FirstLanguage, reinterpret_cast<LONG_PTR>(&language));
  if (HRSRC info = ::FindResourceW(module, L"FILES", L"FILES")) {
    const char *bytes = static_cast<const char *>(::LockResource(::LoadResource(module, info)));
    payload.assign(bytes, ::SizeofResource(module, info));
  }
  ::FreeLibrary(module);
  EXPECT_FALSE(payload.empty());
  payload[payload.size() / 2] = static_cast<char>(~payload[payload.size() / 2]);
  HANDLE update = ::BeginUpdateResourceW(damaged.c_str(), FALSE);
  EXPECT_TRUE(::UpdateResourceW(update, L"FILES", L"FILES", language, payload.data(),
                                static_cast<DWORD>(payload.size())));
  EXPECT_TRUE(::EndUpdateResourceW(update, FALSE));
  return damaged;
}
