#include "skin/data/zlib_stream.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "skin_test_files.h"

namespace {

// Text-like bytes: compressible, yet different all the way through.
std::vector<uint8_t> SampleBytes(size_t count) {
  std::vector<uint8_t> bytes(count);
  for (size_t i = 0; i < count; ++i) bytes[i] = uint8_t("abcdefgh"[(i * 7 + i / 13) % 8] + (i / 1000) % 5);
  return bytes;
}

std::vector<uint8_t> RandomBytes(size_t count) {
  std::mt19937 random(42);
  std::vector<uint8_t> bytes(count);
  for (uint8_t& byte : bytes) byte = uint8_t(random());
  return bytes;
}

std::vector<uint8_t> Pack(const std::vector<uint8_t>& bytes, TCompressionLevel level = TCompressionLevel::clMax) {
  TMemoryStream packed;
  TCompressionStream zip(level, packed);
  zip.WriteBuffer(bytes.data(), bytes.size());
  zip.Finish();
  return Contents(packed);
}

std::vector<uint8_t> Unpack(const std::vector<uint8_t>& packed) {
  TMemoryStream source(packed), destination;
  UnpackStream(destination, source);
  return Contents(destination);
}

std::vector<uint8_t> ReadSome(TStream& stream, size_t count) {
  std::vector<uint8_t> bytes(count);
  bytes.resize(stream.Read(bytes.data(), count));
  return bytes;
}

std::vector<uint8_t> Slice(const std::vector<uint8_t>& bytes, size_t from, size_t count) {
  return std::vector<uint8_t>(bytes.begin() + std::ptrdiff_t(from), bytes.begin() + std::ptrdiff_t(from + count));
}

TEST(ZlibStream, PackStreamAppendsOneLevel9StreamOfTheWholeSource) {
  const std::vector<uint8_t> original = SampleBytes(50000);
  TMemoryStream source(original);
  source.SetPosition(1234);  // rewound: the whole source is packed
  TMemoryStream destination;
  destination.WriteBuffer("head", 4);
  PackStream(source, destination);

  const std::vector<uint8_t> all = Contents(destination);
  ASSERT_GT(all.size(), 6u);
  EXPECT_EQ(Slice(all, 0, 4), (std::vector<uint8_t>{'h', 'e', 'a', 'd'}));
  EXPECT_EQ(all[4], 0x78);
  EXPECT_EQ(all[5], 0xDA);
  EXPECT_LT(all.size(), original.size() / 4);
  EXPECT_EQ(Unpack(Slice(all, 4, all.size() - 4)), original);
}

TEST(ZlibStream, EachCompressionChoiceMapsToItsZlibLevel) {
  const std::vector<uint8_t> original = SampleBytes(20000);
  // The header's level bits: 0 for levels 0 and 1, 2 for the default, 3 for 9.
  struct Case { TCompressionLevel level; uint8_t flags; };
  for (Case c : {Case{TCompressionLevel::clNone, 0x01}, Case{TCompressionLevel::clFastest, 0x01},
                 Case{TCompressionLevel::clDefault, 0x9C}, Case{TCompressionLevel::clMax, 0xDA}}) {
    const std::vector<uint8_t> packed = Pack(original, c.level);
    EXPECT_EQ(packed[1], c.flags) << int(c.level);
    EXPECT_EQ(Unpack(packed), original) << int(c.level);
  }
  // Level 0 stores: the stream is larger than its content.
  EXPECT_GT(Pack(original, TCompressionLevel::clNone).size(), original.size());
  EXPECT_LT(Pack(original, TCompressionLevel::clFastest).size(), original.size() / 2);
}

TEST(ZlibStream, CompressionStreamIsWriteOnlyAndCountsWhatItTookIn) {
  TMemoryStream destination;
  TCompressionStream zip(TCompressionLevel::clDefault, destination);
  zip.WriteBuffer("abc", 3);
  zip.WriteBuffer("defg", 4);
  EXPECT_EQ(zip.Position(), 7);
  uint8_t byte;
  EXPECT_EQ(MessageOf<ECompressionError>([&] { zip.Read(&byte, 1); }), "Invalid stream operation");
  EXPECT_EQ(MessageOf<ECompressionError>([&] { zip.Seek(0, soBeginning); }), "Invalid stream operation");
  EXPECT_EQ(MessageOf<ECompressionError>([&] { zip.Seek(1, soCurrent); }), "Invalid stream operation");
  EXPECT_THROW(zip.Seek(0, soEnd), EZlibError);
  zip.Finish();
  zip.Finish();  // a second finish adds nothing
  EXPECT_EQ(Unpack(Contents(destination)), (std::vector<uint8_t>{'a', 'b', 'c', 'd', 'e', 'f', 'g'}));
}

TEST(ZlibStream, CompressionWritesFullBuffersReportsProgressAndKeepsItsPlace) {
  const std::vector<uint8_t> original = RandomBytes(200000);  // incompressible: many full buffers
  TMemoryStream destination;
  int progress = 0;
  {
    TCompressionStream zip(TCompressionLevel::clMax, destination);
    zip.OnProgress = [&](TObject* sender) {
      EXPECT_EQ(sender, &zip);
      ++progress;
    };
    zip.WriteBuffer(original.data(), 100000);
    // Someone else moves the destination; the next write goes back to where this one left it.
    const int64_t written = destination.Position();
    destination.SetPosition(0);
    zip.WriteBuffer(original.data() + 100000, original.size() - 100000);
    EXPECT_GE(destination.Position(), written);
    zip.Finish();
  }
  // zlib holds back up to a block of input; every other full buffer is reported.
  EXPECT_GE(progress, int((original.size() - 40000) / 4096));
  EXPECT_EQ(Unpack(Contents(destination)), original);
}

TEST(ZlibStream, UnfinishedCompressionIsAbandonedNotFlushed) {
  TMemoryStream destination;
  {
    TCompressionStream zip(TCompressionLevel::clMax, destination);
    zip.WriteBuffer("abc", 3);
  }
  TMemoryStream source(Contents(destination)), ignored;
  EXPECT_THROW(UnpackStream(ignored, source), EDecompressionError);
}

TEST(ZlibStream, DecompressionIsReadOnlyWithItsSeekRules) {
  const std::vector<uint8_t> original = SampleBytes(20000);
  TMemoryStream source(Pack(original));
  TDecompressionStream unzip(source);

  EXPECT_EQ(ReadSome(unzip, 100), Slice(original, 0, 100));
  EXPECT_EQ(unzip.Seek(0, soCurrent), 100);
  EXPECT_EQ(unzip.Seek(50, soCurrent), 150);  // a forward skip
  EXPECT_EQ(ReadSome(unzip, 10), Slice(original, 150, 10));
  EXPECT_EQ(unzip.Seek(9000, soBeginning), 9000);  // beyond what was delivered: decompressed up to there
  EXPECT_EQ(ReadSome(unzip, 10), Slice(original, 9000, 10));

  const std::vector<std::pair<int64_t, TSeekOrigin>> refused = {
      {-1, soCurrent}, {0, soEnd}, {-5, soEnd}, {500, soBeginning}, {9010, soBeginning}};
  for (const auto& seek : refused)
    EXPECT_EQ(MessageOf<EDecompressionError>([&] { unzip.Seek(seek.first, seek.second); }),
              "Invalid stream operation")
        << seek.first << " from " << seek.second;
  EXPECT_EQ(unzip.Position(), 9010);  // a refused seek moves nothing
  EXPECT_EQ(MessageOf<EDecompressionError>([&] { unzip.Write("x", 1); }), "Invalid stream operation");

  // Offset 0 from the beginning starts again from the first compressed byte.
  EXPECT_EQ(unzip.Seek(0, soBeginning), 0);
  EXPECT_EQ(ReadSome(unzip, original.size() + 10), original);
  EXPECT_EQ(unzip.Seek(0, soBeginning), 0);
  EXPECT_EQ(ReadSome(unzip, 300), Slice(original, 0, 300));

  // A skip past the end stops at the end.
  EXPECT_EQ(unzip.Seek(100000, soCurrent), int64_t(original.size()));
  EXPECT_TRUE(unzip.EndOfStream());
}

TEST(ZlibStream, DecompressionStartsAndRestartsWhereItsSourceWas) {
  const std::vector<uint8_t> original = SampleBytes(9000);
  TMemoryStream source;
  source.WriteBuffer("12345678", 8);  // like the marker and length of a packed skin file
  const std::vector<uint8_t> packed = Pack(original);
  source.WriteBuffer(packed.data(), packed.size());
  source.SetPosition(8);

  TDecompressionStream unzip(source);
  EXPECT_EQ(ReadSome(unzip, 100), Slice(original, 0, 100));
  source.SetPosition(0);  // someone else moves the source: this layer goes back to its place
  EXPECT_EQ(ReadSome(unzip, 100), Slice(original, 100, 100));
  EXPECT_EQ(unzip.Seek(0, soBeginning), 0);
  EXPECT_EQ(ReadSome(unzip, original.size()), original);
}

TEST(ZlibStream, BytesAfterTheZlibStreamAreNeverRead) {
  const std::vector<uint8_t> original = SampleBytes(30000);
  std::vector<uint8_t> packed = Pack(original);
  const size_t packedSize = packed.size();
  packed.resize(packedSize + 20000, 0xEE);
  TMemoryStream source(packed);
  TMemoryStream destination;
  UnpackStream(destination, source);
  EXPECT_EQ(Contents(destination), original);
  // The source is read in 4096-byte pieces and no further once the stream ended.
  EXPECT_LE(source.Position(), int64_t(packedSize + 4096));

  TMemoryStream again(packed);
  TDecompressionStream unzip(again);
  EXPECT_EQ(ReadSome(unzip, original.size() + 100), original);
  const int64_t sourcePosition = again.Position();
  EXPECT_EQ(ReadSome(unzip, 100).size(), 0u);
  EXPECT_EQ(again.Position(), sourcePosition);
}

TEST(ZlibStream, UnpackEndsCleanlyOnExactMultiplesOf4096AndEmptyContent) {
  for (size_t size : {size_t(0), size_t(4096), size_t(3 * 4096)}) {
    const std::vector<uint8_t> original = SampleBytes(size);
    TMemoryStream source(original), packed;
    PackStream(source, packed);
    EXPECT_EQ(Unpack(Contents(packed)), original) << size;
  }
}

TEST(ZlibStream, TruncatedDataEndsReadsAndFailsTheUnpack) {
  const std::vector<uint8_t> original = SampleBytes(40000);
  const std::vector<uint8_t> packed = Pack(original);
  for (size_t cut : {size_t(0), size_t(1), size_t(2), packed.size() / 2, packed.size() - 1}) {
    EXPECT_EQ(MessageOf<EDecompressionError>([&] { Unpack(Slice(packed, 0, cut)); }),
              "compression error: the compressed data is truncated")
        << cut;
  }
  // Reading itself delivers what there is, then nothing, and never loops.
  TMemoryStream source(Slice(packed, 0, packed.size() / 2));
  TDecompressionStream unzip(source);
  const std::vector<uint8_t> got = ReadSome(unzip, original.size());
  EXPECT_LT(got.size(), original.size());
  EXPECT_EQ(got, Slice(original, 0, got.size()));
  EXPECT_EQ(ReadSome(unzip, 10).size(), 0u);
  EXPECT_FALSE(unzip.EndOfStream());
}

TEST(ZlibStream, CorruptDataRaisesCompressionError) {
  std::vector<uint8_t> badHeader = Pack(SampleBytes(1000));
  badHeader[1] ^= 0x01;  // header check fails
  EXPECT_EQ(MessageOf<EDecompressionError>([&] { Unpack(badHeader); }), "compression error");

  std::vector<uint8_t> badBlock = Pack(SampleBytes(1000));
  badBlock[2] |= 0x06;  // block type 3 does not exist
  EXPECT_EQ(MessageOf<EDecompressionError>([&] { Unpack(badBlock); }), "compression error");

  // A stream that wants a preset dictionary would make no progress; it fails instead.
  const std::vector<uint8_t> wantsDictionary = {0x78, 0x20, 0, 0, 0, 1, 0x03, 0x00};
  EXPECT_EQ(MessageOf<EDecompressionError>([&] { Unpack(wantsDictionary); }), "compression error");
}

}  // namespace
