// The wizard's compiled description: on the host compiled from its text, on
// Windows the RT_RCDATA resource "TMAINFORM" linked into the test.
#pragma once

#include <string>

std::string MainFormBytes();

// Checks a TMainForm stand-in that the description was read into: every
// component with its class, parent, properties in order, field and event,
// and the order of Loaded.
void ExpectWizardForm(class TMainForm *form);
