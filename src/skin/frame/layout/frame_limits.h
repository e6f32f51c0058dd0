#pragma once
// How small and how large the frame may be.
#include <cstdint>

#include "base/geometry.h"

struct TFrameLimitInput {
  bool Skinned = false;
  int32_t PictureWidth = 0, PictureHeight = 0;  // the skin's main picture
  TRect ClientRect;                             // the skin's clientrect
  int32_t CaptionHeight = 19;                   // the skin-less caption bar
  int32_t MinWidth = 0, MinHeight = 0;          // the form's own limits
  bool Minimized = false, RolledUp = false;
};

// A minimized or rolled-up form shrinks to the skin's bare frame whatever its
// own limits say.
int32_t MinFrameWidth(const TFrameLimitInput& in);
int32_t MinFrameHeight(const TFrameLimitInput& in);

// The largest tracking size: the work area, or the monitor on full screen.
TPoint MaxTrackSize(const TRect& workArea, const TRect& monitor, bool fullScreen);

// The form's window size after a skin change. `keptClient` is the size that
// keeps its client area under the new borders; a rolled-up form shrinks to
// the new caption strip and a minimized one to the new bare frame; none is
// left below `least`, the new minimum for its state.
TPoint SizeAfterSkinChange(TPoint keptClient, TPoint least, bool rolledUp, bool minimized);
