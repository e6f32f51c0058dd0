// Our own skin in assets/skin: the committed bitmaps are what tools/skinart
// draws, they hold every rectangle skin.ini points into, they stretch
// without seams the way the frame, menus and buttons stretch them, the
// masks keep what must be visible, and the captions read on their faces.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/bmp_codec.h"
#include "base/geometry.h"
#include "base/ini_file.h"

namespace {

namespace fs = std::filesystem;

// The repository root is the working directory; VESPERMARK_SOURCE_DIR names it otherwise.
fs::path SkinFolder() {
  if (!fs::exists("assets/skin/skin.ini"))
    if (const char* root = std::getenv("VESPERMARK_SOURCE_DIR")) return fs::path(root) / "assets" / "skin";
  return fs::path("assets") / "skin";
}

std::vector<uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) ADD_FAILURE() << "cannot read " << path;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Skin {
  TMemIniFile ini;
  std::vector<std::string> fileNames;  // every picture [PICTURES] names
  BmpImage picture, mask;
  std::vector<BmpImage> active;
};

const Skin& OurSkin() {
  static const Skin skin = [] {
    Skin result;
    const std::vector<uint8_t> text = ReadFile(SkinFolder() / "skin.ini");
    result.ini = TMemIniFile(std::string(text.begin(), text.end()));
    auto load = [&](const std::string& name) {
      result.fileNames.push_back(name);
      return DecodeBmp(ReadFile(SkinFolder() / name));
    };
    result.picture = load(result.ini.ReadString("PICTURES", "picture", ""));
    result.mask = load(result.ini.ReadString("PICTURES", "mask", ""));
    const int count = result.ini.ReadInteger("PICTURES", "activepicturescount", 0);
    for (int i = 0; i < count; ++i) result.active.push_back(load(result.ini.ReadString("PICTURES", std::to_string(i), "")));
    return result;
  }();
  return skin;
}

// "l,t,r,b" and "x,y" as skin.ini writes them.
std::vector<int> Numbers(const std::string& section, const std::string& key, size_t count) {
  std::stringstream in(OurSkin().ini.ReadString(section, key, ""));
  std::vector<int> numbers;
  for (std::string piece; std::getline(in, piece, ',');) numbers.push_back(std::stoi(piece));
  EXPECT_EQ(numbers.size(), count) << "[" << section << "] " << key;
  numbers.resize(count);
  return numbers;
}

TRect Rect(const std::string& section, const std::string& key) {
  const std::vector<int> n = Numbers(section, key, 4);
  return {n[0], n[1], n[2], n[3]};
}

TPoint Point(const std::string& section, const std::string& key) {
  const std::vector<int> n = Numbers(section, key, 2);
  return {n[0], n[1]};
}

bool IsEmpty(TRect r) { return r.Width() < 1 || r.Height() < 1; }

bool Holds(int width, int height, TRect r) {
  return r.Left >= 0 && r.Top >= 0 && r.Left < r.Right && r.Top < r.Bottom && r.Right <= width && r.Bottom <= height;
}

bool Holds(const BmpImage& image, TRect r) { return Holds(image.width, image.height, r); }

bool Holds(const BmpImage& image, TPoint p) { return p.X >= 0 && p.Y >= 0 && p.X <= image.width && p.Y <= image.height; }

uint32_t Pixel(const BmpImage& image, int x, int y) { return image.pixels[size_t(y) * image.width + x] & 0xFFFFFF; }

bool Black(const BmpImage& mask, int x, int y) { return Pixel(mask, x, y) == 0; }

struct Entry {
  std::string name, type;
};

// The "name:type" entries of [SKINOBJECTS] or [SKINCONTROLS].
std::vector<Entry> Entries(const std::string& list) {
  std::vector<Entry> entries;
  const int count = OurSkin().ini.ReadInteger(list, "count", 0);
  for (int i = 0; i < count; ++i) {
    const std::string entry = OurSkin().ini.ReadString(list, std::to_string(i), "");
    const size_t colon = entry.find(':');
    entries.push_back({entry.substr(0, colon), colon == std::string::npos ? "" : entry.substr(colon + 1)});
  }
  return entries;
}

// The objects the frame itself shows, drawn over its picture.
bool OnTheFrame(const Entry& object) {
  return (object.type == "caption" || object.type == "stdbutton") &&
         OurSkin().ini.ReadInteger(object.name, "skinrectinapicture", 0) == 0;
}

const BmpImage& Active(const std::string& section, const std::string& key) {
  const int index = OurSkin().ini.ReadInteger(section, key, -1);
  EXPECT_TRUE(index >= 0 && index < int(OurSkin().active.size())) << "[" << section << "] " << key << "=" << index;
  return OurSkin().active.at(size_t(std::clamp(index, 0, int(OurSkin().active.size()) - 1)));
}

// Where the frame, menus and buttons stretch a picture they repeat its
// middle rows or columns; such a stretch must not show a seam.
enum class Repeats { Across, Down, Both };

void ExpectRepeats(const BmpImage& image, TRect area, Repeats how, const std::string& what) {
  int differing = 0;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) {
      const int fromX = how == Repeats::Down ? x : area.Left, fromY = how == Repeats::Across ? y : area.Top;
      differing += Pixel(image, x, y) != Pixel(image, fromX, fromY);
    }
  EXPECT_EQ(differing, 0) << what;
}

// Contrast ratio as the accessibility guidelines define it.
double Luminance(uint32_t rgb) {
  auto linear = [](uint32_t channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear((rgb >> 16) & 0xFF) + 0.7152 * linear((rgb >> 8) & 0xFF) + 0.0722 * linear(rgb & 0xFF);
}

double Contrast(uint32_t a, uint32_t b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A TColor (0x00BBGGRR) from skin.ini as 0xRRGGBB.
uint32_t ColourKey(const std::string& section, const std::string& key) {
  const uint32_t c = uint32_t(OurSkin().ini.ReadInteger(section, key, -1));
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

uint32_t MeanColour(const BmpImage& image, TRect area) {
  uint64_t sum[3] = {};
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x)
      for (int c = 0; c < 3; ++c) sum[c] += (Pixel(image, x, y) >> (16 - 8 * c)) & 0xFF;
  const uint64_t n = uint64_t(area.Width()) * area.Height();
  return uint32_t((sum[0] / n) << 16 | (sum[1] / n) << 8 | sum[2] / n);
}

TRect Within(TRect outer, TRect relative) {
  return {outer.Left + relative.Left, outer.Top + relative.Top, outer.Left + relative.Right,
          outer.Top + relative.Bottom};
}

TEST(SkinArt, GeneratorDrawsExactlyTheCommittedBitmaps) {
  const fs::path folder = fs::temp_directory_path() / ("skin_art_test_" + std::to_string(std::random_device()()));
  fs::create_directories(folder);
  const std::string command = std::string("\"") + VESPERMARK_SKINART + "\" \"" + folder.string() + "\"";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  std::set<std::string> drawn;
  for (const fs::directory_entry& file : fs::directory_iterator(folder)) {
    const std::string name = file.path().filename().string();
    drawn.insert(name);
    EXPECT_TRUE(ReadFile(file.path()) == ReadFile(SkinFolder() / name))
        << name << " differs from what skinart draws: run scripts/draw-skin.sh and commit the bitmaps";
  }
  fs::remove_all(folder);
  EXPECT_EQ(drawn, std::set<std::string>(OurSkin().fileNames.begin(), OurSkin().fileNames.end()));
}

TEST(SkinArt, PicturesHaveTheirSizesAndDepths) {
  const Skin& skin = OurSkin();
  EXPECT_EQ(skin.ini.ReadString("PICTURES", "inactivepicture", "?"), "");
  EXPECT_EQ(skin.picture.width, 176);
  EXPECT_EQ(skin.picture.height, 147);
  EXPECT_EQ(skin.picture.bitCount, 8);
  EXPECT_EQ(skin.mask.width, 176);
  EXPECT_EQ(skin.mask.height, 147);
  EXPECT_EQ(skin.mask.bitCount, 1);
  const std::vector<int> depths{8, 8, 8, 24, 1, 1, 8, 8};
  ASSERT_EQ(skin.active.size(), depths.size());
  for (size_t i = 0; i < depths.size(); ++i) EXPECT_EQ(skin.active[i].bitCount, depths[i]) << "active picture " << i;

  const BmpImage& popup = Active("POPUPWINDOW", "windowpictureindex");
  const BmpImage& popupMask = Active("POPUPWINDOW", "maskpictureindex");
  EXPECT_EQ(popupMask.width, popup.width);
  EXPECT_EQ(popupMask.height, popup.height);
  const TRect button = Rect("button", "skinrect");
  const BmpImage& buttonMask = Active("button", "maskpictureindex");
  EXPECT_EQ(buttonMask.width, button.Width());
  EXPECT_EQ(buttonMask.height, button.Height());
}

TEST(SkinArt, EveryRectangleLiesInItsPicture) {
  const Skin& skin = OurSkin();
  for (const char* key : {"clientrect", "maskrectarea", "buttonsrect", "captionrect"})
    EXPECT_TRUE(Holds(skin.picture, Rect("FORMINFO", key))) << key;
  for (const char* key : {"lefttoppoint", "righttoppoint", "leftbottompoint", "rightbottompoint", "hittestlefttoppoint",
                          "hittestrighttoppoint", "hittestleftbottompoint", "hittestrightbottompoint"})
    EXPECT_TRUE(Holds(skin.picture, Point("FORMINFO", key))) << key;

  // The frame's objects have their normal look in the frame picture; every
  // other look, and all of a menu's, lies in the object's active picture.
  for (const Entry& object : Entries("SKINOBJECTS")) {
    const std::string& name = object.name;
    const TRect skinRect = Rect(name, "skinrect");
    EXPECT_TRUE(Holds(OnTheFrame(object) ? skin.picture : Active(name, "activepictureindex"), skinRect)) << name;
    TStringList keys;
    skin.ini.ReadSection(name, keys);
    for (int i = 0; i < keys.Count(); ++i) {
      const std::string& key = keys[i];
      if (key.size() < 4 || key.substr(key.size() - 4) != "rect" || key == "skinrect" || IsEmpty(Rect(name, key)))
        continue;
      if (key == "textrect")
        EXPECT_TRUE(Holds(skinRect.Width(), skinRect.Height(), Rect(name, key))) << name;
      else
        EXPECT_TRUE(Holds(Active(name, "activepictureindex"), Rect(name, key))) << name << " " << key;
    }
  }

  const BmpImage& popup = Active("POPUPWINDOW", "windowpictureindex");
  const BmpImage& hint = Active("HINTWINDOW", "windowpictureindex");
  for (const char* key : {"lefttoppoint", "righttoppoint", "leftbottompoint", "rightbottompoint"}) {
    EXPECT_TRUE(Holds(popup, Point("POPUPWINDOW", key))) << key;
    EXPECT_TRUE(Holds(hint, Point("HINTWINDOW", key))) << key;
  }
  EXPECT_TRUE(Holds(popup, Rect("POPUPWINDOW", "itemsrect")));
  EXPECT_TRUE(Holds(hint, Rect("HINTWINDOW", "clientrect")));

  ASSERT_FALSE(Entries("SKINCONTROLS").empty());
  EXPECT_EQ(Entries("SKINCONTROLS").front().name, "button");
  EXPECT_EQ(Entries("SKINCONTROLS").front().type, "button");
  const BmpImage& button = Active("button", "pictureindex");
  const TRect face = Rect("button", "skinrect");
  EXPECT_TRUE(Holds(button, face));
  EXPECT_TRUE(Holds(button, Rect("button", "downskinrect")));
  EXPECT_EQ(Rect("button", "downskinrect").Width(), face.Width());
  EXPECT_TRUE(Holds(face.Width(), face.Height(), Rect("button", "clientrect")));
}

TEST(SkinArt, StretchedPartsRepeatWithoutSeams) {
  const Skin& skin = OurSkin();
  const TPoint lt = Point("FORMINFO", "lefttoppoint"), rt = Point("FORMINFO", "righttoppoint");
  const TPoint lb = Point("FORMINFO", "leftbottompoint"), rb = Point("FORMINFO", "rightbottompoint");
  const TRect c = Rect("FORMINFO", "clientrect");
  const int w = skin.picture.width, h = skin.picture.height;
  for (const BmpImage* image : {&skin.picture, &skin.mask}) {
    const std::string what = image == &skin.picture ? "frame " : "frame mask ";
    ExpectRepeats(*image, {lt.X, 0, rt.X, c.Top}, Repeats::Across, what + "top edge");
    ExpectRepeats(*image, {lb.X, c.Bottom, rb.X, h}, Repeats::Across, what + "bottom edge");
    ExpectRepeats(*image, {0, lt.Y, c.Left, lb.Y}, Repeats::Down, what + "left edge");
    ExpectRepeats(*image, {c.Right, rt.Y, w, rb.Y}, Repeats::Down, what + "right edge");
  }
  // The client background is the client piece tiled both ways.
  ExpectRepeats(skin.picture, c, Repeats::Both, "client");

  const BmpImage& popup = Active("POPUPWINDOW", "windowpictureindex");
  const BmpImage& popupMask = Active("POPUPWINDOW", "maskpictureindex");
  const TPoint plt = Point("POPUPWINDOW", "lefttoppoint"), prt = Point("POPUPWINDOW", "righttoppoint");
  const TPoint plb = Point("POPUPWINDOW", "leftbottompoint"), prb = Point("POPUPWINDOW", "rightbottompoint");
  const TRect items = Rect("POPUPWINDOW", "itemsrect");
  for (const BmpImage* image : {&popup, &popupMask}) {
    const std::string what = image == &popup ? "popup " : "popup mask ";
    ExpectRepeats(*image, {plt.X, 0, prt.X, items.Top}, Repeats::Across, what + "top edge");
    ExpectRepeats(*image, {plb.X, items.Bottom, prb.X, image->height}, Repeats::Across, what + "bottom edge");
    ExpectRepeats(*image, {0, plt.Y, items.Left, plb.Y}, Repeats::Down, what + "left edge");
    ExpectRepeats(*image, {items.Right, prt.Y, image->width, prb.Y}, Repeats::Down, what + "right edge");
  }
  ExpectRepeats(popup, items, Repeats::Both, "popup items area");

  const BmpImage& menuItem = Active("MENUITEM", "activepictureindex");
  const int left = skin.ini.ReadInteger("MENUITEM", "itemleftoffset", 0);
  const int right = skin.ini.ReadInteger("MENUITEM", "itemrightoffset", 0);
  for (const char* key : {"skinrect", "activeskinrect", "dividerrect"}) {
    const TRect r = Rect("MENUITEM", key);
    ExpectRepeats(menuItem, {r.Left + left, r.Top, r.Right - right, r.Bottom}, Repeats::Across,
                  std::string("menu item ") + key);
  }

  const BmpImage& hint = Active("HINTWINDOW", "windowpictureindex");
  const TPoint hlt = Point("HINTWINDOW", "lefttoppoint"), hrt = Point("HINTWINDOW", "righttoppoint");
  const TPoint hlb = Point("HINTWINDOW", "leftbottompoint");
  const TRect hintClient = Rect("HINTWINDOW", "clientrect");
  ExpectRepeats(hint, {hlt.X, 0, hrt.X, hintClient.Top}, Repeats::Across, "hint top edge");
  ExpectRepeats(hint, {0, hlt.Y, hintClient.Left, hlb.Y}, Repeats::Down, "hint left edge");
  ExpectRepeats(hint, hintClient, Repeats::Both, "hint client");

  // The button keeps its ends and repeats the columns between its corner points.
  const BmpImage& button = Active("button", "pictureindex");
  const BmpImage& buttonMask = Active("button", "maskpictureindex");
  const int from = Point("button", "lefttoppoint").X, to = Point("button", "righttoppoint").X;
  for (const char* key : {"skinrect", "downskinrect"}) {
    const TRect r = Rect("button", key);
    ExpectRepeats(button, {r.Left + from, r.Top, r.Left + to, r.Bottom}, Repeats::Across, std::string("button ") + key);
  }
  ExpectRepeats(buttonMask, {from, 0, to, buttonMask.height}, Repeats::Across, "button mask");
}

TEST(SkinArt, MasksKeepWhatMustShowAndCutTheCorners) {
  const Skin& skin = OurSkin();
  auto expectBlack = [](const BmpImage& mask, TRect area, const std::string& what) {
    int white = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
      for (int x = area.Left; x < area.Right; ++x) white += !Black(mask, x, y);
    EXPECT_EQ(white, 0) << what << " has pixels outside the window";
  };
  auto expectCornersCut = [](const BmpImage& mask, const std::string& what) {
    const int r = mask.width - 1, b = mask.height - 1;
    EXPECT_FALSE(Black(mask, 0, 0) || Black(mask, r, 0) || Black(mask, 0, b) || Black(mask, r, b)) << what;
  };

  expectBlack(skin.mask, Rect("FORMINFO", "maskrectarea"), "maskrectarea");
  for (const char* key : {"hittestlefttoppoint", "hittestrighttoppoint", "hittestleftbottompoint", "hittestrightbottompoint"}) {
    const TPoint p = Point("FORMINFO", key);
    EXPECT_TRUE(Black(skin.mask, p.X, p.Y)) << key;
  }
  for (const Entry& object : Entries("SKINOBJECTS"))
    if (OnTheFrame(object)) expectBlack(skin.mask, Rect(object.name, "skinrect"), object.name);
  expectCornersCut(skin.mask, "the frame mask");

  const BmpImage& popupMask = Active("POPUPWINDOW", "maskpictureindex");
  expectBlack(popupMask, Rect("POPUPWINDOW", "itemsrect"), "the menu items area");
  expectCornersCut(popupMask, "the popup mask");

  const BmpImage& buttonMask = Active("button", "maskpictureindex");
  expectBlack(buttonMask, Rect("button", "clientrect"), "the button's caption area");
  expectCornersCut(buttonMask, "the button mask");
}

// Each caption button shows a light glyph where skin.ini places it, and its
// pressed look, cut from another picture, sits on the same band colours.
TEST(SkinArt, CaptionButtonsShowGlyphsAndPressOnTheirBand) {
  const Skin& skin = OurSkin();
  for (const Entry& object : Entries("SKINOBJECTS")) {
    if (object.type != "stdbutton" || !OnTheFrame(object)) continue;
    const std::string& name = object.name;
    const TRect normal = Rect(name, "skinrect"), down = Rect(name, "downrect");
    int light = 0;
    for (int y = normal.Top; y < normal.Bottom; ++y)
      for (int x = normal.Left; x < normal.Right; ++x) light += Luminance(Pixel(skin.picture, x, y)) > 0.6;
    EXPECT_GE(light, 5) << name << " shows no glyph";

    const BmpImage& sheet = Active(name, "activepictureindex");
    ASSERT_EQ(down.Width(), normal.Width()) << name;
    ASSERT_EQ(down.Height(), normal.Height()) << name;
    for (int corner = 0; corner < 4; ++corner) {
      const int dx = corner % 2 ? normal.Width() - 1 : 0, dy = corner / 2 ? normal.Height() - 1 : 0;
      EXPECT_EQ(Pixel(sheet, down.Left + dx, down.Top + dy), Pixel(skin.picture, normal.Left + dx, normal.Top + dy))
          << name << " corner " << corner;
    }
  }
}

TEST(SkinArt, CaptionsReadOnTheirFaces) {
  const Skin& skin = OurSkin();
  const TRect captionText = Within(Rect("caption1", "skinrect"), Rect("caption1", "textrect"));
  const uint32_t band = MeanColour(skin.picture, captionText);
  EXPECT_GE(Contrast(ColourKey("caption1", "fontcolor"), band), 4.5);
  EXPECT_GE(Contrast(ColourKey("caption1", "activefontcolor"), band), 4.5);

  const BmpImage& button = Active("button", "pictureindex");
  const TRect client = Rect("button", "clientrect");
  const uint32_t face = MeanColour(button, Within(Rect("button", "skinrect"), client));
  const uint32_t pressed = MeanColour(button, Within(Rect("button", "downskinrect"), client));
  EXPECT_GE(Contrast(ColourKey("button", "fontcolor"), face), 7.0);
  EXPECT_GE(Contrast(ColourKey("button", "downfontcolor"), pressed), 7.0);
  // Under the pointer the same face carries white, and a disabled button
  // grey: a lighter face serves black best, so these only have to stay
  // clearly visible.
  EXPECT_GE(Contrast(ColourKey("button", "activefontcolor"), face), 2.0);
  EXPECT_GE(Contrast(ColourKey("button", "disabledfontcolor"), face), 1.5);

  const BmpImage& menuItem = Active("MENUITEM", "activepictureindex");
  const TRect text = Rect("MENUITEM", "textrect");
  EXPECT_GE(Contrast(ColourKey("MENUITEM", "fontcolor"), MeanColour(menuItem, Within(Rect("MENUITEM", "skinrect"), text))),
            7.0);
  EXPECT_GE(Contrast(ColourKey("MENUITEM", "activefontcolor"),
                     MeanColour(menuItem, Within(Rect("MENUITEM", "activeskinrect"), text))),
            4.5);

  const BmpImage& hint = Active("HINTWINDOW", "windowpictureindex");
  EXPECT_GE(Contrast(ColourKey("HINTWINDOW", "fontcolor"), MeanColour(hint, Rect("HINTWINDOW", "clientrect"))), 7.0);
}

}  // namespace
