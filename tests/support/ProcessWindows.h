// The top-level windows of a process, as the tests look for them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Every top-level window of the process, in EnumWindows order.
std::vector<HWND> ProcessWindows(DWORD processId);
// The first visible dialog window (class "#32770") of the process, or null.
HWND FindProcessDialog(DWORD processId);
// The handle of a window made and destroyed at once: well formed, but it
// names no window any more.
HWND GoneWindow();
// The running processes whose image is named "lvx.exe", the stand-in
// application's.
std::vector<DWORD> StandInProcesses();
// The full path of a process's image, or empty.
std::wstring ImagePath(DWORD processId);
