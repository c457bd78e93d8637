#include "setup/RuntimeErrors.h"

#include <exception>
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

// The box and the end of the process come from a thread of their own, made
// at start-up and waiting: the fault may be that the faulting thread's
// stack ran out, and then it has no room left to show a box, nor to make a
// thread.
wchar_t RuntimeErrorText[64];
UINT RuntimeErrorCode;
HANDLE RuntimeErrorRaised = nullptr;
bool ReporterWaits = false;

[[noreturn]] void ShowAndEnd() {
  if (!Silent) ::MessageBoxW(nullptr, RuntimeErrorText, L"Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  // Not ExitProcess: the faulting thread may hold a lock that the
  // libraries' detach would wait for.
  ::TerminateProcess(::GetCurrentProcess(), RuntimeErrorCode);
  for (;;) ::Sleep(INFINITE);
}

DWORD WINAPI ReportRuntimeError(void *) {
  ::WaitForSingleObject(RuntimeErrorRaised, INFINITE);
  ShowAndEnd();
}

[[noreturn]] void EndWithRuntimeError(int32_t number, const void *address) {
  // Another thread that fails meanwhile waits here until the first ends the
  // process.
  static LONG ending = 0;
  if (::InterlockedExchange(&ending, 1) != 0) ::Sleep(INFINITE);
  FormatRuntimeError(RuntimeErrorText, static_cast<uint32_t>(number), address);
  RuntimeErrorCode = static_cast<UINT>(number);
  if (!ReporterWaits) ShowAndEnd();
  ::SetEvent(RuntimeErrorRaised);
  for (;;) ::Sleep(INFINITE);
}

LONG WINAPI RuntimeErrorFilter(EXCEPTION_POINTERS *info) {
  EndWithRuntimeError(RuntimeErrorNumber(info->ExceptionRecord->ExceptionCode),
                      info->ExceptionRecord->ExceptionAddress);
}

// A stack that ran out is taken before any other handler: what is left of
// it may not carry the search for one to the filter.
LONG WINAPI StackOverflowHandler(EXCEPTION_POINTERS *info) {
  if (info->ExceptionRecord->ExceptionCode != EXCEPTION_STACK_OVERFLOW) return EXCEPTION_CONTINUE_SEARCH;
  EndWithRuntimeError(202, info->ExceptionRecord->ExceptionAddress);
}

// A C++ exception that no handler may take (one leaving a noexcept function,
// or raised while another unwinds): the runtime's own end would abort with
// its own code and, on some systems, its own box.
[[noreturn]] void TerminateAsRuntimeError() { EndWithRuntimeError(217, __builtin_return_address(0)); }

// The heap refused a block the program asked for with new. The payload's
// buffer is not among them: it is allocated apart and its shortage is an
// exception the start-up reports.
[[noreturn]] void HeapExhausted() { EndWithRuntimeError(203, __builtin_return_address(0)); }

}  // namespace

void CatchRuntimeErrors() {
  RuntimeErrorRaised = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE reporter =
      RuntimeErrorRaised != nullptr ? ::CreateThread(nullptr, 0, ReportRuntimeError, nullptr, 0, nullptr) : nullptr;
  ReporterWaits = reporter != nullptr;
  if (reporter != nullptr) ::CloseHandle(reporter);
  ::AddVectoredExceptionHandler(1, StackOverflowHandler);
  ::SetUnhandledExceptionFilter(RuntimeErrorFilter);
  std::set_new_handler(HeapExhausted);
  std::set_terminate(TerminateAsRuntimeError);
}
