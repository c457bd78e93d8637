// What the application was started for, from its command line: the setup
// launches it with "-uilp <code>" and registers "-ui" for removal.
#pragma once

#include <string>

struct TStartOptions {
  std::wstring Language;  // the code after -uilp; empty when not given
  bool Uninstall = false;  // -ui
};

TStartOptions ParseStartOptions(int argc, wchar_t **argv);

// The English name of a language code the setup passes ("de" gives
// "German"); empty for any other code.
std::wstring LanguageName(const std::wstring &code);
