#include "skin/frame/skin_object_list.h"

#include <utility>

#include "skin/pixels/bmp_pixels.h"
#include "skin/data/skin_data.h"
#include "skin/frame/border_icons.h"

namespace {

PixelImage Decode(const TSkinBitmap& bitmap) { return bitmap.Empty() ? PixelImage() : PixelImageFromBmp(bitmap.Image()); }

TFrameObjectKind KindOf(const TActiveSkinObject& object) {
  if (dynamic_cast<const TSkinCaptionObject*>(&object)) return TFrameObjectKind::Caption;
  if (dynamic_cast<const TSkinStdButtonObject*>(&object)) return TFrameObjectKind::StdButton;
  if (dynamic_cast<const TSkinAnimateObject*>(&object)) return TFrameObjectKind::Animate;
  if (dynamic_cast<const TSkinButtonObject*>(&object)) return TFrameObjectKind::Button;
  return TFrameObjectKind::User;
}

// The border icon a command needs; 0 for none (closing is always permitted).
uint32_t IconNeededBy(TSkinCommand command) {
  switch (command) {
    case TSkinCommand::cmrollup: return sbiRollUp;
    case TSkinCommand::cmmaximize: return sbiMaximize;
    case TSkinCommand::cmminimize: return sbiMinimize;
    case TSkinCommand::cmsysmenu: return sbiSystemMenu;
    case TSkinCommand::cmclose:
    case TSkinCommand::cmdefault: return 0;
  }
  return 0;
}

}  // namespace

void TSkinObjectList::Clear() {
  FObjects.clear();
  FPictures = {};
  ForgetIndices();
}

void TSkinObjectList::CreateObjects(const TSkinData& skin) {
  Clear();
  FPictures.Frame = Decode(skin.PictureBitmap());
  const std::vector<TSkinBitmap>& extra = skin.ActivePictureBitmaps();
  FPictures.Extra.resize(extra.size());
  for (const auto& entry : skin.SkinObjects()) {
    const TDataSkinObject* data = entry.get();
    // The main menu bar's entries and menu items belong to the skinned menus.
    if (dynamic_cast<const TDataSkinMainMenuBarButton*>(data) || dynamic_cast<const TDataSkinMenuItem*>(data) ||
        dynamic_cast<const TDataSkinMainMenuItem*>(data))
      continue;
    if (const int32_t index = data->activepictureindex;
        index >= 0 && static_cast<size_t>(index) < extra.size() && FPictures.Extra[size_t(index)].Width() == 0)
      FPictures.Extra[size_t(index)] = Decode(extra[size_t(index)]);
    std::unique_ptr<TActiveSkinObject> object;
    if (auto* standard = dynamic_cast<const TDataSkinStdButton*>(data))
      object = std::make_unique<TSkinStdButtonObject>(FFrame, &skin, FPictures, standard);
    else if (auto* button = dynamic_cast<const TDataSkinButton*>(data))
      object = std::make_unique<TSkinButtonObject>(FFrame, &skin, FPictures, button);
    else if (auto* caption = dynamic_cast<const TDataSkinCaption*>(data))
      object = std::make_unique<TSkinCaptionObject>(FFrame, &skin, FPictures, caption);
    else if (auto* animate = dynamic_cast<const TDataSkinAnimate*>(data))
      object = std::make_unique<TSkinAnimateObject>(FFrame, &skin, FPictures, animate);
    else if (auto* user = dynamic_cast<const TDataUserObject*>(data))
      object = std::make_unique<TUserObject>(FFrame, &skin, FPictures, user);
    if (object) FObjects.push_back(std::move(object));
  }
}

void TSkinObjectList::CreateDefaultObjects(const TSkinData* skin) {
  if (!FObjects.empty()) return;
  static constexpr struct {
    const char* Name;
    TSkinCommand Command;
  } kButtons[] = {{"closebutton", TSkinCommand::cmclose},
                  {"maxbutton", TSkinCommand::cmmaximize},
                  {"minbutton", TSkinCommand::cmminimize},
                  {"rollupbutton", TSkinCommand::cmrollup},
                  {"sysmenubutton", TSkinCommand::cmsysmenu}};
  for (const auto& b : kButtons)
    FObjects.push_back(std::make_unique<TSkinStdButtonObject>(FFrame, skin, FPictures, b.Name, b.Command));
}

void TSkinObjectList::ApplyBorderIcons(uint32_t borderIcons) {
  for (const auto& object : FObjects) {
    TSkinCommand command;
    if (auto* standard = dynamic_cast<TSkinStdButtonObject*>(object.get()))
      command = standard->command;
    else if (auto* animate = dynamic_cast<TSkinAnimateObject*>(object.get()); animate && animate->command != TSkinCommand::cmdefault)
      command = animate->command;
    else
      continue;
    uint32_t needed = IconNeededBy(command);
    if (needed == 0 || (borderIcons & needed)) continue;
    object->Usable = false;
    if (object->skinrectinapicture) object->Shown = false;
  }
}

TSkinCaptionObject* TSkinObjectList::Caption() const {
  for (const auto& object : FObjects)
    if (auto* caption = dynamic_cast<TSkinCaptionObject*>(object.get())) return caption;
  return nullptr;
}

std::vector<TFrameObjectPlace> TSkinObjectList::Places() const {
  std::vector<TFrameObjectPlace> places;
  for (const auto& o : FObjects) {
    const auto* standard = dynamic_cast<const TSkinStdButtonObject*>(o.get());
    const auto* animate = dynamic_cast<const TSkinAnimateObject*>(o.get());
    places.push_back({KindOf(*o), o->ObjectRect, o->skinrect, o->skinrectinapicture,
                      standard ? standard->command : animate ? animate->command : TSkinCommand::cmdefault, o->Shown});
  }
  return places;
}

void TSkinObjectList::Place(std::span<const TFrameObjectPlace> places) {
  for (size_t i = 0; i < FObjects.size() && i < places.size(); ++i) FObjects[i]->ObjectRect = places[i].Rect;
}

bool TSkinObjectList::Usable(int index) const {
  const TActiveSkinObject& object = *FObjects[static_cast<size_t>(index)];
  return object.Usable && object.Shown;
}

int TSkinObjectList::ObjectAt(TPoint point) const {
  for (size_t i = 0; i < FObjects.size(); ++i)
    if (Usable(int(i)) && FObjects[i]->ObjectRect.Contains(point)) return int(i);
  return -1;
}

void TSkinObjectList::TrackObjects(TPoint point, bool allow) {
  if (FObjects.empty() || !FFrame.IsFormActive()) return;
  int hot = allow ? ObjectAt(point) : -1;
  // While one object holds the press, no other one lights up.
  if (FCapturedObject != -1 && hot != FCapturedObject) hot = -1;
  if (hot == FHotObject) return;
  const int old = FHotObject;
  FHotObject = hot;
  if (old != -1 && Usable(old)) {
    FObjects[size_t(old)]->MouseLeave();
    FFrame.HideObjectHint();
  }
  if (hot != -1) {
    TActiveSkinObject& object = *FObjects[size_t(hot)];
    object.MouseEnter();
    if (!object.Hint.empty()) FFrame.ShowObjectHint(object.Hint);
  }
}

bool TSkinObjectList::Press(TPoint point, int button) {
  TrackObjects(point);
  if (FHotObject == -1) return false;
  TActiveSkinObject& object = *FObjects[size_t(FHotObject)];
  FCapturedObject = FHotObject;
  object.MouseDown(point.X, point.Y, button);
  // The caption's press is the system's move loop; it needs no capture.
  return dynamic_cast<TSkinCaptionObject*>(&object) == nullptr;
}

bool TSkinObjectList::Release(TPoint point, int button) {
  if (FCapturedObject == -1) return false;
  TActiveSkinObject& object = *FObjects[size_t(FCapturedObject)];
  const bool captured = dynamic_cast<TSkinCaptionObject*>(&object) == nullptr;
  FCapturedObject = -1;
  // Last: a command may change the window under the object.
  object.MouseUp(point.X, point.Y, button);
  return captured;
}

void TSkinObjectList::CancelPress() {
  if (FCapturedObject == -1) return;
  TActiveSkinObject& object = *FObjects[size_t(std::exchange(FCapturedObject, -1))];
  FHotObject = -1;
  object.CancelPress();
}

void TSkinObjectList::Move(TPoint point) {
  const int target = FCapturedObject != -1 ? FCapturedObject : FHotObject;
  if (target != -1) FObjects[size_t(target)]->MouseMove(point.X, point.Y);
}

bool TSkinObjectList::DoubleClick(TPoint point, int button) {
  const bool capture = Press(point, button);
  if (FHotObject != -1) FObjects[size_t(FHotObject)]->DblClick();
  return capture;
}

void TSkinObjectList::ResetStates() {
  for (const auto& object : FObjects) object->ResetState();
  // The object under the pointer lights up again at the next track.
  FHotObject = -1;
}

void TSkinObjectList::MenusClosed() {
  for (const auto& object : FObjects)
    if (auto* button = dynamic_cast<TSkinButtonObject*>(object.get())) button->MenuClosed();
}

bool TSkinObjectList::MorphTick() {
  bool stepped = false;
  for (const auto& object : FObjects)
    if (object->morphing && object->MorphPending()) {
      object->BlendStep();
      stepped = true;
    }
  return stepped;
}

bool TSkinObjectList::AnimateTick() {
  bool running = false;
  for (const auto& object : FObjects)
    if (auto* animate = dynamic_cast<TSkinAnimateObject*>(object.get()))
      if (animate->AnimateTick()) running = true;
  return running;
}

bool TSkinObjectList::UpdateCaptionActive(bool repaint) {
  const bool active = FFrame.IsFormActive();
  TSkinCaptionObject* caption = Caption();
  bool repainted = false;
  if (caption && caption->Lit != active) {
    caption->Lit = active;
    if (repaint) {
      FFrame.RepaintFrame();
      repainted = true;
      if (caption->morphing) FFrame.StartMorphTimer();
    } else {
      caption->SetBlendPos(active ? 1 : 0);
    }
  }
  FFrame.ActivationEvent(active);
  return repainted;
}
