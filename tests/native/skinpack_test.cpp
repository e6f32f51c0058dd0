// The skinpack tool, run as skin authors and the build run it: on our own
// skin and on hand-made broken and hostile files.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "base/codecs/little_endian.h"
#include "base/stream.h"
#include "skin/data/skin_package.h"
#include "skin/data/zlib_stream.h"
#include "skin_test_files.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSkinDir = VESPERMARK_SKIN_DIR;
const std::string kSkinIni = (kSkinDir / "skin.ini").string();

struct ToolRun {
  int status = -1;
  std::string out, err;
};

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<uint8_t> ReadBytes(const fs::path& path) {
  const std::string text = ReadAll(path);
  return std::vector<uint8_t>(text.begin(), text.end());
}

ToolRun Skinpack(const TempFolder& scratch, const std::vector<std::string>& args) {
  std::string command = "'" VESPERMARK_SKINPACK "'";
  for (const std::string& arg : args) command += " '" + arg + "'";
  command += " >'" + (scratch / "stdout") + "' 2>'" + (scratch / "stderr") + "'";
  ToolRun run;
  const int result = std::system(command.c_str());
  run.status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
  run.out = ReadAll(scratch / "stdout");
  run.err = ReadAll(scratch / "stderr");
  return run;
}

// A strict reader for the tool's JSON: anything malformed fails the test.
struct Json {
  enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
  bool boolean = false;
  long long number = 0;
  std::string text;
  std::vector<Json> items;
  // Names and values apart: a pair may not hold the class it is declared in.
  std::vector<std::string> memberNames;
  std::vector<Json> memberValues;

  const Json& operator[](const std::string& key) const {
    for (size_t i = 0; i < memberNames.size(); ++i)
      if (memberNames[i] == key) return memberValues[i];
    ADD_FAILURE() << "no member " << key;
    static const Json missing;
    return missing;
  }
  bool Has(const std::string& key) const {
    for (const std::string& name : memberNames)
      if (name == key) return true;
    return false;
  }
  // Compact text, to compare whole values at once.
  std::string Compact() const {
    switch (kind) {
      case Null:
        return "null";
      case Bool:
        return boolean ? "true" : "false";
      case Number:
        return std::to_string(number);
      case String:
        return '"' + text + '"';
      case Array: {
        std::string out = "[";
        for (size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + items[i].Compact();
        return out + "]";
      }
      case Object: {
        std::string out = "{";
        for (size_t i = 0; i < memberNames.size(); ++i)
          out += (i ? ",\"" : "\"") + memberNames[i] + "\":" + memberValues[i].Compact();
        return out + "}";
      }
    }
    return {};
  }
};

class JsonParser {
 public:
  explicit JsonParser(const std::string& text) : F(text) {}

  Json Document() {
    Json value = Value();
    Space();
    if (P != F.size()) Fail("text after the value");
    return value;
  }
  bool Failed() const { return FFailed; }

 private:
  void Fail(const std::string& why) {
    if (!FFailed) ADD_FAILURE() << "invalid JSON at " << P << ": " << why;
    FFailed = true;
    P = F.size();
  }
  void Space() {
    while (P < F.size() && (F[P] == ' ' || F[P] == '\n' || F[P] == '\r' || F[P] == '\t')) ++P;
  }
  bool Take(char c) {
    Space();
    if (P < F.size() && F[P] == c) return ++P, true;
    return false;
  }
  bool Word(const std::string& word) {
    if (F.compare(P, word.size(), word) != 0) return false;
    P += word.size();
    return true;
  }
  std::string StringBody() {
    std::string out;
    while (P < F.size() && F[P] != '"') {
      const auto c = static_cast<unsigned char>(F[P++]);
      if (c < 0x20 || c >= 0x80) Fail("raw control or non-ASCII byte in a string");
      if (c != '\\') {
        out += char(c);
        continue;
      }
      if (P >= F.size()) break;
      const char escape = F[P++];
      if (escape == 'u') {
        if (P + 4 > F.size()) return Fail("short \\u escape"), out;
        out += char(std::stoi(F.substr(P, 4), nullptr, 16));
        P += 4;
      } else if (std::string("\"\\/bfnrt").find(escape) != std::string::npos) {
        out += escape == 'n' ? '\n' : escape == 'r' ? '\r' : escape == 't' ? '\t' : escape;
      } else {
        Fail("bad escape");
      }
    }
    if (P >= F.size()) Fail("unterminated string");
    ++P;
    return out;
  }
  Json Value() {
    Json value;
    Space();
    if (P >= F.size()) return Fail("missing value"), value;
    const char c = F[P];
    if (c == '{') {
      ++P;
      value.kind = Json::Object;
      if (Take('}')) return value;
      do {
        if (!Take('"')) return Fail("expected a key"), value;
        std::string key = StringBody();
        if (!Take(':')) return Fail("expected ':'"), value;
        value.memberNames.push_back(key);
        value.memberValues.push_back(Value());
      } while (Take(','));
      if (!Take('}')) Fail("expected ',' or '}'");
    } else if (c == '[') {
      ++P;
      value.kind = Json::Array;
      if (Take(']')) return value;
      do {
        value.items.push_back(Value());
      } while (Take(','));
      if (!Take(']')) Fail("expected ',' or ']'");
    } else if (c == '"') {
      ++P;
      value.kind = Json::String;
      value.text = StringBody();
    } else if (c == '-' || (c >= '0' && c <= '9')) {
      value.kind = Json::Number;
      size_t used = 0;
      value.number = std::stoll(F.substr(P), &used);
      P += used;
    } else if (Word("true") || Word("false")) {
      value.kind = Json::Bool;
      value.boolean = F[P - 1] == 'e' && F[P - 2] == 'u';
    } else if (Word("null")) {
      value.kind = Json::Null;
    } else {
      Fail("unexpected character");
    }
    return value;
  }

  const std::string& F;
  size_t P = 0;
  bool FFailed = false;
};

Json ParseJson(const std::string& text) {
  JsonParser parser(text);
  Json document = parser.Document();
  EXPECT_FALSE(parser.Failed()) << text;
  return document;
}

// A packed skin file holding the given package bytes.
void WritePackedPackage(const std::string& fileName, const std::vector<uint8_t>& package) {
  TMemoryStream source(package), compressed, file;
  PackStream(source, compressed);
  WritePackedSkinFile(file, compressed);
  file.SaveToFile(fileName);
}

void WritePackedPackage(const std::string& fileName, const SkinPackage& package) {
  TMemoryStream unpacked;
  WriteSkinPackage(unpacked, package);
  WritePackedPackage(fileName, Contents(unpacked));
}

TSkinBitmap Bitmap(const std::vector<uint8_t>& file) {
  TSkinBitmap bitmap;
  bitmap.LoadFromBytes(file);
  return bitmap;
}

size_t FileCount(const std::string& folder) {
  if (!fs::exists(folder)) return 0;
  return size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(Skinpack, InfoOnOurPackedSkinShowsWhatTheProgramLoads) {
  TempFolder scratch;
  ASSERT_EQ(Skinpack(scratch, {"pack", kSkinIni, scratch / "skin.pak"}).status, 0);
  const ToolRun info = Skinpack(scratch, {"info", scratch / "skin.pak"});
  ASSERT_EQ(info.status, 0) << info.err;
  const Json skin = ParseJson(info.out);

  EXPECT_EQ(skin["notices"].Compact(), "[1225,1226,1227]");
  EXPECT_EQ(skin["NoSkin"].Compact(), "false");
  EXPECT_EQ(skin["skinname"].Compact(), "\"Vespermark\"");
  EXPECT_EQ(skin["clientrect"].Compact(), "[15,33,163,124]");
  EXPECT_EQ(skin["maskrectarea"].Compact(), "[5,6,170,141]");
  EXPECT_EQ(skin["lefttoppoint"].Compact(), "[48,35]");
  EXPECT_EQ(skin["buttonsinleft"].Compact(), "false");
  EXPECT_EQ(skin["inactiveeffect"].Compact(), "0");
  EXPECT_EQ(skin["PictureName"].Compact(), "\"frame.bmp\"");
  EXPECT_EQ(skin["ActivePictureNames"].items.size(), 8u);

  EXPECT_EQ(skin["picture"].Compact(), R"({"width":176,"height":147,"bitcount":8})");
  EXPECT_EQ(skin["inactivepicture"].Compact(), "null");
  EXPECT_EQ(skin["mask"].Compact(), R"({"width":176,"height":147,"bitcount":1})");
  ASSERT_EQ(skin["activepictures"].items.size(), 8u);
  for (const Json& picture : skin["activepictures"].items) EXPECT_TRUE(picture.Has("bitcount"));

  EXPECT_EQ(skin["PopupWindow"]["windowpictureindex"].Compact(), "2");
  EXPECT_EQ(skin["HintWindow"]["windowpictureindex"].Compact(), "7");

  const std::vector<Json>& objects = skin["SkinObjects"].items;
  ASSERT_EQ(objects.size(), 12u);
  EXPECT_EQ(objects[0]["class"].Compact(), "\"TDataSkinCaption\"");
  EXPECT_EQ(objects[0]["IDName"].Compact(), "\"caption1\"");
  EXPECT_EQ(objects[0]["fontstyle"].Compact(), "[\"bold\"]");
  EXPECT_EQ(objects[0]["alignment"].Compact(), "2");
  EXPECT_EQ(objects[2]["class"].Compact(), "\"TDataSkinStdButton\"");
  EXPECT_EQ(objects[2]["command"].Compact(), "0");

  const std::vector<Json>& controls = skin["SkinControls"].items;
  ASSERT_GE(controls.size(), 1u);
  EXPECT_EQ(controls[0].Compact(),
            R"({"class":"TDataSkinButtonControl","IDName":"button","pictureindex":3,"maskpictureindex":5,)"
            R"("skinrect":[0,1,66,22],"lefttoppoint":[10,11],"righttoppoint":[52,11],"leftbottompoint":[0,0],)"
            R"("rightbottompoint":[0,0],"clientrect":[7,2,59,19],"fontname":"Arial","fontheight":14,)"
            R"("fontstyle":["bold"],"fontcolor":0,"activefontcolor":16777215,"downfontcolor":16777215,)"
            R"("disabledfontcolor":8421504,"activeskinrect":[0,0,0,0],"downskinrect":[0,24,66,45],)"
            R"("disabledskinrect":[0,0,0,0],"morphing":false,"morphkind":0})");
}

TEST(Skinpack, InfoEscapesTheSkinTextAndNamesEveryFontStyle) {
  TempFolder scratch;
  SkinPackage package;
  package.iniText =
      "[VERSION]\r\nskinname=Caf\xE9 \"quoted\" back\\slash\r\n"
      "[SKINOBJECTS]\r\ncount=1\r\n0=title:caption\r\n"
      "[title]\r\nfontstyle=fsstrikeout,fsitalic,fsunderline,fsbold\r\nalignment=taleftjustify\r\n";
  WritePackedPackage(scratch / "text.pak", package);
  const ToolRun info = Skinpack(scratch, {"info", scratch / "text.pak"});
  ASSERT_EQ(info.status, 0) << info.err;
  EXPECT_NE(info.out.find(R"("skinname":"Caf\u00E9 \"quoted\" back\\slash")"), std::string::npos) << info.out;
  const Json skin = ParseJson(info.out);
  EXPECT_EQ(skin["skinname"].text, "Caf\xE9 \"quoted\" back\\slash");
  EXPECT_EQ(skin["picture"].Compact(), "null");
  EXPECT_EQ(skin["activepictures"].Compact(), "[]");
  ASSERT_EQ(skin["SkinObjects"].items.size(), 1u);
  EXPECT_EQ(skin["SkinObjects"].items[0]["fontstyle"].Compact(), R"(["bold","italic","underline","strikeout"])");
  EXPECT_EQ(skin["SkinObjects"].items[0]["alignment"].Compact(), "0");
}

TEST(Skinpack, PackUnpackPackGivesTheSameBytesAndTheSourceFiles) {
  TempFolder scratch;
  ASSERT_EQ(Skinpack(scratch, {"pack", kSkinIni, scratch / "first.pak"}).status, 0);
  const ToolRun unpack = Skinpack(scratch, {"unpack", scratch / "first.pak", scratch / "out"});
  ASSERT_EQ(unpack.status, 0) << unpack.err;

  const std::string source = ReadAll(kSkinIni);
  ASSERT_NE(source.find("\r\n"), std::string::npos) << "the skin.ini in the repository lost its CR LF line ends";
  EXPECT_EQ(ReadAll(scratch / "out/skin.ini"), source);
  size_t bitmaps = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(kSkinDir)) {
    if (entry.path().extension() != ".bmp") continue;
    ++bitmaps;
    EXPECT_EQ(ReadBytes(fs::path(scratch / "out") / entry.path().filename()), ReadBytes(entry.path()))
        << entry.path().filename();
  }
  EXPECT_EQ(FileCount(scratch / "out"), bitmaps + 1);

  ASSERT_EQ(Skinpack(scratch, {"pack", scratch / "out/skin.ini", scratch / "second.pak"}).status, 0);
  EXPECT_EQ(ReadBytes(scratch / "second.pak"), ReadBytes(scratch / "first.pak"));
}

// A skin.ini with every main section, naming `picture` and one active picture.
std::string MinimalSkinIni(const std::string& picture, const std::string& active) {
  return "[VERSION]\r\nskinname=mini\r\n[PICTURES]\r\npicture=" + picture +
         "\r\nactivepicturescount=1\r\n0=" + active +
         "\r\n[FORMINFO]\r\nborderwidth=1\r\n[SKINOBJECTS]\r\ncount=0\r\n[SKINCONTROLS]\r\ncount=0\r\n";
}

TEST(Skinpack, PackDropsWhatFollowsABitmapsPixelRows) {
  TempFolder scratch;
  const std::vector<uint8_t> frame = MakeBmp(5, 3, 8, 2), button = MakeBmp(4, 4, 1, 3);
  std::vector<uint8_t> padded = frame;
  padded.insert(padded.end(), 37, 0xEE);
  WriteFileBytes(scratch / "frame.bmp", padded);
  WriteFileBytes(scratch / "button.bmp", button);
  WriteFileText(scratch / "skin.ini", MinimalSkinIni("frame.bmp", "button.bmp"));
  ASSERT_EQ(Skinpack(scratch, {"pack", scratch / "skin.ini", scratch / "skin.pak"}).status, 0);
  const ToolRun unpack = Skinpack(scratch, {"unpack", scratch / "skin.pak", scratch / "out"});
  ASSERT_EQ(unpack.status, 0) << unpack.err;
  EXPECT_EQ(ReadBytes(scratch / "out/frame.bmp"), frame);
  EXPECT_EQ(ReadBytes(scratch / "out/button.bmp"), button);
}

TEST(Skinpack, StreamIsThePackedFilesZlibStreamAtLevel9) {
  TempFolder scratch;
  ASSERT_EQ(Skinpack(scratch, {"pack", kSkinIni, scratch / "skin.pak"}).status, 0);
  ASSERT_EQ(Skinpack(scratch, {"stream", kSkinIni, scratch / "skin.zlib"}).status, 0);
  const std::vector<uint8_t> packed = ReadBytes(scratch / "skin.pak");
  const std::vector<uint8_t> stream = ReadBytes(scratch / "skin.zlib");
  ASSERT_GE(stream.size(), 2u);
  EXPECT_EQ(stream[0], 0x78);
  EXPECT_EQ(stream[1], 0xDA);
  ASSERT_EQ(packed.size(), stream.size() + 8);
  EXPECT_EQ(LoadLE32(packed.data()), 1u);
  EXPECT_EQ(LoadLE32(packed.data() + 4), stream.size());
  EXPECT_TRUE(std::equal(stream.begin(), stream.end(), packed.begin() + 8));
}

TEST(Skinpack, PackFailuresSayWhyAndLeaveNoOutput) {
  TempFolder scratch;
  fs::create_directory(scratch / "skin");
  for (const fs::directory_entry& entry : fs::directory_iterator(kSkinDir))
    if (entry.is_regular_file()) fs::copy_file(entry.path(), fs::path(scratch / "skin") / entry.path().filename());

  fs::remove(scratch / "skin/hint.bmp");
  for (const char* command : {"pack", "stream"}) {
    const ToolRun run = Skinpack(scratch, {command, scratch / "skin/skin.ini", scratch / "out"});
    EXPECT_EQ(run.status, 1) << command;
    EXPECT_NE(run.err.find("hint.bmp"), std::string::npos) << run.err;
  }

  std::string text = ReadAll(kSkinIni);
  text.replace(text.find("[SKINCONTROLS]"), 14, "[OTHERCONTROLS]");
  WriteFileText(scratch / "skin/skin.ini", text);
  fs::copy_file(kSkinDir / "hint.bmp", scratch / "skin/hint.bmp");
  const ToolRun run = Skinpack(scratch, {"pack", scratch / "skin/skin.ini", scratch / "out"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("[SKINCONTROLS]"), std::string::npos) << run.err;

  EXPECT_FALSE(fs::exists(scratch / "out"));
  EXPECT_FALSE(fs::exists(scratch / "out.tmp"));
}

TEST(Skinpack, BrokenPackedFilesFailInfoAndUnpackWithTheirReason) {
  TempFolder scratch;
  ASSERT_EQ(Skinpack(scratch, {"pack", kSkinIni, scratch / "good.pak"}).status, 0);
  const std::vector<uint8_t> good = ReadBytes(scratch / "good.pak");

  std::vector<uint8_t> wrongMarker = good;
  wrongMarker[0] = 2;
  WriteFileBytes(scratch / "marker.pak", wrongMarker);
  WriteFileBytes(scratch / "length.pak", std::vector<uint8_t>(good.begin(), good.begin() + 6));
  std::vector<uint8_t> truncated(good.begin(), good.begin() + 8 + 4000);
  StoreLE32(truncated.data() + 4, 4000);
  WriteFileBytes(scratch / "zlib.pak", truncated);
  // A main picture whose file header claims more bytes than the package holds.
  std::vector<uint8_t> lying = {1, 0, 0, 0, 0};
  std::vector<uint8_t> bmp = MakeBmp(4, 4, 24, 1);
  StoreLE32(bmp.data() + 2, uint32_t(bmp.size() + 1000));
  lying.insert(lying.end(), bmp.begin(), bmp.end());
  WritePackedPackage(scratch / "lying.pak", lying);

  const std::map<std::string, std::string> reasons = {
      {"marker.pak", "marker"}, {"length.pak", "length"}, {"zlib.pak", ""}, {"lying.pak", ""}};
  for (const auto& [name, reason] : reasons)
    for (const char* command : {"info", "unpack"}) {
      SCOPED_TRACE(std::string(command) + " " + name);
      const ToolRun run = command == std::string("info")
                              ? Skinpack(scratch, {command, scratch / name})
                              : Skinpack(scratch, {command, scratch / name, scratch / "out"});
      EXPECT_EQ(run.status, 1);
      EXPECT_TRUE(run.out.empty());
      EXPECT_TRUE(run.err.starts_with("skinpack: ")) << run.err;
      EXPECT_GT(run.err.size(), 12u);
      EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
      EXPECT_EQ(FileCount(scratch / "out"), 0u);
    }
  EXPECT_EQ(Skinpack(scratch, {"info", scratch / "missing.pak"}).status, 1);
}

TEST(Skinpack, APackageWithAWrongMarkerLoadsAsNoSkinAsInTheProgram) {
  TempFolder scratch;
  WritePackedPackage(scratch / "inner.pak", std::vector<uint8_t>{2, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0});
  const ToolRun info = Skinpack(scratch, {"info", scratch / "inner.pak"});
  ASSERT_EQ(info.status, 0) << info.err;
  const Json skin = ParseJson(info.out);
  EXPECT_EQ(skin["notices"].Compact(), "[1225,1226,1227]");
  EXPECT_EQ(skin["NoSkin"].Compact(), "true");
  EXPECT_EQ(skin["SkinObjects"].Compact(), "[]");
  EXPECT_EQ(Skinpack(scratch, {"unpack", scratch / "inner.pak", scratch / "out"}).status, 1);
}

TEST(Skinpack, UnpackRefusesNamesThatLeaveTheFolderOrCollide) {
  TempFolder scratch;
  const std::vector<uint8_t> first = MakeBmp(3, 2, 24, 1), second = MakeBmp(4, 2, 24, 1);
  const auto packageNaming = [&](const std::string& mainName, const std::string& activeName) {
    SkinPackage package;
    package.pictures.picture = Bitmap(first);
    package.pictures.activePictures.push_back(Bitmap(second));
    package.iniText = "[PICTURES]\r\npicture=" + mainName + "\r\nactivepicturescount=1\r\n0=" + activeName + "\r\n";
    return package;
  };
  const fs::path outside = fs::path(scratch / "evil.bmp");
  for (const std::string& name :
       {std::string("../evil.bmp"), std::string(".."), std::string("..\\evil.bmp"), outside.string(),
        std::string("C:evil.bmp"), std::string("sub/evil.bmp"), std::string("... "), std::string(""),
        std::string("SKIN.INI"), std::string("Second.bmp"), std::string("CON"), std::string("nul.bmp"),
        std::string("Com1.txt"), std::string("lpt9"), std::string("aux .bmp"), std::string("prn.tar.gz"),
        std::string("CONOUT$"), std::string("com\xC2\xB9.bmp")}) {
    SCOPED_TRACE(name);
    WritePackedPackage(scratch / "hostile.pak", packageNaming(name, "second.bmp"));
    const ToolRun run = Skinpack(scratch, {"unpack", scratch / "hostile.pak", scratch / "out/in"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("nothing was unpacked"), std::string::npos) << run.err;
    EXPECT_EQ(FileCount(scratch / "out/in"), 0u);
    EXPECT_EQ(FileCount(scratch / "out"), 0u);
    EXPECT_FALSE(fs::exists(outside));
  }

  // One picture listed twice, as a skin may share a bitmap, is one file.
  SkinPackage shared = packageNaming("same.bmp", "same.bmp");
  shared.pictures.activePictures[0] = Bitmap(first);
  WritePackedPackage(scratch / "shared.pak", shared);
  ASSERT_EQ(Skinpack(scratch, {"unpack", scratch / "shared.pak", scratch / "out"}).status, 0);
  EXPECT_EQ(ReadBytes(scratch / "out/same.bmp"), first);
  EXPECT_EQ(FileCount(scratch / "out"), 2u);
}

TEST(Skinpack, UnpackFillsItsFolderWholeOrNotAtAll) {
  TempFolder scratch;
  const auto packageNaming = [&](const std::string& mainName, const std::string& activeName) {
    SkinPackage package;
    package.pictures.picture = Bitmap(MakeBmp(3, 2, 24, 1));
    package.pictures.activePictures.push_back(Bitmap(MakeBmp(4, 2, 24, 1)));
    package.iniText = "[PICTURES]\r\npicture=" + mainName + "\r\nactivepicturescount=1\r\n0=" + activeName + "\r\n";
    return package;
  };
  // Names that only look like devices are files.
  WritePackedPackage(scratch / "lookalike.pak", packageNaming("console.bmp", "com10.bmp"));
  ASSERT_EQ(Skinpack(scratch, {"unpack", scratch / "lookalike.pak", scratch / "fine"}).status, 0);
  EXPECT_EQ(FileCount(scratch / "fine"), 3u);

  // The second picture's name is too long for the file system: the first
  // was written already, yet nothing is left.
  WritePackedPackage(scratch / "long.pak", packageNaming("first.bmp", std::string(300, 'x') + ".bmp"));
  const ToolRun failed = Skinpack(scratch, {"unpack", scratch / "long.pak", scratch / "out/skin"});
  EXPECT_EQ(failed.status, 1);
  EXPECT_FALSE(fs::exists(scratch / "out/skin"));
  EXPECT_EQ(FileCount(scratch / "out"), 0u);

  // An empty folder is filled; one that holds anything is left alone.
  fs::create_directories(scratch / "empty");
  EXPECT_EQ(Skinpack(scratch, {"unpack", scratch / "lookalike.pak", scratch / "empty"}).status, 0);
  EXPECT_EQ(FileCount(scratch / "empty"), 3u);
  const ToolRun again = Skinpack(scratch, {"unpack", scratch / "lookalike.pak", scratch / "fine"});
  EXPECT_EQ(again.status, 1);
  EXPECT_NE(again.err.find("not an empty folder"), std::string::npos) << again.err;
  EXPECT_FALSE(fs::exists(scratch / "fine.unpacking0"));
}

TEST(Skinpack, UnpackRefusesPicturesThatTheirNamesDoNotMatch) {
  TempFolder scratch;
  SkinPackage unnamed;
  unnamed.pictures.mask = Bitmap(MakeBmp(3, 2, 1, 1));
  unnamed.iniText = "[PICTURES]\r\n";
  WritePackedPackage(scratch / "unnamed.pak", unnamed);
  SkinPackage missing;
  missing.iniText = "[PICTURES]\r\npicture=frame.bmp\r\n";
  WritePackedPackage(scratch / "missing.pak", missing);
  SkinPackage extraActive;
  extraActive.pictures.activePictures.push_back(Bitmap(MakeBmp(3, 2, 24, 1)));
  extraActive.iniText = "[PICTURES]\r\n";
  WritePackedPackage(scratch / "extra.pak", extraActive);

  for (const char* name : {"unnamed.pak", "missing.pak", "extra.pak"}) {
    const ToolRun run = Skinpack(scratch, {"unpack", scratch / name, scratch / "out"});
    EXPECT_EQ(run.status, 1) << name;
    EXPECT_NE(run.err.find("[PICTURES]"), std::string::npos) << run.err;
    EXPECT_EQ(FileCount(scratch / "out"), 0u) << name;
  }
}

TEST(Skinpack, BadArgumentsShowTheUsage) {
  TempFolder scratch;
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {}, {"repack", "a", "b"}, {"pack", "a"}, {"info"}, {"info", "a", "b"}, {"unpack", "a"}}) {
    const ToolRun run = Skinpack(scratch, args);
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.starts_with("usage: skinpack pack SKIN.INI OUT")) << run.err;
    EXPECT_NE(run.err.find("writes the bare zlib stream, as a form's CompressedData holds it"), std::string::npos);
  }
}

}  // namespace
