#pragma once
// Window regions from masks: black pixels are inside. The handles are the
// caller's.
#include <windows.h>

#include "skin/pixels/mask_region.h"
#include "ui/system/handles_win.h"

// The region of the whole mask at (0, 0); none for an empty mask.
RegionHandle RegionFromMask(PixelView mask);
RegionHandle RegionFromMask(HBITMAP mask);

// The mask fitted to a width x height target: its border strips tiled to it
// (the scaled points), united with the scaled client rectangle.
// None when RT'.X < LT'.X or LB'.Y < LT'.Y.
RegionHandle ScaledMaskRegion(const TFramePoints& points, const TFramePoints& scaled, PixelView mask, int width,
                              int height);
