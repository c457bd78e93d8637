#include "ChildLog.h"

#include <windows.h>

#include <sstream>

namespace {

// The kernel keeps the first 15 bytes of a process's name.
std::string KernelName(const std::wstring &exe) {
  const size_t slash = exe.find_last_of(L"\\/");
  const std::wstring base = exe.substr(slash == std::wstring::npos ? 0 : slash + 1);
  return std::string(base.begin(), base.end()).substr(0, 15);
}

std::string ReadLog(const std::wstring &path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text(::GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  if (!text.empty() && !::ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) read = 0;
  ::CloseHandle(file);
  text.resize(read);
  return text;
}

// The count of lines naming the process, and the figures of the last one.
size_t Scan(const std::string &text, const std::string &name, TChildFigures &last) {
  std::istringstream lines(text);
  std::string line, lineName;
  size_t count = 0;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    long user = 0, system = 0, rssKb = 0;
    if (!(fields >> lineName >> user >> system >> rssKb) || lineName != name) continue;
    ++count;
    last.CpuMs = static_cast<double>(user + system);
    last.PeakBytes = static_cast<size_t>(rssKb) * 1024;
  }
  return count;
}

}  // namespace

size_t TChildLog::Count(const std::wstring &exe) const {
  TChildFigures ignored;
  return Scan(ReadLog(FPath), KernelName(exe), ignored);
}

bool TChildLog::WaitForNext(const std::wstring &exe, size_t before, TChildFigures &figures) const {
  for (int attempt = 0; attempt < 300; ++attempt) {
    if (Scan(ReadLog(FPath), KernelName(exe), figures) > before) return true;
    ::Sleep(10);
  }
  return false;
}
