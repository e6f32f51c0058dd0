// Writing loaded forms back: each fixture form, loaded into live components
// and written again, holds what the fixture stores, and loads into the same
// components again.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fixture_form.h"
#include "persist/class_registry.h"
#include "persist/form_stream.h"
#include "persist/form_writer.h"
#include "persist/properties.h"
#include "ui/system/resources_win.h"
#include "wine_support.h"

namespace {

const FormProperty* FindProperty(const std::vector<FormProperty>& properties, const std::string& name) {
  for (const FormProperty& property : properties)
    if (SameTextAscii(property.name, name)) return &property;
  return nullptr;
}

const FormObject* FindChild(const FormObject& holder, const std::string& name) {
  for (const FormObject& child : holder.children)
    if (child.name == name) return &child;
  return nullptr;
}

// Every value of every object, defaults included, as "Object.Property".
std::vector<std::string> EveryValue(const TFixtureForm& form) {
  std::vector<std::string> values;
  auto add = [&](const TComponent& component) {
    for (const FormProperty& property : component.Properties().Store(component)) {
      std::string text = component.Name() + "." + property.name + " = ";
      text += FormValueTypeName(property.value.type);
      text += ":" + std::to_string(property.value.integer) + ":" + property.value.text;
      for (const std::string& element : property.value.set) text += "," + element;
      text += ":" + std::string(property.value.bytes.begin(), property.value.bytes.end());
      for (const FormValue& item : property.value.items) text += "," + item.text;
      values.push_back(text);
    }
  };
  add(form);
  for (const TComponent* child : form.Components())
    if (!child->Name().empty()) add(*child);
  return values;
}

class FormWriteBackTest : public FixtureFormTest {
 protected:
  // What the fixture stores either comes back as it was or is left out as
  // the default of its class; the written form loads into components that
  // hold every value the first ones hold; writing those again gives the
  // same bytes.
  void RoundTrip(const wchar_t* resource) {
    const FormObject fixture = ReadFormStream(*RCDataResource(resource));
    TFixtureForm& loaded = Load(resource);
    // Written shown: stored visible, the form must show with its frame.
    loaded.Show();
    const TFixtureForm defaults(nullptr);
    const std::vector<uint8_t> written = WriteForm(loaded, defaults);
    const FormObject tree = ReadFormStream(written);

    CompareTree(fixture, tree, loaded, defaults, loaded);
    if (HasFatalFailure()) return;

    TFixtureForm again(nullptr, written);
    EXPECT_TRUE(IsWindowVisible(again.Handle())) << "stored visible";
    PumpMessages(50);
    EXPECT_EQ(EveryValue(again), EveryValue(loaded));
    EXPECT_EQ(WriteForm(again, defaults), written);
  }

  // Each object of the fixture comes back inside the same holder, each value
  // it stores either as it was or left out as its class's default.
  void CompareTree(const FormObject& original, const FormObject& saved, const TComponent& component,
                   const TComponent& standard, const TFixtureForm& loaded) {
    EXPECT_EQ(saved.className, original.className) << original.name;
    const std::vector<FormProperty> standardValues = standard.Properties().Store(standard);
    for (FormProperty property : original.properties) {
      if (IsObsolete(property.name)) continue;
      const std::string where = original.name + "." + property.name;
      // Bounds are the layout's once loaded (auto size, constraints,
      // alignment, anchors): the writer stores those the control has.
      if (auto bound = LiveBound(component, property.name)) property.value = IntegerFormValue(*bound);
      if (const FormProperty* back = FindProperty(saved.properties, property.name)) {
        EXPECT_TRUE(SameFormValue(back->value, property.value)) << where << " comes back changed";
      } else {
        const FormProperty* standardValue = FindProperty(standardValues, property.name);
        EXPECT_TRUE(standardValue && SameFormValue(standardValue->value, property.value))
            << where << " is left out but is not the default";
      }
    }
    ASSERT_EQ(saved.children.size(), original.children.size()) << "inside " << original.name;
    for (const FormObject& child : original.children) {
      const FormObject* back = FindChild(saved, child.name);
      ASSERT_NE(back, nullptr) << child.name << " is not written inside " << original.name;
      const TComponent* live = loaded.FindComponent(child.name);
      ASSERT_NE(live, nullptr) << child.name;
      const std::unique_ptr<TComponent> fresh(CreateComponent(child.className, nullptr));
      ASSERT_NE(fresh, nullptr) << child.className;
      CompareTree(child, *back, *live, *fresh, loaded);
    }
  }

  std::optional<int> LiveBound(const TComponent& component, const std::string& name) const {
    const auto* control = dynamic_cast<const TWinControl*>(&component);
    if (!control) return std::nullopt;
    // A form's frame (a skin's borders) decides its client area.
    if (control == form) {
      if (name == "ClientWidth") return form->ClientWidth();
      if (name == "ClientHeight") return form->ClientHeight();
      return std::nullopt;
    }
    if (name == "Left") return control->Left();
    if (name == "Top") return control->Top();
    if (name == "Width") return control->Width();
    if (name == "Height") return control->Height();
    return std::nullopt;
  }

  // Read and dropped by the components, so never written.
  static bool IsObsolete(const std::string& name) { return name == "FrameSides" || name == "OldCreateOrder"; }
};

TEST_F(FormWriteBackTest, PickerFormComesBack) { RoundTrip(L"FIXTURE_PICKER"); }
TEST_F(FormWriteBackTest, PanelFormComesBack) { RoundTrip(L"FIXTURE_PANEL"); }
TEST_F(FormWriteBackTest, ButtonFormComesBack) { RoundTrip(L"FIXTURE_BUTTON"); }
TEST_F(FormWriteBackTest, TrayFormComesBack) { RoundTrip(L"FIXTURE_TRAY"); }
TEST_F(FormWriteBackTest, LabelFormComesBack) { RoundTrip(L"FIXTURE_LABEL"); }
TEST_F(FormWriteBackTest, MenuFormComesBackWithItsNestedItems) { RoundTrip(L"FIXTURE_MENU"); }

}  // namespace
