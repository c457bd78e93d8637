// The figures of ended child processes as the sub-reaper around the harness
// (bench/ChildFigures.cpp) logs them: under Wine the child's handle reports
// neither its CPU time nor, once it has ended, its peak working set.
#pragma once

#include <cstddef>
#include <string>

struct TChildFigures {
  double CpuMs = 0;
  size_t PeakBytes = 0;
};

class TChildLog {
 public:
  explicit TChildLog(std::wstring path) : FPath(std::move(path)) {}
  // How many processes of this executable the log holds so far.
  size_t Count(const std::wstring &exe) const;
  // Waits (up to a few seconds) until the log holds more than before of the
  // executable, and takes the figures of its latest; false when none came.
  bool WaitForNext(const std::wstring &exe, size_t before, TChildFigures &figures) const;

 private:
  std::wstring FPath;
};
