// The user's default locale as the program saw it at start-up.
#pragma once

#include <cstdint>

// Asks the system at the first call (the form constructor makes it at start)
// and gives that same value for the rest of the run.
uint32_t StartupLCID();
