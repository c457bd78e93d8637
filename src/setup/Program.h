// The program body: both run modes, from start-up to the exit code.
#pragma once

#include <cstdint>

// Runs the setup and gives the process's exit code.
int32_t RunSetup();
