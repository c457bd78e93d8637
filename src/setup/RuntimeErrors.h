// Hardware faults (an access violation, a stack overflow, a division by
// zero) and a heap that has no more memory end the run as runtime errors:
// the box "Runtime error N at ADDRESS", caption "Error", unless the run is
// silent, and N as the exit code.
#pragma once

#include <windows.h>

#include <cstdint>

// The runtime error number of a fault: 200 division by zero, 202 stack
// overflow, 215 arithmetic overflow, 216 access violation, 217 any other.
int32_t RuntimeErrorNumber(DWORD exceptionCode);
// Installs the filter for faults no handler took, and makes a refused
// allocation runtime error 203 and a C++ exception that ends the program
// (std::terminate) runtime error 217.
void CatchRuntimeErrors();
