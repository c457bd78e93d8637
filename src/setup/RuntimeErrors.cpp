#include "setup/RuntimeErrors.h"

#include <new>
#include <string_view>

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

// "Runtime error N at ADDRESS", the address in upper-case hex digits of the
// pointer's width. Written by hand into the caller's buffer: the heap may be
// what ran out, and printf would bring its whole formatter into the program.
void FormatRuntimeError(wchar_t (&text)[64], uint32_t number, const void *address) {
  size_t length = 0;
  for (wchar_t c : std::wstring_view(L"Runtime error ")) text[length++] = c;
  wchar_t digits[10];
  size_t count = 0;
  do {
    digits[count++] = static_cast<wchar_t>(L'0' + number % 10);
    number /= 10;
  } while (number != 0);
  while (count > 0) text[length++] = digits[--count];
  for (wchar_t c : std::wstring_view(L" at ")) text[length++] = c;
  const uintptr_t value = reinterpret_cast<uintptr_t>(address);
  for (int shift = 8 * sizeof value - 4; shift >= 0; shift -= 4) {
    text[length++] = L"0123456789ABCDEF"[(value >> shift) & 0xF];
  }
  text[length] = L'\0';
}

[[noreturn]] void EndWithRuntimeError(int32_t number, const void *address) {
  if (!Silent) {
    wchar_t text[64];
    FormatRuntimeError(text, static_cast<uint32_t>(number), address);
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
