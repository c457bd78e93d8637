// Every exit code setup.exe ends with, in one place. Only the setup's own
// code sets the exit code; the libraries below it report failure by their
// results. A runtime error ends the process with its own number (200 to 217,
// RuntimeErrors.h).
#pragma once

#include <cstdint>

enum TExitCode : int32_t {
  // Installed, or quit before installing.
  ExitSuccess = 0,
  // An exception no handler took (interactively after the box "Critical
  // error"), or in a silent run one inside a window's handler.
  ExitFatalError = 1,
  // A silent run found the installed application running; nothing written.
  ExitApplicationRunning = 1,
  // A payload file, or in a silent run "Update.log", could not be written.
  ExitNotWritten = 2,
  // The setup file's payload is damaged; nothing written.
  ExitDamagedSetup = 3,
  // A silent run stopped at a page check; nothing written.
  ExitRefusedSilently = 4,
};
