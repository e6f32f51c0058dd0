#pragma once
// A popup menu's image list as the menu paints it.
#include "skin/pixels/fast_bitmap_win.h"
#include "skin/menu/menu_paint.h"

class TImageList;

class TImageListMenuImages : public TMenuImages {
 public:
  // The images take the size of the list's first one; the list must outlive this.
  explicit TImageListMenuImages(const TImageList& list);
  int32_t Count() const override;
  int32_t Width() const override { return FWidth; }
  int32_t Height() const override { return FHeight; }
  void DrawImage(PixelView target, int x, int y, int32_t index) override;

 private:
  const TImageList& FList;
  int32_t FWidth = 0, FHeight = 0;
  TFBitmap FScratch{0, 0};
};
