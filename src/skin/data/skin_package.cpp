#include "skin/data/skin_package.h"

#include <cstdint>

#include "base/code_page.h"
#include "base/exceptions.h"
#include "base/codecs/little_endian.h"
#include "base/string_list.h"
#include "skin/data/skin_ini_values.h"

namespace {

constexpr int32_t kMarker = 1;
constexpr uint8_t kPresent = 0;
constexpr uint8_t kAbsent = 1;
const char* kPicturesSection = "PICTURES";

int32_t ReadInt32(TStream& stream) {
  uint8_t bytes[4];
  stream.ReadBuffer(bytes, sizeof bytes);
  return static_cast<int32_t>(LoadLE32(bytes));
}

void WriteInt32(TStream& stream, int32_t value) {
  uint8_t bytes[4];
  StoreLE32(bytes, static_cast<uint32_t>(value));
  stream.WriteBuffer(bytes, sizeof bytes);
}

int64_t Remaining(TStream& stream) { return stream.Size() - stream.Position(); }

void ReadOptionalPicture(TStream& stream, TSkinBitmap& bitmap, PixelBudget& budget) {
  uint8_t flag;
  stream.ReadBuffer(&flag, 1);
  if (flag == kPresent)
    bitmap.LoadFromStream(stream, budget);
  else
    bitmap.Clear();
}

void WriteOptionalPicture(TStream& stream, const TSkinBitmap& bitmap) {
  const uint8_t flag = bitmap.Empty() ? kAbsent : kPresent;
  stream.WriteBuffer(&flag, 1);
  bitmap.SaveToStream(stream);
}

std::string DirectoryPart(const std::string& path) {
  const size_t separator = path.find_last_of("/\\");
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

void LoadOptionalPictureFile(const TMemIniFile& ini, const char* key, const std::string& directory,
                             TSkinBitmap& bitmap) {
  const std::string name = ini.ReadString(kPicturesSection, key, "");
  if (name.empty())
    bitmap.Clear();
  else
    bitmap.LoadFromFile(directory + AnsiToUtf8(name));
}

}  // namespace

void ReadSkinPictures(TStream& stream, SkinPictures& pictures) {
  PixelBudget budget(kMaxSkinPixels);
  ReadOptionalPicture(stream, pictures.picture, budget);
  ReadOptionalPicture(stream, pictures.inactivePicture, budget);
  ReadOptionalPicture(stream, pictures.mask, budget);
  pictures.activePictures.clear();
  const int32_t count = ReadInt32(stream);
  if (count < 0) throw EReadError("Invalid skin package: negative count of active pictures");
  // Never reserved from the count: the data, not the count, bounds the list.
  for (int32_t i = 0; i < count; ++i) {
    TSkinBitmap bitmap;
    bitmap.LoadFromStream(stream, budget);
    pictures.activePictures.push_back(std::move(bitmap));
  }
}

void WriteSkinPictures(TStream& stream, const SkinPictures& pictures) {
  const size_t count = pictures.activePictures.size();
  if (count > INT32_MAX) throw EWriteError("Too many active pictures to store");
  for (size_t i = 0; i < count; ++i)
    if (pictures.activePictures[i].Empty())
      throw EInvalidGraphic("Active picture " + std::to_string(i) + " is empty and cannot be stored");
  WriteOptionalPicture(stream, pictures.picture);
  WriteOptionalPicture(stream, pictures.inactivePicture);
  WriteOptionalPicture(stream, pictures.mask);
  WriteInt32(stream, static_cast<int32_t>(count));
  for (const TSkinBitmap& bitmap : pictures.activePictures) bitmap.SaveToStream(stream);
}

void LoadSkinPictureFiles(const TMemIniFile& ini, const std::string& iniFileName, SkinPictures& pictures) {
  const std::string directory = DirectoryPart(iniFileName);
  LoadOptionalPictureFile(ini, "picture", directory, pictures.picture);
  LoadOptionalPictureFile(ini, "inactivepicture", directory, pictures.inactivePicture);
  LoadOptionalPictureFile(ini, "mask", directory, pictures.mask);
  pictures.activePictures.clear();
  TStringList names;
  ReadSkinList(ini, kPicturesSection, "activepictures", names);
  for (int i = 0; i < names.Count(); ++i) {
    // An empty name would open the folder itself; say what is really wrong.
    if (names[i].empty())
      throw EFOpenError("Active picture " + std::to_string(i) + " of [PICTURES] in \"" + iniFileName +
                        "\" names no file");
    TSkinBitmap bitmap;
    bitmap.LoadFromFile(directory + AnsiToUtf8(names[i]));
    pictures.activePictures.push_back(std::move(bitmap));
  }
}

bool HasMainSkinSections(const TMemIniFile& ini) {
  for (const char* section : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"})
    if (!ini.SectionExists(section)) return false;
  return true;
}

bool ReadSkinPackage(TStream& stream, SkinPackage& package) {
  if (ReadInt32(stream) != kMarker) return false;
  ReadSkinPictures(stream, package.pictures);
  std::string text(static_cast<size_t>(Remaining(stream)), '\0');
  stream.ReadBuffer(text.data(), text.size());
  package.iniText = std::move(text);
  return true;
}

void WriteSkinPackage(TStream& stream, const SkinPackage& package) {
  WriteInt32(stream, kMarker);
  WriteSkinPictures(stream, package.pictures);
  TStringList lines;
  lines.SetText(package.iniText);
  const std::string text = lines.Text();
  stream.WriteBuffer(text.data(), text.size());
}

bool ReadPackedSkinFile(TStream& file, TMemoryStream& compressed) {
  compressed.Clear();
  // A file too short for a marker is treated like one with a wrong marker.
  if (Remaining(file) < 4 || ReadInt32(file) != kMarker) return false;
  if (Remaining(file) < 4) throw EReadError("Invalid packed skin file: its length is missing");
  const int32_t length = ReadInt32(file);
  if (length < 0 || length > Remaining(file))
    throw EReadError("Invalid packed skin file: its length runs past the end of the file");
  try {
    if (length > 0) compressed.CopyFrom(file, length);
  } catch (...) {
    compressed.Clear();
    throw;
  }
  compressed.SetPosition(0);
  return true;
}

void WritePackedSkinFile(TStream& file, TStream& compressed) {
  const int64_t length = compressed.Size();
  if (length > INT32_MAX) throw EWriteError("The compressed skin is too large for a packed skin file");
  WriteInt32(file, kMarker);
  WriteInt32(file, static_cast<int32_t>(length));
  if (length > 0) file.CopyFrom(compressed, 0);
}
