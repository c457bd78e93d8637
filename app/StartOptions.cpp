#include "StartOptions.h"

#include <cwchar>

TStartOptions ParseStartOptions(int argc, wchar_t **argv) {
  TStartOptions options;
  for (int i = 1; i < argc; ++i) {
    if (_wcsicmp(argv[i], L"-uilp") == 0 && i + 1 < argc)
      options.Language = argv[++i];
    else if (_wcsicmp(argv[i], L"-uifrom") == 0 && i + 1 < argc)
      options.RemoveFrom = argv[++i];
    else if (_wcsicmp(argv[i], L"-uiwait") == 0 && i + 1 < argc)
      options.WaitFor = static_cast<uintptr_t>(std::wcstoull(argv[++i], nullptr, 10));
    else if (_wcsicmp(argv[i], L"-uiafter") == 0 && i + 1 < argc)
      options.WaitForProcessId = std::wcstoul(argv[++i], nullptr, 10);
    else if (_wcsicmp(argv[i], L"-ui") == 0)
      options.Uninstall = true;
    else if ((argv[i][0] == L'/' || argv[i][0] == L'-') && (argv[i][1] == L'S' || argv[i][1] == L's'))
      options.Silent = true;
  }
  return options;
}

std::wstring LanguageName(const std::wstring &code) {
  static const struct {
    const wchar_t *code, *name;
  } names[] = {
      {L"de", L"German"},   {L"en", L"English"},  {L"es", L"Spanish"},            {L"fr", L"French"},
      {L"pl", L"Polish"},   {L"ja", L"Japanese"}, {L"zh", L"Simplified Chinese"}, {L"zht", L"Traditional Chinese"},
  };
  for (const auto &n : names) {
    if (code == n.code) return n.name;
  }
  return L"";
}
