// skinart OUTDIR
//
// Draws every bitmap of the program's skin and writes them into OUTDIR
// under the names skin.ini lists. The committed files in assets/skin are
// this program's output; scripts/draw-skin.sh rebuilds them.
#include <fstream>
#include <iostream>
#include <string>

#include "base/exceptions.h"
#include "skin_pictures.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: skinart OUTDIR\n";
    return 2;
  }
  try {
    for (const SkinPicture& picture : DrawSkinPictures()) {
      const std::string path = std::string(argv[1]) + "/" + picture.fileName;
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
