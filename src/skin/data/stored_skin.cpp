#include "skin/data/stored_skin.h"

#include "base/ini_file.h"
#include "persist/properties.h"

const PropertyTable& TStoredSkin::Properties() const {
  using S = TStoredSkin;
  static const PropertyTable table(&TComponent::Properties(),
                                   {
                                       props::String("FileName", &S::SetFileName, &S::FileName),
                                       props::StringList("IniStrings.Strings", &S::SetIniStrings, &S::IniStrings),
                                       props::Binary("Pictures", &S::SetPicturesData, &S::PicturesData),
                                   });
  return table;
}

void TStoredSkin::SetPicturesData(const std::vector<uint8_t>& value) {
  TMemoryStream stream(value);
  ReadPicturesData(stream);
}

std::vector<uint8_t> TStoredSkin::PicturesData() const {
  TMemoryStream stream;
  WritePicturesData(stream);
  const std::span<const uint8_t> bytes = stream.Bytes();
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

void TStoredSkin::ReadPicturesData(TStream& stream) { ReadSkinPictures(stream, FPictures); }

void TStoredSkin::WritePicturesData(TStream& stream) const { WriteSkinPictures(stream, FPictures); }

void TStoredSkin::ReadSkinFiles(const std::string& iniFileName) {
  TMemoryStream file;
  file.LoadFromFile(iniFileName);
  FIniStrings.LoadFromBytes({file.Memory(), static_cast<size_t>(file.Size())});
  LoadSkinPictureFiles(TMemIniFile(FIniStrings), iniFileName, FPictures);
}
