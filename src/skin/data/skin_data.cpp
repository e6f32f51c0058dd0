#include "skin/data/skin_data.h"

#include <algorithm>

#include "base/ini_file.h"
#include "persist/properties.h"
#include "base/startup_phases.h"
#include "skin/data/skin_notices.h"
#include "skin/data/skin_package.h"

namespace {

// "name:type" is cut at its first colon; without one both parts are empty.
void SplitEntry(const std::string& entry, std::string& name, std::string& typeWord) {
  const size_t colon = entry.find(':');
  name = colon == std::string::npos ? std::string() : entry.substr(0, colon);
  typeWord = colon == std::string::npos ? std::string() : entry.substr(colon + 1);
}

// Creates one data object per entry whose type word the factory knows, in
// entry order; each reads the section its name gives.
template <class T, class Factory>
void LoadEntries(const TMemIniFile& ini, const std::string& section, Factory create,
                 std::vector<std::unique_ptr<T>>& list) {
  const int32_t count = SkinEntryLimit(ini, section, ReadSkinInteger(ini, section, "count"));
  for (int32_t i = 0; i < count; ++i) {
    std::string name, typeWord;
    SplitEntry(ini.ReadString(section, std::to_string(i), ""), name, typeWord);
    std::unique_ptr<T> entry = create(typeWord, name);
    if (!entry) continue;
    // Listed before it reads, so that an error part way leaves it in place.
    list.push_back(std::move(entry));
    list.back()->ReadFromIni(ini);
  }
}

template <class T>
int32_t IndexOfName(const std::vector<std::unique_ptr<T>>& list, const std::string& name) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i]->IDName == name) return int32_t(i);
  return -1;
}

}  // namespace

const PropertyTable& TSkinData::Properties() const {
  static const PropertyTable table(&TComponent::Properties(),
                                   {
                                       props::Ref("StoredSkin", &TSkinData::SetStoredSkin, &TSkinData::StoredSkin),
                                       props::Ref("CompressedStoredSkin", &TSkinData::SetCompressedStoredSkin, &TSkinData::CompressedStoredSkin),
                                   });
  return table;
}

void TSkinData::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  FStoredSkin.Notify(component, operation);
  FCompressedStoredSkin.Notify(component, operation);
}

void TSkinData::SetStoredSkin(TStoredSkin* value) {
  FStoredSkin.Set(*this, value);
  if (value) LoadStoredSkin(*value);
}

void TSkinData::SetCompressedStoredSkin(TCompressedStoredSkin* value) {
  FCompressedStoredSkin.Set(*this, value);
  if (value) LoadCompressedStoredSkin(*value);
}

void TSkinData::LoadCompressedStoredSkin(TCompressedStoredSkin& skin) {
  if (skin.DataIsEmpty()) return;
  FNoSkin = true;
  BroadcastSkinMessage(SkinChangingMessage);
  MarkStartupPhase("skin notice 1225 (changing)");
  ClearSkin();
  const SkinScaleChoice scale = ChooseSkinScale(skin.ScalePercents(), FPixelsPerInch);
  TMemoryStream stream;
  skin.UnpackScaleTo(scale.packagePercent, stream);
  MarkStartupPhase("skin inflate");
  stream.SetPosition(0);
  SkinPackage package;
  bool markerFound;
  try {
    markerFound = ReadSkinPackage(stream, package);
    if (markerFound) ScaleSkinPictures(package.pictures, scale.multiplier, scale.divisor);
    MarkStartupPhase("skin package read, bitmaps decoded");
  } catch (...) {
    TakePictures(package.pictures);
    throw;
  }
  if (!markerFound) {
    // The receivers learn that the load is over and find no skin.
    BroadcastChanged();
    return;
  }
  TakePictures(package.pictures);
  TStringList lines;
  lines.SetText(package.iniText);
  LoadDefinition(TMemIniFile(lines));
  // The definition is laid out at 100 %: first to the package's pictures, then with their stretch.
  ScaleDefinition(scale.packagePercent, 100);
  ScaleDefinition(scale.multiplier, scale.divisor);
  FLoadedScale = scale;
  FNoSkin = false;
  MarkStartupPhase("skin definition parsed");
  BroadcastChanged();
}

void TSkinData::SetPixelsPerInch(int32_t value) {
  if (value <= 0 || value == FPixelsPerInch) return;
  FPixelsPerInch = value;
  if (TCompressedStoredSkin* compressed = FCompressedStoredSkin.Get())
    LoadCompressedStoredSkin(*compressed);
  else if (TStoredSkin* stored = FStoredSkin.Get())
    LoadStoredSkin(*stored);
}

void TSkinData::ScaleDefinition(int32_t multiplier, int32_t divisor) {
  if (multiplier == divisor) return;
  SkinLengthScaler scaler(multiplier, divisor);
  VisitFrameFields(scaler);
  VisitCaptionFields(scaler);
  FPopupWindow.VisitFields(scaler);
  FHintWindow.VisitFields(scaler);
  for (auto& object : FSkinObjects) object->VisitFields(scaler);
  for (auto& control : FSkinControls) control->VisitFields(scaler);
}

void TSkinData::LoadStoredSkin(const TStoredSkin& skin) {
  FNoSkin = true;
  BroadcastSkinMessage(SkinChangingMessage);
  ClearSkin();
  const TMemIniFile ini(skin.IniStrings());
  if (!HasMainSkinSections(ini)) {
    BroadcastChanged();
    return;
  }
  const SkinScaleChoice scale = ChooseSkinScale({}, FPixelsPerInch);
  SkinPictures pictures{skin.PictureBitmap(), skin.InactivePictureBitmap(), skin.MaskBitmap(),
                        skin.ActivePictureBitmaps()};
  ScaleSkinPictures(pictures, scale.multiplier, scale.divisor);
  TakePictures(pictures);
  LoadDefinition(ini);
  ScaleDefinition(scale.multiplier, scale.divisor);
  FLoadedScale = scale;
  FNoSkin = false;
  BroadcastChanged();
}

TSkinData::~TSkinData() {
  // Those who hear of our going may still look at us: they find no skin,
  // and the lists they might walk are still whole.
  FNoSkin = true;
  NotifyRemoval();
  ClearLists();
}

void TSkinData::ClearSkin() {
  ClearLists();
  FPictureBitmap.Clear();
  FInactivePictureBitmap.Clear();
  FMaskBitmap.Clear();
  FPictureName.clear();
  // Cleared with the other two, so a failed load shows no name of the old skin.
  FInactivePictureName.clear();
  FMaskName.clear();
  FNoSkin = true;
}

void TSkinData::ClearLists() {
  ++FGeneration;
  FSkinObjects.clear();
  FSkinControls.clear();
  FActivePictureBitmaps.clear();
  FPopupWindow.windowpictureindex = -1;
  FHintWindow.windowpictureindex = -1;
  FActivePictureNames.Clear();
}

int32_t TSkinData::IndexOfObject(const std::string& name) const { return IndexOfName(FSkinObjects, name); }

int32_t TSkinData::IndexOfControl(const std::string& name) const { return IndexOfName(FSkinControls, name); }

void TSkinData::BroadcastSkinMessage(uint32_t message) { CurrentSkinNoticeSink().Broadcast(*this, message); }

void TSkinData::BroadcastChanged() {
  BroadcastSkinMessage(SkinChangedMessage);
  MarkStartupPhase("skin notice 1226 (changed)");
  BroadcastSkinMessage(SkinChangeDoneMessage);
  MarkStartupPhase("skin notice 1227 (change done)");
}

void TSkinData::TakePictures(SkinPictures& pictures) {
  FPictureBitmap = std::move(pictures.picture);
  FInactivePictureBitmap = std::move(pictures.inactivePicture);
  FMaskBitmap = std::move(pictures.mask);
  FActivePictureBitmaps = std::move(pictures.activePictures);
}

void TSkinData::LoadDefinition(const TMemIniFile& ini) {
  SkinIniReader version(ini, "VERSION");
  VisitVersionFields(version);
  FPictureName = ini.ReadString("PICTURES", "picture", "");
  FInactivePictureName = ini.ReadString("PICTURES", "inactivepicture", "");
  FMaskName = ini.ReadString("PICTURES", "mask", "");
  ReadSkinList(ini, "PICTURES", "activepictures", FActivePictureNames);
  LoadFormInfo(ini);
  FPopupWindow.ReadFromIni(ini);
  FHintWindow.ReadFromIni(ini);
  LoadObjects(ini);
  LoadControls(ini);
}

void TSkinData::LoadFormInfo(const TMemIniFile& ini) {
  SkinIniReader reader(ini, "FORMINFO");
  VisitFrameFields(reader);
  if (!FMaskName.empty()) {
    // The shaped area always takes in the client area.
    if (maskrectarea.Width() < 1 || maskrectarea.Height() < 1) {
      maskrectarea = clientrect;
    } else {
      maskrectarea.Left = std::min(maskrectarea.Left, clientrect.Left);
      maskrectarea.Top = std::min(maskrectarea.Top, clientrect.Top);
      maskrectarea.Right = std::max(maskrectarea.Right, clientrect.Right);
      maskrectarea.Bottom = std::max(maskrectarea.Bottom, clientrect.Bottom);
    }
    // A hit-test point left unset follows its corner point.
    const auto defaultTo = [](TPoint& hitTest, const TPoint& corner) {
      if (hitTest.X == 0 || hitTest.Y == 0) hitTest = corner;
    };
    defaultTo(hittestlefttoppoint, lefttoppoint);
    defaultTo(hittestrighttoppoint, righttoppoint);
    defaultTo(hittestleftbottompoint, leftbottompoint);
    defaultTo(hittestrightbottompoint, rightbottompoint);
  }
  VisitCaptionFields(reader);
  // Corner points that span an area are kept inside the client rectangle;
  // unset ones (all at one place) are left alone.
  if (rightbottompoint.X == lefttoppoint.X || rightbottompoint.Y == lefttoppoint.Y) return;
  lefttoppoint.X = std::max(lefttoppoint.X, clientrect.Left);
  lefttoppoint.Y = std::max(lefttoppoint.Y, clientrect.Top);
  righttoppoint.X = std::min(righttoppoint.X, clientrect.Right);
  righttoppoint.Y = std::max(righttoppoint.Y, clientrect.Top);
  leftbottompoint.X = std::max(leftbottompoint.X, clientrect.Left);
  leftbottompoint.Y = std::min(leftbottompoint.Y, clientrect.Bottom);
  rightbottompoint.X = std::min(rightbottompoint.X, clientrect.Right);
  rightbottompoint.Y = std::min(rightbottompoint.Y, clientrect.Bottom);
}

void TSkinData::LoadObjects(const TMemIniFile& ini) { LoadEntries(ini, "SKINOBJECTS", CreateSkinObject, FSkinObjects); }

void TSkinData::LoadControls(const TMemIniFile& ini) {
  LoadEntries(ini, "SKINCONTROLS", CreateSkinControl, FSkinControls);
}

void TSkinData::VisitFields(SkinFieldVisitor& v) {
  VisitFrameFields(v);
  VisitCaptionFields(v);
  VisitVersionFields(v);
}

void TSkinData::VisitFrameFields(SkinFieldVisitor& v) {
  VisitCornerPoints(v, lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint);
  v.Rect("clientrect", clientrect);
  v.PictureIndex("bgpictureindex", bgpictureindex);
  v.PictureIndex("mdibgpictureindex", mdibgpictureindex);
  VisitStretches(v, leftstretch, rightstretch, topstretch, bottomstretch);
  v.Rect("maskrectarea", maskrectarea);
  v.Point("hittestlefttoppoint", hittestlefttoppoint);
  v.Point("hittestrighttoppoint", hittestrighttoppoint);
  v.Point("hittestleftbottompoint", hittestleftbottompoint);
  v.Point("hittestrightbottompoint", hittestrightbottompoint);
}

void TSkinData::VisitCaptionFields(SkinFieldVisitor& v) {
  v.Rect("buttonsrect", buttonsrect);
  v.Rect("captionrect", captionrect);
  v.Integer("buttonsoffset", buttonsoffset);
  v.Boolean("buttonsinleft", buttonsinleft);
  v.Boolean("mainmenupopupup", mainmenupopupup);
  v.Integer("borderwidth", borderwidth);
  v.Boolean("autorenderinginactiveimage", autorenderinginactiveimage);
  v.Effect("inactiveeffect", inactiveeffect);
}

void TSkinData::VisitVersionFields(SkinFieldVisitor& v) {
  v.Text("skinname", skinname);
  v.Text("skinauthor", skinauthor);
  v.Text("authoremail", authoremail);
  v.Text("authorurl", authorurl);
  v.Text("skincomments", skincomments);
}
