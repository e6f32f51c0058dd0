// icongen IN.txt OUT.ico|OUT.bmp
// icongen program SHAPES.txt PIXELS24.txt OUT.ico
//
// The first form turns pixel art drawn as text into a 256-colour image: the
// form's icon (24 x 24, an .ico file) or a square bitmap of any size (a .bmp
// file, for the picker's glyphs). The text has a [palette] section, one
// "C #RRGGBB" or "C transparent" line per character C, and a [pixels]
// section of rows of such characters, as many rows as a row has
// characters. Lines starting with ';' are comments. Transparency exists
// only in icons.
//
// The second form makes the program icon: the shapes (see vector_art.h)
// drawn at 16 and 20 pixels as 32-bit bitmaps and at 32, 40, 48, 64 and 256
// as PNG images (which Windows reads since Vista), with the 24-pixel pixel
// art as the 24 x 24 image.
//
// The third, icongen list OUT.bin IN.ico..., stores icon files as an image
// list's form property holds them (see ui/graphics/image_list_data.h), for a form to
// include.
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "base/exceptions.h"
#include "base/codecs/bmp_codec.h"
#include "base/codecs/ico_file.h"
#include "png_writer.h"
#include "ui/graphics/image_list_data.h"
#include "vector_art.h"

static constexpr int kIconSize = 24;

struct IconArt {
  int size = 0;
  BmpImage image;
  std::vector<uint8_t> transparent;
};

static std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

static uint32_t ParseColour(const std::string& text, int lineNumber) {
  if (text.size() != 7 || text[0] != '#' || text.find_first_not_of("0123456789abcdefABCDEF", 1) != std::string::npos)
    throw Exception("line " + std::to_string(lineNumber) + ": expected #RRGGBB or transparent, found \"" + text + "\"");
  return uint32_t(std::stoul(text.substr(1), nullptr, 16));
}

static IconArt ParseArt(std::istream& in) {
  IconArt art;
  art.image.bitCount = 8;
  // Index 0 is black and serves the transparent pixels, which must be
  // black in the colour image to vanish on screen.
  art.image.palette.push_back(0x000000);
  std::map<char, int> indexOf;  // -1 marks the transparent character
  std::string section, line;
  int lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    const std::string text = Trim(line);
    if (text.empty() || text[0] == ';') continue;
    if (text == "[palette]" || text == "[pixels]") {
      section = text;
      continue;
    }
    const std::string where = "line " + std::to_string(lineNumber) + ": ";
    if (section == "[palette]") {
      const std::string value = Trim(text.substr(1));
      if (indexOf.count(text[0])) throw Exception(where + "character '" + text.substr(0, 1) + "' defined twice");
      if (value == "transparent") {
        indexOf[text[0]] = -1;
      } else {
        if (art.image.palette.size() == 256) throw Exception(where + "more than 255 colours");
        indexOf[text[0]] = int(art.image.palette.size());
        art.image.palette.push_back(ParseColour(value, lineNumber));
      }
    } else if (section == "[pixels]") {
      if (art.size == 0) art.size = int(text.size());
      const std::string size = std::to_string(art.size);
      if (int(text.size()) != art.size) throw Exception(where + "a row must have " + size + " characters, as the first");
      if (art.transparent.size() == size_t(art.size) * art.size) throw Exception(where + "more than " + size + " rows");
      for (char c : text) {
        const auto found = indexOf.find(c);
        if (found == indexOf.end()) throw Exception(where + "character '" + std::string(1, c) + "' is not in the palette");
        art.image.indices.push_back(uint8_t(found->second < 0 ? 0 : found->second));
        art.transparent.push_back(found->second < 0 ? 1 : 0);
      }
    } else {
      throw Exception(where + "text outside [palette] and [pixels]");
    }
  }
  if (art.size == 0 || art.transparent.size() != size_t(art.size) * art.size)
    throw Exception("the picture must have as many rows as a row has characters");
  art.image.width = art.image.height = art.size;
  art.image.pixels.resize(art.transparent.size());
  return art;
}

static std::ifstream OpenText(const std::string& name) {
  std::ifstream in(name);
  if (!in) throw Exception("cannot open " + name);
  return in;
}

static void WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
  std::ofstream out(name, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  out.close();
  if (!out) throw Exception("cannot write " + name);
}

static std::vector<uint8_t> ProgramIcon(const std::string& shapesName, const std::string& pixelsName) {
  std::ifstream shapesIn = OpenText(shapesName);
  const VectorArt shapes = ParseVectorArt(shapesIn);
  std::ifstream pixelsIn = OpenText(pixelsName);
  const IconArt pixels = ParseArt(pixelsIn);
  if (pixels.size != kIconSize) throw Exception(pixelsName + ": the pixel art must be 24 x 24");
  std::vector<IconEntry> entries;
  for (int size : {16, 20, 24, 32, 40, 48, 64, 256}) {
    if (size == kIconSize) {
      entries.push_back(ParseIcon(BuildIcon256(pixels.image, pixels.transparent)).front());
    } else if (size >= 32) {
      // Kept small inside the program: these bitmaps would be 37 KB, the
      // 256-pixel one alone 260 KB. The small sizes stay bitmaps, which
      // every system draws.
      entries.push_back(PngIconEntry(size, EncodePng(size, size, RenderVectorArt(shapes, size))));
    } else {
      entries.push_back(IconEntry32(size, RenderVectorArt(shapes, size)));
    }
  }
  return BuildIconFile(entries);
}

static std::vector<uint8_t> ImageList(int count, char** names) {
  std::vector<std::vector<uint8_t>> icons;
  for (int i = 0; i < count; ++i) {
    std::ifstream in(names[i], std::ios::binary);
    if (!in) throw Exception("cannot open " + std::string(names[i]));
    icons.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::vector<uint8_t> data = EncodeImageListData(icons);
  DecodeImageListData(data);  // every file must be an icon
  return data;
}

int main(int argc, char** argv) {
  if (argc >= 3 && std::string(argv[1]) == "list") {
    try {
      WriteFile(argv[2], ImageList(argc - 3, argv + 3));
    } catch (const Exception& error) {
      std::cerr << "icongen: " << error.what() << "\n";
      return 1;
    }
    return 0;
  }
  if (argc == 5 && std::string(argv[1]) == "program") {
    try {
      WriteFile(argv[4], ProgramIcon(argv[2], argv[3]));
    } catch (const Exception& error) {
      std::cerr << "icongen: " << error.what() << "\n";
      return 1;
    }
    return 0;
  }
  if (argc != 3) {
    std::cerr << "usage: icongen IN.txt OUT.ico|OUT.bmp\n       icongen program SHAPES.txt PIXELS24.txt OUT.ico\n"
                 "       icongen list OUT.bin IN.ico...\n";
    return 2;
  }
  try {
    std::ifstream in = OpenText(argv[1]);
    const IconArt art = ParseArt(in);
    const std::string outName = argv[2];
    const bool bitmap = outName.size() > 4 && outName.substr(outName.size() - 4) == ".bmp";
    std::vector<uint8_t> icon;
    if (bitmap) {
      for (uint8_t t : art.transparent)
        if (t) throw Exception("a bitmap has no transparent pixels");
      icon = EncodeBmp(art.image);
    } else {
      if (art.size != kIconSize) throw Exception("the icon must be 24 x 24");
      icon = BuildIcon256(art.image, art.transparent);
    }
    WriteFile(argv[2], icon);
  } catch (const Exception& error) {
    std::cerr << "icongen: " << argv[1] << ": " << error.what() << "\n";
    return 1;
  }
  return 0;
}
