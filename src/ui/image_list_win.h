#pragma once
// A list of same-sized icons, as the tray icon steps through them.
#include <windows.h>

#include <span>
#include <vector>

#include "persist/component.h"
#include "ui/handles_win.h"

class TImageList : public TComponent {
 public:
  using TComponent::TComponent;
  std::string_view ClassName() const override { return "TImageList"; }

  int Count() const { return static_cast<int>(FIcons.size()); }
  // Adds the best-fitting image of .ico data; throws EInvalidGraphic.
  void AddIconData(std::span<const uint8_t> data);
  // Null outside 0..Count()-1; the list keeps ownership.
  HICON Icon(int index) const;
  // Every image is loaded at the system's small-icon size.
  int ImageWidth() const { return GetSystemMetrics(SM_CXSMICON); }
  int ImageHeight() const { return GetSystemMetrics(SM_CYSMICON); }
  // Draws one image at its size; nothing outside 0..Count()-1.
  void Draw(HDC dc, int x, int y, int index) const;

 private:
  std::vector<IconHandle> FIcons;
};
