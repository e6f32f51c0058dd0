#include "skin/menu/menu_images_win.h"

#include "ui/system/handles_win.h"
#include "ui/graphics/image_list_win.h"

TImageListMenuImages::TImageListMenuImages(const TImageList& list) : FList(list) {
  ICONINFO info{};
  if (list.Count() == 0 || !GetIconInfo(list.Icon(0), &info)) return;
  // The info's bitmaps are the caller's to free.
  BitmapHandle mask(info.hbmMask), color(info.hbmColor);
  BITMAP bitmap{};
  if (!GetObjectW(info.hbmMask, sizeof bitmap, &bitmap)) return;
  FWidth = bitmap.bmWidth;
  // A monochrome icon keeps its mask and its picture one above the other.
  FHeight = info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2;
}

int32_t TImageListMenuImages::Count() const { return FWidth > 0 && FHeight > 0 ? FList.Count() : 0; }

void TImageListMenuImages::DrawImage(PixelView target, int x, int y, int32_t index) {
  HICON icon = FList.Icon(index);
  if (!icon) return;
  DrawThroughGdi(target, FScratch, [&](HDC dc) { DrawIconEx(dc, x, y, icon, FWidth, FHeight, 0, nullptr, DI_NORMAL); });
}
