#pragma once
// A skin kept inside the form uncompressed: the skin.ini lines
// ("IniStrings") and the bitmaps ("Pictures", the package's pictures).
#include <string>
#include <vector>

#include "persist/component.h"
#include "base/stream.h"
#include "base/string_list.h"
#include "skin/data/skin_bitmap.h"
#include "skin/data/skin_package.h"

class TStoredSkin : public TComponent {
 public:
  using TComponent::TComponent;
  std::string_view ClassName() const override { return "TStoredSkin"; }
  const PropertyTable& Properties() const override;

  // Informational: setting it only stores the value.
  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& value) { FFileName = value; }
  const TStringList& IniStrings() const { return FIniStrings; }
  void SetIniStrings(const TStringList& value) { FIniStrings = value; }

  // Empty bitmaps are absent pictures.
  const TSkinBitmap& PictureBitmap() const { return FPictures.picture; }
  const TSkinBitmap& InactivePictureBitmap() const { return FPictures.inactivePicture; }
  const TSkinBitmap& MaskBitmap() const { return FPictures.mask; }
  const std::vector<TSkinBitmap>& ActivePictureBitmaps() const { return FPictures.activePictures; }

  // The "Pictures" property's bytes.
  std::vector<uint8_t> PicturesData() const;
  void ReadPicturesData(TStream& stream);
  void WritePicturesData(TStream& stream) const;

  // For tools: takes the lines of a skin.ini and the bitmaps it names.
  // The sections are not checked.
  void ReadSkinFiles(const std::string& iniFileName);

 private:
  void SetPicturesData(const std::vector<uint8_t>& value);

  std::string FFileName;
  TStringList FIniStrings;
  SkinPictures FPictures;
};
