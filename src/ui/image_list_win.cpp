#include "ui/image_list_win.h"

#include "ui/icon_win.h"

void TImageList::AddIconData(std::span<const uint8_t> data) {
  TIcon icon;
  icon.LoadFromData(data);
  FIcons.emplace_back(CopyIcon(icon.Handle()));
}

HICON TImageList::Icon(int index) const {
  return index >= 0 && index < Count() ? FIcons[static_cast<size_t>(index)].Get() : nullptr;
}
