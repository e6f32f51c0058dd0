// Our own skins: the program's in assets/skin (and drawn at each further
// scale in assets/skin/PERCENT, with the one skin.ini the loader scales to
// them) and the one the tests load in tests/fixtures/skins/full. The committed bitmaps are what tools/skinart
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
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/codecs/bmp_codec.h"
#include "base/display_scale.h"
#include "base/geometry.h"
#include "base/ini_file.h"

namespace {

namespace fs = std::filesystem;

struct SkinUnderTest {
  const char* name;
  const char* folder;  // of the pictures, from the repository root
  const char* skinartOption;
  // What skinart draws beside the pictures skin.ini names.
  std::vector<std::string> extraFiles;
  // The scale the pictures are drawn at, and where the skin.ini is that the
  // loader scales to them (the pictures' folder when empty).
  int percent = 100;
  const char* iniFolder = "";
};

void PrintTo(const SkinUnderTest& skin, std::ostream* out) { *out << skin.name; }

const SkinUnderTest kProgramSkin{"Program", "assets/skin", "", {}};
const SkinUnderTest kProgramSkin125{"Program125", "assets/skin/125", "--scale 125", {}, 125, "assets/skin"};
const SkinUnderTest kProgramSkin150{"Program150", "assets/skin/150", "--scale 150", {}, 150, "assets/skin"};
const SkinUnderTest kProgramSkin175{"Program175", "assets/skin/175", "--scale 175", {}, 175, "assets/skin"};
const SkinUnderTest kProgramSkin200{"Program200", "assets/skin/200", "--scale 200", {}, 200, "assets/skin"};
const SkinUnderTest kFullSkin{"Full", "tests/fixtures/skins/full", "--full", {"logo.bmp"}};

// The repository root is the working directory; VESPERMARK_SOURCE_DIR names it otherwise.
fs::path Folder(const char* folder) {
  if (!fs::exists("assets/skin/skin.ini"))
    if (const char* root = std::getenv("VESPERMARK_SOURCE_DIR")) return fs::path(root) / folder;
  return fs::path(folder);
}

std::vector<uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) ADD_FAILURE() << "cannot read " << path;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
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

class Skin {
 public:
  explicit Skin(const SkinUnderTest& skin) : folder(Folder(skin.folder)), percent(skin.percent) {
    const std::vector<uint8_t> text = ReadFile(Folder(*skin.iniFolder ? skin.iniFolder : skin.folder) / "skin.ini");
    ini = TMemIniFile(std::string(text.begin(), text.end()));
    picture = Load(ini.ReadString("PICTURES", "picture", ""));
    if (const std::string name = ini.ReadString("PICTURES", "inactivepicture", ""); !name.empty())
      inactive = Load(name);
    mask = Load(ini.ReadString("PICTURES", "mask", ""));
    const int count = ini.ReadInteger("PICTURES", "activepicturescount", 0);
    for (int i = 0; i < count; ++i) active.push_back(Load(ini.ReadString("PICTURES", std::to_string(i), "")));
  }

  fs::path folder;
  int percent;
  TMemIniFile ini;
  std::vector<std::string> fileNames;  // every picture [PICTURES] names
  BmpImage picture, inactive, mask;
  std::vector<BmpImage> active;

  int Integer(const std::string& section, const std::string& key, int absent = 0) const {
    return ini.ReadInteger(section, key, absent);
  }
  // Lengths, rectangles and points at the pictures' scale, as the loader takes them.
  int Length(const std::string& section, const std::string& key) const {
    return ScaleLength(Integer(section, key), percent, 100);
  }

  // "l,t,r,b" and "x,y" as skin.ini writes them.
  std::vector<int> Numbers(const std::string& section, const std::string& key, size_t count) const {
    std::stringstream in(ini.ReadString(section, key, ""));
    std::vector<int> numbers;
    for (std::string piece; std::getline(in, piece, ',');) numbers.push_back(std::stoi(piece));
    EXPECT_EQ(numbers.size(), count) << "[" << section << "] " << key;
    numbers.resize(count);
    return numbers;
  }
  TRect Rect(const std::string& section, const std::string& key) const {
    if (ini.ReadString(section, key, "").empty()) return {};
    const std::vector<int> n = Numbers(section, key, 4);
    return ScaleRect({n[0], n[1], n[2], n[3]}, percent, 100);
  }
  TPoint Point(const std::string& section, const std::string& key) const {
    const std::vector<int> n = Numbers(section, key, 2);
    return {ScaleLength(n[0], percent, 100), ScaleLength(n[1], percent, 100)};
  }

  // The "name:type" entries of [SKINOBJECTS] or [SKINCONTROLS].
  std::vector<Entry> Entries(const std::string& list) const {
    std::vector<Entry> entries;
    const int count = Integer(list, "count");
    for (int i = 0; i < count; ++i) {
      const std::string entry = ini.ReadString(list, std::to_string(i), "");
      const size_t colon = entry.find(':');
      entries.push_back({entry.substr(0, colon), colon == std::string::npos ? "" : entry.substr(colon + 1)});
    }
    return entries;
  }

  // The objects whose normal look the frame picture holds (the frame draws
  // them over it); the others keep theirs in their active picture.
  bool OnTheFrame(const Entry& object) const {
    return object.type != "menuitem" && object.type != "mainmenubaritem" &&
           Integer(object.name, "skinrectinapicture") == 0;
  }

  const BmpImage& Active(const std::string& section, const std::string& key) const {
    const int index = Integer(section, key, -1);
    EXPECT_TRUE(index >= 0 && index < int(active.size())) << "[" << section << "] " << key << "=" << index;
    return active.at(size_t(std::clamp(index, 0, int(active.size()) - 1)));
  }

  // Where an object's normal look lies.
  const BmpImage& NormalPicture(const Entry& object) const {
    return OnTheFrame(object) ? picture : Active(object.name, "activepictureindex");
  }

 private:
  BmpImage Load(const std::string& name) {
    fileNames.push_back(name);
    return DecodeBmp(ReadFile(folder / name));
  }
};

const Skin& Load(const SkinUnderTest& skin) {
  static std::map<std::string, Skin> loaded;
  auto found = loaded.find(skin.name);
  if (found == loaded.end()) found = loaded.emplace(skin.name, Skin(skin)).first;
  return found->second;
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
uint32_t ColourKey(const Skin& skin, const std::string& section, const std::string& key) {
  const uint32_t c = uint32_t(skin.Integer(section, key, -1));
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

class SkinArt : public testing::TestWithParam<SkinUnderTest> {
 protected:
  const Skin& skin = Load(GetParam());
};

INSTANTIATE_TEST_SUITE_P(Skins, SkinArt,
                         testing::Values(kProgramSkin, kProgramSkin125, kProgramSkin150, kProgramSkin175,
                                         kProgramSkin200, kFullSkin),
                         [](const testing::TestParamInfo<SkinUnderTest>& info) { return info.param.name; });

TEST_P(SkinArt, GeneratorDrawsExactlyTheCommittedBitmaps) {
  const fs::path folder = fs::temp_directory_path() / ("skin_art_test_" + std::to_string(std::random_device()()));
  fs::create_directories(folder);
  const std::string command =
      std::string("\"") + VESPERMARK_SKINART + "\" " + GetParam().skinartOption + " \"" + folder.string() + "\"";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  std::set<std::string> drawn;
  for (const fs::directory_entry& file : fs::directory_iterator(folder)) {
    const std::string name = file.path().filename().string();
    drawn.insert(name);
    EXPECT_TRUE(ReadFile(file.path()) == ReadFile(skin.folder / name))
        << name << " differs from what skinart draws: run scripts/draw-skin.sh and commit the bitmaps";
  }
  fs::remove_all(folder);
  std::set<std::string> expected(skin.fileNames.begin(), skin.fileNames.end());
  expected.insert(GetParam().extraFiles.begin(), GetParam().extraFiles.end());
  EXPECT_EQ(drawn, expected);
}

TEST(SkinArtProgram, PicturesHaveTheirSizesAndDepths) {
  const Skin& skin = Load(kProgramSkin);
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
}

TEST_P(SkinArt, EveryRectangleLiesInItsPicture) {
  for (const char* key : {"clientrect", "maskrectarea", "buttonsrect", "captionrect"})
    EXPECT_TRUE(Holds(skin.picture, skin.Rect("FORMINFO", key))) << key;
  for (const char* key : {"lefttoppoint", "righttoppoint", "leftbottompoint", "rightbottompoint", "hittestlefttoppoint",
                          "hittestrighttoppoint", "hittestleftbottompoint", "hittestrightbottompoint"})
    EXPECT_TRUE(Holds(skin.picture, skin.Point("FORMINFO", key))) << key;
  for (const BmpImage* same : {&skin.mask, &skin.inactive}) {
    if (same->width == 0) continue;
    EXPECT_EQ(same->width, skin.picture.width);
    EXPECT_EQ(same->height, skin.picture.height);
  }

  // The frame's objects have their normal look in the frame picture; every
  // other look, and all of a menu's, lies in the object's active picture.
  for (const Entry& object : skin.Entries("SKINOBJECTS")) {
    const std::string& name = object.name;
    const TRect skinRect = skin.Rect(name, "skinrect");
    EXPECT_TRUE(Holds(skin.NormalPicture(object), skinRect)) << name;
    if (object.type == "userobject") continue;
    if (object.type == "animate") {
      // Its frames lie side by side from activeskinrect, each skinrect's size.
      const TRect first = skin.Rect(name, "activeskinrect");
      const int frames = skin.Integer(name, "countframes", 1);
      EXPECT_TRUE(Holds(skin.Active(name, "activepictureindex"),
                        Bounds(first.Left, first.Top, frames * skinRect.Width(), skinRect.Height())))
          << name;
      continue;
    }
    TStringList keys;
    skin.ini.ReadSection(name, keys);
    for (int i = 0; i < keys.Count(); ++i) {
      const std::string& key = keys[i];
      if (key.size() < 4 || key.substr(key.size() - 4) != "rect" || key == "skinrect" || IsEmpty(skin.Rect(name, key)))
        continue;
      if (key == "textrect")
        EXPECT_TRUE(Holds(skinRect.Width(), skinRect.Height(), skin.Rect(name, key))) << name;
      else
        EXPECT_TRUE(Holds(skin.Active(name, "activepictureindex"), skin.Rect(name, key))) << name << " " << key;
    }
  }

  const BmpImage& popup = skin.Active("POPUPWINDOW", "windowpictureindex");
  const BmpImage& popupMask = skin.Active("POPUPWINDOW", "maskpictureindex");
  EXPECT_EQ(popupMask.width, popup.width);
  EXPECT_EQ(popupMask.height, popup.height);
  const BmpImage& hint = skin.Active("HINTWINDOW", "windowpictureindex");
  for (const char* key : {"lefttoppoint", "righttoppoint", "leftbottompoint", "rightbottompoint"}) {
    EXPECT_TRUE(Holds(popup, skin.Point("POPUPWINDOW", key))) << key;
    EXPECT_TRUE(Holds(hint, skin.Point("HINTWINDOW", key))) << key;
  }
  EXPECT_TRUE(Holds(popup, skin.Rect("POPUPWINDOW", "itemsrect")));
  EXPECT_TRUE(Holds(hint, skin.Rect("HINTWINDOW", "clientrect")));
  const int background = skin.Integer("FORMINFO", "bgpictureindex", -1);
  EXPECT_LT(background, int(skin.active.size()));

  ASSERT_FALSE(skin.Entries("SKINCONTROLS").empty());
  EXPECT_EQ(skin.Entries("SKINCONTROLS").front().name, "button");
  EXPECT_EQ(skin.Entries("SKINCONTROLS").front().type, "button");
  const BmpImage& button = skin.Active("button", "pictureindex");
  const TRect face = skin.Rect("button", "skinrect");
  EXPECT_TRUE(Holds(button, face));
  for (const char* key : {"activeskinrect", "downskinrect", "disabledskinrect"}) {
    const TRect look = skin.Rect("button", key);
    if (IsEmpty(look) && std::string(key) != "downskinrect") continue;
    EXPECT_TRUE(Holds(button, look)) << key;
    EXPECT_EQ(look.Width(), face.Width()) << key;
  }
  EXPECT_TRUE(Holds(face.Width(), face.Height(), skin.Rect("button", "clientrect")));
  const BmpImage& buttonMask = skin.Active("button", "maskpictureindex");
  EXPECT_EQ(buttonMask.width, face.Width());
  EXPECT_EQ(buttonMask.height, face.Height());
}

TEST_P(SkinArt, StretchedPartsRepeatWithoutSeams) {
  const TPoint lt = skin.Point("FORMINFO", "lefttoppoint"), rt = skin.Point("FORMINFO", "righttoppoint");
  const TPoint lb = skin.Point("FORMINFO", "leftbottompoint"), rb = skin.Point("FORMINFO", "rightbottompoint");
  const TRect c = skin.Rect("FORMINFO", "clientrect");
  const int w = skin.picture.width, h = skin.picture.height;
  const std::pair<const BmpImage*, const char*> frames[] = {
      {&skin.picture, "frame "}, {&skin.inactive, "inactive frame "}, {&skin.mask, "frame mask "}};
  for (auto [image, what] : frames) {
    if (image->width == 0) continue;
    ExpectRepeats(*image, {lt.X, 0, rt.X, c.Top}, Repeats::Across, what + std::string("top edge"));
    ExpectRepeats(*image, {lb.X, c.Bottom, rb.X, h}, Repeats::Across, what + std::string("bottom edge"));
    ExpectRepeats(*image, {0, lt.Y, c.Left, lb.Y}, Repeats::Down, what + std::string("left edge"));
    ExpectRepeats(*image, {c.Right, rt.Y, w, rb.Y}, Repeats::Down, what + std::string("right edge"));
  }
  // Without a picture of its own the client background is the client piece tiled both ways.
  if (skin.Integer("FORMINFO", "bgpictureindex", -1) == -1) ExpectRepeats(skin.picture, c, Repeats::Both, "client");

  const BmpImage& popup = skin.Active("POPUPWINDOW", "windowpictureindex");
  const BmpImage& popupMask = skin.Active("POPUPWINDOW", "maskpictureindex");
  const TPoint plt = skin.Point("POPUPWINDOW", "lefttoppoint"), prt = skin.Point("POPUPWINDOW", "righttoppoint");
  const TPoint plb = skin.Point("POPUPWINDOW", "leftbottompoint"), prb = skin.Point("POPUPWINDOW", "rightbottompoint");
  const TRect items = skin.Rect("POPUPWINDOW", "itemsrect");
  for (const BmpImage* image : {&popup, &popupMask}) {
    const std::string what = image == &popup ? "popup " : "popup mask ";
    ExpectRepeats(*image, {plt.X, 0, prt.X, items.Top}, Repeats::Across, what + "top edge");
    ExpectRepeats(*image, {plb.X, items.Bottom, prb.X, image->height}, Repeats::Across, what + "bottom edge");
    ExpectRepeats(*image, {0, plt.Y, items.Left, plb.Y}, Repeats::Down, what + "left edge");
    ExpectRepeats(*image, {items.Right, prt.Y, image->width, prb.Y}, Repeats::Down, what + "right edge");
  }
  ExpectRepeats(popup, items, Repeats::Both, "popup items area");

  const BmpImage& menuItem = skin.Active("MENUITEM", "activepictureindex");
  const int left = skin.Length("MENUITEM", "itemleftoffset"), right = skin.Length("MENUITEM", "itemrightoffset");
  for (const char* key : {"skinrect", "activeskinrect", "dividerrect"}) {
    const TRect r = skin.Rect("MENUITEM", key);
    ExpectRepeats(menuItem, {r.Left + left, r.Top, r.Right - right, r.Bottom}, Repeats::Across,
                  std::string("menu item ") + key);
  }

  // The caption's looks keep the ends the frame keeps and repeat the band between.
  const TRect caption = skin.Rect("caption1", "skinrect"), activeCaption = skin.Rect("caption1", "activeskinrect");
  if (!IsEmpty(activeCaption)) {
    const int from = lt.X - caption.Left, to = rt.X - caption.Left;
    ExpectRepeats(skin.Active("caption1", "activepictureindex"),
                  {activeCaption.Left + from, activeCaption.Top, activeCaption.Left + to, activeCaption.Bottom},
                  Repeats::Across, "active caption");
  }

  const BmpImage& hint = skin.Active("HINTWINDOW", "windowpictureindex");
  const TPoint hlt = skin.Point("HINTWINDOW", "lefttoppoint"), hrt = skin.Point("HINTWINDOW", "righttoppoint");
  const TPoint hlb = skin.Point("HINTWINDOW", "leftbottompoint");
  const TRect hintClient = skin.Rect("HINTWINDOW", "clientrect");
  ExpectRepeats(hint, {hlt.X, 0, hrt.X, hintClient.Top}, Repeats::Across, "hint top edge");
  ExpectRepeats(hint, {0, hlt.Y, hintClient.Left, hlb.Y}, Repeats::Down, "hint left edge");
  ExpectRepeats(hint, hintClient, Repeats::Both, "hint client");

  // The button keeps its ends and repeats the columns between its corner points.
  const BmpImage& button = skin.Active("button", "pictureindex");
  const BmpImage& buttonMask = skin.Active("button", "maskpictureindex");
  const int from = skin.Point("button", "lefttoppoint").X, to = skin.Point("button", "righttoppoint").X;
  for (const char* key : {"skinrect", "activeskinrect", "downskinrect", "disabledskinrect"}) {
    const TRect r = skin.Rect("button", key);
    if (IsEmpty(r)) continue;
    ExpectRepeats(button, {r.Left + from, r.Top, r.Left + to, r.Bottom}, Repeats::Across, std::string("button ") + key);
  }
  ExpectRepeats(buttonMask, {from, 0, to, buttonMask.height}, Repeats::Across, "button mask");
}

TEST_P(SkinArt, MasksKeepWhatMustShowAndCutTheCorners) {
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

  expectBlack(skin.mask, skin.Rect("FORMINFO", "maskrectarea"), "maskrectarea");
  for (const char* key : {"hittestlefttoppoint", "hittestrighttoppoint", "hittestleftbottompoint", "hittestrightbottompoint"}) {
    const TPoint p = skin.Point("FORMINFO", key);
    EXPECT_TRUE(Black(skin.mask, p.X, p.Y)) << key;
  }
  for (const Entry& object : skin.Entries("SKINOBJECTS"))
    if (skin.OnTheFrame(object)) expectBlack(skin.mask, skin.Rect(object.name, "skinrect"), object.name);
  expectBlack(skin.mask, skin.Rect("FORMINFO", "buttonsrect"), "buttonsrect");
  expectCornersCut(skin.mask, "the frame mask");

  const BmpImage& popupMask = skin.Active("POPUPWINDOW", "maskpictureindex");
  expectBlack(popupMask, skin.Rect("POPUPWINDOW", "itemsrect"), "the menu items area");
  expectCornersCut(popupMask, "the popup mask");

  const BmpImage& buttonMask = skin.Active("button", "maskpictureindex");
  expectBlack(buttonMask, skin.Rect("button", "clientrect"), "the button's caption area");
  expectCornersCut(buttonMask, "the button mask");
}

// Each caption button shows a light glyph, and its other looks sit on the
// band colours its normal look sits on: those of the frame picture where
// the button lies.
TEST_P(SkinArt, CaptionButtonsShowGlyphsAndPressOnTheirBand) {
  const TRect buttons = skin.Rect("FORMINFO", "buttonsrect");
  for (const Entry& object : skin.Entries("SKINOBJECTS")) {
    if (object.type != "stdbutton") continue;
    const std::string& name = object.name;
    const BmpImage& normalPicture = skin.NormalPicture(object);
    const TRect normal = skin.Rect(name, "skinrect");
    int light = 0;
    for (int y = normal.Top; y < normal.Bottom; ++y)
      for (int x = normal.Left; x < normal.Right; ++x) light += Luminance(Pixel(normalPicture, x, y)) > 0.6;
    EXPECT_GE(light, 5) << name << " shows no glyph";

    // Laid out in buttonsrect, a button of its own picture sits on the band there.
    const TPoint band = skin.OnTheFrame(object) ? TPoint{normal.Left, normal.Top} : TPoint{buttons.Left, buttons.Top};
    const BmpImage& sheet = skin.Active(name, "activepictureindex");
    for (const char* key : {"skinrect", "activeskinrect", "downrect", "restorerect", "restoreactiverect",
                            "restoredownrect", "restoreinactiverect", "disableskinrsect"}) {
      const TRect look = skin.Rect(name, key);
      const bool inFrame = key == std::string("skinrect") && skin.OnTheFrame(object);
      if (IsEmpty(look) || inFrame) continue;
      ASSERT_EQ(look.Width(), normal.Width()) << name << " " << key;
      ASSERT_EQ(look.Height(), normal.Height()) << name << " " << key;
      for (int corner = 0; corner < 4; ++corner) {
        const int dx = corner % 2 ? normal.Width() - 1 : 0, dy = corner / 2 ? normal.Height() - 1 : 0;
        EXPECT_EQ(Pixel(sheet, look.Left + dx, look.Top + dy), Pixel(skin.picture, band.X + dx, band.Y + dy))
            << name << " " << key << " corner " << corner;
      }
    }
  }
}

TEST_P(SkinArt, CaptionsReadOnTheirFaces) {
  const TRect caption = skin.Rect("caption1", "skinrect"), text = skin.Rect("caption1", "textrect");
  const uint32_t band = MeanColour(skin.picture, Within(caption, text));
  EXPECT_GE(Contrast(ColourKey(skin, "caption1", "fontcolor"), band), 4.5);
  const TRect activeCaption = skin.Rect("caption1", "activeskinrect");
  const uint32_t lit =
      IsEmpty(activeCaption) ? band : MeanColour(skin.Active("caption1", "activepictureindex"), Within(activeCaption, text));
  EXPECT_GE(Contrast(ColourKey(skin, "caption1", "activefontcolor"), lit), 4.5);

  const BmpImage& button = skin.Active("button", "pictureindex");
  const TRect client = skin.Rect("button", "clientrect");
  auto face = [&](const char* key) { return MeanColour(button, Within(skin.Rect("button", key), client)); };
  EXPECT_GE(Contrast(ColourKey(skin, "button", "fontcolor"), face("skinrect")), 7.0);
  EXPECT_GE(Contrast(ColourKey(skin, "button", "downfontcolor"), face("downskinrect")), 7.0);
  // Without a look of its own under the pointer the same face carries the
  // active colour, and without a disabled look the disabled one: a face
  // chosen for the normal colour serves those less well, so they only have
  // to stay clearly visible.
  const bool activeLook = !IsEmpty(skin.Rect("button", "activeskinrect"));
  const bool disabledLook = !IsEmpty(skin.Rect("button", "disabledskinrect"));
  EXPECT_GE(Contrast(ColourKey(skin, "button", "activefontcolor"), face(activeLook ? "activeskinrect" : "skinrect")),
            activeLook ? 4.5 : 2.0);
  EXPECT_GE(
      Contrast(ColourKey(skin, "button", "disabledfontcolor"), face(disabledLook ? "disabledskinrect" : "skinrect")), 1.5);

  const BmpImage& menuItem = skin.Active("MENUITEM", "activepictureindex");
  const TRect itemText = skin.Rect("MENUITEM", "textrect");
  EXPECT_GE(Contrast(ColourKey(skin, "MENUITEM", "fontcolor"),
                     MeanColour(menuItem, Within(skin.Rect("MENUITEM", "skinrect"), itemText))),
            7.0);
  EXPECT_GE(Contrast(ColourKey(skin, "MENUITEM", "activefontcolor"),
                     MeanColour(menuItem, Within(skin.Rect("MENUITEM", "activeskinrect"), itemText))),
            4.5);

  const BmpImage& hint = skin.Active("HINTWINDOW", "windowpictureindex");
  EXPECT_GE(Contrast(ColourKey(skin, "HINTWINDOW", "fontcolor"), MeanColour(hint, skin.Rect("HINTWINDOW", "clientrect"))),
            7.0);
}

// The full skin exists to reach what the program's skin never asks for; a
// key that the loader or the frame would quietly ignore (a morph without
// an active look, a hit point it would replace) would make the tests that
// load it miss that path.
TEST(SkinArtFull, AsksForEveryFeatureOfTheFrameAndItsMenus) {
  const Skin& skin = Load(kFullSkin);
  std::set<std::string> morphKinds, morphing, ownPictures;
  int animations = 0;
  for (const Entry& object : skin.Entries("SKINOBJECTS")) {
    const std::string& name = object.name;
    if (skin.Integer(name, "morphing") == 1) {
      EXPECT_FALSE(IsEmpty(skin.Rect(name, "activeskinrect"))) << name << " would not morph";
      morphKinds.insert(skin.ini.ReadString(name, "morphkind", ""));
      morphing.insert(object.type == "stdbutton" ? "caption buttons" : object.type);
    }
    if (object.type == "stdbutton" && !skin.OnTheFrame(object)) ownPictures.insert(name);
    if (object.type == "animate" && skin.Integer(name, "buttonstyle") == 1 && skin.Integer(name, "countframes") > 1)
      ++animations;
  }
  EXPECT_EQ(morphKinds, (std::set<std::string>{"mkdefault", "mkgradient", "mkleftgradient", "mkrightgradient",
                                               "mkleftslide", "mkrightslide", "mkpush"}));
  EXPECT_EQ(morphing, (std::set<std::string>{"caption", "caption buttons", "menuitem"}));
  EXPECT_EQ(ownPictures, (std::set<std::string>{"closebutton", "maxbutton", "minbutton", "rollupbutton"}));
  EXPECT_EQ(animations, 1);
  EXPECT_GT(skin.inactive.width, 0);
  EXPECT_EQ(skin.Integer("FORMINFO", "autorenderinginactiveimage"), 1);
  EXPECT_FALSE(skin.ini.ReadString("FORMINFO", "inactiveeffect", "").empty());
  EXPECT_GT(skin.Integer("FORMINFO", "borderwidth"), 0);
  for (const char* key : {"hittestlefttoppoint", "hittestrighttoppoint", "hittestleftbottompoint", "hittestrightbottompoint"}) {
    const TPoint p = skin.Point("FORMINFO", key);
    EXPECT_TRUE(p.X != 0 && p.Y != 0) << key << " would be replaced by a corner point";
  }
  EXPECT_GE(skin.Integer("FORMINFO", "bgpictureindex", -1), 0);
  EXPECT_TRUE(fs::exists(skin.folder / "logo.bmp"));
}

// Inactive, the frame greys everything it draws, the looks taken from other
// pictures too (the caption buttons, the caption, the grip's frames): where
// those sit, the inactive picture must be the grey of the active one, or
// they would show as patches.
TEST(SkinArtFull, TheInactivePictureIsTheGreyOfTheActiveOneUnderTheLooks) {
  const Skin& skin = Load(kFullSkin);
  ASSERT_EQ(skin.ini.ReadString("FORMINFO", "inactiveeffect", ""), "iegrayscale");
  auto grey = [](uint32_t rgb) {
    const int hundredths = 30 * int(rgb >> 16 & 0xFF) + 59 * int(rgb >> 8 & 0xFF) + 11 * int(rgb & 0xFF);
    int g = hundredths / 100;
    if (hundredths % 100 > 50 || (hundredths % 100 == 50 && g % 2 != 0)) ++g;
    return uint32_t(g) * 0x010101;
  };
  std::vector<TRect> looks{skin.Rect("FORMINFO", "buttonsrect")};
  for (const Entry& object : skin.Entries("SKINOBJECTS"))
    if (object.type == "caption" || object.type == "animate") looks.push_back(skin.Rect(object.name, "skinrect"));
  for (const TRect& area : looks) {
    int differing = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
      for (int x = area.Left; x < area.Right; ++x)
        differing += Pixel(skin.inactive, x, y) != grey(Pixel(skin.picture, x, y));
    EXPECT_EQ(differing, 0) << area.Left << "," << area.Top << "," << area.Right << "," << area.Bottom;
  }
}

}  // namespace
