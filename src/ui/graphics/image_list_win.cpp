#include "ui/graphics/image_list_win.h"

#include <string>

#include "base/exceptions.h"
#include "base/codecs/ico_file.h"
#include "persist/properties.h"
#include "ui/graphics/icon_win.h"
#include "ui/graphics/image_list_data.h"

TImageList::TImageList(TComponent* owner)
    : TComponent(owner), FWidth(GetSystemMetrics(SM_CXSMICON)), FHeight(GetSystemMetrics(SM_CYSMICON)) {}

const PropertyTable& TImageList::Properties() const {
  using L = TImageList;
  static const PropertyTable table(&TComponent::Properties(),
                                   {
                                       props::Int("Width", &L::SetImageWidth, &L::ImageWidth),
                                       props::Int("Height", &L::SetImageHeight, &L::ImageHeight),
                                       props::Binary("Images", &L::SetImagesData, &L::ImagesData),
                                   });
  return table;
}

TImageList::Image TImageList::MakeImage(std::span<const uint8_t> data, int width, int height) const {
  std::vector<IconEntry> entries = ParseIcon(data);
  const IconEntry& entry = entries[PickIconEntry(entries, width, 32)];
  IconHandle icon(CreateIconFromResourceEx(const_cast<PBYTE>(entry.image.data()),
                                           static_cast<DWORD>(entry.image.size()), TRUE, 0x00030000, width, height,
                                           LR_DEFAULTCOLOR));
  if (!icon) throw EInvalidGraphic("Invalid icon: the system could not make an icon of the image");
  return {std::vector<uint8_t>(data.begin(), data.end()), std::move(icon)};
}

void TImageList::AddIconData(std::span<const uint8_t> data) { FImages.push_back(MakeImage(data, FWidth, FHeight)); }

HICON TImageList::Icon(int index) const {
  return index >= 0 && index < Count() ? FImages[static_cast<size_t>(index)].icon.Get() : nullptr;
}

void TImageList::GetIcon(int index, TIcon& icon) const {
  if (index < 0 || index >= Count()) return;
  const Image& image = FImages[static_cast<size_t>(index)];
  icon.CopyFrom(image.icon.Get(), image.data);
}

void TImageList::SetImageWidth(int value) {
  CheckImageSide("width", value);
  SetImageSize(value, FHeight);
}

void TImageList::SetImageHeight(int value) {
  CheckImageSide("height", value);
  SetImageSize(FWidth, value);
}

void TImageList::CheckImageSide(const char* side, int value) {
  if (value < 1 || value > 256)
    throw EPropertyValue(std::string("an image ") + side + " of " + std::to_string(value) +
                         " is outside 1 to 256 pixels");
}

void TImageList::SetImageSize(int width, int height) {
  if (width == FWidth && height == FHeight) return;
  // Made whole before any is replaced: a failure leaves the list as it was.
  std::vector<Image> resized;
  for (const Image& image : FImages) resized.push_back(MakeImage(image.data, width, height));
  FImages = std::move(resized);
  FWidth = width;
  FHeight = height;
}

void TImageList::Draw(HDC dc, int x, int y, int index) const {
  if (HICON icon = Icon(index)) DrawIconEx(dc, x, y, icon, FWidth, FHeight, 0, nullptr, DI_NORMAL);
}

std::vector<uint8_t> TImageList::ImagesData() const {
  std::vector<std::vector<uint8_t>> icons;
  for (const Image& image : FImages) icons.push_back(image.data);
  return EncodeImageListData(icons);
}

void TImageList::SetImagesData(const std::vector<uint8_t>& value) {
  std::vector<Image> images;
  for (const std::vector<uint8_t>& icon : DecodeImageListData(value)) images.push_back(MakeImage(icon, FWidth, FHeight));
  FImages = std::move(images);
}
