// The application's one window: a title band, how it was started, and a
// Close button. It carries the window property by which the setup finds a
// running copy.
#pragma once

#include <windows.h>

#include "StartOptions.h"

// Child control ids; tests read the texts through them.
constexpr int IdLanguage = 101;
constexpr int IdStatus = 102;

// The property the setup's running-instance test looks for.
constexpr wchar_t InstanceProperty[] = L"1.x Quenmoor";

// Creates and shows the window; null when that fails.
HWND CreateMainWindow(HINSTANCE instance, const TStartOptions &options, int show);
