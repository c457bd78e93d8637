// Times programs from their start until their first window has been painted,
// judged from outside: a visible top-level window of the process with a
// client area, which neither it nor any window in it still has to paint
// (seen twice in a row, so a window caught between being shown and being
// invalidated does not count). Each program is then ended.
// Runs the bare program and the setup in pairs, alternating which goes first,
// after one untimed run of each, and compares the median of the paired
// ratios setup / bare with the limit; exit code 1 when it is above.
// Usage: firstpaint_probe <pairs> <bare command line> <setup command line>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr double Limit = 1.30;
// A program whose window has not painted after this long has failed.
constexpr DWORD GiveUpMs = 60000;

struct PaintSearch {
  DWORD process;
  bool painted;
};

BOOL CALLBACK NoPendingPaint(HWND window, LPARAM param) {
  auto *pending = reinterpret_cast<bool *>(param);
  if (::GetUpdateRect(window, nullptr, FALSE)) *pending = true;
  return !*pending;
}

BOOL CALLBACK FindPaintedWindow(HWND window, LPARAM param) {
  auto *search = reinterpret_cast<PaintSearch *>(param);
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  RECT client;
  if (process != search->process || !::IsWindowVisible(window) || !::GetClientRect(window, &client) ||
      ::IsRectEmpty(&client))
    return TRUE;
  bool pending = ::GetUpdateRect(window, nullptr, FALSE) != FALSE;
  if (!pending) ::EnumChildWindows(window, NoPendingPaint, reinterpret_cast<LPARAM>(&pending));
  search->painted = !pending;
  return !search->painted;
}

bool WindowPainted(DWORD process) {
  PaintSearch search{process, false};
  ::EnumWindows(FindPaintedWindow, reinterpret_cast<LPARAM>(&search));
  return search.painted;
}

double Seconds(const LARGE_INTEGER &from, const LARGE_INTEGER &to) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Milliseconds from the start of the command line to its first painted
// window; a negative value when it could not be started or never painted.
double TimeFirstPaint(const std::wstring &commandLine) {
  std::wstring writable = commandLine;  // CreateProcessW may write into it
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  LARGE_INTEGER start;
  ::QueryPerformanceCounter(&start);
  if (!::CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return -1;
  ::CloseHandle(process.hThread);
  double ms = -1;
  int seen = 0;
  // The wait is also the pause between two looks.
  while (seen < 2 && ::WaitForSingleObject(process.hProcess, 1) == WAIT_TIMEOUT) {
    LARGE_INTEGER checked;
    ::QueryPerformanceCounter(&checked);
    if (Seconds(start, checked) * 1000 > GiveUpMs) break;
    if (!WindowPainted(process.dwProcessId)) {
      seen = 0;
    } else if (++seen == 1) {
      ms = Seconds(start, checked) * 1000;
    }
  }
  if (seen < 2) ms = -1;
  ::TerminateProcess(process.hProcess, 0);
  ::WaitForSingleObject(process.hProcess, INFINITE);
  ::CloseHandle(process.hProcess);
  return ms;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
  if (argc != 4 || std::wcstol(argv[1], nullptr, 10) < 1) {
    std::fprintf(stderr, "usage: firstpaint_probe <pairs> <bare command line> <setup command line>\n");
    return 2;
  }
  const int pairs = static_cast<int>(std::wcstol(argv[1], nullptr, 10));
  const std::wstring bare = argv[2];
  const std::wstring setup = argv[3];
  // One of each first, untimed: the first windows of a session start the
  // prefix's desktop.
  if (TimeFirstPaint(bare) < 0 || TimeFirstPaint(setup) < 0) {
    std::fprintf(stderr, "firstpaint_probe: a program did not start or never painted its window\n");
    return 2;
  }
  std::vector<double> ratios;
  std::vector<double> bareTimes, setupTimes;
  for (int i = 1; i <= pairs; ++i) {
    double bareMs, setupMs;
    if (i % 2 == 1) {
      bareMs = TimeFirstPaint(bare);
      setupMs = TimeFirstPaint(setup);
    } else {
      setupMs = TimeFirstPaint(setup);
      bareMs = TimeFirstPaint(bare);
    }
    if (bareMs <= 0 || setupMs <= 0) {
      std::fprintf(stderr, "firstpaint_probe: pair %d: a program did not start or never painted its window\n", i);
      return 2;
    }
    ratios.push_back(setupMs / bareMs);
    bareTimes.push_back(bareMs);
    setupTimes.push_back(setupMs);
    std::printf("pair %2d: bare %7.1f ms, setup %7.1f ms, ratio %.3f\n", i, bareMs, setupMs, setupMs / bareMs);
    std::fflush(stdout);
  }
  const double median = Median(ratios);
  std::printf("medians: bare %.1f ms, setup %.1f ms\n", Median(bareTimes), Median(setupTimes));
  std::printf("setup / bare: median of the paired ratios %.3f (limit %.2f)\n%s\n", median, Limit,
              median <= Limit ? "PASS" : "FAIL");
  return median <= Limit ? 0 : 1;
}
