// The command line as the program sees it: its parameters and the two
// switches it knows.
#pragma once

#include <optional>
#include <vector>

#include "runtime/SysUtils.h"

// Parameter 0 is the program's path. Blanks and control characters separate
// parameters; double quotes enclose blanks and are dropped; a pair of double
// quotes at the start of a parameter is skipped.
std::vector<WideString> CommandLineParams(const wchar_t *commandLine);
// Any parameter after the program's path beginning "-S", "/S", "-s" or "/s".
bool SilentSwitch(const std::vector<WideString> &params);
// The rest of the first parameter beginning with "-" or "/" and then "D" in
// either case; none without one. The value may be empty.
std::optional<WideString> DestinationSwitch(const std::vector<WideString> &params);
