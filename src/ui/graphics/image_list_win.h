#pragma once
// A list of same-sized icons, as the tray icon steps through them.
#include <windows.h>

#include <span>
#include <vector>

#include "persist/component.h"
#include "ui/system/handles_win.h"

class TIcon;

class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* owner);
  std::string_view ClassName() const override { return "TImageList"; }
  const PropertyTable& Properties() const override;

  int Count() const { return static_cast<int>(FImages.size()); }
  // Adds the best-fitting image of .ico data; throws EInvalidGraphic.
  void AddIconData(std::span<const uint8_t> data);
  // Null outside 0..Count()-1; the list keeps ownership.
  HICON Icon(int index) const;
  // Gives `icon` a copy of one image, with the .ico data it came from so a
  // form can store it; outside 0..Count()-1 the icon is left alone.
  void GetIcon(int index, TIcon& icon) const;
  // The images' size; it starts as the system's small-icon size. A new size
  // makes every image again from its .ico data, so it may come before or
  // after the images in a form. 1 to 256 pixels.
  int ImageWidth() const { return FWidth; }
  int ImageHeight() const { return FHeight; }
  void SetImageWidth(int value);
  void SetImageHeight(int value);
  // Draws one image at its size; nothing outside 0..Count()-1.
  void Draw(HDC dc, int x, int y, int index) const;

  // Every image as the form stores them (see image_list_data.h); setting
  // them replaces the list, or leaves it as it was when the data is bad.
  std::vector<uint8_t> ImagesData() const;
  void SetImagesData(const std::vector<uint8_t>& value);

 private:
  struct Image {
    std::vector<uint8_t> data;
    IconHandle icon;
  };
  Image MakeImage(std::span<const uint8_t> data, int width, int height) const;
  static void CheckImageSide(const char* side, int value);
  void SetImageSize(int width, int height);

  std::vector<Image> FImages;
  int FWidth, FHeight;
};
