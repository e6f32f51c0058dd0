#pragma once
// Which image of the tray icon's image list is shown.

// The index to keep for a requested one: 0 without images, the last image
// for anything at or beyond the count, and 0 for a negative request.
int ClampIconIndex(int value, int imageCount);

// The image the animation shows after `index`: the next one, or the first
// after the last (or when `index` names no image of the list).
int NextIconIndex(int index, int imageCount);
