// Screenshots of a process's own windows, for a person to look at.
#pragma once

#include <windows.h>

#include <string>

// Copies what the screen shows of the window (frame included) into a 24-bit
// BMP file. False when the file cannot be written.
bool SaveWindowShot(HWND window, const std::wstring &path);

// The file name under the folder named by the variable LV_SHOT_DIR, or an
// empty string when it is not set: shots are taken only when asked for.
std::wstring ShotPath(const std::wstring &name);
