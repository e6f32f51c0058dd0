#include "ui/accessible_item.h"

#include "base/accelerator.h"

uint32_t ControlAccessibleState(const TControlAccess& control) {
  using namespace accessible_state;
  if (!control.Enabled) return Unavailable;
  return (control.Focusable ? Focusable : 0) | (control.Focused ? Focused : 0);
}

TAccessibleItem PushButtonAccessible(std::string_view caption, const TPushButtonAccess& button) {
  using namespace accessible_state;
  TAccessibleItem item{.Role = TAccessibleRole::PushButton,
                       .Name = CaptionWithoutAccelerators(caption),
                       .DefaultAction = "Press",
                       .State = ControlAccessibleState(button.Control)};
  if (const std::string key = AcceleratorKeyName(caption); !key.empty()) item.KeyboardShortcut = "Alt+" + key;
  if (button.Down) item.State |= Pressed;
  if (button.Default && button.Control.Enabled) item.State |= Default;
  if (button.Hot && button.Control.Enabled) item.State |= HotTracked;
  return item;
}

TAccessibleItem LinkAccessible(std::string_view caption, const TControlAccess& control, bool visited) {
  using namespace accessible_state;
  return {.Role = TAccessibleRole::Link,
          .Name = std::string(caption),
          .DefaultAction = "Jump",
          .State = ControlAccessibleState(control) | Linked | (visited ? Traversed : 0)};
}

TAccessibleItem SpinAccessible(std::string_view name, std::string_view value, const TControlAccess& control) {
  return {.Role = TAccessibleRole::SpinButton,
          .Name = std::string(name),
          .Value = std::string(value),
          .State = ControlAccessibleState(control)};
}
