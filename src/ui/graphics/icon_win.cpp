#include "ui/graphics/icon_win.h"

#include "base/exceptions.h"
#include "base/codecs/ico_file.h"
#include "persist/properties.h"

const PropertyTable& TIcon::Properties() const {
  static const PropertyTable table(&TPersistent::Properties(), {props::Binary("Data", &TIcon::SetData, &TIcon::Data)});
  return table;
}

void TIcon::SetData(const std::vector<uint8_t>& data) { LoadFromData(data); }

void TIcon::LoadFromData(std::span<const uint8_t> data, int size) {
  if (data.empty()) {
    Clear();
    return;
  }
  if (size <= 0) size = GetSystemMetrics(SM_CXSMICON);
  std::vector<IconEntry> entries = ParseIcon(data);
  const IconEntry& entry = entries[PickIconEntry(entries, size, 32)];
  IconHandle handle(CreateIconFromResourceEx(const_cast<PBYTE>(entry.image.data()),
                                             static_cast<DWORD>(entry.image.size()), TRUE, 0x00030000, size, size,
                                             LR_DEFAULTCOLOR));
  if (!handle) throw EInvalidGraphic("Invalid icon: the system could not make an icon of the image");
  FData.assign(data.begin(), data.end());
  FHandle = std::move(handle);
  FShared = nullptr;
}

void TIcon::ShowShared(HICON icon) {
  FHandle.Reset();
  FData.clear();
  FShared = icon;
}

void TIcon::CopyFrom(HICON icon, std::span<const uint8_t> data) {
  IconHandle copy(icon ? CopyIcon(icon) : nullptr);
  // The old icon stays when the copy fails: an icon silently gone is no copy.
  if (icon && !copy) throw EOutOfResources("Out of system resources: cannot copy an icon");
  FData.assign(data.begin(), data.end());
  FShared = nullptr;
  FHandle = std::move(copy);
}

void TIcon::Assign(const TIcon& other) {
  if (&other == this) return;
  // A copy of its own: the other icon may destroy its handle before this one is done with it.
  if (!other.FData.empty())
    LoadFromData(other.FData);
  else if (other.Handle())
    CopyFrom(other.Handle());
  else
    Clear();
}

void TIcon::Clear() {
  FHandle.Reset();
  FShared = nullptr;
  FData.clear();
}
