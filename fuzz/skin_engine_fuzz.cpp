// The portable skin engine under one hostile skin, as the window layer
// drives it: the frame's points, client rectangle, objects, shape, hit tests
// and painting for windows from 0 x 0 to 32767 wide, the objects in every
// state and morph position, the skinned buttons' faces, the popup menus
// with 0, 1 and 200 items, the frame's window states, and every transition.
// skin_engine_input.h describes the input.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <vector>

#include "base/exceptions.h"
#include "base/codecs/little_endian.h"
#include "fuzz_checks.h"
#include "skin/pixels/bmp_pixels.h"
#include "skin/controls/button_behaviour.h"
#include "skin/pixels/glyph_layout.h"
#include "skin/pixels/mask_region.h"
#include "skin/pixels/pixel_copy.h"
#include "skin/pixels/pixel_effects.h"
#include "skin/pixels/skin_compose.h"
#include "skin/pixels/skin_fit.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_package.h"
#include "skin/frame/default_frame.h"
#include "skin/frame/layout/frame_geometry.h"
#include "skin/frame/layout/frame_hit_test.h"
#include "skin/frame/layout/frame_limits.h"
#include "skin/frame/frame_states.h"
#include "skin/frame/layout/object_layout.h"
#include "skin/frame/skin_object_list.h"
#include "skin/menu/menu_item.h"
#include "skin/frame/layout/window_placement.h"
#include "skin/menu/menu_layout.h"
#include "skin/menu/menu_metrics.h"
#include "skin/menu/menu_paint.h"
#include "skin/menu/menu_placement.h"
#include "skin_engine_fakes.h"
#include "skin_engine_input.h"

namespace {

// As wide as a window gets, and one pixel high: the work is linear in
// each side, so it stays bounded.
constexpr int32_t kWidest = 32767;
// Ordinary sizes the skin suggests (its picture, its least frame) are used
// up to this; beyond it only the thin ones are.
constexpr int32_t kMaxPlainSide = 2048;
// Faces of a button up to this many pixels are painted in every state; up
// to kMaxFacePixels only the normal one is, and its shape made (a copied
// face takes its rectangle's size, which may be any).
constexpr int64_t kMaxStateFacePixels = int64_t{1} << 15;
constexpr int64_t kMaxFacePixels = int64_t{1} << 16;
constexpr int64_t kMaxTransitionPixels = int64_t{1} << 12;
// Menu windows up to this many pixels are painted; larger ones (200 items
// on a tall work area) are only measured, laid out, placed and scrolled.
constexpr int64_t kMaxPaintedMenuPixels = int64_t{1} << 16;
// A packed skin may hold large pictures: past this the input is not walked
// (the time an input may take, not a limit of the engine).
constexpr int64_t kMaxWalkedPixels = int64_t{1} << 20;
const TRect kWorkArea{0, 0, 1920, 1040}, kMonitor{0, 0, 1920, 1080};

int32_t Clamp32(int64_t value, int32_t low, int32_t high) { return int32_t(std::clamp<int64_t>(value, low, high)); }
int32_t Plain(int64_t side) { return Clamp32(side, 0, kMaxPlainSide); }

PixelImage Decode(const TSkinBitmap& bitmap) { return bitmap.Empty() ? PixelImage() : PixelImageFromBmp(bitmap.Image()); }

PixelImage PictureAt(const TSkinData& skin, int32_t index) {
  const auto& pictures = skin.ActivePictureBitmaps();
  if (index < 0 || size_t(index) >= pictures.size()) return {};
  return Decode(pictures[size_t(index)]);
}

// The skin's active pictures, each decoded once when first asked for: many
// control sections may name the same one.
class ActivePictures {
 public:
  explicit ActivePictures(const TSkinData& skin) : FSkin(skin), FDecoded(skin.ActivePictureBitmaps().size()) {}
  const PixelImage& At(int32_t index) {
    static const PixelImage kNone;
    if (index < 0 || size_t(index) >= FDecoded.size()) return kNone;
    std::optional<PixelImage>& picture = FDecoded[size_t(index)];
    if (!picture) picture = Decode(FSkin.ActivePictureBitmaps()[size_t(index)]);
    return *picture;
  }

 private:
  const TSkinData& FSkin;
  std::vector<std::optional<PixelImage>> FDecoded;
};

PixelBox WholeOf(const PixelImage& image) { return {0, 0, image.Width(), image.Height()}; }

TFramePoints PointsOf(const TFrameSkinPoints& s) { return {s.LeftTop, s.RightTop, s.LeftBottom, s.RightBottom, s.Client}; }
TFramePoints PointsOf(const TScaledFramePoints& s) { return {s.LeftTop, s.RightTop, s.LeftBottom, s.RightBottom, s.Client}; }

// 0 x 0, 1 x 1, just below the least size, the natural size, grown, and
// the widest window.
std::vector<TPoint> WindowSizes(TPoint natural, TPoint least, const EngineDrive& drive) {
  const TPoint plain{Plain(natural.X), Plain(natural.Y)};
  return {{0, 0},
          {1, 1},
          {Plain(int64_t{least.X} - 1), Plain(int64_t{least.Y} - 1)},
          plain,
          {plain.X + drive.GrowX, plain.Y + drive.GrowY},
          {kWidest, 1}};
}

// Coordinates to probe along one side: both edges and beyond, a spread
// across, and either side of each of the skin's marks.
std::vector<int32_t> Probes(int32_t size, std::initializer_list<int32_t> marks) {
  std::vector<int32_t> probes{-1, 0, 1, size - 2, size - 1, size, size + 1};
  for (int i = 1; i < 8; ++i) probes.push_back(int32_t(int64_t{size} * i / 8));
  for (int32_t mark : marks)
    for (int d : {-1, 0, 1}) probes.push_back(Saturate(int64_t{mark} + d));
  return probes;
}

void CheckRegionData(const std::vector<uint8_t>& block) {
  if (block.empty()) return;
  FuzzCheck(block.size() >= kRegionHeaderSize && (block.size() - kRegionHeaderSize) % kRegionRectSize == 0,
            "region data is not a header and whole rectangles");
  FuzzCheck(LoadLE32(block.data() + 8) == (block.size() - kRegionHeaderSize) / kRegionRectSize,
            "region data counts other rectangles than it holds");
}

void CheckRegionParts(const std::optional<TMaskRegionParts>& parts) {
  if (!parts) return;
  for (const auto* block : {&parts->Top, &parts->Bottom, &parts->Left, &parts->Right}) CheckRegionData(*block);
}

void CheckHitCode(int32_t code) {
  const bool known = code == kHitClient || code == kHitCaption || code == kHitObject ||
                     (code >= kHitLeft && code <= kHitBottomRight);
  FuzzCheck(known, "a hit test gave no HT code");
}

// Each morph kind (and one outside the enumeration) at k = 0, 0.5 and 1,
// on faces up to kMaxTransitionPixels (the program's own morphs run at any
// size as the objects draw).
void EveryTransition(const PixelImage& normal, const PixelImage& active) {
  if (int64_t{normal.Width()} * normal.Height() > kMaxTransitionPixels) return;
  for (int kind = 0; kind <= int(TMorphKind::mkpush) + 1; ++kind)
    for (double k : {0.0, 0.5, 1.0}) {
      PixelImage a = normal;
      TransitionFor(TMorphKind(kind))(a.View(), active.View(), k);
    }
}

// --- the frame ------------------------------------------------------------------------------

TPoint CentreOf(const TRect& r) {
  return {Saturate((int64_t{r.Left} + r.Right) / 2), Saturate((int64_t{r.Top} + r.Bottom) / 2)};
}

// The frame of a loaded skin with a main picture, as TSkinFrame keeps it.
class FrameWalk {
 public:
  FrameWalk(const TSkinData& skin, const EngineDrive& drive)
      : FSkin(skin), FDrive(drive), FPoints(FrameSkinPointsOf(skin)), FObjects(FFrame) {
    FStretch = {skin.leftstretch, skin.topstretch, skin.rightstretch, skin.bottomstretch};
    FPicture = Decode(skin.PictureBitmap());
    FInactive = Decode(skin.InactivePictureBitmap());
    FMask = Decode(skin.MaskBitmap());
    FBackground = PictureAt(skin, skin.bgpictureindex);
    FFrame.Active = drive.Flags & efActive;
    FFrame.Icon = drive.Flags & efShowIcon;
    FFrame.ToTray = drive.Flags & efAlwaysToTray;
    FObjects.CreateObjects(skin);
    FObjects.ApplyBorderIcons(drive.BorderIcons);
    FObjects.UpdateCaptionActive(false);
  }

  void Run() {
    TFrameLimitInput limits{.Skinned = true, .PictureWidth = FPoints.PictureWidth,
                            .PictureHeight = FPoints.PictureHeight, .ClientRect = FPoints.Client};
    const TPoint least{MinFrameWidth(limits), MinFrameHeight(limits)};
    const TPoint natural{FPoints.PictureWidth, FPoints.PictureHeight};
    for (TPoint size : WindowSizes(natural, least, FDrive)) Size(size);
    const TPoint grown{Plain(natural.X) + FDrive.GrowX, Plain(natural.Y) + FDrive.GrowY};
    Arrange(ComputeFramePoints(FPoints, grown.X, grown.Y));
    Press();
    States(ComputeFramePoints(FPoints, grown.X, grown.Y));
    WindowStates(limits, grown);
  }

 private:
  void Size(TPoint size) {
    const TScaledFramePoints scaled = ComputeFramePoints(FPoints, size.X, size.Y);
    for (TPoint at : {TPoint{0, 0}, TPoint{-32000, 30000}}) SkinnedClientRect(Bounds(at.X, at.Y, size.X, size.Y), FPoints);
    Arrange(scaled);
    TBorderStrips maskStrips;
    if (FMask.Width() > 0) {
      const TFramePoints points = MaskSplitPoints(FPoints), scaledPoints = MaskSplitPoints(scaled);
      maskStrips = SplitMaskBorders(points, scaledPoints, FMask.View(), size.X, size.Y);
      CheckRegionParts(ScaledMaskRegionParts(points, scaledPoints, FMask.View(), size.X, size.Y));
    }
    HitTests(scaled, maskStrips);
    for (bool active : {true, false}) Paint(scaled, active);
    PaintClient(SkinnedClientRect({0, 0, size.X, size.Y}, FPoints));
  }

  void Arrange(const TScaledFramePoints& scaled) {
    std::vector<TFrameObjectPlace> places = FObjects.Places();
    const std::optional<TPoint> icon = FFrame.Icon ? std::optional<TPoint>({16, 16}) : std::nullopt;
    ArrangeObjects(places, FPoints, scaled, icon);
    FObjects.Place(places);
  }

  void HitTests(const TScaledFramePoints& f, const TBorderStrips& maskStrips) {
    std::vector<TRect> captions;
    for (size_t i = 0; i < FObjects.Count(); ++i)
      if (dynamic_cast<const TSkinCaptionObject*>(&FObjects[i])) captions.push_back(FObjects[i].ObjectRect);
    TMaskQuery inMask;
    if (FMask.Width() > 0) inMask = [&](TPoint q) { return PointInFrameMask(maskStrips, f.Mask, q); };
    const std::vector<int32_t> xs = Probes(f.FrameWidth, {f.HitLeftTop.X, f.HitRightTop.X, f.HitLeftBottom.X,
                                                          f.HitRightBottom.X, f.Client.Left, f.Client.Right,
                                                          f.Mask.Left, f.Mask.Right});
    const std::vector<int32_t> ys = Probes(f.FrameHeight, {f.HitLeftTop.Y, f.HitRightTop.Y, f.HitLeftBottom.Y,
                                                           f.HitRightBottom.Y, f.Client.Top, f.Client.Bottom,
                                                           f.Mask.Top, f.Mask.Bottom});
    TFrameHitState states[3];
    states[0].Sizeable = states[1].Sizeable = true;
    states[1].ObjectHot = true;
    states[2].RolledUp = true;
    for (TFrameHitState& state : states) state.CaptionObjects = captions;
    for (int32_t x : xs)
      for (int32_t y : ys) {
        for (const TFrameHitState& state : states) CheckHitCode(FrameHitTest({x, y}, f, FSkin.borderwidth, inMask, state));
        FObjects.ObjectAt({x, y});
      }
  }

  // As TSkinFrame::PaintFrame: the border strips with the objects drawn in.
  void Paint(const TScaledFramePoints& f, bool active) {
    FFrame.Active = active;
    FObjects.UpdateCaptionActive(false);
    const PixelImage& picture = active || FInactive.Width() == 0 ? FPicture : FInactive;
    TBorderStrips strips = ComposeFrameBorders(PointsOf(FPoints), PointsOf(f), FStretch, f.FrameWidth, f.FrameHeight,
                                               {0, 0, picture.Width(), picture.Height()}, picture.View());
    DrawObjects(strips, f);
    if (!active && FSkin.autorenderinginactiveimage)
      for (PixelImage* strip : {&strips.Top, &strips.Left, &strips.Right, &strips.Bottom})
        ApplyInactiveEffect(strip->View(), FSkin.inactiveeffect, FNoise);
    FFrame.Active = FDrive.Flags & efActive;
  }

  void DrawObjects(TBorderStrips& strips, const TScaledFramePoints& f) {
    for (size_t i = 0; i < FObjects.Count(); ++i) DrawObject(FObjects[i], strips, f);
  }

  void DrawObject(TActiveSkinObject& object, TBorderStrips& strips, const TScaledFramePoints& f) {
    if (!object.Shown) return;
    const TRect& client = f.Client;
    const bool bottom = object.ObjectRect.Bottom > client.Top && object.ObjectRect.Top >= client.Bottom;
    PixelImage& strip = bottom ? strips.Bottom : strips.Top;
    if (strip.Width() == 0) return;
    EngineCanvas canvas(strip.View(), TPoint{0, bottom ? f.FrameHeight - strip.Height() : 0});
    object.Draw(canvas, false);
  }

  // As TSkinFrame::PaintClientBackground, over the whole client and its lower right quarter.
  void PaintClient(const TRect& client) {
    const bool own = FBackground.Width() > 0;
    const PixelImage& source = own ? FBackground : FPicture;
    const PixelBox piece = own ? WholeOf(FBackground) : PixelBox{FPoints.Client};
    if (piece.Width() <= 0 || piece.Height() <= 0) return;
    const int32_t w = client.Width(), h = client.Height();
    for (TPoint at : {TPoint{0, 0}, TPoint{w / 2, h / 2}}) {
      PixelImage tiles(w - at.X, h - at.Y);
      TileArea(tiles.View(), at, source.View(), piece);
    }
  }

  // The pointer on each object with either button, and a double click.
  void Press() {
    for (size_t i = 0; i < FObjects.Count(); ++i) {
      const TPoint c = CentreOf(FObjects[i].ObjectRect);
      for (int button : {kObjectLeftButton, kObjectRightButton}) {
        FObjects.TrackObjects(c);
        FObjects.Press(c, button);
        FObjects.Move(c);
        FObjects.Release(c, button);
      }
      FObjects.DoubleClick(c, kObjectLeftButton);
      FObjects.Release(c, kObjectLeftButton);
    }
    FObjects.TrackObjects({-1, -1}, false);
    FObjects.MenusClosed();
    FObjects.ResetStates();
  }

  // Every object in each look: lit or not at morph positions 0, 0.5 and 1,
  // pressed, disabled, with the window maximized, rolled up and inactive;
  // then the morph and animation timers run out.
  void States(const TScaledFramePoints& f) {
    TBorderStrips strips = ComposeFrameBorders(PointsOf(FPoints), PointsOf(f), FStretch, f.FrameWidth, f.FrameHeight,
                                               {0, 0, FPicture.Width(), FPicture.Height()}, FPicture.View());
    for (size_t i = 0; i < FObjects.Count(); ++i) {
      TActiveSkinObject& object = FObjects[i];
      for (bool lit : {false, true})
        for (double k : {0.0, 0.5, 1.0}) {
          object.Lit = object.PointerOver = lit;
          object.SetBlendPos(k);
          DrawObject(object, strips, f);
        }
      if (auto* button = dynamic_cast<TSkinButtonObject*>(&object)) {
        button->Pressed = true;
        DrawObject(object, strips, f);
        FFrame.Maximized = FFrame.RolledUp = FFrame.Minimized = true;
        DrawObject(object, strips, f);
        FFrame.Active = false;
        DrawObject(object, strips, f);
        FFrame.Active = FDrive.Flags & efActive;
        FFrame.Maximized = FFrame.RolledUp = FFrame.Minimized = false;
        button->Usable = false;
        DrawObject(object, strips, f);
        button->Usable = true;
      }
      auto* caption = dynamic_cast<TSkinCaptionObject*>(&object);
      // The caption the frame follows, as it draws: its looks only when it fits its strip.
      if (caption && caption == FObjects.Caption() && object.ObjectRect.Width() <= strips.Top.Width() &&
          object.ObjectRect.Height() <= strips.Top.Height()) {
        EngineCanvas canvas(strips.Top.View(), {0, 0});
        EveryTransition(caption->BuildLook(canvas, TCaptionLook::Normal), caption->BuildLook(canvas, TCaptionLook::Active));
      }
      if (auto* animate = dynamic_cast<TSkinAnimateObject*>(&object)) {
        // Playing backwards from the first frame wraps to the last.
        animate->CurrentFrame = std::max(animate->countframes, 1);
        DrawObject(object, strips, f);
        animate->CurrentFrame = 1;
      }
      object.ResetState();
    }
    for (size_t i = 0; i < FObjects.Count(); ++i) {
      FObjects[i].Lit = true;
      FObjects[i].MouseEnter();
    }
    for (int tick = 0; tick < 12 && FObjects.MorphTick(); ++tick) {}
    for (int tick = 0; tick < 64 && FObjects.AnimateTick(); ++tick)
      if (tick % 8 == 0) DrawObjects(strips, f);
    FObjects.ResetStates();
  }

  // Minimize beside other minimized forms, maximize, restore and roll up.
  void WindowStates(TFrameLimitInput limits, TPoint size) {
    limits.Minimized = true;
    const TPoint strip{MinFrameWidth(limits), MinFrameHeight(limits)};
    limits.Minimized = false;
    limits.RolledUp = true;
    const int32_t rolled = MinFrameHeight(limits);
    const std::vector<TPoint> others{FreePlace(kWorkArea, strip.X, strip.Y, {}),
                                     {Saturate(int64_t{kWorkArea.Left} + strip.X),
                                      Saturate(int64_t{kWorkArea.Bottom} - strip.Y)}};
    TFrameSurroundings around{.Bounds = Bounds(100, 100, size.X, size.Y), .WorkArea = kWorkArea,
                              .Monitor = kMonitor, .MinFrameWidth = strip.X, .MinFrameHeight = strip.Y,
                              .MinimizedOthers = others};
    TFrameStates states;
    for (TFrameState state : {TFrameState::Minimized, TFrameState::Maximized, TFrameState::Normal}) {
      const TStateChange change = states.SetWindowState(state, around);
      if (change.Kind == TStateChange::TKind::SetBounds) around.Bounds = change.Bounds;
      states.RollUp(true, FDrive.BorderIcons, around.Bounds.Height(), rolled);
      CaptionDoubleClickCommand(states, FDrive.Flags & efSizeable, FDrive.BorderIcons);
      states.RollUp(false, FDrive.BorderIcons, around.Bounds.Height(), rolled);
    }
    MovingRect(OffsetBy(around.Bounds, -3, 1), around.Bounds, kWorkArea, {.Magnetic = true, .MagneticSize = 10});
  }

  const TSkinData& FSkin;
  const EngineDrive& FDrive;
  TFrameSkinPoints FPoints;
  TStretchEdges FStretch;
  PixelImage FPicture, FInactive, FMask, FBackground;
  EngineFrame FFrame;
  TSkinObjectList FObjects;
  NoiseRandom FNoise{1};
};

// The frame without a skin: its own bevels, caption bar and buttons.
void WalkDefaultFrame(const TSkinData& skin, const EngineDrive& drive) {
  EngineFrame frame;
  frame.Active = drive.Flags & efActive;
  TSkinObjectList objects(frame);
  objects.CreateDefaultObjects(&skin);
  objects.ApplyBorderIcons(drive.BorderIcons);
  const bool tool = drive.Flags & efToolWindow;
  const int32_t captionHeight = DefaultCaptionHeight(tool);
  for (TPoint size : WindowSizes({177, 289}, {120, captionHeight + 6}, drive)) {
    std::vector<TFrameObjectPlace> places = objects.Places();
    const TCaptionSpan span = PlaceDefaultButtons(places, size.X, tool);
    objects.Place(places);
    DefaultClientRect({0, 0, size.X, size.Y}, tool);
    TFrameHitState state{.Sizeable = (drive.Flags & efSizeable) != 0};
    for (int32_t x : Probes(size.X, {span.Left, span.Right}))
      for (int32_t y : Probes(size.Y, {captionHeight}))
        CheckHitCode(DefaultHitTest({x, y}, size.X, size.Y, span.Left, span.Right, captionHeight, state));
    PixelImage image(size.X, size.Y);
    ComposeDefaultFrame(image.View(), captionHeight, span);
    EngineCanvas canvas(image.View(), {0, 0});
    std::string text = frame.CaptionText();
    EllipsizeText(canvas, text, span.Right - span.Left);
    CentredTextLeft(span, canvas.TextWidth(text));
    for (size_t i = 0; i < objects.Count(); ++i)
      for (bool over : {false, true}) {
        objects[i].PointerOver = over;
        objects[i].Draw(canvas, false);
      }
  }
}

// --- the skinned buttons -------------------------------------------------------------------------

// The faces of one button control as TSkinButton paints them, for each
// face ChooseButtonFace can pick (only the normal one unless `everyFace`),
// with the glyph and caption laid out.
void PaintButtonFaces(const TDataSkinButtonControl& section, const PixelImage& picture, TCompositionMode mode,
                      const TFramePoints& points, const TFramePoints& scaled, int32_t width, int32_t height,
                      bool everyFace) {
  auto empty = [](const TRect& r) { return r.Width() < 1 || r.Height() < 1; };
  const TRect active = empty(section.activeskinrect) ? section.skinrect : section.activeskinrect;
  const TRect down = empty(section.downskinrect) ? active : section.downskinrect;
  auto face = [&](const TRect& rect) {
    return ComposeSkinFace(mode, picture.View(), rect, points, scaled, width, height);
  };
  bool faces[5] = {};
  for (int bits = 0; bits < 256 && everyFace; ++bits)
    for (double factor : {0.0, 0.5, 1.0}) {
      ButtonFaceState state{.Morphing = (bits & 1) != 0, .MorphFactor = factor, .Enabled = (bits & 2) != 0,
                            .HasDisabledPicture = (bits & 4) != 0, .Down = (bits & 8) != 0,
                            .GroupIndex = (bits & 16) != 0, .MouseInside = (bits & 32) != 0,
                            .Focused = (bits & 64) != 0, .CanFocused = true, .PressedByMouse = (bits & 128) != 0};
      const ButtonFaceChoice choice = ChooseButtonFace(state);
      faces[int(choice.Face)] = true;
      ShowsDownLook(state);
      ButtonGlyphCell(choice.Active, choice.DownLook, state.Enabled, 4);
      ButtonCaptionColor({section.fontcolor, section.activefontcolor, section.downfontcolor, section.disabledfontcolor},
                         state.Enabled, choice.Active, choice.DownLook);
    }
  if (faces[int(ButtonFace::Morph)])
    for (double k : {0.0, 0.5, 1.0}) {
      PixelImage normal = face(section.skinrect);
      TransitionFor(section.morphkind)(normal.View(), face(active).View(), k);
    }
  if (faces[int(ButtonFace::Disabled)]) face(section.disabledskinrect);
  if (faces[int(ButtonFace::Down)]) face(down);
  if (faces[int(ButtonFace::Active)]) face(active);
  PixelImage normal = face(section.skinrect);
  // A strip of four glyph cells, as a button's Glyph may hold.
  PixelImage glyph(64, 16);
  FillPixels(glyph.View(), {0, 0, 32, 16}, {9, 99, 199});
  EngineCanvas text(normal.View(), {0, 0});
  for (TButtonLayout layout : {blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom})
    for (int margin : {-1, 0, 4}) {
      const TGlyphTextPlace place = LayoutGlyphAndText(layout, scaled.Client, 16, 16, text.TextWidth("Start"),
                                                       text.TextHeight(), 4, margin);
      DrawGlyphCell(normal.View(), place.Glyph.X, place.Glyph.Y, glyph.View(), 4, 1 + margin % 4);
    }
}

// Each control section fitted to sizes as TSkinCustomControl fits them,
// shaped by its mask, and a button's faces painted.
void WalkControls(const TSkinData& skin, ActivePictures& pictures, const EngineDrive& drive) {
  bool transitioned = false;
  for (const auto& entry : skin.SkinControls()) {
    const auto* custom = dynamic_cast<const TDataSkinCustomControl*>(entry.get());
    const TRect rect = entry->skinrect;
    TFramePoints points;
    TCompositionMode mode = TCompositionMode::Copy;
    const PixelImage* picture = &pictures.At(-1);
    const PixelImage* mask = picture;
    if (custom) {
      points = {custom->lefttoppoint, custom->righttoppoint, custom->leftbottompoint, custom->rightbottompoint,
                custom->clientrect};
      mode = CompositionModeFor(rect, points);
      picture = &pictures.At(custom->pictureindex);
      mask = &pictures.At(custom->maskpictureindex);
    }
    const auto* button = dynamic_cast<const TDataSkinButtonControl*>(entry.get());
    for (TPoint size : WindowSizes({rect.Width(), rect.Height()}, {0, 0}, drive)) {
      int32_t width = size.X, height = size.Y;
      const TFramePoints scaled = FitSizeToSkin(mode, rect, points, width, height);
      const int64_t pixels = int64_t{width} * height;
      if (mask->Width() > 0 && mode != TCompositionMode::None && pixels <= kMaxFacePixels) {
        if (mode == TCompositionMode::Copy) {
          CheckRegionData(MaskToRegionData(mask->View(), 0, 0));
        } else {
          const MaskRegionPoints shape = MaskRegionPointsFor(mode, rect, points, scaled, width, height);
          CheckRegionParts(ScaledMaskRegionParts(shape.Source, shape.Scaled, mask->View(), width, height));
        }
      }
      if (button && picture->Width() > 0 && width > 0 && height > 0 && pixels <= kMaxFacePixels)
        PaintButtonFaces(*button, *picture, mode, points, scaled, width, height, pixels <= kMaxStateFacePixels);
    }
    // Every transition once, on the first button's faces.
    if (button && !transitioned && picture->Width() > 0 && rect.Width() > 0 && rect.Height() > 0 &&
        int64_t{rect.Width()} * rect.Height() <= kMaxStateFacePixels) {
      int32_t width = rect.Width(), height = rect.Height();
      const TFramePoints scaled = FitSizeToSkin(mode, rect, points, width, height);
      const TRect active = IsEmptyRect(button->activeskinrect) ? rect : button->activeskinrect;
      EveryTransition(ComposeSkinFace(mode, picture->View(), rect, points, scaled, width, height),
                      ComposeSkinFace(mode, picture->View(), active, points, scaled, width, height));
      transitioned = true;
    }
  }
}

// --- the popup menus -----------------------------------------------------------------------------

// `count` items of every kind: commands with their glyphs, separators,
// shortcuts, disabled items, sub-menus, and captions to be cut.
std::vector<TMenuItem> MenuItems(size_t count) {
  static const char* const kNames[] = {"SKF_CLOSE", "SKF_MINITEM", "SKF_MAXITEM", "SKF_RESTORE",
                                       "SKF_ROLLUP", "SKF_MINTOTRAY", "TRAY_SKF_RESTORE", "USER"};
  std::vector<TMenuItem> items;
  for (size_t i = 0; i < count; ++i) {
    TMenuItem item{.Name = kNames[i % 8],
                        .Caption = i % 5 == 3   ? "-"
                                   : i % 3 == 0 ? "&Restore"
                                                : "A caption far too long for && any menu &"};
    if (i % 4 == 1) item.ShortCut = "Alt+F4";
    item.Enabled = i % 7 != 2;
    if (i % 6 == 5) item.SubItems.push_back({.Name = "SUB", .Caption = "&Sub"});
    item.ImageIndex = static_cast<int32_t>(i % 5) - 1;
    item.Checked = i % 3 != 1;
    item.RadioItem = i % 4 == 0;
    items.push_back(std::move(item));
  }
  return items;
}

struct MenuWalk {
  TMenuSkin Skin;
  TMenuPictures Pictures;
  const PixelImage* Mask = nullptr;
  EngineMenuText Text;
};

TMenuItemLook LookFor(size_t index) {
  static const TMenuItemLook kLooks[] = {{}, {.Lit = true}, {.SubOpen = true}, {.Lit = true, .BlendPos = 0},
                                         {.Lit = true, .BlendPos = 0.5}, {.BlendPos = 1}, {.BlendPos = 0.5}};
  return kLooks[index % std::size(kLooks)];
}

// As TSkinPopupWindow opens, places, tracks, scrolls and paints one level.
void WalkMenu(MenuWalk& walk, const std::vector<TMenuItem>& items, const TRect& workArea) {
  const TMenuSkin& skin = walk.Skin;
  const std::vector<TMenuItemSize> sizes = MeasureMenuItems(items, walk.Text, skin, 20);
  TMenuWindowSize size = MenuWindowSize(sizes, MarkColumnWidth(std::nullopt), skin, workArea);
  size.Width = std::max(size.Width, 1);
  size.Height = std::max(size.Height, 1);
  const TFramePoints fit = MenuFitPoints(skin, size.Width, size.Height);
  TMenuLayout layout = LayoutMenuItems(sizes, fit.Client, size.Scrolling, 0);
  if (skin.Skinned() && walk.Mask && walk.Mask->Width() > 0)
    CheckRegionParts(ScaledMaskRegionParts(MenuFitPoints(skin, skin.PictureWidth, skin.PictureHeight), fit,
                                           walk.Mask->View(), size.Width, size.Height));

  const TRect centre = Bounds(workArea.Left + workArea.Width() / 2, workArea.Top + workArea.Height() / 2, 1, 1);
  for (const TRect& anchor : {centre, Bounds(workArea.Left, workArea.Top, 40, 20),
                              Bounds(workArea.Right - 40, workArea.Bottom - 20, 40, 20)})
    for (int flags = 0; flags < 4; ++flags)
      PlaceMenu({.Anchor = anchor, .Width = size.Width, .Height = size.Height, .WorkArea = workArea,
                 .ItemsTop = fit.Client.Top, .SubMenu = (flags & 1) != 0, .Upward = (flags & 2) != 0,
                 .Scrolling = size.Scrolling});

  const TMenuScrollMarkers markers = MenuScrollMarkers(skin, fit.Client, size.Width, size.Height);
  for (int32_t x : {fit.Client.Left, size.Width / 2, fit.Client.Right - 1})
    for (int32_t y : Probes(size.Height, {fit.Client.Top, fit.Client.Bottom, markers.Up.Bottom, markers.Down.Top})) {
      MenuItemAt(layout, {x, y});
      MenuScrollAt(markers, {x, y}, TMenuScroll::None, 0, layout);
    }
  int32_t first = 0;
  for (TMenuScroll direction : {TMenuScroll::Down, TMenuScroll::Up})
    while (const std::optional<int32_t> next = MenuScrollStep(direction, first, layout)) {
      first = *next;
      layout = LayoutMenuItems(sizes, fit.Client, size.Scrolling, first);
    }
  for (int32_t index = -1; index <= int32_t(items.size()); ++index) MenuFirstShownFor(sizes, fit.Client, 0, index);

  if (int64_t{size.Width} * size.Height > kMaxPaintedMenuPixels) return;
  PixelImage window(size.Width, size.Height);
  PaintMenuBackground(window.View(), skin, walk.Pictures, std::nullopt);
  // Three 16 x 16 images, filled as a list's icons would cover them.
  struct FilledImages : TMenuImages {
    int32_t Count() const override { return 3; }
    int32_t Width() const override { return 16; }
    int32_t Height() const override { return 16; }
    void DrawImage(PixelView target, int x, int y, int32_t) override { FillPixels(target, {x, y, x + 16, y + 16}, {}); }
  } images;
  for (size_t i = 0; i < items.size(); ++i) {
    const TMenuItemPlace& place = layout.Items[i];
    if (!place.Shown) continue;
    PixelImage item(place.Rect.Width(), place.Rect.Height());
    const TMenuItemLook look = LookFor(i);
    MenuItemMorphPending(skin, look);
    PaintMenuItem(item.View(), skin, walk.Pictures, items[i], look, i % 2 ? &images : nullptr, walk.Text);
    CopyPixels(window.View(), PixelBox{place.Rect}, item.View(), WholeOf(item));
  }
  if (size.Scrolling)
    for (TMenuScroll scroll : {TMenuScroll::None, TMenuScroll::Up, TMenuScroll::Down})
      PaintMenuScrollMarkers(window.View(), skin, markers, scroll);
}

// The menu item faces of a skinned menu, normal and active, in every transition.
void MenuItemTransitions(const MenuWalk& walk) {
  if (!walk.Skin.Skinned() || !walk.Pictures.Item) return;
  const TDataSkinMenuItem& item = *walk.Skin.Item;
  // As PaintMenuItem cuts the faces to the item's height.
  const int32_t width = std::clamp(item.skinrect.Width(), 1, 64), height = std::clamp(item.skinrect.Height(), 1, 64);
  auto face = [&](TRect rect) {
    rect.Bottom = Saturate(std::min<int64_t>(rect.Bottom, int64_t{rect.Top} + height));
    return ComposeHorizontalThree(item.itemleftoffset, item.itemrightoffset, width, rect,
                                  walk.Pictures.Item->View());
  };
  EveryTransition(face(item.skinrect), face(IsEmptyRect(item.activeskinrect) ? item.skinrect : item.activeskinrect));
}

void WalkMenus(const TSkinData& skin, ActivePictures& pictures) {
  MenuWalk walk;
  walk.Skin = MenuSkinOf(skin);
  walk.Mask = &pictures.At(-1);
  if (walk.Skin.Skinned()) {
    const PixelImage& back = pictures.At(walk.Skin.Popup->windowpictureindex);
    const PixelImage& item = pictures.At(walk.Skin.Item->activepictureindex);
    walk.Pictures = {back.Width() > 0 ? &back : nullptr, item.Width() > 0 ? &item : nullptr};
    walk.Mask = &pictures.At(walk.Skin.Popup->maskpictureindex);
  }
  for (size_t count : {0, 1, 200}) {
    const std::vector<TMenuItem> items = MenuItems(count);
    // A work area as large as a monitor, and one too low for the items.
    for (const TRect& workArea : {kWorkArea, TRect{-1920, 0, 0, 120}}) WalkMenu(walk, items, workArea);
  }
  MenuItemTransitions(walk);
}

// --- the input ----------------------------------------------------------------------------------

// The skin of a generated input as a package, deflated as the form keeps it.
void StoreGenerated(const GeneratedSkin& generated, TCompressedStoredSkin& stored) {
  int64_t budget = kMaxGeneratedPixels;
  auto picture = [&](size_t slot) {
    const int32_t maxSide = slot < kMainSlots ? kMaxGeneratedSide : kMaxGeneratedActiveSide;
    const BmpImage image = GeneratedPicture(generated.Slots[slot], maxSide, budget);
    return image.width > 0 ? EncodeBmp(image) : std::vector<uint8_t>();
  };
  const std::vector<uint8_t> main[kMainSlots] = {picture(0), picture(1), picture(2)};
  std::vector<std::vector<uint8_t>> active;
  for (size_t i = 0; i < generated.ActiveCount; ++i) {
    active.push_back(picture(kMainSlots + i));
    // A package cannot hold an empty active picture: a single pixel stands in.
    if (active.back().empty()) {
      int64_t onePixel = 1;
      active.back() = EncodeBmp(GeneratedPicture({1, 1, 1}, 1, onePixel));
    }
  }
  const std::vector<uint8_t> package = GeneratedPackage(main, active, generated.IniText);
  DeflateStored(package, stored.CompressedStream());
}

int64_t PixelsOf(const TSkinData& skin) {
  int64_t pixels = 0;
  auto add = [&](const TSkinBitmap& b) { pixels += int64_t{b.Width()} * b.Height(); };
  for (const TSkinBitmap* b : {&skin.PictureBitmap(), &skin.InactivePictureBitmap(), &skin.MaskBitmap()}) add(*b);
  for (const TSkinBitmap& b : skin.ActivePictureBitmaps()) add(b);
  return pixels;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> input(data, size);
  if (size < kDriveBytes) return 0;
  const EngineDrive drive = ReadDrive(input);
  TCompressedStoredSkin stored(nullptr);
  if (drive.Generated) {
    GeneratedSkin generated;
    if (!ReadGeneratedSkin(input, generated)) return 0;
    StoreGenerated(generated, stored);
  } else {
    TMemoryStream file(input.subspan(kDriveBytes));
    try {
      if (!ReadPackedSkinFile(file, stored.CompressedStream())) return 0;
    } catch (const Exception&) {
      return 0;
    }
  }
  TSkinData skin(nullptr);
  try {
    skin.LoadCompressedStoredSkin(stored);
  } catch (const Exception&) {
    // The forms go on without a skin, as after any failed load.
  }
  if (PixelsOf(skin) > kMaxWalkedPixels) return 0;
  if (!skin.NoSkin() && !skin.PictureBitmap().Empty())
    FrameWalk(skin, drive).Run();
  else
    WalkDefaultFrame(skin, drive);
  ActivePictures pictures(skin);
  if (!skin.NoSkin()) WalkControls(skin, pictures, drive);
  WalkMenus(skin, pictures);
  return 0;
}
