#include "ui/accessible_item.h"

#include "base/accelerator.h"

namespace {

TAccessibleItem Item(TAccessibleRole role, std::string_view name, uint32_t state) {
  TAccessibleItem item;
  item.Role = role;
  item.Name = std::string(name);
  item.State = state;
  return item;
}

}  // namespace

uint32_t ControlAccessibleState(const TControlAccess& control) {
  using namespace accessible_state;
  if (!control.Enabled) return Unavailable;
  return (control.Focusable ? Focusable : 0) | (control.Focused ? Focused : 0);
}

TAccessibleItem PushButtonAccessible(std::string_view caption, const TPushButtonAccess& button) {
  using namespace accessible_state;
  TAccessibleItem item =
      Item(TAccessibleRole::PushButton, CaptionWithoutAccelerators(caption), ControlAccessibleState(button.Control));
  item.DefaultAction = "Press";
  if (const std::string key = AcceleratorKeyName(caption); !key.empty()) item.KeyboardShortcut = "Alt+" + key;
  if (button.Down) item.State |= Pressed;
  if (button.Default && button.Control.Enabled) item.State |= Default;
  if (button.Hot && button.Control.Enabled) item.State |= HotTracked;
  return item;
}

TAccessibleItem LinkAccessible(std::string_view caption, const TControlAccess& control, bool visited) {
  using namespace accessible_state;
  TAccessibleItem item =
      Item(TAccessibleRole::Link, caption, ControlAccessibleState(control) | Linked | (visited ? Traversed : 0));
  item.DefaultAction = "Jump";
  return item;
}

TAccessibleItem SpinAccessible(std::string_view name, std::string_view value, const TControlAccess& control) {
  TAccessibleItem item = Item(TAccessibleRole::SpinButton, name, ControlAccessibleState(control));
  item.Value = std::string(value);
  return item;
}
