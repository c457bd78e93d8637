// The install benchmark: runs the setup's silent installation and the other
// contenders (the floor: inflate and write, nothing else; the peer: another
// installer of the same payload) as child processes, each on a fresh, empty
// destination, round by round with the order rotating, after one untimed
// warm-up each. Every run must end with exit code 0 and leave the 100 files
// with the stream's bytes and times. Prints per run and in medians the wall
// time, the CPU time and the peak working set, the medians of the
// round-by-round ratios setup / other, and the verdict on the targets.
// Exit code 0 when the targets are met, 1 when one is missed, 2 when a run
// failed or installed something else.
// With --figures, the CPU time and the peak working set come from the log of
// bench/ChildFigures.cpp around it: Wine reports neither through the handle.
// Usage: install_bench [--figures LOG] STREAM ROUNDS DESTROOT setup=EXE [floor=EXE] [peer=EXE]
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <cstdio>
#include <string>
#include <vector>

#include "ChildLog.h"
#include "InstallReference.h"
#include "InstallRun.h"

namespace {

constexpr double MaxWallOverFloor = 1.25;
constexpr size_t MaxPeakWorkingSet = 16u << 20;
constexpr DWORD RunTimeoutMs = 300000;

struct TContender {
  std::wstring Name, Exe, Command, Destination, SharedData, Remove;
  std::vector<TRunFigures> Runs;
};

std::wstring CommonAppData() {
  wchar_t path[MAX_PATH];
  return SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, path)) ? path : L"";
}

// The setup's switches are /S and /D<folder>; the others take /D=<folder>
// last, as the peer's installer requires.
bool MakeContender(const std::wstring &argument, const std::wstring &root, TContender &contender) {
  const size_t equals = argument.find(L'=');
  if (equals == std::wstring::npos) return false;
  contender.Name = argument.substr(0, equals);
  contender.Exe = argument.substr(equals + 1);
  const std::wstring exe = L'"' + contender.Exe + L'"';
  contender.Destination = root + L'\\' + contender.Name;
  contender.SharedData = contender.Destination;
  if (contender.Name == L"setup") {
    contender.Command = exe + L" /S /D" + contender.Destination;
    contender.Remove = CommonAppData() + L"\\Lorvane";
    contender.SharedData = contender.Remove + L"\\Public";
  } else if (contender.Name == L"floor") {
    contender.Command = exe + L" /D=" + contender.Destination;
  } else if (contender.Name == L"peer") {
    contender.Command = exe + L" /S /D=" + contender.Destination;
  } else {
    return false;
  }
  return true;
}

void Clean(const TContender &contender) {
  RemoveTree(contender.Destination);
  if (!contender.Remove.empty()) RemoveTree(contender.Remove);
}

// One run on a clean destination, checked; false (with a message) when it
// failed or installed something else.
// With a log of the sub-reaper, the CPU time and the peak working set are its
// figures, and handle holds what the child's handle reported.
bool RunChecked(TContender &contender, const std::vector<TReferenceEntry> &reference, const TChildLog *log,
                TRunFigures &figures, TRunFigures &handle) {
  Clean(contender);
  const size_t before = log ? log->Count(contender.Exe) : 0;
  if (!RunMeasured(contender.Command, RunTimeoutMs, figures)) {
    std::fwprintf(stderr, L"%ls: could not be run or did not end: %ls\n", contender.Name.c_str(), contender.Command.c_str());
    return false;
  }
  if (figures.ExitCode != 0) {
    std::fwprintf(stderr, L"%ls: exit code %lu\n", contender.Name.c_str(), figures.ExitCode);
    return false;
  }
  handle = figures;
  TChildFigures reaped;
  if (log && !log->WaitForNext(contender.Exe, before, reaped)) {
    std::fwprintf(stderr, L"%ls: its figures never reached the log\n", contender.Name.c_str());
    return false;
  }
  if (log) {
    figures.CpuMs = reaped.CpuMs;
    figures.PeakWorkingSet = reaped.PeakBytes;
  }
  const std::wstring wrong = CheckInstalled(reference, contender.Destination, contender.SharedData);
  if (!wrong.empty()) std::fwprintf(stderr, L"%ls: %ls\n", contender.Name.c_str(), wrong.c_str());
  return wrong.empty();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

template <typename Measure>
std::vector<double> Column(const TContender &contender, Measure measure) {
  std::vector<double> values;
  for (const TRunFigures &run : contender.Runs) values.push_back(measure(run));
  return values;
}

template <typename Measure>
double MedianRatio(const TContender &a, const TContender &b, Measure measure) {
  std::vector<double> ratios;
  for (size_t i = 0; i < a.Runs.size(); ++i) ratios.push_back(measure(a.Runs[i]) / measure(b.Runs[i]));
  return Median(ratios);
}

double Wall(const TRunFigures &run) { return run.WallMs; }
double Cpu(const TRunFigures &run) { return run.CpuMs; }
double PeakMb(const TRunFigures &run) { return static_cast<double>(run.PeakWorkingSet) / (1 << 20); }

// Prints the figures and the verdict; true when the targets are met.
bool Report(const std::vector<TContender> &contenders) {
  for (const TContender &c : contenders) {
    std::vector<double> peaks = Column(c, PeakMb);
    std::wprintf(L"%-6ls median: wall %8.1f ms, cpu %8.1f ms, peak working set %6.2f MB (largest %6.2f MB)\n",
                 c.Name.c_str(), Median(Column(c, Wall)), Median(Column(c, Cpu)), Median(peaks),
                 *std::max_element(peaks.begin(), peaks.end()));
  }
  const TContender &setup = contenders.front();
  bool met = true;
  for (size_t i = 1; i < contenders.size(); ++i) {
    const TContender &other = contenders[i];
    const double wall = MedianRatio(setup, other, Wall);
    std::wprintf(L"setup / %-5ls median of the paired ratios: wall %.3f, cpu %.3f\n", other.Name.c_str(), wall,
                 MedianRatio(setup, other, Cpu));
    if (other.Name == L"floor") {
      const bool pass = wall <= MaxWallOverFloor;
      std::wprintf(L"target: silent install <= %.2f x the floor (wall): %.3f %ls\n", MaxWallOverFloor, wall,
                   pass ? L"PASS" : L"FAIL");
      met = met && pass;
    }
  }
  std::vector<double> peaks = Column(setup, PeakMb);
  const double largest = *std::max_element(peaks.begin(), peaks.end());
  const bool pass = largest > 0 && largest <= static_cast<double>(MaxPeakWorkingSet) / (1 << 20);
  std::wprintf(L"target: setup peak working set <= %zu MB (largest of the runs): %.2f MB %ls\n", MaxPeakWorkingSet >> 20,
               largest, pass ? L"PASS" : L"FAIL");
  return met && pass;
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
  std::unique_ptr<TChildLog> log;
  if (argc > 2 && std::wstring(argv[1]) == L"--figures") {
    log = std::make_unique<TChildLog>(argv[2]);
    argc -= 2;
    argv += 2;
  }
  std::vector<TContender> contenders;
  bool valid = argc >= 5;
  for (int i = 4; valid && i < argc; ++i) {
    contenders.emplace_back();
    valid = MakeContender(argv[i], argv[3], contenders.back());
  }
  const int rounds = argc > 2 ? _wtoi(argv[2]) : 0;
  if (!valid || rounds < 0 || (rounds > 0 && (contenders.size() < 2 || contenders.front().Name != L"setup"))) {
    std::fwprintf(stderr, L"usage: install_bench [--figures LOG] STREAM ROUNDS DESTROOT setup=EXE floor=EXE|peer=EXE...\n"
                          L"       install_bench STREAM 0 DESTROOT NAME=EXE...   (one checked run each, untimed)\n");
    return 2;
  }
  const std::vector<TReferenceEntry> reference = LoadReference(argv[1]);
  if (reference.empty()) {
    std::fwprintf(stderr, L"install_bench: cannot read the payload stream %ls\n", argv[1]);
    return 2;
  }
  std::wprintf(L"%zu files, %d rounds, each contender on a fresh destination under %ls\n", reference.size(), rounds, argv[3]);
  TRunFigures figures, handle;
  for (TContender &contender : contenders)
    if (!RunChecked(contender, reference, log.get(), figures, handle)) return 2;
  if (rounds == 0) {
    for (const TContender &contender : contenders) Clean(contender);
    std::wprintf(L"every contender installed the %zu files with their bytes and times\n", reference.size());
    return 0;
  }
  const size_t n = contenders.size();
  for (int round = 0; round < rounds; ++round) {
    for (size_t k = 0; k < n; ++k) {
      TContender &contender = contenders[(round + k) % n];
      if (!RunChecked(contender, reference, log.get(), figures, handle)) return 2;
      contender.Runs.push_back(figures);
      std::wprintf(L"round %2d %-6ls wall %8.1f ms, cpu %8.1f ms, peak working set %6.2f MB", round + 1,
                   contender.Name.c_str(), figures.WallMs, figures.CpuMs, PeakMb(figures));
      if (log) std::wprintf(L" (its handle: cpu %.1f ms, peak %.2f MB)", handle.CpuMs, PeakMb(handle));
      std::wprintf(L"\n");
    }
    std::fflush(stdout);
  }
  for (const TContender &contender : contenders) Clean(contender);
  return Report(contenders) ? 0 : 1;
}
