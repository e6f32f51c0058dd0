#include "tray/icon_cycle.h"

int ClampIconIndex(int value, int imageCount) {
  if (imageCount <= 0 || value < 0) return 0;
  return value < imageCount ? value : imageCount - 1;
}

int NextIconIndex(int index, int imageCount) {
  if (index < 0 || index >= imageCount - 1) return 0;
  return index + 1;
}
