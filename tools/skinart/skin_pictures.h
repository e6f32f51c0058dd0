#pragma once
// Every bitmap of the skin, under the file name skin.ini gives it.
#include <string>
#include <vector>

#include "art_canvas.h"
#include "base/codecs/bmp_codec.h"

struct SkinPicture {
  std::string fileName;
  BmpImage image;
};

// The program's skin (assets/skin), at a scale; its skin.ini is laid out at
// 100 % and the loader scales it to meet the pictures.
std::vector<SkinPicture> DrawSkinPictures(const ArtScale& scale);
// The skin the tests load, which asks for every feature of the frame and
// menus (tests/fixtures/skins/full), and the logo the tests show with it.
std::vector<SkinPicture> DrawFullSkinPictures();
