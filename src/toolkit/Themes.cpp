// The themed look through uxtheme, loaded when the system has it.
#include "toolkit/Themes.h"

namespace {

template <class F>
void Entry(HMODULE library, const char *name, F &entry) {
  entry = reinterpret_cast<F>(reinterpret_cast<void *>(::GetProcAddress(library, name)));
}

}  // namespace

TThemeServices::TThemeServices() {
  // By its full path: a library of that name beside the program is not it.
  wchar_t path[MAX_PATH];
  const UINT length = ::GetSystemDirectoryW(path, MAX_PATH - 12);
  if (length == 0 || length >= MAX_PATH - 12) return;
  ::lstrcpyW(path + length, L"\\uxtheme.dll");
  FLibrary = ::LoadLibraryW(path);
  if (FLibrary == nullptr) return;
  Entry(FLibrary, "OpenThemeData", FOpenThemeData);
  Entry(FLibrary, "CloseThemeData", FCloseThemeData);
  Entry(FLibrary, "IsThemeActive", FIsThemeActive);
  Entry(FLibrary, "DrawThemeParentBackground", FDrawThemeParentBackground);
  // An entry point missing is a library we cannot use.
  FUseThemes = FOpenThemeData && FCloseThemeData && FIsThemeActive && FDrawThemeParentBackground;
  UpdateThemes();
}

TThemeServices::~TThemeServices() {
  if (FButtonTheme != nullptr) FCloseThemeData(FButtonTheme);
}

TThemeServices::THandle TThemeServices::Theme() {
  if (FButtonTheme == nullptr && FUseThemes) FButtonTheme = FOpenThemeData(nullptr, L"button");
  return FButtonTheme;
}

bool TThemeServices::ThemesEnabled() { return FUseThemes && FThemesAvailable && Theme() != nullptr; }

void TThemeServices::PaintParentBackground(HWND Window, HDC DC) {
  if (FUseThemes) FDrawThemeParentBackground(Window, DC, nullptr);
}

void TThemeServices::UpdateThemes() {
  if (!FUseThemes) return;
  if (FButtonTheme != nullptr) FCloseThemeData(FButtonTheme);
  FButtonTheme = nullptr;
  FThemesAvailable = FIsThemeActive() != 0;
}

TThemeServices &ThemeServices() {
  static TThemeServices services;
  return services;
}
