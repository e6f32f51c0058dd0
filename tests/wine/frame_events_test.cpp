// The skinned frame's events, bound from a form stream to the form's
// handlers, fire where and in the order the frame's life gives them: skin
// changes, activation, the pointer on an object (enter, moves, press,
// release, leave), the painting of a user object, a menu opening and
// closing, roll-up, and the trip to the tray and back.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <any>
#include <memory>
#include <string>
#include <vector>

#include "full_skin_form.h"
#include "persist/form_loader.h"
#include "persist/form_stream.h"
#include "skin/frame/caption_objects.h"
#include "skin/frame/skin_form_win.h"
#include "skin/frame/skin_frame_win.h"
#include "ui/form_win.h"
#include "ui/system/handles_win.h"
#include "ui/system/resources_win.h"
#include "wine_support.h"

namespace {

class TEventForm : public TForm {
 public:
  using TForm::TForm;
  std::string_view ClassName() const override { return "TEventForm"; }

  // Each handler answers as its event's type; the loader refuses one of another.
  std::any FindHandler(std::string_view name) override {
    for (const char* known : {"SkinChanged", "Activated", "Deactivated", "MenuOpened", "MenuClosed", "WentToTray",
                              "CameFromTray", "RollUpChanged"})
      if (name == known)
        return TNotifyEvent([this, event = std::string(known)](TObject* sender) { Note(sender, event); });
    auto inside = [](int x, int y, TRect r) { return r.Contains(TPoint{x, y}) ? " in" : " out"; };
    if ((name == "ObjectDown" || name == "ObjectUp"))
      return TSkinObjectMouseEvent(
          [this, inside, event = std::string(name == "ObjectDown" ? "down " : "up ")](
              TObject* sender, const std::string& id, int x, int y, TRect rect, int button) {
            Note(sender, event + id + " " + std::to_string(button) + inside(x, y, rect));
          });
    if (name == "ObjectMove")
      return TSkinObjectMoveEvent([this, inside](TObject* sender, const std::string& id, int x, int y, TRect rect) {
        Note(sender, "move " + id + inside(x, y, rect));
      });
    if ((name == "ObjectEnter" || name == "ObjectLeave"))
      return TSkinObjectEvent([this, event = std::string(name == "ObjectEnter" ? "enter " : "leave ")](
                                  TObject* sender, const std::string& id) { Note(sender, event + id); });
    if (name == "ObjectPaint")
      return TSkinObjectPaintEvent([this](TObject*, const std::string& id, TObjectCanvas& canvas, TRect rect) {
        if (id != "status") return;
        ++Paints;
        const TRect r = canvas.ToPixels(rect);
        for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, canvas.Pixels.Height()); ++y)
          for (int x = std::max(r.Left, 0); x < std::min(r.Right, canvas.Pixels.Width()); ++x)
            canvas.Pixels.Set(x, y, Bgr{0, 200, 0});
      });
    return {};
  }

  std::vector<std::string> Log;
  int Paints = 0;
  TObject* WrongSender = nullptr;

 private:
  void Note(TObject* sender, const std::string& event) {
    if (!dynamic_cast<TSkinForm*>(sender)) WrongSender = sender;
    Log.push_back(event);
  }
};

FormProperty Ident(const std::string& name, const std::string& value) {
  FormProperty p;
  p.name = name;
  p.value.type = FormValueType::Ident;
  p.value.text = value;
  return p;
}

FormObject Child(const std::string& className, const std::string& name, std::vector<FormProperty> properties) {
  FormObject o;
  o.className = className;
  o.name = name;
  o.properties = std::move(properties);
  return o;
}

std::vector<uint8_t> EventFormStream() {
  FormObject root;
  root.className = "TEventForm";
  root.name = "EventForm";
  root.children.push_back(Child("TSkinForm", "SkinForm1",
                                {Ident("OnChangeSkinData", "SkinChanged"), Ident("OnActivate", "Activated"),
                                 Ident("OnDeActivate", "Deactivated"), Ident("OnMouseDownEvent", "ObjectDown"),
                                 Ident("OnMouseUpEvent", "ObjectUp"), Ident("OnMouseMoveEvent", "ObjectMove"),
                                 Ident("OnMouseEnterEvent", "ObjectEnter"), Ident("OnMouseLeaveEvent", "ObjectLeave"),
                                 Ident("OnPaintEvent", "ObjectPaint"), Ident("OnSkinMenuOpen", "MenuOpened"),
                                 Ident("OnSkinMenuClose", "MenuClosed"), Ident("OnMinimizeToTray", "WentToTray"),
                                 Ident("OnRestoreFromTray", "CameFromTray"),
                                 Ident("OnChangeRollUpState", "RollUpChanged"), Ident("SkinData", "SkinData1"),
                                 Ident("TrayIcon", "TrayIcon1")}));
  root.children.push_back(Child("TSkinData", "SkinData1", {Ident("CompressedStoredSkin", "Stored1")}));
  FormProperty data;
  data.name = "CompressedData";
  data.value.type = FormValueType::Binary;
  if (auto packed = RCDataResource(L"FULL_SKIN")) data.value.bytes.assign(packed->begin(), packed->end());
  root.children.push_back(Child("TCompressedStoredSkin", "Stored1", {data}));
  root.children.push_back(Child("TTrayIcon", "TrayIcon1", {}));
  return WriteFormStream(root);
}

// Repeats (the system tells some things more than once) count once.
std::vector<std::string> Collapsed(std::vector<std::string> log) {
  log.erase(std::unique(log.begin(), log.end()), log.end());
  return log;
}

class OtherForm : public TForm {
 public:
  using TForm::TForm;
  std::string_view ClassName() const override { return "TOtherForm"; }
};

TEST(FrameEventsTest, EventsReadFromTheFormStreamFireInTheFramesOrder) {
  ScopedSkinNoticeSink skinNotices{WindowSkinNotices()};
  auto app = std::make_unique<TApplication>();
  auto* form = new TEventForm(app.get());
  app->AdoptMainForm(form);
  form->SetBorderStyle(TBorderStyle::bsSingle);
  LoadForm(*form, EventFormStream());
  auto* skinForm = dynamic_cast<TSkinForm*>(form->FindComponent("SkinForm1"));
  ASSERT_NE(skinForm, nullptr);
  ASSERT_TRUE(skinForm->Frame()->SkinActive());
  // Each skin the frame took ended with the notice, after its activation state.
  ASSERT_GE(form->Log.size(), 2u);
  EXPECT_EQ(form->Log.back(), "SkinChanged");
  EXPECT_EQ(form->Log[form->Log.size() - 2], "Deactivated");
  form->Log.clear();

  form->SetBounds(120, 90, 300, 210);
  form->Show();
  SetForegroundWindow(form->Handle());
  PumpMessages(150);
  ASSERT_EQ(GetActiveWindow(), form->Handle());

  const TSkinFrame& frame = *skinForm->Frame();
  const TActiveSkinObject* status = nullptr;
  for (size_t i = 0; i < frame.Objects().Count(); ++i)
    if (frame.Objects()[i].IDName == "status") status = &frame.Objects()[i];
  ASSERT_NE(status, nullptr);
  RECT bounds;
  GetWindowRect(form->Handle(), &bounds);
  const TRect slot = status->ObjectRect;
  const POINT onSlot{bounds.left + slot.Left + 20, bounds.top + (slot.Top + slot.Bottom) / 2};
  POINT centre{form->ClientWidth() / 2, form->ClientHeight() / 2};
  ClientToScreen(form->Handle(), &centre);

  // The user object draws through its event.
  EXPECT_GT(form->Paints, 0);
  {
    WindowDC dc(form->Handle(), WindowDC::WholeWindow);
    EXPECT_EQ(GetPixel(dc.Get(), slot.Left + 3, slot.Top + 2), RGB(0, 200, 0));
  }

  MovePointerTo(onSlot);
  PumpMessages(150);
  MovePointerTo({onSlot.x + 6, onSlot.y});
  PumpMessages(100);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  PumpMessages(100);
  MouseButton(MOUSEEVENTF_LEFTUP);
  PumpMessages(100);
  MovePointerTo(centre);
  PumpMessages(150);
  SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, VK_SPACE);  // Alt+Space
  PumpMessages(100);
  skinForm->Frame()->Menu().CloseAll();
  PumpMessages(100);
  skinForm->Frame()->RollUp(true);
  skinForm->Frame()->RollUp(false);
  PumpMessages(50);
  auto* other = new OtherForm(app.get());
  other->SetBounds(700, 500, 120, 90);
  other->Show();
  PumpMessages(150);
  SetForegroundWindow(form->Handle());
  PumpMessages(150);

  const std::vector<std::string> raw = form->Log;
  std::vector<std::string> order = Collapsed(raw);
  std::erase(order, "move status in");
  EXPECT_EQ(order, (std::vector<std::string>{"Activated", "enter status", "down status 0 in", "up status 0 in",
                                             "leave status", "MenuOpened", "MenuClosed", "RollUpChanged",
                                             "Deactivated", "Activated"}));
  // The pointer's moves over the object reached it between its enter and its leave.
  const auto enter = std::find(raw.begin(), raw.end(), "enter status");
  const auto leave = std::find(raw.begin(), raw.end(), "leave status");
  EXPECT_NE(std::find(enter, leave, "move status in"), leave);
  EXPECT_EQ(std::count(raw.begin(), raw.end(), "RollUpChanged"), 2);

  form->Log.clear();
  skinForm->MinimizeFormToTray();
  PumpMessages(150);
  skinForm->RestoreFormFromTray();
  PumpMessages(150);
  std::vector<std::string> tray = form->Log;
  std::erase_if(tray, [](const std::string& e) { return e == "Activated" || e == "Deactivated"; });
  EXPECT_EQ(tray, (std::vector<std::string>{"WentToTray", "CameFromTray"}));
  EXPECT_EQ(form->WrongSender, nullptr) << "every event names the frame component as its sender";
  app.reset();
  PumpMessages(0);
}

}  // namespace
