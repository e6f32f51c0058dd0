#pragma once
// The skin package: a skin's bitmaps and its skin.ini text in one byte
// layout, shared by the stored skins, the skin loader and the skin packer.
//
// Package: marker (32-bit, 1), the pictures, then the skin.ini text to the
// end, every line ended by CR LF. Pictures: for the main, inactive and mask
// picture a flag byte (0: one whole BMP file follows; anything else: absent),
// then a 32-bit count and that many BMP files back to back. Integers are
// little-endian.
//
// Packed skin file: marker (32-bit, 1), a 32-bit length N, then N bytes
// holding one zlib stream of a package.
#include <string>
#include <vector>

#include "base/ini_file.h"
#include "base/stream.h"
#include "skin/data/skin_bitmap.h"

// All pictures of one skin together decode to at most this many pixels
// (about 80 MB): a few small hostile headers cannot ask for gigabytes.
constexpr int64_t kMaxSkinPixels = int64_t(1) << 24;

struct SkinPictures {
  TSkinBitmap picture, inactivePicture, mask;  // empty when absent
  std::vector<TSkinBitmap> activePictures;
};

// Replaces the pictures field by field, so after an exception what was read
// before stays (an active picture that fails is not added). A count that
// promises more pictures than the data holds fails at the first missing one.
void ReadSkinPictures(TStream& stream, SkinPictures& pictures);
// An empty active picture cannot be stored (it would shift every later one)
// and raises EInvalidGraphic.
void WriteSkinPictures(TStream& stream, const SkinPictures& pictures);

// Loads the bitmap files that [PICTURES] of a skin.ini names (in the
// system's code page), from the folder of that skin.ini, field by field as
// ReadSkinPictures does.
// A file that cannot be read raises the file's error.
void LoadSkinPictureFiles(const TMemIniFile& ini, const std::string& iniFileName, SkinPictures& pictures);

// A skin definition needs all of [VERSION], [PICTURES], [FORMINFO],
// [SKINOBJECTS] and [SKINCONTROLS] to be packed or stored.
bool HasMainSkinSections(const TMemIniFile& ini);

struct SkinPackage {
  SkinPictures pictures;
  std::string iniText;
};

// False, with nothing read into the package, when the marker is not 1.
bool ReadSkinPackage(TStream& stream, SkinPackage& package);
void WriteSkinPackage(TStream& stream, const SkinPackage& package);

// Replaces `compressed` with the zlib stream of a packed skin file. False,
// with `compressed` empty, when the marker is not 1; on an error (a length
// past the end of the file) `compressed` is left empty too.
bool ReadPackedSkinFile(TStream& file, TMemoryStream& compressed);
void WritePackedSkinFile(TStream& file, TStream& compressed);
