#pragma once
// The bases of the skinned controls. TSkinControl finds its section in the
// skin data by name; TSkinCustomControl fits its size to the section's
// picture, composes its face and shapes its window with the section's mask.
#include <string>

#include "skin/pixels/pixel_buffer.h"
#include "skin/pixels/skin_fit.h"
#include "skin/data/skin_data.h"
#include "ui/control_win.h"
#include "ui/system/handles_win.h"

class TSkinControl : public TWinControl {
 public:
  explicit TSkinControl(TComponent* owner);
  const PropertyTable& Properties() const override;

  TSkinData* SkinData() const { return FSkinData.Get(); }
  void SetSkinData(TSkinData* value);
  const std::string& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const std::string& value);
  void SetOnMouseEnter(TNotifyEvent handler) { FOnMouseEnter = std::move(handler); }
  void SetOnMouseLeave(TNotifyEvent handler) { FOnMouseLeave = std::move(handler); }

  // The section's index in the skin data's controls, -1 without a usable skin.
  int32_t SectionIndex() const { return FSectionIndex; }
  // Looks the section up again: skins change under the control.
  virtual void ReadSkinSection();
  // Takes a (new) skin: sizes, shape and look.
  virtual void ApplySkin();
  // The skin is about to change: forget the section.
  virtual void ResetSkinSection() { FSectionIndex = -1; }
  // The section of the last look-up, or null.
  const TDataSkinControl* Section() const;

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  void MouseEntered();
  void MouseLeft();

  int32_t FSectionIndex = -1;

 private:
  ComponentRef<TSkinData> FSkinData;
  std::string FSkinDataName;
  TNotifyEvent FOnMouseEnter, FOnMouseLeave;
};

class TSkinCustomControl : public TSkinControl {
 public:
  explicit TSkinCustomControl(TComponent* owner);
  const PropertyTable& Properties() const override;

  TFont& DefaultFont() { return FDefaultFont; }
  int DefaultWidth() const { return FDefaultWidth; }
  void SetDefaultWidth(int value);
  int DefaultHeight() const { return FDefaultHeight; }
  void SetDefaultHeight(int value);
  void SetUseSkinFont(bool value) { FUseSkinFont = value; }
  bool UseSkinFont() const { return FUseSkinFont; }

  void ReadSkinSection() override;
  void ApplySkin() override;
  void SetBounds(int left, int top, int width, int height) override;

  TCompositionMode CompositionMode() const { return FMode; }
  const TRect& SkinRect() const { return FSkinRect; }
  const TFramePoints& Points() const { return FPoints; }
  const TFramePoints& ScaledPoints() const { return FScaled; }
  bool HasSkin() const { return FSectionIndex >= 0; }

 protected:
  // Fits a requested size to the section (in/out) and scales the points to it.
  virtual void FitSizeToSkin(int& width, int& height);
  // The window's shape from the section's mask, or none.
  virtual void UpdateSkinRegion();
  virtual void DefaultFontChanged() { Invalidate(); }
  // The face for one state rectangle of the section's picture, composed to the
  // control's size; empty when there is no picture to compose from.
  PixelImage ComposeFace(const TRect& stateRect) const;

  // The section's pictures, decoded for drawing; empty when absent.
  const PixelImage& Picture() const { return FPicture; }
  const PixelImage& Mask() const { return FMask; }

 private:
  void CachePictures(const TDataSkinControl* section);

  TFont FDefaultFont;
  int FDefaultWidth = 0, FDefaultHeight = 0;
  bool FUseSkinFont = true;
  TCompositionMode FMode = TCompositionMode::Copy;
  TRect FSkinRect;
  TFramePoints FPoints, FScaled;
  // Which skin pictures were decoded, so a look-up that finds the same ones
  // does not decode them again.
  struct PictureKey {
    const TSkinData* Skin = nullptr;
    uint64_t Generation = 0;
    int32_t Picture = -1, Mask = -1;
    bool operator==(const PictureKey&) const = default;
  };
  PictureKey FDecoded;
  PixelImage FPicture, FMask;
};

// Every skinned control inside `root` (itself included) whose skin is `skin`.
template <class F>
void ForEachSkinControl(TWinControl& root, const TSkinData* skin, F&& action) {
  if (auto* control = dynamic_cast<TSkinControl*>(&root); control && control->SkinData() == skin) action(*control);
  for (TWinControl* child : root.Controls()) ForEachSkinControl(*child, skin, action);
}
