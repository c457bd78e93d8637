// What the application was started for, from its command line: the setup
// launches it with "-uilp <code>" and registers "-ui" for removal. The
// removal hands itself over to a copy outside the program folder with
// "-uifrom" and "-uiwait" (or "-uiafter" when started elevated).
#pragma once

#include <cstdint>
#include <string>

struct TStartOptions {
  std::wstring Language;  // the code after -uilp; empty when not given
  bool Uninstall = false;  // -ui
  // /S or -S (any parameter starting so, as the setup reads its own switch):
  // no question and no report.
  bool Silent = false;
  // The copy doing the removal: the installed program it removes (-uifrom)
  // and an inherited handle of that program's process, ended before the
  // removal starts (-uiwait); or that process's id (-uiafter), as an
  // elevated start inherits no handle.
  std::wstring RemoveFrom;
  uintptr_t WaitFor = 0;
  unsigned long WaitForProcessId = 0;
};

TStartOptions ParseStartOptions(int argc, wchar_t **argv);

// The English name of a language code the setup passes ("de" gives
// "German"); empty for any other code.
std::wstring LanguageName(const std::wstring &code);
