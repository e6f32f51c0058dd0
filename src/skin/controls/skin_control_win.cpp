#include "skin/controls/skin_control_win.h"

#include "persist/properties.h"
#include "skin/pixels/bmp_pixels.h"
#include "skin/pixels/mask_region_win.h"

// --- TSkinControl --------------------------------------------------------------------

TSkinControl::TSkinControl(TComponent* owner) : TWinControl(owner) {}

const PropertyTable& TSkinControl::Properties() const {
  using C = TSkinControl;
  static const PropertyTable table(&TWinControl::Properties(),
                                   {
                                       props::Ref("SkinData", &C::SetSkinData, &C::SkinData),
                                       props::String("SkinDataName", &C::SetSkinDataName, &C::SkinDataName),
                                       props::Event("OnMouseEnter", &C::SetOnMouseEnter),
                                       props::Event("OnMouseLeave", &C::SetOnMouseLeave),
                                       control_props::Anchors(),
                                   });
  return table;
}

void TSkinControl::SetSkinData(TSkinData* value) {
  if (!FSkinData.Set(*this, value)) return;
  if (value && !value->NoSkin()) ApplySkin();
}

void TSkinControl::SetSkinDataName(const std::string& value) {
  if (value == FSkinDataName) return;
  FSkinDataName = value;
  if (SkinData() && !SkinData()->NoSkin()) ApplySkin();
}

void TSkinControl::ReadSkinSection() {
  TSkinData* skin = SkinData();
  FSectionIndex = !skin || skin->NoSkin() ? -1 : skin->IndexOfControl(FSkinDataName);
}

void TSkinControl::ApplySkin() {
  ReadSkinSection();
  Invalidate();
}

const TDataSkinControl* TSkinControl::Section() const {
  const TSkinData* skin = SkinData();
  if (!skin || FSectionIndex < 0 || static_cast<size_t>(FSectionIndex) >= skin->SkinControls().size()) return nullptr;
  return skin->SkinControls()[static_cast<size_t>(FSectionIndex)].get();
}

void TSkinControl::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (FSkinData.Notify(component, operation)) FSectionIndex = -1;
}

void TSkinControl::MouseEntered() {
  if (FOnMouseEnter) FOnMouseEnter(this);
}

void TSkinControl::MouseLeft() {
  if (FOnMouseLeave) FOnMouseLeave(this);
}

// --- TSkinCustomControl -----------------------------------------------------------

TSkinCustomControl::TSkinCustomControl(TComponent* owner) : TSkinControl(owner) {
  FDefaultFont.SetName("Arial");
  FDefaultFont.SetHeight(14);
  FDefaultFont.SetStyle(0);
  FDefaultFont.OnChange = [this] { DefaultFontChanged(); };
}

const PropertyTable& TSkinCustomControl::Properties() const {
  using C = TSkinCustomControl;
  static const PropertyTable table(&TSkinControl::Properties(),
                                   {
                                       props::Nested("DefaultFont", &C::DefaultFont),
                                       props::Int("DefaultWidth", &C::SetDefaultWidth, &C::DefaultWidth),
                                       props::Int("DefaultHeight", &C::SetDefaultHeight, &C::DefaultHeight),
                                       props::Bool("UseSkinFont", &C::SetUseSkinFont, &C::UseSkinFont),
                                   });
  return table;
}

void TSkinCustomControl::SetDefaultWidth(int value) {
  FDefaultWidth = value;
  if (!HasSkin() && value > 0) SetBounds(Left(), Top(), value, Height());
}

void TSkinCustomControl::SetDefaultHeight(int value) {
  FDefaultHeight = value;
  if (!HasSkin() && value > 0) SetBounds(Left(), Top(), Width(), value);
}

void TSkinCustomControl::ReadSkinSection() {
  TSkinControl::ReadSkinSection();
  const TDataSkinControl* section = Section();
  auto* custom = dynamic_cast<const TDataSkinCustomControl*>(section);
  if (!custom) {
    // A section of another kind has a rectangle but no frame points to fit by.
    FSkinRect = section ? section->skinrect : TRect{};
    FPoints = {};
    FMode = section ? TCompositionMode::Copy : TCompositionMode::None;
    CachePictures(nullptr);
    return;
  }
  FSkinRect = custom->skinrect;
  FPoints = {custom->lefttoppoint, custom->righttoppoint, custom->leftbottompoint, custom->rightbottompoint,
             custom->clientrect};
  FMode = CompositionModeFor(FSkinRect, FPoints);
  CachePictures(custom);
  int width = Width(), height = Height();
  FScaled = ::FitSizeToSkin(FMode, FSkinRect, FPoints, width, height);
}

void TSkinCustomControl::CachePictures(const TDataSkinControl* section) {
  const TSkinData* skin = SkinData();
  PictureKey key;
  if (section && skin) key = {skin, skin->Generation(), section->pictureindex, section->maskpictureindex};
  if (key == FDecoded) return;
  FDecoded = key;
  auto decode = [&](int32_t index) {
    if (!key.Skin || index < 0 || static_cast<size_t>(index) >= skin->ActivePictureBitmaps().size())
      return PixelImage();
    return PixelImageFromBmp(skin->ActivePictureBitmaps()[static_cast<size_t>(index)].Image());
  };
  FPicture = decode(key.Picture);
  FMask = decode(key.Mask);
}

void TSkinCustomControl::FitSizeToSkin(int& width, int& height) {
  if (!HasSkin()) return;
  FScaled = ::FitSizeToSkin(FMode, FSkinRect, FPoints, width, height);
}

void TSkinCustomControl::SetBounds(int left, int top, int width, int height) {
  ReadSkinSection();
  bool resized = width != Width() || height != Height();
  if (resized && HasSkin()) FitSizeToSkin(width, height);
  resized = width != Width() || height != Height();
  TSkinControl::SetBounds(left, top, width, height);
  if (resized && HasSkin()) {
    UpdateSkinRegion();
    Invalidate();
  }
}

void TSkinCustomControl::ApplySkin() {
  ReadSkinSection();
  int width = Width(), height = Height();
  if (!HasSkin()) {
    if (FDefaultWidth > 0) width = FDefaultWidth;
    if (FDefaultHeight > 0) height = FDefaultHeight;
  } else {
    FitSizeToSkin(width, height);
  }
  if (width != Width() || height != Height()) {
    SetBounds(Left(), Top(), width, height);
    if (HasSkin()) return;  // the size change shaped and repainted it
  }
  UpdateSkinRegion();
  Invalidate();
}

void TSkinCustomControl::UpdateSkinRegion() {
  if (!HandleAllocated()) return;
  if (!HasSkin() || FMask.Width() == 0 || FMode == TCompositionMode::None) {
    SetWindowRgn(Handle(), nullptr, TRUE);
    return;
  }
  RegionHandle region;
  if (FMode == TCompositionMode::Copy) {
    region = RegionFromMask(FMask.View());
  } else {
    MaskRegionPoints points = MaskRegionPointsFor(FMode, FSkinRect, FPoints, FScaled, Width(), Height());
    region = ScaledMaskRegion(points.Source, points.Scaled, FMask.View(), Width(), Height());
  }
  // The window owns the region once it is set, and frees the one before it.
  if (region && SetWindowRgn(Handle(), region.Get(), TRUE)) region.Release();
}

PixelImage TSkinCustomControl::ComposeFace(const TRect& stateRect) const {
  if (FPicture.Width() == 0 || Width() <= 0 || Height() <= 0) return {};
  return ComposeSkinFace(FMode, FPicture.View(), stateRect, FPoints, FScaled, Width(), Height());
}
