// The themed look, where the system has one: uxtheme is loaded at run time,
// and every caller has an unthemed way when it is missing or themes are off.
#pragma once

#include <windows.h>

class TThemeServices {
public:
  TThemeServices();
  ~TThemeServices();
  TThemeServices(const TThemeServices &) = delete;
  TThemeServices &operator=(const TThemeServices &) = delete;

  // uxtheme was loaded.
  bool UseThemes() const { return FUseThemes; }
  // The system says themes are active.
  bool ThemesAvailable() const { return FThemesAvailable; }
  // Themes are in use and the button theme opens.
  bool ThemesEnabled();
  // Draws the parent's themed background behind the window, into DC.
  void PaintParentBackground(HWND Window, HDC DC);
  // Closes the open theme and asks again whether themes are active.
  void UpdateThemes();

private:
  using THandle = void *;
  THandle Theme();

  HMODULE FLibrary = nullptr;
  bool FUseThemes = false;
  bool FThemesAvailable = false;
  THandle FButtonTheme = nullptr;
  THandle(WINAPI *FOpenThemeData)(HWND, LPCWSTR) = nullptr;
  HRESULT(WINAPI *FCloseThemeData)(THandle) = nullptr;
  BOOL(WINAPI *FIsThemeActive)() = nullptr;
  HRESULT(WINAPI *FDrawThemeParentBackground)(HWND, HDC, const RECT *) = nullptr;
};

// The one theme service of the program.
TThemeServices &ThemeServices();
