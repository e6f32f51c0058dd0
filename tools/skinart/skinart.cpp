// skinart [--full] OUTDIR
//
// Draws every bitmap of the program's skin, or with --full of the skin the
// tests load, and writes them into OUTDIR under the names skin.ini lists.
// The committed files in assets/skin and tests/fixtures/skins/full are this
// program's output; scripts/draw-skin.sh rebuilds them.
#include <fstream>
#include <iostream>
#include <string>

#include "base/exceptions.h"
#include "skin_pictures.h"

int main(int argc, char** argv) {
  const bool full = argc == 3 && std::string(argv[1]) == "--full";
  if (argc != 2 && !full) {
    std::cerr << "usage: skinart [--full] OUTDIR\n";
    return 2;
  }
  try {
    for (const SkinPicture& picture : full ? DrawFullSkinPictures() : DrawSkinPictures()) {
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
