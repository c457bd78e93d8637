#include "setup/CommandLine.h"

#include <windows.h>

std::vector<WideString> CommandLineParams(const wchar_t *commandLine) {
  std::vector<WideString> params;
  const wchar_t *p = commandLine;
  for (;;) {
    for (;;) {
      while (*p != 0 && *p <= L' ') ++p;
      if (p[0] == L'"' && p[1] == L'"')
        p += 2;
      else
        break;
    }
    if (*p == 0) break;
    WideString param;
    bool quoted = false;
    while (*p != 0 && (quoted || *p > L' ')) {
      if (*p == L'"')
        quoted = !quoted;
      else
        param += *p;
      ++p;
    }
    params.push_back(param);
  }
  return params;
}

bool SilentSwitch(const std::vector<WideString> &params) {
  for (size_t i = params.size(); i-- > 1;) {
    const WideString &p = params[i];
    if (p.size() >= 2 && (p[0] == L'-' || p[0] == L'/') && (p[1] == L'S' || p[1] == L's')) return true;
  }
  return false;
}

std::optional<WideString> DestinationSwitch(const std::vector<WideString> &params) {
  std::optional<WideString> found;
  for (size_t i = params.size(); i-- > 1;) {
    const WideString &p = params[i];
    if (p.size() < 2 || (p[0] != L'-' && p[0] != L'/')) continue;
    wchar_t letter = p[1];
    ::LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, &p[1], 1, &letter, 1);
    if (letter == L'D') found = p.substr(2);
  }
  return found;
}
