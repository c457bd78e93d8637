#include "resconst/UserLocale.h"

#include <windows.h>

uint32_t StartupLCID() {
  static const uint32_t lcid = GetUserDefaultLCID();
  return lcid;
}
