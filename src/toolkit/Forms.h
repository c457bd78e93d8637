// Forms and the services they give controls.
#pragma once

// Reports the exception being handled; call it only inside a catch block. A
// window holding the mouse capture is told to cancel the mode first. EAbort
// is silent; anything else shows the task-modal box "Critical error" without
// the exception's own text (that is for developers, not for the user). The
// message loop then goes on; at the outermost level the run ends.
void HandleException();
