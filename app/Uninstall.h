// The application removes its installation when started with -ui, as the
// uninstall entry says. The installed program cannot delete itself or its
// folder while it runs, so it only asks and then hands the removal to a copy
// of itself in the temporary folder (started elevated when the installation
// is the machine's, which the current token cannot change); the copy waits
// for it to end, removes what the records list, and leaves its own file to
// be deleted at the next restart (a file that runs cannot delete itself).
#pragma once

#include <string>

#include "StartOptions.h"

// How a removal ended. The installed program ends with UninstallDone once
// the copy runs; the copy's exit code tells how the removal went.
enum TUninstallExit : int {
  UninstallDone = 0,
  // No in the question, or no administrator rights given at the system's
  // prompt: nothing changed
  UninstallDeclined = 1,
  UninstallNotInstalled = 2,         // no "Install.log" listing the program beside it
  // something was left: it could not be removed, the records name it
  // outside the setup's places, or the shared files are not known; the rest
  // was removed
  UninstallIncomplete = 3,
  UninstallNotStarted = 4,           // the copy could not be made or started
  UninstallApplicationRunning = 5,   // the application runs: nothing changed
};

// The installed program started with -ui: checks that it is installed,
// asks unless silent, starts the copy and ends.
int HandOverRemoval(const TStartOptions &options);
// The copy: removes the installation of options.RemoveFrom and reports what
// it could not remove (in a box unless silent).
int RemoveInstallation(const TStartOptions &options);

// The boxes of a removal, titled with the product's name.
bool AskToRemove();
void Tell(const std::wstring &text, unsigned icon);
// True once no window of the application is open: unless silent, a box asks
// to close it (Retry) or to leave the installation as it is (Cancel).
bool NoInstanceRunning(bool silent);
// Asks to close the running application; true for Retry.
bool AskToCloseApplication();
// Reports, unless silent, that the folder holds no installation.
int NotInstalledIn(const std::wstring &folder, bool silent);
