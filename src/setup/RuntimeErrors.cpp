#include "setup/RuntimeErrors.h"

#include <cstdio>

#include "payload/InstUtils.h"

int32_t RuntimeErrorNumber(DWORD exceptionCode) {
  switch (exceptionCode) {
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
      return 200;
    case EXCEPTION_STACK_OVERFLOW:
      return 202;
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_FLT_OVERFLOW:
      return 215;
    case EXCEPTION_ACCESS_VIOLATION:
      return 216;
    default:
      return 217;
  }
}

namespace {

LONG WINAPI RuntimeErrorFilter(EXCEPTION_POINTERS *info) {
  const int32_t number = RuntimeErrorNumber(info->ExceptionRecord->ExceptionCode);
  if (!Silent) {
    wchar_t text[64];
    std::swprintf(text, 64, L"Runtime error %d at %0*llX", static_cast<int>(number),
                  static_cast<int>(2 * sizeof(void *)),
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(info->ExceptionRecord->ExceptionAddress)));
    ::MessageBoxW(nullptr, text, L"Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  }
  ::ExitProcess(static_cast<UINT>(number));
}

}  // namespace

void CatchRuntimeErrors() { ::SetUnhandledExceptionFilter(RuntimeErrorFilter); }
