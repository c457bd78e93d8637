// The standard controls' registration with the form reader.
#include "toolkit/StdCtrls.h"

void RegisterStdControls() { RegisterClasses<TEdit, TMemo, TComboBox, TButton, TCheckBox, TLabel>(); }
