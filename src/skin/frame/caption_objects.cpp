#include "skin/frame/caption_objects.h"

#include <algorithm>
#include <cmath>

#include "skin/data/skin_data.h"

TActiveSkinObject::TActiveSkinObject(TObjectFrame& frame, const TSkinData* skin, const TObjectPictures& pictures,
                                     const TDataSkinObject* data)
    : HostFrame(frame), FramePicture(&pictures.Frame), SkinData(skin) {
  if (!data) return;
  IDName = data->IDName;
  Hint = data->hint;
  skinrectinapicture = data->skinrectinapicture;
  skinrect = data->skinrect;
  activeskinrect = data->activeskinrect;
  morphing = data->morphing;
  morphkind = data->morphkind;
  ExtraPicture = pictures.ExtraAt(data->activepictureindex);
  if (!ExtraPicture) activeskinrect = {};
  if (morphing && IsEmptyRect(activeskinrect)) morphing = false;
  ObjectRect = skinrect;
}

bool TActiveSkinObject::MorphPending() const { return (Lit && FBlendPos < 1) || (!Lit && FBlendPos > 0); }

void TActiveSkinObject::BeginBlend() {
  if (morphing)
    HostFrame.StartMorphTimer();
  else
    HostFrame.RedrawObject(*this);
}

void TActiveSkinObject::BlendStep() {
  // Steps are whole tenths, so the bound is reached exactly in ten steps.
  const double next = std::round(FBlendPos * 10 + (Lit ? 1 : -1)) / 10;
  SetBlendPos(next);
  HostFrame.RedrawObject(*this);
}

void TActiveSkinObject::SetBlendPos(double value) {
  if (!(value > 0)) value = 0;  // also catches NaN
  FBlendPos = std::min(value, 1.0);
}

void TActiveSkinObject::MouseDown(int x, int y, int button) {
  HostFrame.MouseDownEvent(IDName, x, y, ObjectRect, button);
}

void TActiveSkinObject::MouseUp(int x, int y, int button) {
  if (PointerOver) HostFrame.MouseUpEvent(IDName, x, y, ObjectRect, button);
}

void TActiveSkinObject::MouseMove(int x, int y) { HostFrame.MouseMoveEvent(IDName, x, y, ObjectRect); }

void TActiveSkinObject::MouseEnter() {
  PointerOver = Lit = true;
  if (!IsEmptyRect(activeskinrect)) BeginBlend();
  HostFrame.MouseEnterEvent(IDName);
}

void TActiveSkinObject::MouseLeave() {
  PointerOver = Lit = false;
  if (!IsEmptyRect(activeskinrect)) BeginBlend();
  HostFrame.MouseLeaveEvent(IDName);
}

void TActiveSkinObject::ResetState() {
  PointerOver = Lit = false;
  FBlendPos = 0;
}

void TActiveSkinObject::CancelPress() {
  if (!Lit) return;
  // Lit again by the next pointer move over it.
  PointerOver = Lit = false;
  if (!IsEmptyRect(activeskinrect)) BeginBlend();
}

void TActiveSkinObject::PopUp(TObjectMenu* items) {
  if (!items || !items->HasSubItems()) return;
  HostFrame.PopUpItems(*items, ObjectRect);
}

// --- buttons

TSkinButtonObject::TSkinButtonObject(TObjectFrame& frame, const TSkinData* skin, const TObjectPictures& pictures,
                                     const TDataSkinButton* data)
    : TActiveSkinObject(frame, skin, pictures, data) {
  if (!data) return;
  disableskinrsect = data->disableskinrsect;
  downrect = data->downrect;
}

bool TSkinButtonObject::MorphPending() const { return TActiveSkinObject::MorphPending() && !MenuOpen(); }

void TSkinButtonObject::SetPressed(bool value) {
  Pressed = value;
  if (morphing && Lit) SetBlendPos(1);
  HostFrame.RedrawObject(*this);
  if (morphing && !value) BeginBlend();
}

void TSkinButtonObject::DropAttachedItems() { PopUp(AttachedItems); }

void TSkinButtonObject::MenuClosed() {
  if (Pressed) SetPressed(false);
}

void TSkinButtonObject::MouseDown(int x, int y, int button) {
  if (!Usable) return;
  if (button == kObjectLeftButton && !Pressed) {
    SetPressed(true);
    DropAttachedItems();
  }
  TActiveSkinObject::MouseDown(x, y, button);
}

void TSkinButtonObject::MouseUp(int x, int y, int button) {
  if (!Usable) return;
  if (button == kObjectLeftButton && !AttachedItems && Pressed) SetPressed(false);
  TActiveSkinObject::MouseUp(x, y, button);
}

void TSkinButtonObject::MouseEnter() {
  PointerOver = Lit = true;
  if (!IsEmptyRect(downrect) && Pressed) {
    // The pointer comes back while the button is held: the pressed look at once.
    if (morphing) SetBlendPos(1);
    HostFrame.RedrawObject(*this);
  } else if (!IsEmptyRect(activeskinrect)) {
    BeginBlend();
  }
  HostFrame.MouseEnterEvent(IDName);
}

void TSkinButtonObject::MouseLeave() {
  PointerOver = Lit = false;
  if (!MenuOpen()) {
    HostFrame.RedrawObject(*this);
    if (morphing) BeginBlend();
  }
  HostFrame.MouseLeaveEvent(IDName);
}

void TSkinButtonObject::CancelPress() {
  PointerOver = Lit = false;
  // A button whose menu is open stays down until the menu closes.
  if (Pressed && !MenuOpen())
    SetPressed(false);
  else
    HostFrame.RedrawObject(*this);
}

void TSkinButtonObject::ResetState() {
  TActiveSkinObject::ResetState();
  Pressed = false;
}

// --- standard buttons

TSkinStdButtonObject::TSkinStdButtonObject(TObjectFrame& frame, const TSkinData* skin,
                                           const TObjectPictures& pictures, const TDataSkinStdButton* data)
    : TSkinButtonObject(frame, skin, pictures, data), HasSkinData(data != nullptr) {
  if (!data) return;
  command = data->command;
  restorerect = data->restorerect;
  restoreactiverect = data->restoreactiverect;
  restoreinactiverect = data->restoreinactiverect;
  restoredownrect = data->restoredownrect;
}

TSkinStdButtonObject::TSkinStdButtonObject(TObjectFrame& frame, const TSkinData* skin,
                                           const TObjectPictures& pictures, std::string name, TSkinCommand cmd)
    : TSkinButtonObject(frame, skin, pictures, nullptr) {
  IDName = std::move(name);
  command = cmd;
  skinrect = ObjectRect = {0, 0, 1, 1};
}

bool TSkinStdButtonObject::DrawsIcon() const {
  return command == TSkinCommand::cmsysmenu && HostFrame.ShowIcon() && skinrectinapicture;
}

bool TSkinStdButtonObject::MorphPending() const { return !DrawsIcon() && TSkinButtonObject::MorphPending(); }

bool TSkinStdButtonObject::CommandStateOn() const {
  switch (command) {
    case TSkinCommand::cmmaximize: return HostFrame.IsMaximized();
    case TSkinCommand::cmminimize: return HostFrame.IsMinimized();
    case TSkinCommand::cmrollup: return HostFrame.IsRolledUp();
    default: return false;
  }
}

void TSkinStdButtonObject::MouseDown(int, int, int button) {
  if (!Usable || button != kObjectLeftButton || Pressed) return;
  SetPressed(true);
  if (command == TSkinCommand::cmsysmenu) {
    AttachedItems = HostFrame.SystemMenuItems();
    DropAttachedItems();
  }
}

void TSkinStdButtonObject::MouseUp(int x, int y, int button) {
  // Lit means the pointer is still over the button: a release outside
  // only lets it up. Closing comes last, after the button is done with itself.
  const bool run = Lit && button == kObjectLeftButton;
  if (command == TSkinCommand::cmclose) {
    TSkinButtonObject::MouseUp(x, y, button);
    if (run) RunCommand();
  } else {
    if (run) RunCommand();
    TSkinButtonObject::MouseUp(x, y, button);
  }
}

void TSkinStdButtonObject::DblClick() {
  if (command == TSkinCommand::cmsysmenu) HostFrame.CloseForm();
}

void TSkinStdButtonObject::RunCommand() { RunFrameCommand(HostFrame, command); }

void RunFrameCommand(TFrameCommands& frame, TSkinCommand command) {
  switch (command) {
    case TSkinCommand::cmclose: frame.CloseForm(); break;
    case TSkinCommand::cmmaximize:
      if (frame.IsMaximized())
        frame.Restore();
      else
        frame.Maximize();
      break;
    case TSkinCommand::cmminimize:
      if (frame.AlwaysMinimizeToTray())
        frame.MinimizeToTray();
      else if (frame.IsMinimized())
        frame.Restore();
      else
        frame.Minimize();
      break;
    case TSkinCommand::cmrollup: frame.SetRolledUp(!frame.IsRolledUp()); break;
    case TSkinCommand::cmsysmenu:
    case TSkinCommand::cmdefault: break;  // the system menu opens on the press
  }
}

// --- caption

TSkinCaptionObject::TSkinCaptionObject(TObjectFrame& frame, const TSkinData* skin, const TObjectPictures& pictures,
                                       const TDataSkinCaption* data)
    : TActiveSkinObject(frame, skin, pictures, data) {
  if (!data) return;
  fontname = data->fontname;
  fontstyle = data->fontstyle;
  fontheight = data->fontheight;
  fontcolor = data->fontcolor;
  activefontcolor = data->activefontcolor;
  shadowcolor = data->shadowcolor;
  activeshadowcolor = data->activeshadowcolor;
  shadow = data->shadow;
  alignment = data->alignment;
  textrect = data->textrect;
  framerect = data->framerect;
  activeframerect = data->activeframerect;
  frameleftoffset = data->frameleftoffset;
  framerightoffset = data->framerightoffset;
  frametextrect = data->frametextrect;
}

void TSkinCaptionObject::MouseUp(int x, int y, int button) {
  HostFrame.MouseUpEvent(IDName, x, y, ObjectRect, button);
}

void TSkinCaptionObject::MouseEnter() {
  PointerOver = true;
  HostFrame.MouseEnterEvent(IDName);
}

void TSkinCaptionObject::MouseLeave() {
  PointerOver = false;
  HostFrame.MouseLeaveEvent(IDName);
}

// --- animation

TSkinAnimateObject::TSkinAnimateObject(TObjectFrame& frame, const TSkinData* skin, const TObjectPictures& pictures,
                                       const TDataSkinAnimate* data)
    : TActiveSkinObject(frame, skin, pictures, data) {
  if (!data) return;
  timerinterval = std::max(data->timerinterval, 25);
  countframes = data->countframes;
  cycle = data->cycle;
  buttonstyle = data->buttonstyle;
  command = data->command;
}

void TSkinAnimateObject::Play(bool forward) {
  PlayForward = forward;
  FRunning = true;
  HostFrame.StartAnimateTimer();
}

bool TSkinAnimateObject::AnimateTick() {
  if (!FRunning) return false;
  if (FrameClock < timerinterval) {
    FrameClock += 25;
    return true;
  }
  // A strip of no frames still counts one, so a forward run ends.
  const int last = std::max(countframes, 1);
  if (PlayForward) {
    CurrentFrame = CurrentFrame >= last ? 1 : CurrentFrame + 1;
    if (!cycle && CurrentFrame == last) FRunning = false;
  } else {
    CurrentFrame = CurrentFrame <= 1 ? last : CurrentFrame - 1;
    if (CurrentFrame == 1) FRunning = false;
  }
  FrameClock = 25;
  HostFrame.RedrawObject(*this);
  return FRunning;
}

void TSkinAnimateObject::MouseEnter() {
  PointerOver = true;
  if (buttonstyle) Play(true);
  HostFrame.MouseEnterEvent(IDName);
}

void TSkinAnimateObject::MouseLeave() {
  if (!PointerOver) return;
  PointerOver = false;
  if (buttonstyle) Play(false);
  HostFrame.MouseLeaveEvent(IDName);
}

void TSkinAnimateObject::MouseUp(int x, int y, int button) {
  TActiveSkinObject::MouseUp(x, y, button);
  if (buttonstyle && PointerOver && button == kObjectLeftButton) RunCommand();
}

void TSkinAnimateObject::RunCommand() {
  if (command == TSkinCommand::cmsysmenu)
    PopUp(HostFrame.SystemMenuItems());
  else if (command == TSkinCommand::cmdefault)
    PopUp(AttachedItems);
  else
    RunFrameCommand(HostFrame, command);
}

void TSkinAnimateObject::DblClick() {
  if (command == TSkinCommand::cmsysmenu) HostFrame.CloseForm();
}
