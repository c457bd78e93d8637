// Start-up: the payload catalogue, before any window exists.
#pragma once

#include "setup/ExitCodes.h"

// Creates AttachedFiles and gives back the pages of the compressed payload,
// which nothing reads again. With a damaged payload it tells the user to download
// the setup again (in the start language; a silent run shows nothing), sets
// the exit code ExitDamagedSetup and gives false: the run ends there. Any
// other failure, out of memory included, is left to the outermost guard.
bool LoadAttachedFiles();
