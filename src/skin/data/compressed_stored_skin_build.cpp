// The building operations of the stored skin, which only tools use: kept
// apart so that the program, which only unpacks, never links the compressor.
#include "skin/data/compressed_stored_skin.h"

#include "base/ini_file.h"
#include "skin/data/skin_package.h"
#include "skin/data/zlib_stream.h"

void TCompressedStoredSkin::LoadPackedFile(const std::string& fileName) {
  FCompressedStream.Clear();
  TFileStream file(fileName, fmOpenRead);
  ReadPackedSkinFile(file, FCompressedStream);
}

bool TCompressedStoredSkin::PackFromIniFile(const std::string& iniFileName) {
  TMemoryStream iniFile;
  iniFile.LoadFromFile(iniFileName);
  SkinPackage package;
  package.iniText.assign(reinterpret_cast<const char*>(iniFile.Memory()), static_cast<size_t>(iniFile.Size()));
  const TMemIniFile ini(package.iniText);
  if (!HasMainSkinSections(ini)) return false;

  FCompressedStream.Clear();
  LoadSkinPictureFiles(ini, iniFileName, package.pictures);
  TMemoryStream unpacked;
  WriteSkinPackage(unpacked, package);
  PackStream(unpacked, FCompressedStream);
  FCompressedStream.SetPosition(0);
  return true;
}
