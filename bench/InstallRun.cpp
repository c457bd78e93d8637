#include "InstallRun.h"

#include <psapi.h>

#include <vector>

namespace {

double Milliseconds(LONGLONG ticks) {
  static const double ticksPerMs = [] {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000.0;
  }();
  return static_cast<double>(ticks) / ticksPerMs;
}

double FileTimeMs(const FILETIME &time) {
  return static_cast<double>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 10000.0;
}

}  // namespace

bool RunMeasured(const std::wstring &commandLine, DWORD timeoutMs, TRunFigures &figures) {
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  LARGE_INTEGER start, end;
  ::QueryPerformanceCounter(&start);
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  const bool ended = ::WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0;
  ::QueryPerformanceCounter(&end);
  if (!ended) {
    ::TerminateProcess(process.hProcess, 255);
    ::WaitForSingleObject(process.hProcess, INFINITE);
  }
  figures.WallMs = Milliseconds(end.QuadPart - start.QuadPart);
  FILETIME created, exited, kernel, user;
  if (::GetProcessTimes(process.hProcess, &created, &exited, &kernel, &user))
    figures.CpuMs = FileTimeMs(kernel) + FileTimeMs(user);
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  if (::GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory)) figures.PeakWorkingSet = memory.PeakWorkingSetSize;
  ::GetExitCodeProcess(process.hProcess, &figures.ExitCode);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return ended;
}

void RemoveTree(const std::wstring &folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L'\\' + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(path.c_str());
      }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
  }
  ::RemoveDirectoryW(folder.c_str());
}
