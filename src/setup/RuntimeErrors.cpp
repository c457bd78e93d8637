#include "setup/RuntimeErrors.h"

#include <cstdio>
#include <new>

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

[[noreturn]] void EndWithRuntimeError(int32_t number, const void *address) {
  if (!Silent) {
    wchar_t text[64];
    std::swprintf(text, 64, L"Runtime error %d at %0*llX", static_cast<int>(number),
                  static_cast<int>(2 * sizeof(void *)),
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(address)));
    ::MessageBoxW(nullptr, text, L"Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  }
  ::ExitProcess(static_cast<UINT>(number));
}

LONG WINAPI RuntimeErrorFilter(EXCEPTION_POINTERS *info) {
  EndWithRuntimeError(RuntimeErrorNumber(info->ExceptionRecord->ExceptionCode),
                      info->ExceptionRecord->ExceptionAddress);
}

// The heap refused a block the program asked for with new. The payload's
// buffer is not among them: it is allocated apart and its shortage is an
// exception the start-up reports.
[[noreturn]] void HeapExhausted() { EndWithRuntimeError(203, __builtin_return_address(0)); }

}  // namespace

void CatchRuntimeErrors() {
  ::SetUnhandledExceptionFilter(RuntimeErrorFilter);
  std::set_new_handler(HeapExhausted);
}
