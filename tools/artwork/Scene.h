// Our artwork: the wizard's left-column logo and the program icon share one
// emblem, a sheet of paper with the initial L and a fountain pen.
#pragma once

#include "Raster.h"

// 120 x 260 picture units.
void DrawLogo(Raster &r);
// 256 x 256 picture units; small sizes leave out the fine detail.
void DrawIcon(Raster &r, bool detailed);
