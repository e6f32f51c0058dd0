#include "skin/data/stored_skin.h"

#include <gtest/gtest.h>

#include "base/exceptions.h"
#include "persist/form_loader.h"
#include "persist/form_stream.h"
#include "formc/text_form.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/data/zlib_stream.h"
#include "skin_test_files.h"

namespace {

// A skin.ini and its bitmaps in a fresh folder. The ini has LF line ends and
// no inactive picture.
struct SkinFolder {
  TempFolder folder;
  std::vector<uint8_t> picture = MakeBmp(30, 20, 8, 1);
  std::vector<uint8_t> mask = MakeBmp(30, 20, 1, 2);
  std::vector<std::vector<uint8_t>> active = {MakeBmp(8, 4, 24, 3), MakeBmp(5, 5, 4, 4)};
  std::string iniPath = folder / "skin.ini";

  SkinFolder() {
    WriteFileBytes(folder / "main.bmp", picture);
    WriteFileBytes(folder / "mask.bmp", mask);
    WriteFileBytes(folder / "a0.bmp", active[0]);
    WriteFileBytes(folder / "a1.bmp", active[1]);
    WriteIni(Ini());
  }

  static std::string Ini(const std::string& activeList = "activepicturescount=2\n0=a0.bmp\n1=a1.bmp\n") {
    return "[VERSION]\nskinname=Test\n[PICTURES]\npicture=main.bmp\ninactivepicture=\nmask=mask.bmp\n" +
           activeList + "[FORMINFO]\nclientrect=1,2,3,4\n[SKINOBJECTS]\ncount=0\n[SKINCONTROLS]\ncount=0\n";
  }
  void WriteIni(const std::string& text) const { WriteFileText(iniPath, text); }

  // The package these files make, as the package writer lays it out.
  std::vector<uint8_t> Package() const {
    SkinPackage package;
    package.pictures.picture.LoadFromBytes(picture);
    package.pictures.mask.LoadFromBytes(mask);
    for (const auto& file : active) {
      package.pictures.activePictures.emplace_back();
      package.pictures.activePictures.back().LoadFromBytes(file);
    }
    package.iniText = Ini();
    TMemoryStream stream;
    WriteSkinPackage(stream, package);
    return Contents(stream);
  }
};

std::vector<uint8_t> Unpacked(TCompressedStoredSkin& skin) {
  TMemoryStream destination;
  skin.UnpackTo(destination);
  return Contents(destination);
}

std::string Hex(const std::vector<uint8_t>& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text;
  for (uint8_t byte : bytes) {
    text += digits[byte >> 4];
    text += digits[byte & 15];
  }
  return text;
}

void LoadText(TComponent& root, const std::string& text) { LoadForm(root, WriteFormStream(ParseTextForm(text))); }

std::vector<uint8_t> PicturesData(const TStoredSkin& skin) {
  TMemoryStream stream;
  skin.WritePicturesData(stream);
  return Contents(stream);
}

TEST(CompressedStoredSkin, FormPropertiesFillTheCompressedStream) {
  TCompressedStoredSkin empty(nullptr);
  LoadText(empty, "object CompressedStoredSkin1: TCompressedStoredSkin\n  FileName = 'skin.ini'\n"
                  "  CompressedFileName = ''\n  CompressedData = {}\nend\n");
  EXPECT_TRUE(empty.DataIsEmpty());
  EXPECT_EQ(empty.FileName(), "skin.ini");

  SkinFolder files;
  TMemoryStream package(files.Package()), packed;
  PackStream(package, packed);
  TCompressedStoredSkin skin(nullptr);
  LoadText(skin, "object CompressedStoredSkin1: TCompressedStoredSkin\n  CompressedData = {" + Hex(Contents(packed)) +
                     "}\nend\n");
  EXPECT_FALSE(skin.DataIsEmpty());
  EXPECT_EQ(Contents(skin.CompressedStream()), Contents(packed));
  EXPECT_EQ(Unpacked(skin), files.Package());
}

TEST(CompressedStoredSkin, PackFromIniFileBuildsALevel9PackageThatUnpacksAfterWhatTheStreamHeld) {
  SkinFolder files;
  TCompressedStoredSkin skin(nullptr);
  ASSERT_TRUE(skin.PackFromIniFile(files.iniPath));
  const std::vector<uint8_t> compressed = Contents(skin.CompressedStream());
  ASSERT_GE(compressed.size(), 2u);
  EXPECT_EQ(compressed[0], 0x78);
  EXPECT_EQ(compressed[1], 0xDA);
  EXPECT_EQ(skin.FileName(), "");  // the building operation only builds

  TMemoryStream destination(std::vector<uint8_t>{'x', 'y'});
  skin.UnpackTo(destination);
  std::vector<uint8_t> expected = {'x', 'y'};
  const std::vector<uint8_t> package = files.Package();
  expected.insert(expected.end(), package.begin(), package.end());
  EXPECT_EQ(Contents(destination), expected);

  // Twice in a row gives the same bytes: the stream is read from its start.
  EXPECT_EQ(Unpacked(skin), package);
  TMemoryStream readBack(package);
  SkinPackage read;
  ASSERT_TRUE(ReadSkinPackage(readBack, read));
  EXPECT_TRUE(read.pictures.inactivePicture.Empty());
  EXPECT_EQ(read.iniText.substr(0, 25), "[VERSION]\r\nskinname=Test\r");
}

TEST(CompressedStoredSkin, PackFromIniFileWithAMissingSectionChangesNothing) {
  SkinFolder files;
  TCompressedStoredSkin skin(nullptr);
  ASSERT_TRUE(skin.PackFromIniFile(files.iniPath));
  const std::vector<uint8_t> before = Contents(skin.CompressedStream());

  for (const std::string section : {"[VERSION]", "[PICTURES]", "[FORMINFO]", "[SKINOBJECTS]", "[SKINCONTROLS]"}) {
    std::string ini = SkinFolder::Ini();
    ini.replace(ini.find(section), section.size(), "[OTHER]");
    files.WriteIni(ini);
    EXPECT_FALSE(skin.PackFromIniFile(files.iniPath)) << section;
    EXPECT_EQ(Contents(skin.CompressedStream()), before) << section;
  }
  EXPECT_THROW(skin.PackFromIniFile(files.folder / "absent.ini"), EFOpenError);
  EXPECT_EQ(Contents(skin.CompressedStream()), before);
}

TEST(CompressedStoredSkin, PackFromIniFileWithAMissingBitmapLeavesNoData) {
  SkinFolder files;
  TCompressedStoredSkin skin(nullptr);
  ASSERT_TRUE(skin.PackFromIniFile(files.iniPath));

  files.WriteIni(SkinFolder::Ini("activepicturescount=2\n0=a0.bmp\n1=gone.bmp\n"));
  const std::string message = MessageOf<EFOpenError>([&] { skin.PackFromIniFile(files.iniPath); });
  EXPECT_NE(message.find("gone.bmp"), std::string::npos) << message;
  EXPECT_TRUE(skin.DataIsEmpty());

  // An empty name would open the folder itself.
  files.WriteIni(SkinFolder::Ini());
  ASSERT_TRUE(skin.PackFromIniFile(files.iniPath));
  files.WriteIni(SkinFolder::Ini("activepicturescount=2\n0=a0.bmp\n"));
  EXPECT_EQ(MessageOf<EFOpenError>([&] { skin.PackFromIniFile(files.iniPath); }),
            "Active picture 1 of [PICTURES] in \"" + files.iniPath + "\" names no file");
  EXPECT_TRUE(skin.DataIsEmpty());

  // A lying count ends at the first entry that is not there, without a long loop.
  files.WriteIni(SkinFolder::Ini("activepicturescount=2000000000\n0=a0.bmp\n1=a1.bmp\n"));
  EXPECT_EQ(MessageOf<EFOpenError>([&] { skin.PackFromIniFile(files.iniPath); }),
            "Active picture 2 of [PICTURES] in \"" + files.iniPath + "\" names no file");
}

TEST(CompressedStoredSkin, LoadPackedFileTakesTheZlibStreamOrLeavesNoData) {
  SkinFolder files;
  TCompressedStoredSkin source(nullptr);
  ASSERT_TRUE(source.PackFromIniFile(files.iniPath));
  const std::string packedPath = files.folder / "skin.vsk";
  {
    TFileStream file(packedPath, fmCreate);
    WritePackedSkinFile(file, source.CompressedStream());
  }

  TCompressedStoredSkin skin(nullptr);
  skin.LoadPackedFile(packedPath);
  EXPECT_EQ(Contents(skin.CompressedStream()), Contents(source.CompressedStream()));
  EXPECT_EQ(Unpacked(skin), files.Package());
  EXPECT_EQ(skin.CompressedFileName(), "");

  // The data goes first, so a file that cannot be opened leaves none.
  skin.SetCompressedData({1, 2, 3});
  EXPECT_THROW(skin.LoadPackedFile(files.folder / "absent.vsk"), EFOpenError);
  EXPECT_TRUE(skin.DataIsEmpty());
}

TEST(CompressedStoredSkin, UnpackToRefusesCorruptDataAndPackagesOverTheLimit) {
  TCompressedStoredSkin skin(nullptr);
  skin.SetCompressedData({0x78, 0xDA, 0xFF, 0xFF});
  TMemoryStream ignored;
  EXPECT_THROW(skin.UnpackTo(ignored), EDecompressionError);

  // Zeros inflate about a thousandfold: the limit, not the memory, ends it.
  auto packedZeros = [](int64_t count) {
    TMemoryStream packed;
    TCompressionStream zip(TCompressionLevel::clFastest, packed);
    const std::vector<uint8_t> zeros(1 << 20);
    for (int64_t left = count; left > 0; left -= int64_t(zeros.size()))
      zip.WriteBuffer(zeros.data(), size_t(std::min<int64_t>(left, int64_t(zeros.size()))));
    zip.Finish();
    return Contents(packed);
  };
  skin.SetCompressedData(packedZeros(TCompressedStoredSkin::kMaxPackageSize + 1));
  TMemoryStream tooLarge;
  EXPECT_EQ(MessageOf<EDecompressionError>([&] { skin.UnpackTo(tooLarge); }),
            "The skin package unpacks to more than 64 MiB; it is corrupt");
  EXPECT_LE(tooLarge.Size(), TCompressedStoredSkin::kMaxPackageSize);

  skin.SetCompressedData(packedZeros(TCompressedStoredSkin::kMaxPackageSize));
  TMemoryStream atTheLimit;
  skin.UnpackTo(atTheLimit);
  EXPECT_EQ(atTheLimit.Size(), TCompressedStoredSkin::kMaxPackageSize);
}

TEST(StoredSkin, ReadSkinFilesTakesTheLinesAndBitmapsWithoutCheckingSections) {
  SkinFolder files;
  files.WriteIni("[PICTURES]\npicture=main.bmp\nmask=mask.bmp\nactivepicturescount=1\n0=a1.bmp\n");
  TStoredSkin skin(nullptr);
  skin.ReadSkinFiles(files.iniPath);
  ASSERT_EQ(skin.IniStrings().Count(), 5);
  EXPECT_EQ(skin.IniStrings()[4], "0=a1.bmp");
  EXPECT_EQ(skin.PictureBitmap().FileBytes(), files.picture);
  EXPECT_TRUE(skin.InactivePictureBitmap().Empty());
  EXPECT_EQ(skin.MaskBitmap().FileBytes(), files.mask);
  ASSERT_EQ(skin.ActivePictureBitmaps().size(), 1u);
  EXPECT_EQ(skin.ActivePictureBitmaps()[0].FileBytes(), files.active[1]);
}

TEST(StoredSkin, PicturesDataIsThePackageWithoutMarkerAndTextAndRoundTrips) {
  SkinFolder files;
  TStoredSkin skin(nullptr);
  skin.ReadSkinFiles(files.iniPath);
  const std::vector<uint8_t> data = PicturesData(skin);
  const std::vector<uint8_t> package = files.Package();
  const size_t textSize = SkinFolder::Ini().size() + 15;  // each of the 15 lines gains a CR
  EXPECT_EQ(data, std::vector<uint8_t>(package.begin() + 4, package.end() - std::ptrdiff_t(textSize)));

  // Reading replaces the old active pictures.
  TStoredSkin other(nullptr);
  files.WriteIni(SkinFolder::Ini("activepicturescount=3\n0=a0.bmp\n1=a1.bmp\n2=a0.bmp\n"));
  other.ReadSkinFiles(files.iniPath);
  ASSERT_EQ(other.ActivePictureBitmaps().size(), 3u);
  TMemoryStream stream(data);
  other.ReadPicturesData(stream);
  EXPECT_EQ(other.ActivePictureBitmaps().size(), 2u);
  EXPECT_EQ(PicturesData(other), data);
}

TEST(StoredSkin, FormPropertiesFillLinesAndPictures) {
  SkinFolder files;
  TStoredSkin source(nullptr);
  source.ReadSkinFiles(files.iniPath);

  TStoredSkin skin(nullptr);
  LoadText(skin, "object StoredSkin1: TStoredSkin\n  FileName = 'skin.ini'\n"
                 "  IniStrings.Strings = (\n    '[VERSION]'\n    'skinname=Test')\n"
                 "  Pictures = {" + Hex(PicturesData(source)) + "}\nend\n");
  EXPECT_EQ(skin.FileName(), "skin.ini");
  ASSERT_EQ(skin.IniStrings().Count(), 2);
  EXPECT_EQ(skin.IniStrings()[1], "skinname=Test");
  EXPECT_EQ(skin.MaskBitmap().FileBytes(), files.mask);
  EXPECT_EQ(PicturesData(skin), PicturesData(source));

  TStoredSkin wrongKind(nullptr);
  EXPECT_THROW(LoadText(wrongKind, "object StoredSkin1: TStoredSkin\n  IniStrings.Strings = 'x'\nend\n"), EFormError);
}

}  // namespace
