#pragma once
// What a screen reader is told about a control, or about one part of it (a
// menu's item). Roles and states carry the system's own numbers, so the
// Win32 layer hands them on unchanged.
#include <cstdint>
#include <string>
#include <string_view>

enum class TAccessibleRole : int32_t {
  PopupMenu = 0x0B,
  MenuItem = 0x0C,
  Separator = 0x15,
  Link = 0x1E,
  PushButton = 0x2B,
  SpinButton = 0x34,
};

namespace accessible_state {
inline constexpr uint32_t Unavailable = 0x1;
inline constexpr uint32_t Focused = 0x4;
inline constexpr uint32_t Pressed = 0x8;
inline constexpr uint32_t HotTracked = 0x80;
inline constexpr uint32_t Default = 0x100;
inline constexpr uint32_t Offscreen = 0x10000;
inline constexpr uint32_t Focusable = 0x100000;
inline constexpr uint32_t Linked = 0x400000;
inline constexpr uint32_t Traversed = 0x800000;
inline constexpr uint32_t HasPopup = 0x40000000;
}  // namespace accessible_state

struct TAccessibleItem {
  TAccessibleRole Role = TAccessibleRole::PushButton;
  std::string Name;
  std::string Value;
  std::string Description;
  std::string KeyboardShortcut;
  std::string DefaultAction;  // empty: the item has none
  uint32_t State = 0;
  bool operator==(const TAccessibleItem&) const = default;
};

// A windowed control as the toolkit knows it.
struct TControlAccess {
  bool Enabled = true;
  bool Focusable = false;  // it can take the keyboard focus
  bool Focused = false;
};

// A disabled control is only unavailable: it can neither hold nor take the focus.
uint32_t ControlAccessibleState(const TControlAccess& control);

struct TPushButtonAccess {
  TControlAccess Control;
  bool Down = false, Default = false, Hot = false;
};
// Named by its caption as it reads, its '&' letter as Alt plus the letter.
TAccessibleItem PushButtonAccessible(std::string_view caption, const TPushButtonAccess& button);

TAccessibleItem LinkAccessible(std::string_view caption, const TControlAccess& control, bool visited);

// A control whose value the arrow keys step.
TAccessibleItem SpinAccessible(std::string_view name, std::string_view value, const TControlAccess& control);
