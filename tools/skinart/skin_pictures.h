#pragma once
// Every bitmap of the skin, under the file name skin.ini gives it.
#include <string>
#include <vector>

#include "base/bmp_codec.h"

struct SkinPicture {
  std::string fileName;
  BmpImage image;
};

// The program's skin (assets/skin).
std::vector<SkinPicture> DrawSkinPictures();
// The skin the tests load, which asks for every feature of the frame and
// menus (tests/fixtures/skins/full), and the logo the tests show with it.
std::vector<SkinPicture> DrawFullSkinPictures();
