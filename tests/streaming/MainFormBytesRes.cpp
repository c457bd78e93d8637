#include <windows.h>

#include "MainFormBytes.h"
#include "runtime/Streams.h"

std::string MainFormBytes() {
  TResourceStream stream(GetModuleHandleW(nullptr), "TMAINFORM", MAKEINTRESOURCEA(10));
  return std::string(static_cast<const char *>(stream.Memory()), static_cast<size_t>(stream.Size()));
}
