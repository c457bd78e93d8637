#include <windows.h>

#include "MainWindow.h"
#include "Uninstall.h"

namespace {

// Found as the setup finds it: a top-level window with the property.
BOOL CALLBACK FindInstance(HWND window, LPARAM found) {
  if (::GetPropW(window, InstanceProperty) == nullptr) return TRUE;
  *reinterpret_cast<bool *>(found) = true;
  return FALSE;
}

bool InstanceRunning() {
  bool found = false;
  ::EnumWindows(FindInstance, reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

bool NoInstanceRunning(bool silent) {
  while (InstanceRunning())
    if (silent || !AskToCloseApplication()) return false;
  return true;
}
