#include "skin/menu/menu_navigation.h"

#include "base/accelerator.h"
#include "skin/menu/menu_item.h"
#include "skin/menu/menu_metrics.h"

bool IsSelectableMenuItem(const TMenuItem& item) { return item.Enabled && !IsMenuSeparator(item); }

int32_t FirstSelectableMenuItem(std::span<const TMenuItem> items) { return StepMenuSelection(items, -1, 1); }

int32_t StepMenuSelection(std::span<const TMenuItem> items, int32_t from, int step) {
  const int32_t count = static_cast<int32_t>(items.size());
  if (count == 0) return -1;
  int32_t i = from >= 0 && from < count ? from : (step > 0 ? count - 1 : 0);
  for (int32_t tried = 0; tried < count; ++tried) {
    i = (i + step + count) % count;
    if (IsSelectableMenuItem(items[i])) return i;
  }
  return -1;
}

int32_t MenuAcceleratorItem(std::span<const TMenuItem> items, char16_t typed) {
  if (typed == 0) return -1;
  for (size_t i = 0; i < items.size(); ++i)
    if (IsAccelerator(typed, items[i].Caption)) return static_cast<int32_t>(i);
  return -1;
}

TMenuKeyAction MenuKeyAction(std::span<const TMenuItem> items, int32_t hotIndex, size_t levelCount, TMenuKey key,
                             char16_t typed) {
  if (const int32_t i = MenuAcceleratorItem(items, typed); i >= 0) return {TMenuKeyCommand::HighlightAndClick, i};
  const bool hot = hotIndex >= 0 && hotIndex < static_cast<int32_t>(items.size());
  switch (key) {
    case TMenuKey::Enter:
      if (hot) return {TMenuKeyCommand::Click, hotIndex};
      break;
    case TMenuKey::Escape:
      return {levelCount > 1 ? TMenuKeyCommand::CloseLevel : TMenuKeyCommand::CloseMenu};
    case TMenuKey::Left:
      if (levelCount > 1) return {TMenuKeyCommand::CloseLevel};
      break;
    case TMenuKey::Right:
      if (hot && !items[hotIndex].SubItems.empty()) return {TMenuKeyCommand::Click, hotIndex};
      break;
    case TMenuKey::Up:
    case TMenuKey::Down: {
      const int32_t next = StepMenuSelection(items, hotIndex, key == TMenuKey::Down ? 1 : -1);
      if (next >= 0 && next != hotIndex) return {TMenuKeyCommand::Highlight, next};
      break;
    }
    case TMenuKey::Other: break;
  }
  return {};
}

TMenuChoice MenuChoice(const TMenuItem& item, bool execute, bool byKeyboard) {
  const bool subItems = !item.SubItems.empty();
  if (execute) {
    if (!IsSelectableMenuItem(item)) return TMenuChoice::None;
    return subItems ? TMenuChoice::OpenNow : TMenuChoice::RunCommand;
  }
  if (!subItems) return TMenuChoice::CloseDeeper;
  return byKeyboard ? TMenuChoice::None : TMenuChoice::OpenAfterDelay;
}
