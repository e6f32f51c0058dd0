#pragma once
// The decisions of an open popup menu: which item the keyboard moves to or
// picks, what a key does to the levels, and what choosing an item does.
#include <cstddef>
#include <cstdint>
#include <span>

struct TMenuItem;

// Enabled and not a separator: only such items light up under the pointer or
// the arrow keys.
bool IsSelectableMenuItem(const TMenuItem& item);

// The first selectable item, or -1.
int32_t FirstSelectableMenuItem(std::span<const TMenuItem> items);

// The next (step 1) or previous (step -1) selectable item from `from`,
// wrapping at the ends; from -1 the first or the last. -1 when there is none.
int32_t StepMenuSelection(std::span<const TMenuItem> items, int32_t from, int step);

// The first item whose caption has `typed` as its accelerator, or -1.
int32_t MenuAcceleratorItem(std::span<const TMenuItem> items, char16_t typed);

enum class TMenuKey : uint8_t { Other, Enter, Escape, Left, Right, Up, Down };

enum class TMenuKeyCommand : uint8_t {
  None,
  Highlight,          // by keyboard, Index becomes the hot item, scrolled into view
  Click,              // click Index (it runs when enabled and its sub-menu is not open)
  HighlightAndClick,  // an accelerator's item
  CloseLevel,         // close the last level; the item below may open its sub-menu again
  CloseMenu,
};

struct TMenuKeyAction {
  TMenuKeyCommand Command = TMenuKeyCommand::None;
  int32_t Index = -1;
  bool operator==(const TMenuKeyAction&) const = default;
};

// A key in the last level's window with `items` and hot item `hotIndex`;
// `typed` is the key's character (0 for none), tried as an accelerator first.
TMenuKeyAction MenuKeyAction(std::span<const TMenuItem> items, int32_t hotIndex, size_t levelCount, TMenuKey key,
                             char16_t typed);

enum class TMenuChoice : uint8_t {
  None,
  CloseDeeper,     // stop the open delay, close the levels below the item's window
  RunCommand,      // stop the open delay, close every level, then run the item's command and tell the owner
  OpenAfterDelay,  // close the levels below, make the item pending and start the open delay
  OpenNow,         // run the item's own command, stop the delay, open its sub-menu beside it
};

// What choosing an item does: `execute` for a click, Enter or the open delay's
// tick, else a hover. A separator or a disabled item is never executed.
TMenuChoice MenuChoice(const TMenuItem& item, bool execute, bool byKeyboard);
