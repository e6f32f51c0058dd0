#include "fixture_form.h"

#include <algorithm>

#include "app/form1_win.h"
#include "panel/bordered_panel_win.h"
#include "persist/class_registry.h"
#include "ui/graphics/canvas_win.h"
#include "ui/graphics/image_list_win.h"
#include "ui/system/resources_win.h"
#include "wine_support.h"

namespace {

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

}  // namespace

TFixtureForm::TFixtureForm(TComponent* owner, const wchar_t* resource) : TForm(owner) {
  auto stream = RCDataResource(resource);
  if (!stream) throw EFormError("no fixture form resource");
  LoadFromBytes(*stream);
}

TFixtureForm::TFixtureForm(TComponent* owner, std::span<const uint8_t> stream) : TForm(owner) {
  LoadFromBytes(stream);
}

// The handler's kind follows its name's ending, as the fixtures name them.
std::any TFixtureForm::FindHandler(std::string_view name) {
  std::string handler(name);
  auto record = [this, handler](FiredEvent event) {
    event.handler = handler;
    fired.push_back(event);
  };
  if (EndsWith(name, "MouseDown") || EndsWith(name, "MouseUp"))
    return TMouseEvent([record](TObject* s, int b, uint32_t shift, int x, int y) {
      record({.sender = s, .button = b, .shift = shift, .x = x, .y = y});
    });
  if (EndsWith(name, "MouseMove"))
    return TMouseMoveEvent(
        [record](TObject* s, uint32_t shift, int x, int y) { record({.sender = s, .shift = shift, .x = x, .y = y}); });
  if (EndsWith(name, "KeyDown") || EndsWith(name, "KeyUp"))
    return TKeyEvent([this, record](TObject* s, uint16_t& key, uint32_t shift) {
      record({.sender = s, .shift = shift, .key = key});
      if (takeKeys) key = 0;
    });
  if (EndsWith(name, "KeyPress"))
    return TKeyPressEvent([this, record](TObject* s, char16_t& key) {
      record({.sender = s, .key = key});
      if (takeKeys) key = 0;
    });
  if (EndsWith(name, "ContextPopup"))
    return TContextPopupEvent([this, record](TObject* s, int x, int y, bool& handled) {
      record({.sender = s, .x = x, .y = y});
      handled = takeContextPopup;
    });
  // Over a target that stores a handler, the drag is taken: the handler leaves `accept` as it came.
  if (EndsWith(name, "DragOver"))
    return TDragOverEvent([record](TObject* s, TObject* source, int x, int y, TDragState state, bool&) {
      record({.sender = s, .x = x, .y = y, .key = static_cast<int>(state), .other = source});
    });
  if (EndsWith(name, "DockOver"))
    return TDragOverEvent([this, record](TObject* s, TObject* source, int x, int y, TDragState state, bool& accept) {
      record({.sender = s, .x = x, .y = y, .key = static_cast<int>(state), .other = source});
      if (refuseDock) accept = false;
    });
  if (EndsWith(name, "GetSiteInfo"))
    return TGetSiteInfoEvent([this, record](TObject* s, TObject* client, TRect& influence, TPoint at, bool& canDock) {
      record({.sender = s, .x = at.X, .y = at.Y, .other = client});
      if (siteInfluence.Width() > 0) influence = siteInfluence;
      if (siteTakesNoDock) canDock = false;
    });
  if (EndsWith(name, "UnDock"))
    return TUnDockEvent([this, record](TObject* s, TObject* client, TObject* newTarget, bool& allow) {
      record({.sender = s, .other = client, .target = newTarget});
      if (keepDocked) allow = false;
    });
  if (EndsWith(name, "DragDrop") || EndsWith(name, "DockDrop"))
    return TDragDropEvent(
        [record](TObject* s, TObject* source, int x, int y) { record({.sender = s, .x = x, .y = y, .other = source}); });
  if (EndsWith(name, "EndDrag") || EndsWith(name, "EndDock"))
    return TEndDragEvent(
        [record](TObject* s, TObject* target, int x, int y) { record({.sender = s, .x = x, .y = y, .other = target}); });
  if (EndsWith(name, "Cycle"))
    return TCycleEvent([record](TObject* s, int next) { record({.sender = s, .key = next}); });
  return TNotifyEvent([record](TObject* s) { record({.sender = s}); });
}

std::vector<std::string> TFixtureForm::Handlers() const {
  std::vector<std::string> names;
  for (const FiredEvent& e : fired) names.push_back(e.handler);
  return names;
}

int TFixtureForm::Count(std::string_view handler) const {
  return static_cast<int>(std::count_if(fired.begin(), fired.end(), [&](const FiredEvent& e) { return e.handler == handler; }));
}

const FiredEvent* TFixtureForm::Last(std::string_view handler) const {
  for (auto e = fired.rbegin(); e != fired.rend(); ++e)
    if (e->handler == handler) return &*e;
  return nullptr;
}

void FixtureFormTest::SetUp() {
  RegisterMainFormClasses();
  RegisterComponentClass<TBorderedPanel>("TBorderedPanel");
  RegisterComponentClass<TImageList>("TImageList");
  RegisterComponentClass<TFixtureMenu>("TFixtureMenu");
  app = std::make_unique<TApplication>();
  app->OnShowError = [this](const std::string& message) { errors.push_back(message); };
}

void FixtureFormTest::TearDown() {
  app.reset();
  PumpMessages(0);
}

TFixtureForm& FixtureFormTest::Load(const wchar_t* resource) {
  form = new TFixtureForm(app.get(), resource);
  app->AdoptMainForm(form);
  form->Show();
  BringToFront(*form);
  return *form;
}

std::string FixtureLoadError(const wchar_t* resource, const std::string& object, const std::string& property,
                             const std::function<void(FormValue&)>& change) {
  FormObject tree = ReadFormStream(*RCDataResource(resource));
  std::function<void(FormObject&)> alter = [&](FormObject& holder) {
    for (FormObject& child : holder.children) {
      if (child.name == object)
        for (FormProperty& stored : child.properties)
          if (stored.name == property) change(stored.value);
      alter(child);
    }
  };
  alter(tree);
  try {
    TFixtureForm broken(nullptr, WriteFormStream(tree));
  } catch (const Exception& e) {
    return e.what();
  }
  return "loaded";
}

std::unique_ptr<TBitmap> RenderClient(TWinControl& control) {
  auto bitmap = std::make_unique<TBitmap>(control.Width(), control.Height());
  SendMessageW(control.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bitmap->Canvas().Handle()), PRF_CLIENT);
  GdiFlush();
  return bitmap;
}

testing::AssertionResult SamePixels(TBitmap& a, TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height())
    return testing::AssertionFailure() << "sizes " << a.Width() << "x" << a.Height() << " and " << b.Width() << "x"
                                       << b.Height();
  HDC da = a.Canvas().Handle(), db = b.Canvas().Handle();
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (GetPixel(da, x, y) != GetPixel(db, x, y)) return testing::AssertionFailure() << "first differs at " << x << "," << y;
  return testing::AssertionSuccess();
}

LPARAM PointParam(int x, int y) { return MAKELPARAM(x, y); }
