#include "skin/menu/menu_item_rules.h"

#include "skin/menu/menu_metrics.h"

TMenuMark MenuItemMark(const TMenuItem& item, int32_t imageCount) {
  if (item.ImageIndex >= 0 && item.ImageIndex < imageCount) return TMenuMark::Image;
  if (MenuItemGlyph(item.Name)) return TMenuMark::Glyph;
  if (!item.Checked) return TMenuMark::None;
  return item.RadioItem ? TMenuMark::Radio : TMenuMark::Check;
}

void SetMenuItemChecked(std::span<TMenuItem* const> siblings, size_t index, bool checked) {
  if (index >= siblings.size()) return;
  TMenuItem& item = *siblings[index];
  item.Checked = checked;
  if (!checked || !item.RadioItem) return;
  for (size_t i = 0; i < siblings.size(); ++i)
    if (i != index && siblings[i]->RadioItem && siblings[i]->GroupIndex == item.GroupIndex)
      siblings[i]->Checked = false;
}

std::vector<TMenuItem> VisibleMenuItems(std::span<const TMenuItem> items) {
  std::vector<TMenuItem> shown;
  for (const TMenuItem& item : items)
    if (item.Visible) shown.push_back(item);
  return shown;
}
