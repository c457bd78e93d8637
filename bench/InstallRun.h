// One timed run of an installer as a child process, and the clean-up of what
// it left between runs.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

struct TRunFigures {
  double WallMs = 0;      // CreateProcess until the child has ended
  double CpuMs = 0;       // the child's user and kernel time
  size_t PeakWorkingSet = 0;  // bytes, as the ended child's handle reports it
  DWORD ExitCode = 0;
};

// Runs the command line and waits for it, at most timeoutMs; false when it
// could not be started or did not end in time (it is then ended).
bool RunMeasured(const std::wstring &commandLine, DWORD timeoutMs, TRunFigures &figures);

// Removes a folder with everything in it; nothing when it does not exist.
void RemoveTree(const std::wstring &folder);
