#pragma once
// The skin data: turns a stored skin into the pictures and data objects the
// skinned frame and controls draw from, and announces every load to the
// forms (skin_notices.h). Consumers check NoSkin first and look their
// entries up again after each SkinChangedMessage: a load frees the old ones.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "persist/component.h"
#include "base/string_list.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_bitmap.h"
#include "skin/data/skin_controls.h"
#include "skin/data/skin_objects.h"
#include "skin/data/skin_scale.h"
#include "skin/data/skin_windows.h"
#include "skin/data/stored_skin.h"

class TSkinData : public TComponent {
 public:
  using TComponent::TComponent;
  ~TSkinData() override;
  std::string_view ClassName() const override { return "TSkinData"; }
  const PropertyTable& Properties() const override;

  // Setting a stored skin loads it at once; setting null only forgets the
  // reference and the loaded skin stays. Both are cleared when the stored
  // skin is destroyed.
  TStoredSkin* StoredSkin() const { return FStoredSkin.Get(); }
  void SetStoredSkin(TStoredSkin* value);
  TCompressedStoredSkin* CompressedStoredSkin() const { return FCompressedStoredSkin.Get(); }
  void SetCompressedStoredSkin(TCompressedStoredSkin* value);

  // Empty data loads nothing and sends no notice. A wrong package marker
  // leaves no skin. An error part way leaves what was read so far, NoSkin
  // true, and sends no after-change notice.
  void LoadCompressedStoredSkin(TCompressedStoredSkin& skin);
  // A skin without all five main sections leaves no skin.
  void LoadStoredSkin(const TStoredSkin& skin);
  void ClearSkin();
  void ClearLists();

  // The density the skin is drawn for (96 until set). A change loads the
  // bound stored skin again for it; the skin's lengths and pictures follow
  // (skin_scale.h).
  int32_t PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int32_t value);
  // The package and stretch the current skin was loaded with.
  const SkinScaleChoice& LoadedScale() const { return FLoadedScale; }

  // The first entry whose IDName equals `name` exactly, or -1.
  int32_t IndexOfObject(const std::string& name) const;
  int32_t IndexOfControl(const std::string& name) const;

  bool NoSkin() const { return FNoSkin; }
  // Changes whenever the pictures and data objects are replaced, so that a
  // consumer can tell its copies of them from the current ones.
  uint64_t Generation() const { return FGeneration; }
  const TSkinBitmap& PictureBitmap() const { return FPictureBitmap; }
  const TSkinBitmap& InactivePictureBitmap() const { return FInactivePictureBitmap; }
  const TSkinBitmap& MaskBitmap() const { return FMaskBitmap; }
  // A picture index selects an entry.
  const std::vector<TSkinBitmap>& ActivePictureBitmaps() const { return FActivePictureBitmaps; }
  const std::string& PictureName() const { return FPictureName; }
  const std::string& InactivePictureName() const { return FInactivePictureName; }
  const std::string& MaskName() const { return FMaskName; }
  const TStringList& ActivePictureNames() const { return FActivePictureNames; }
  const std::vector<std::unique_ptr<TDataSkinObject>>& SkinObjects() const { return FSkinObjects; }
  const std::vector<std::unique_ptr<TDataSkinControl>>& SkinControls() const { return FSkinControls; }
  const TDataSkinPopupWindow& PopupWindow() const { return FPopupWindow; }
  TDataSkinPopupWindow& PopupWindow() { return FPopupWindow; }
  const TDataSkinHintWindow& HintWindow() const { return FHintWindow; }
  TDataSkinHintWindow& HintWindow() { return FHintWindow; }

  // Walks the [FORMINFO] and [VERSION] values below, each under its own name.
  void VisitFields(SkinFieldVisitor& visitor);

  // [FORMINFO], after the loader's adjustments, and [VERSION]. Written only
  // by loads.
  TRect buttonsrect, captionrect;
  int32_t buttonsoffset = 0;
  bool buttonsinleft = false, autorenderinginactiveimage = false;
  TSkinEffect inactiveeffect = TSkinEffect::iebrightness;
  TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
  int32_t bgpictureindex = -1, mdibgpictureindex = -1;
  bool mainmenupopupup = false;
  TRect maskrectarea;
  TPoint hittestlefttoppoint, hittestrighttoppoint, hittestleftbottompoint, hittestrightbottompoint;
  TRect clientrect;
  int32_t borderwidth = 0;
  bool topstretch = false, leftstretch = false, rightstretch = false, bottomstretch = false;
  std::string skinname, skinauthor, authorurl, authoremail, skincomments;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void BroadcastSkinMessage(uint32_t message);
  void BroadcastChanged();
  void TakePictures(SkinPictures& pictures);
  // Everything after the pictures: names, [FORMINFO], windows, objects, controls.
  void LoadDefinition(const TMemIniFile& ini);
  void LoadFormInfo(const TMemIniFile& ini);
  void LoadObjects(const TMemIniFile& ini);
  void LoadControls(const TMemIniFile& ini);
  // The [FORMINFO] keys read before and after the mask adjustments.
  void VisitFrameFields(SkinFieldVisitor& visitor);
  void VisitCaptionFields(SkinFieldVisitor& visitor);
  void VisitVersionFields(SkinFieldVisitor& visitor);
  void ScaleDefinition(int32_t multiplier, int32_t divisor);

  ComponentRef<TStoredSkin> FStoredSkin;
  ComponentRef<TCompressedStoredSkin> FCompressedStoredSkin;
  TDataSkinPopupWindow FPopupWindow;
  TDataSkinHintWindow FHintWindow;
  bool FNoSkin = true;
  uint64_t FGeneration = 0;
  int32_t FPixelsPerInch = 96;
  SkinScaleChoice FLoadedScale;
  TSkinBitmap FPictureBitmap, FInactivePictureBitmap, FMaskBitmap;
  std::vector<TSkinBitmap> FActivePictureBitmaps;
  std::string FPictureName, FInactivePictureName, FMaskName;
  TStringList FActivePictureNames;
  std::vector<std::unique_ptr<TDataSkinObject>> FSkinObjects;
  std::vector<std::unique_ptr<TDataSkinControl>> FSkinControls;
};
