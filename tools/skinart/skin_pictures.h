#pragma once
// Every bitmap of the skin, under the file name skin.ini gives it.
#include <string>
#include <vector>

#include "base/bmp_codec.h"

struct SkinPicture {
  std::string fileName;
  BmpImage image;
};

std::vector<SkinPicture> DrawSkinPictures();
