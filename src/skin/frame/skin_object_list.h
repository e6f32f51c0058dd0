#pragma once
// The frame's caption objects in skin order, and the routing of the
// pointer to them: which object is hot, which one took the last press,
// and when the frame must hold the mouse capture. The frame's window
// layer calls in with window coordinates and carries out the answers.
#include <memory>
#include <span>
#include <vector>

#include "skin/frame/caption_objects.h"
#include "skin/frame/layout/object_layout.h"

class TSkinData;

class TSkinObjectList {
 public:
  explicit TSkinObjectList(TObjectFrame& frame) : FFrame(frame) {}

  // Frees the objects and builds one per [SKINOBJECTS] entry, in skin
  // order; menu items and the main menu bar's entries are not objects.
  void CreateObjects(const TSkinData& skin);
  // The frame without a skin: the five standard buttons, when there are no objects.
  void CreateDefaultObjects(const TSkinData* skin);
  void Clear();
  // Buttons whose command the form does not permit (a TSkinBorderIcon set)
  // are disabled; they are hidden only when their picture is not part of
  // the frame picture, so a button drawn into the frame stays, inert.
  void ApplyBorderIcons(uint32_t borderIcons);

  size_t Count() const { return FObjects.size(); }
  TActiveSkinObject& operator[](size_t index) const { return *FObjects[index]; }
  // The first caption object, or null.
  TSkinCaptionObject* Caption() const;

  // What the layout needs of each object, in list order; Place puts the
  // rectangles it chose back into the objects.
  std::vector<TFrameObjectPlace> Places() const;
  void Place(std::span<const TFrameObjectPlace> places);

  int HotObject() const { return FHotObject; }
  int CapturedObject() const { return FCapturedObject; }
  // The first object, in list order, that is usable and shown and contains `point`; -1 for none.
  int ObjectAt(TPoint point) const;

  // Enter and leave as the pointer moves; with `allow` off every object is left.
  void TrackObjects(TPoint point, bool allow = true);
  // A press on the frame. True when the frame must take the mouse capture.
  bool Press(TPoint point, int button);
  // A release anywhere. True when the frame must release the mouse capture.
  bool Release(TPoint point, int button);
  void Move(TPoint point);
  // A double click: tracked and pressed, then the hot object's DblClick.
  // The press is kept for the release that follows, so a button pressed
  // by it comes up again. True when the frame must take the mouse capture.
  bool DoubleClick(TPoint point, int button);
  // The press belongs to the system (a caption drag, a menu).
  void ForgetCapture() { FCapturedObject = -1; }
  // The pressed object lost the mouse: it comes up without acting.
  void CancelPress();
  // A move or size loop starts or ends, or the skin goes: nothing is hot.
  void ForgetIndices() { FHotObject = FCapturedObject = -1; }
  // Activation changed or a move loop starts: no object is hot, pressed or morphing.
  void ResetStates();
  // Skinned menus closed: buttons held down by their menus come up.
  void MenusClosed();

  // One morph timer tick. False when no object needed a step: stop the timer.
  bool MorphTick();
  // One animation timer tick. False when no animation runs any more: stop the timer.
  bool AnimateTick();

  // The caption follows the form's activation. With `repaint` the frame
  // repaints (and the morph starts); without, the look jumps to its end.
  // Answers whether the frame was repainted.
  bool UpdateCaptionActive(bool repaint);

  // The skin's frame picture, decoded once for the objects and the frame.
  const PixelImage& FramePicture() const { return FPictures.Frame; }

 private:
  bool Usable(int index) const;

  TObjectFrame& FFrame;
  // Declared before the objects, which point into them.
  TObjectPictures FPictures;
  std::vector<std::unique_ptr<TActiveSkinObject>> FObjects;
  int FHotObject = -1;
  int FCapturedObject = -1;
};
