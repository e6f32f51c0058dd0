#include "skin/data/stored_skin.h"

#include "base/ini_file.h"
#include "persist/properties.h"

const PropertyTable& TStoredSkin::Properties() const {
  using S = TStoredSkin;
  static const PropertyTable table(&TComponent::Properties(),
                                   {
                                       props::String("FileName", &S::SetFileName),
                                       props::StringList("IniStrings.Strings", &S::SetIniStrings),
                                       props::Binary("Pictures", &S::SetPicturesData),
                                   });
  return table;
}

void TStoredSkin::SetPicturesData(const std::vector<uint8_t>& value) {
  TMemoryStream stream(value);
  ReadPicturesData(stream);
}

void TStoredSkin::ReadPicturesData(TStream& stream) { ReadSkinPictures(stream, FPictures); }

void TStoredSkin::WritePicturesData(TStream& stream) const { WriteSkinPictures(stream, FPictures); }

void TStoredSkin::ReadSkinFiles(const std::string& iniFileName) {
  TMemoryStream file;
  file.LoadFromFile(iniFileName);
  FIniStrings.LoadFromBytes({file.Memory(), static_cast<size_t>(file.Size())});
  LoadSkinPictureFiles(TMemIniFile(FIniStrings), iniFileName, FPictures);
}
