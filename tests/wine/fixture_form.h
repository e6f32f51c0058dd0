#pragma once
// The fixture forms: each stores every published property and event of one
// component (tests/fixtures/forms/), compiled by formc into the test
// resources. A fixture form answers every handler the stream names with one
// of the event's kind that records the call.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "persist/form_stream.h"
#include "skin/data/skin_notices_win.h"
#include "ui/application_win.h"
#include "ui/graphics/bitmap_win.h"
#include "ui/form_win.h"
#include "ui/popup_menu.h"

struct FiredEvent {
  TObject* sender = nullptr;
  int button = -1;
  uint32_t shift = 0;
  int x = 0, y = 0;
  int key = 0;  // virtual key, character, next image index or drag state
  TObject* other = nullptr;  // a drag's source or client, or the target it ended at
  TObject* target = nullptr;  // the site an undocking client leaves for
  std::string handler{};
};

class TFixtureForm : public TForm {
 public:
  TFixtureForm(TComponent* owner, const wchar_t* resource);
  TFixtureForm(TComponent* owner, std::span<const uint8_t> stream);
  // An empty one, as the defaults a form writer compares with.
  explicit TFixtureForm(TComponent* owner) : TForm(owner) {}
  std::string_view ClassName() const override { return "TFixtureForm"; }
  std::any FindHandler(std::string_view name) override;

  template <class T>
  T* Find(std::string_view name) const {
    auto* found = dynamic_cast<T*>(FindComponent(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  // The handler names in the order they ran.
  std::vector<std::string> Handlers() const;
  // How often the named handler ran.
  int Count(std::string_view handler) const;
  const FiredEvent* Last(std::string_view handler) const;

  std::vector<FiredEvent> fired;
  // Key handlers take the key (set it to 0) while this is set.
  bool takeKeys = false;
  // Context-popup handlers keep the popup menu away while this is set.
  bool takeContextPopup = false;
  // Dock sites' handlers refuse the dock, keep their clients, or answer for
  // this screen area (empty: their own) while these are set.
  bool refuseDock = false;
  bool keepDocked = false;
  bool siteTakesNoDock = false;
  TRect siteInfluence{};
};

// A popup menu that records where it was asked to show.
class TFixtureMenu : public TComponent, public PopupMenuApi {
 public:
  using TComponent::TComponent;
  std::string_view ClassName() const override { return "TFixtureMenu"; }
  bool AutoPopup() const override { return true; }
  void SetPopupComponent(TComponent* component) override { popupComponent = component; }
  void Popup(int x, int y) override { popups.push_back({x, y}); }
  void ClickDefaultItem() override {}
  std::vector<POINT> popups;
  TComponent* popupComponent = nullptr;
};

// A fresh application per test, with one fixture form as its main form.
class FixtureFormTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Reads the fixture, shows it and lets it paint.
  TFixtureForm& Load(const wchar_t* resource);

  ScopedSkinNoticeSink skinNotices{WindowSkinNotices()};
  std::unique_ptr<TApplication> app;
  TFixtureForm* form = nullptr;
  std::vector<std::string> errors;
};

// The error a load of the fixture gives once `change` altered the stored
// value of `object`'s `property`; "loaded" when it loads all the same.
std::string FixtureLoadError(const wchar_t* resource, const std::string& object, const std::string& property,
                             const std::function<void(FormValue&)>& change);

// What the control shows, drawn through WM_PRINTCLIENT.
std::unique_ptr<TBitmap> RenderClient(TWinControl& control);
// Whether two renderings match pixel for pixel; names the first difference.
testing::AssertionResult SamePixels(TBitmap& a, TBitmap& b);
LPARAM PointParam(int x, int y);
