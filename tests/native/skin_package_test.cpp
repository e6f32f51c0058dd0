#include "skin/data/skin_package.h"

#include <gtest/gtest.h>

#include "base/exceptions.h"
#include "base/codecs/little_endian.h"
#include "fake_code_page.h"
#include "skin_test_files.h"

namespace {

TSkinBitmap Bitmap(const std::vector<uint8_t>& file) {
  TSkinBitmap bitmap;
  bitmap.LoadFromBytes(file);
  return bitmap;
}

std::vector<uint8_t> Le32(int32_t value) {
  std::vector<uint8_t> bytes;
  AppendLE32(bytes, uint32_t(value));
  return bytes;
}

void Append(std::vector<uint8_t>& out, const std::vector<uint8_t>& bytes) { out.insert(out.end(), bytes.begin(), bytes.end()); }

struct PackageFiles {
  std::vector<uint8_t> picture = MakeBmp(17, 9, 8, 1);
  std::vector<uint8_t> inactive = MakeBmp(17, 9, 24, 2);
  std::vector<uint8_t> mask = MakeBmp(17, 9, 1, 3);
  std::vector<std::vector<uint8_t>> active = {MakeBmp(5, 3, 24, 4), MakeBmp(6, 2, 4, 5)};
};

SkinPackage PackageOf(const PackageFiles& files, bool withInactive) {
  SkinPackage package;
  package.pictures.picture = Bitmap(files.picture);
  if (withInactive) package.pictures.inactivePicture = Bitmap(files.inactive);
  package.pictures.mask = Bitmap(files.mask);
  for (const auto& file : files.active) package.pictures.activePictures.push_back(Bitmap(file));
  package.iniText = "[VERSION]\nskinname=test\r\n\r\n[PICTURES]\rpicture=a.bmp";
  return package;
}

std::vector<uint8_t> Written(const SkinPackage& package) {
  TMemoryStream stream;
  WriteSkinPackage(stream, package);
  return Contents(stream);
}

TEST(SkinPackage, WritesTheLayoutAndReadsItBackByteForByte) {
  const PackageFiles files;
  for (bool withInactive : {true, false}) {
    SCOPED_TRACE(withInactive ? "with inactive picture" : "without inactive picture");
    const std::vector<uint8_t> bytes = Written(PackageOf(files, withInactive));

    std::vector<uint8_t> expected = Le32(1);
    expected.push_back(0);
    Append(expected, files.picture);
    if (withInactive) {
      expected.push_back(0);
      Append(expected, files.inactive);
    } else {
      expected.push_back(1);  // and the mask flag follows at once
    }
    expected.push_back(0);
    Append(expected, files.mask);
    Append(expected, Le32(2));
    for (const auto& file : files.active) Append(expected, file);
    const std::string text = "[VERSION]\r\nskinname=test\r\n\r\n[PICTURES]\r\npicture=a.bmp\r\n";
    expected.insert(expected.end(), text.begin(), text.end());
    EXPECT_EQ(bytes, expected);

    TMemoryStream stream(bytes);
    SkinPackage read;
    ASSERT_TRUE(ReadSkinPackage(stream, read));
    EXPECT_EQ(read.pictures.picture.FileBytes(), files.picture);
    EXPECT_EQ(read.pictures.inactivePicture.Empty(), !withInactive);
    EXPECT_EQ(read.pictures.mask.BitCount(), 1);
    ASSERT_EQ(read.pictures.activePictures.size(), 2u);
    EXPECT_EQ(read.pictures.activePictures[1].FileBytes(), files.active[1]);
    EXPECT_EQ(read.iniText, text);
    EXPECT_EQ(Written(read), bytes);
  }
}

TEST(SkinPackage, NoPicturesAndCountZeroPutTheTextRightAfterTheCount) {
  SkinPackage package;
  package.iniText = "[VERSION]";
  std::vector<uint8_t> expected = Le32(1);
  Append(expected, {1, 1, 1});
  Append(expected, Le32(0));
  Append(expected, {'[', 'V', 'E', 'R', 'S', 'I', 'O', 'N', ']', '\r', '\n'});
  EXPECT_EQ(Written(package), expected);

  TMemoryStream stream(expected);
  SkinPackage read;
  read.pictures.picture = Bitmap(MakeBmp(2, 2, 8, 0));  // replaced by the absent picture
  ASSERT_TRUE(ReadSkinPackage(stream, read));
  EXPECT_TRUE(read.pictures.picture.Empty());
  EXPECT_TRUE(read.pictures.activePictures.empty());
  EXPECT_EQ(read.iniText, "[VERSION]\r\n");
}

TEST(SkinPackage, AWrongMarkerReadsNothing) {
  std::vector<uint8_t> bytes = Written(PackageOf(PackageFiles(), true));
  StoreLE32(bytes.data(), 2);
  TMemoryStream stream(bytes);
  SkinPackage read;
  read.iniText = "kept";
  EXPECT_FALSE(ReadSkinPackage(stream, read));
  EXPECT_EQ(read.iniText, "kept");
  EXPECT_TRUE(read.pictures.picture.Empty());
}

TEST(SkinPackage, LyingSizesFailCleanlyAndKeepWhatWasReadBefore) {
  const PackageFiles files;
  const std::vector<uint8_t> good = Written(PackageOf(files, false));
  const size_t maskFlagAt = 4 + 1 + files.picture.size() + 1;

  // The mask's size field promises more than the package holds.
  std::vector<uint8_t> longMask = good;
  StoreLE32(longMask.data() + maskFlagAt + 1 + 2, uint32_t(good.size()));
  TMemoryStream stream(longMask);
  SkinPackage read;
  EXPECT_THROW(ReadSkinPackage(stream, read), EReadError);
  EXPECT_EQ(read.pictures.picture.FileBytes(), files.picture);
  EXPECT_TRUE(read.pictures.mask.Empty());

  // A count past the end: the pictures that are there stay, the rest fails.
  const size_t countAt = maskFlagAt + 1 + files.mask.size();
  for (int32_t count : {3, 1000000, INT32_MAX}) {
    std::vector<uint8_t> bytes = good;
    StoreLE32(bytes.data() + countAt, uint32_t(count));
    bytes.resize(countAt + 4 + files.active[0].size() + files.active[1].size());  // no text either
    TMemoryStream manyStream(bytes);
    SkinPackage many;
    EXPECT_THROW(ReadSkinPackage(manyStream, many), EReadError) << count;
    EXPECT_EQ(many.pictures.activePictures.size(), 2u) << count;
  }

  std::vector<uint8_t> negative = good;
  StoreLE32(negative.data() + countAt, uint32_t(-1));
  TMemoryStream negativeStream(negative);
  SkinPackage rejected;
  EXPECT_THROW(ReadSkinPackage(negativeStream, rejected), EReadError);
}

TEST(SkinPackage, ThePicturesOfOneSkinShareAPixelBudget) {
  // 4096 x 4096 takes the whole budget; one more pixel is refused before it is decoded.
  SkinPackage package;
  package.pictures.picture = Bitmap(MakeBmp(4096, 4096, 1, 1));
  package.pictures.activePictures.push_back(Bitmap(MakeBmp(1, 1, 1, 2)));
  TMemoryStream stream(Written(package));
  SkinPackage read;
  EXPECT_THROW(ReadSkinPackage(stream, read), EInvalidGraphic);
  EXPECT_EQ(read.pictures.picture.Width(), 4096);
  EXPECT_TRUE(read.pictures.activePictures.empty());

  package.pictures.activePictures.clear();
  TMemoryStream exact(Written(package));
  EXPECT_TRUE(ReadSkinPackage(exact, read));
}

TEST(SkinPackage, EveryTruncationFailsOrShortensOnlyTheText) {
  const std::vector<uint8_t> good = Written(PackageOf(PackageFiles(), true));
  const size_t textAt = good.size() - std::string("[VERSION]\r\nskinname=test\r\n\r\n[PICTURES]\r\npicture=a.bmp\r\n").size();
  for (size_t cut = 0; cut < good.size(); ++cut) {
    TMemoryStream stream(std::vector<uint8_t>(good.begin(), good.begin() + std::ptrdiff_t(cut)));
    SkinPackage read;
    if (cut < textAt) {
      EXPECT_THROW(ReadSkinPackage(stream, read), Exception) << cut;
    } else {
      ASSERT_TRUE(ReadSkinPackage(stream, read)) << cut;
      EXPECT_EQ(read.iniText.size(), cut - textAt);
    }
  }
}

TEST(SkinPackage, AnEmptyActivePictureCannotBeWritten) {
  SkinPictures pictures;
  pictures.activePictures.resize(2);
  pictures.activePictures[0] = Bitmap(MakeBmp(2, 2, 24, 0));
  TMemoryStream stream;
  EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { WriteSkinPictures(stream, pictures); }),
            "Active picture 1 is empty and cannot be stored");
  EXPECT_EQ(stream.Size(), 0);
}

TEST(SkinPackage, ABitmapIsStoredWithoutTheBytesAfterItsPixelRows) {
  const std::vector<uint8_t> plain = MakeBmp(3, 3, 24, 0);
  std::vector<uint8_t> file = plain;
  StoreLE32(file.data() + 2, 10);  // readers that trust the field would lose the next field
  for (char c : std::string("editor junk")) file.push_back(uint8_t(c));
  // An RLE8 picture without an image size ends at its end-of-bitmap code.
  std::vector<uint8_t> rle = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0,
                              1, 0, 8, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0,
                              0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 2, 1, 0, 1};
  const size_t rleLength = rle.size();
  rle.insert(rle.end(), {9, 9, 9});
  SkinPictures pictures;
  pictures.picture = Bitmap(file);
  pictures.mask = Bitmap(rle);
  TMemoryStream stream;
  WriteSkinPictures(stream, pictures);
  stream.SetPosition(0);
  SkinPictures read;
  ReadSkinPictures(stream, read);
  EXPECT_EQ(read.picture.FileBytes(), plain);
  ASSERT_EQ(read.mask.FileBytes().size(), rleLength);
  EXPECT_EQ(LoadLE32(read.mask.FileBytes().data() + 2), rleLength);
  EXPECT_EQ(read.mask.Image().pixels, (std::vector<uint32_t>{0xFFFFFFFF, 0xFFFFFFFF}));
  EXPECT_EQ(stream.Position(), stream.Size());
}

TEST(SkinPackage, PictureFileNamesAreReadInTheSystemCodePage) {
  TempFolder folder;
  const std::vector<uint8_t> frame = MakeBmp(3, 2, 24, 4), button = MakeBmp(2, 2, 8, 5);
  WriteFileBytes(folder / "关.bmp", frame);
  WriteFileBytes(folder / "机.bmp", button);
  const TMemIniFile ini("[PICTURES]\npicture=\xB9\xD8.bmp\nactivepicturescount=1\n0=\xBB\xFA.bmp\n");
  SkinPictures pictures;
  // Natively the page is UTF-8, in which these bytes name no such file.
  EXPECT_THROW(LoadSkinPictureFiles(ini, folder / "skin.ini", pictures), EFOpenError);

  const FakeChineseCodePage chinese;
  const ScopedAnsiCodePage page(chinese);
  LoadSkinPictureFiles(ini, folder / "skin.ini", pictures);
  EXPECT_EQ(pictures.picture.FileBytes(), frame);
  ASSERT_EQ(pictures.activePictures.size(), 1u);
  EXPECT_EQ(pictures.activePictures[0].FileBytes(), button);
}

TEST(PackedSkinFile, WritesMarkerLengthAndDataAndReadsThemBack) {
  TMemoryStream compressed(std::vector<uint8_t>{0x78, 0xDA, 1, 2, 3});
  TMemoryStream file;
  WritePackedSkinFile(file, compressed);
  std::vector<uint8_t> expected = Le32(1);
  Append(expected, Le32(5));
  Append(expected, {0x78, 0xDA, 1, 2, 3});
  EXPECT_EQ(Contents(file), expected);

  file.SetPosition(0);
  TMemoryStream read(std::vector<uint8_t>{9, 9});
  ASSERT_TRUE(ReadPackedSkinFile(file, read));
  EXPECT_EQ(Contents(read), Contents(compressed));
  EXPECT_EQ(read.Position(), 0);

  TMemoryStream empty, emptyFile;
  WritePackedSkinFile(emptyFile, empty);
  emptyFile.SetPosition(0);
  EXPECT_TRUE(ReadPackedSkinFile(emptyFile, read));
  EXPECT_EQ(read.Size(), 0);
}

TEST(PackedSkinFile, AWrongMarkerOrAShortFileLeavesNoData) {
  auto fileOf = [](std::vector<uint8_t> bytes) { return TMemoryStream(bytes); };
  std::vector<uint8_t> wrongMarker = Le32(2);
  Append(wrongMarker, Le32(1));
  Append(wrongMarker, {0});

  TMemoryStream compressed(std::vector<uint8_t>{1, 2, 3});
  TMemoryStream wrong = fileOf(wrongMarker);
  EXPECT_FALSE(ReadPackedSkinFile(wrong, compressed));
  EXPECT_EQ(compressed.Size(), 0);

  TMemoryStream tiny = fileOf({1, 0});
  EXPECT_FALSE(ReadPackedSkinFile(tiny, compressed));

  std::vector<uint8_t> noLength = Le32(1);
  TMemoryStream noLengthFile = fileOf(noLength);
  EXPECT_THROW(ReadPackedSkinFile(noLengthFile, compressed), EReadError);

  for (int32_t length : {4, INT32_MAX, -1}) {
    std::vector<uint8_t> shortData = Le32(1);
    Append(shortData, Le32(length));
    Append(shortData, {0x78, 0xDA, 0});
    TMemoryStream shortFile = fileOf(shortData);
    compressed.WriteBuffer("old", 3);
    EXPECT_EQ(MessageOf<EReadError>([&] { ReadPackedSkinFile(shortFile, compressed); }),
              "Invalid packed skin file: its length runs past the end of the file")
        << length;
    EXPECT_EQ(compressed.Size(), 0);
  }
}

}  // namespace
