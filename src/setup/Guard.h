// The outermost level of the program body.
#pragma once

// Runs the body and gives the exit code of the run. An exception that
// escapes the body is the program's fatal error: the task-modal box
// "Critical error" (nothing for EAbort, nothing in a silent run) and exit
// code 1. One that a message handler raised meanwhile shows the same box and
// the run goes on; a silent run shows none, takes exit code 1, and so stops
// at its next page step.
int RunGuarded(void (*body)());
