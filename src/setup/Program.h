// The program body: both run modes, from start-up to the exit code.
#pragma once

#include <cstdint>

// Exit code of a silent run that a page check refused: nothing was written.
constexpr int32_t ExitRefusedSilently = 4;

// Runs the setup and gives the process's exit code.
int32_t RunSetup();
