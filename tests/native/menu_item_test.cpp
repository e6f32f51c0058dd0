// Menu items: which mark an item shows, the radio groups, shortcut texts and
// items loaded from a form stream with their nesting and handlers.
#include <gtest/gtest.h>

#include <any>
#include <memory>
#include <string>
#include <vector>

#include "base/exceptions.h"
#include "formc/text_form.h"
#include "persist/class_registry.h"
#include "persist/form_loader.h"
#include "persist/form_stream.h"
#include "skin/menu/menu_item_component.h"
#include "skin/menu/menu_item_rules.h"
#include "skin/menu/menu_shortcut.h"

namespace {

TEST(MenuItemRules, MarkIsImageThenGlyphThenCheck) {
  struct Case {
    const char* name;
    int32_t imageIndex, imageCount;
    bool checked, radio;
    TMenuMark mark;
  };
  const Case cases[] = {
      {"Open", 1, 2, true, true, TMenuMark::Image},      // an image wins over a check mark
      {"SKF_CLOSE", 0, 1, false, false, TMenuMark::Image},  // and over the command glyph
      {"SKF_CLOSE", 2, 2, true, false, TMenuMark::Glyph},   // out of range: no image
      {"Open", 0, 0, true, false, TMenuMark::Check},      // no image list
      {"Open", -1, 3, true, true, TMenuMark::Radio},
      {"Open", -1, 3, false, true, TMenuMark::None},
  };
  for (const Case& c : cases) {
    TMenuItem item{.Name = c.name, .ImageIndex = c.imageIndex, .Checked = c.checked, .RadioItem = c.radio};
    EXPECT_EQ(MenuItemMark(item, c.imageCount), c.mark) << c.name << " " << c.imageIndex << "/" << c.imageCount;
  }
}

TEST(MenuItemRules, CheckingARadioItemUnchecksOnlyItsGroup) {
  std::vector<TMenuItem> items(5);
  items[0] = {.Checked = true, .RadioItem = true, .GroupIndex = 1};
  items[1] = {.RadioItem = true, .GroupIndex = 1};
  items[2] = {.Checked = true, .RadioItem = true, .GroupIndex = 2};  // another group
  items[3] = {.Checked = true, .GroupIndex = 1};                     // a plain check item
  items[4] = {.Checked = true, .RadioItem = true, .GroupIndex = 1};
  std::vector<TMenuItem*> siblings;
  for (TMenuItem& item : items) siblings.push_back(&item);
  auto checks = [&] {
    std::vector<bool> out;
    for (const TMenuItem& item : items) out.push_back(item.Checked);
    return out;
  };
  SetMenuItemChecked(siblings, 1, true);
  EXPECT_EQ(checks(), (std::vector<bool>{false, true, true, true, false}));
  // Unchecking touches nobody else; a plain item never unchecks a radio one.
  SetMenuItemChecked(siblings, 1, false);
  SetMenuItemChecked(siblings, 3, true);
  EXPECT_EQ(checks(), (std::vector<bool>{false, false, true, true, false}));
  SetMenuItemChecked(siblings, 9, true);  // no such item
  EXPECT_EQ(checks(), (std::vector<bool>{false, false, true, true, false}));
}

TEST(MenuShortCut, ModifiersThenKeyName) {
  EXPECT_EQ(ShortCutText(0x4000 | 'S'), "Ctrl+S");
  EXPECT_EQ(ShortCutText(0x8000 | 0x73), "Alt+F4");
  EXPECT_EQ(ShortCutText(0xE000 | 0x2E), "Shift+Ctrl+Alt+Del");
  EXPECT_EQ(ShortCutText('7'), "7");
  EXPECT_EQ(ShortCutText(0), "");
  EXPECT_EQ(ShortCutText(0x4000 | 0xBA), "");  // a key without a name shows nothing
}

// A popup menu stand-in: what holds the stream's top items.
class TTestMenu : public TComponent, public TMenuItemList {
 public:
  using TComponent::TComponent;
  std::string_view ClassName() const override { return "TTestMenu"; }
};

class TTestPlain : public TComponent {
 public:
  using TComponent::TComponent;
  std::string_view ClassName() const override { return "TTestPlain"; }
};

class TMenuForm : public TComponent {
 public:
  TMenuForm() : TComponent(nullptr) {}
  std::string_view ClassName() const override { return "TMenuForm"; }
  std::any FindHandler(std::string_view name) override {
    if (name != "ItemClick") return {};
    return TNotifyEvent([this](TObject* sender) { clicked.push_back(sender); });
  }
  std::vector<TObject*> clicked;
};

std::unique_ptr<TMenuForm> LoadMenuForm(std::string_view text) {
  RegisterComponentClass<TTestMenu>("TTestMenu");
  RegisterComponentClass<TTestPlain>("TTestPlain");
  RegisterComponentClass<TMenuItemComponent>("TMenuItem");
  RegisterComponentClass<TAction>("TAction");
  auto form = std::make_unique<TMenuForm>();
  LoadForm(*form, WriteFormStream(ParseTextForm(text)));
  return form;
}

TEST(MenuItemStream, NestedItemsKeepTheirPropertiesOrderAndHandlers) {
  auto form = LoadMenuForm(R"(object MenuForm1: TMenuForm
  object Menu1: TTestMenu
    object Open1: TMenuItem
      Caption = '&Open'
      ShortCut = 16463
      ImageIndex = 2
      Default = True
      Hint = 'Opens a file'
      OnClick = ItemClick
    end
    object View1: TMenuItem
      Caption = '&View'
      object Small1: TMenuItem
        Caption = '&Small'
        Checked = True
        GroupIndex = 3
        RadioItem = True
      end
      object Large1: TMenuItem
        Caption = '&Large'
        GroupIndex = 3
        RadioItem = True
        OnClick = ItemClick
      end
    end
    object Hidden1: TMenuItem
      Caption = 'Hidden'
      Enabled = False
      Visible = False
    end
  end
end
)");
  auto* menu = dynamic_cast<TTestMenu*>(form->FindComponent("Menu1"));
  ASSERT_NE(menu, nullptr);
  // Every item is the form's, as the stream's other components are.
  EXPECT_NE(form->FindComponent("Large1"), nullptr);

  const std::vector<TMenuItem> items = menu->MenuItems();
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].Name, "Open1");
  EXPECT_EQ(items[0].ShortCut, "Ctrl+O");
  EXPECT_EQ(items[0].ImageIndex, 2);
  EXPECT_TRUE(items[0].Default);
  EXPECT_EQ(dynamic_cast<TMenuItemComponent*>(form->FindComponent("Open1"))->Hint(), "Opens a file");
  ASSERT_EQ(items[1].SubItems.size(), 2u);
  EXPECT_TRUE(items[1].SubItems[0].Checked);
  EXPECT_TRUE(items[1].SubItems[1].RadioItem);
  EXPECT_EQ(items[1].SubItems[1].GroupIndex, 3);
  EXPECT_FALSE(items[2].Visible);
  EXPECT_FALSE(items[2].Enabled);

  // Choosing an item runs its own handler with the item as sender.
  items[1].SubItems[1].OnClick();
  items[1].SubItems[0].OnClick();  // no handler: nothing runs
  ASSERT_EQ(form->clicked.size(), 1u);
  EXPECT_EQ(form->clicked[0], form->FindComponent("Large1"));

  // A handler checking the other radio item: the next popup shows the change.
  dynamic_cast<TMenuItemComponent*>(form->FindComponent("Large1"))->SetChecked(true);
  const std::vector<TMenuItem> again = menu->MenuItems();
  EXPECT_FALSE(again[1].SubItems[0].Checked);
  EXPECT_TRUE(again[1].SubItems[1].Checked);

  // An item freed before its menu leaves it.
  delete form->FindComponent("Small1");
  EXPECT_EQ(menu->MenuItems()[1].SubItems.size(), 1u);
}

TEST(MenuItemStream, AnItemShowsItsActionAndRunsItUnlessItHasItsOwnClick) {
  auto form = LoadMenuForm(R"(object MenuForm1: TMenuForm
  object Save1: TAction
    Caption = '&Save'
    Checked = True
    ImageIndex = 1
    ShortCut = 16467
    OnExecute = ItemClick
  end
  object Menu1: TTestMenu
    object SaveItem: TMenuItem
      Caption = 'Stale'
      Action = Save1
    end
    object OwnItem: TMenuItem
      Action = Save1
      OnClick = ItemClick
    end
  end
end
)");
  auto* menu = dynamic_cast<TTestMenu*>(form->FindComponent("Menu1"));
  auto* action = dynamic_cast<TAction*>(form->FindComponent("Save1"));
  ASSERT_TRUE(menu && action);
  std::vector<TMenuItem> items = menu->MenuItems();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].Caption, "&Save");
  EXPECT_EQ(items[0].ShortCut, "Ctrl+S");
  EXPECT_EQ(items[0].ImageIndex, 1);
  EXPECT_TRUE(items[0].Checked);
  items[0].OnClick();  // the action runs, itself the sender
  items[1].OnClick();  // the item's own handler instead
  EXPECT_EQ(form->clicked, (std::vector<TObject*>{action, form->FindComponent("OwnItem")}));

  // The menu updates the action as it fills: its OnUpdate decides, and the
  // action's later changes reach the items.
  action->SetOnUpdate([action](TObject*) { action->SetEnabled(false); });
  action->SetCaption("&Keep");
  items = menu->MenuItems();
  EXPECT_FALSE(items[0].Enabled);
  EXPECT_EQ(items[1].Caption, "&Keep");
  delete action;  // an item whose action goes keeps what it showed
  EXPECT_EQ(menu->MenuItems()[0].Caption, "&Keep");
}

TEST(MenuItemStream, ObjectsNestedInAClassThatHoldsNoneAndWrappingShortCutsAreRejected) {
  try {
    LoadMenuForm(R"(object MenuForm1: TMenuForm
  object Menu1: TTestMenu
    object Open1: TMenuItem
      ShortCut = 81999
    end
  end
end
)");
    ADD_FAILURE() << "the stream loaded";
  } catch (const EFormError& e) {
    EXPECT_NE(std::string(e.what()).find("out of range"), std::string::npos) << e.what();
  }
  try {
    LoadMenuForm(R"(object MenuForm1: TMenuForm
  object Plain1: TTestPlain
    object Open1: TMenuItem
    end
  end
end
)");
    ADD_FAILURE() << "the stream loaded";
  } catch (const EFormError& e) {
    EXPECT_NE(std::string(e.what()).find("\"Plain1\" (TTestPlain)"), std::string::npos) << e.what();
  }
}

}  // namespace
