// skinart [--full | --scale PERCENT] OUTDIR
//
// Draws every bitmap of the program's skin (with --scale at that scale, the
// pictures of one of the packages the program carries beside the form's),
// or with --full of the skin the tests load, and writes them into OUTDIR
// under the names skin.ini lists. The committed files in assets/skin, its
// scale folders and tests/fixtures/skins/full are this program's output;
// scripts/draw-skin.sh rebuilds them.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "base/exceptions.h"
#include "skin_pictures.h"

int main(int argc, char** argv) {
  const bool full = argc == 3 && std::string(argv[1]) == "--full";
  const bool scaled = argc == 4 && std::string(argv[1]) == "--scale";
  const int percent = scaled ? std::atoi(argv[2]) : 100;
  if ((argc != 2 && !full && !scaled) || percent < 100 || percent > 400) {
    std::cerr << "usage: skinart [--full | --scale PERCENT] OUTDIR (PERCENT from 100 to 400)\n";
    return 2;
  }
  try {
    for (const SkinPicture& picture : full ? DrawFullSkinPictures() : DrawSkinPictures(ArtScale(percent))) {
      const std::string path = std::string(argv[argc - 1]) + "/" + picture.fileName;
      const std::vector<uint8_t> file = EncodeBmp(picture.image);
      std::ofstream out(path, std::ios::binary);
      out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
      out.close();
      if (!out) throw Exception("cannot write " + path);
    }
  } catch (const Exception& error) {
    std::cerr << "skinart: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
