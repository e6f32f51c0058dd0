#pragma once
// An icon read from .ico data, kept both as the file bytes (forms store
// those) and as a system icon handle.
#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

#include "ui/system/handles_win.h"
#include "persist/persistent.h"

class TIcon : public TPersistent {
 public:
  const PropertyTable& Properties() const override;

  bool Empty() const { return !FHandle && !FShared; }
  // The icon at the system's small-icon size unless told otherwise.
  HICON Handle() const { return FHandle ? FHandle.Get() : FShared; }
  const std::vector<uint8_t>& Data() const { return FData; }

  // Throws EInvalidGraphic for data that is not an icon.
  void SetData(const std::vector<uint8_t>& data);
  void LoadFromData(std::span<const uint8_t> data, int size = 0);
  // Shows a handle owned elsewhere (the application's icon) without owning it.
  void ShowShared(HICON icon);
  // Takes a copy of an icon owned elsewhere (an image list's); `data`, the
  // .ico file it was made from if known, is what a form stores of it.
  void CopyFrom(HICON icon, std::span<const uint8_t> data = {});
  // Takes the other's image as a handle of its own.
  void Assign(const TIcon& other);
  void Clear();

 private:
  std::vector<uint8_t> FData;
  IconHandle FHandle;
  HICON FShared = nullptr;
};
