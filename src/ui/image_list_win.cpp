#include "ui/image_list_win.h"

#include "base/exceptions.h"
#include "ui/icon_win.h"

void TImageList::AddIconData(std::span<const uint8_t> data) {
  TIcon icon;
  icon.LoadFromData(data);
  IconHandle copy(CopyIcon(icon.Handle()));
  if (!copy) throw EOutOfResources("Out of system resources: cannot copy an icon");
  FIcons.push_back(std::move(copy));
}

HICON TImageList::Icon(int index) const {
  return index >= 0 && index < Count() ? FIcons[static_cast<size_t>(index)].Get() : nullptr;
}

void TImageList::Draw(HDC dc, int x, int y, int index) const {
  if (HICON icon = Icon(index)) DrawIconEx(dc, x, y, icon, ImageWidth(), ImageHeight(), 0, nullptr, DI_NORMAL);
}
