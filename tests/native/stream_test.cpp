#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "base/exceptions.h"
#include "base/stream.h"

namespace {

std::vector<uint8_t> Contents(TMemoryStream& stream) {
  return std::vector<uint8_t>(stream.Memory(), stream.Memory() + stream.Size());
}

std::string TempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("stream_test_" + name)).string();
}

template <typename Error>
std::string MessageOf(auto&& action) {
  try {
    action();
  } catch (const Error& error) {
    return error.what();
  }
  ADD_FAILURE() << "no exception";
  return {};
}

TEST(MemoryStream, WritesReadsAndSeeks) {
  TMemoryStream stream;
  stream.WriteBuffer("abcdef", 6);
  EXPECT_EQ(stream.Position(), 6);
  EXPECT_EQ(stream.Seek(-2, soEnd), 4);
  char tail[8] = {};
  EXPECT_EQ(stream.Read(tail, sizeof tail), 2u);  // only what is left
  EXPECT_STREQ(tail, "ef");
  EXPECT_EQ(stream.Read(tail, 1), 0u);

  // Writing past the end fills the gap with zeros.
  stream.SetPosition(8);
  stream.WriteBuffer("Z", 1);
  EXPECT_EQ(Contents(stream), (std::vector<uint8_t>{'a', 'b', 'c', 'd', 'e', 'f', 0, 0, 'Z'}));

  stream.SetPosition(2);
  stream.Seek(1, soCurrent);
  stream.WriteBuffer("X", 1);
  EXPECT_EQ(Contents(stream)[3], 'X');
  EXPECT_EQ(stream.Size(), 9);
}

TEST(MemoryStream, RejectsNegativePositionsAndShortReads) {
  TMemoryStream stream(std::vector<uint8_t>{1, 2, 3});
  EXPECT_THROW(stream.Seek(-1, soBeginning), EStreamError);
  EXPECT_THROW(stream.Seek(-4, soEnd), EStreamError);
  EXPECT_EQ(stream.Position(), 0);  // a failed seek leaves the position alone
  uint8_t buffer[4];
  EXPECT_EQ(MessageOf<EReadError>([&] { stream.ReadBuffer(buffer, 4); }), "Stream read error");
  EXPECT_THROW(stream.SetSize(-1), EStreamError);
}

TEST(MemoryStream, SetSizeAndClearKeepThePositionInside) {
  TMemoryStream stream(std::vector<uint8_t>{1, 2, 3, 4, 5});
  stream.SetPosition(4);
  stream.SetSize(2);
  EXPECT_EQ(stream.Position(), 2);
  stream.SetSize(4);
  EXPECT_EQ(Contents(stream), (std::vector<uint8_t>{1, 2, 0, 0}));
  stream.Clear();
  EXPECT_EQ(stream.Size(), 0);
  EXPECT_EQ(stream.Position(), 0);
}

TEST(Stream, CopyFromWholeSourceOrFromItsPosition) {
  TMemoryStream source(std::vector<uint8_t>{10, 20, 30, 40});
  source.SetPosition(3);
  TMemoryStream whole;
  EXPECT_EQ(whole.CopyFrom(source, 0), 4);  // 0 rewinds and takes everything
  EXPECT_EQ(Contents(whole), (std::vector<uint8_t>{10, 20, 30, 40}));

  source.SetPosition(1);
  TMemoryStream part;
  EXPECT_EQ(part.CopyFrom(source, 2), 2);
  EXPECT_EQ(Contents(part), (std::vector<uint8_t>{20, 30}));

  source.SetPosition(3);
  EXPECT_THROW(part.CopyFrom(source, 2), EReadError);
  EXPECT_THROW(part.CopyFrom(source, -1), EStreamError);
}

TEST(FileStream, CreatesReadsAndMixesReadWithWrite) {
  std::string path = TempPath("mixed.bin");
  {
    TFileStream file(path, fmCreate);
    file.WriteBuffer("hello world", 11);
    EXPECT_EQ(file.Size(), 11);
    EXPECT_EQ(file.Position(), 11);  // Size must not move the position
  }
  {
    TFileStream file(path, fmOpenReadWrite);
    char head[5];
    file.ReadBuffer(head, 5);
    // A write straight after a read lands at the current position.
    file.WriteBuffer("_", 1);
    char rest[5] = {};
    file.ReadBuffer(rest, 5);
    EXPECT_EQ(std::string(rest, 5), "world");
    EXPECT_THROW(file.SetSize(3), EStreamError);
  }
  TMemoryStream loaded;
  loaded.LoadFromFile(path);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(loaded.Memory()), loaded.Size()), "hello_world");
  std::filesystem::remove(path);
}

TEST(FileStream, OpenErrorsNameTheFile) {
  std::string missing = TempPath("no_such_file.bin");
  std::string message = MessageOf<EFOpenError>([&] { TFileStream file(missing, fmOpenRead); });
  EXPECT_NE(message.find("Cannot open file \"" + missing + "\""), std::string::npos) << message;
  EXPECT_THROW(TFileStream(missing, fmOpenReadWrite), EFOpenError);

  std::string inMissingDir = TempPath("no_such_dir/x.bin");
  message = MessageOf<EFOpenError>([&] { TMemoryStream().SaveToFile(inMissingDir); });
  EXPECT_NE(message.find("Cannot create file \"" + inMissingDir + "\""), std::string::npos) << message;

  TMemoryStream target(std::vector<uint8_t>{7});
  EXPECT_THROW(target.LoadFromFile(missing), EFOpenError);
  EXPECT_EQ(Contents(target), std::vector<uint8_t>{7});  // untouched on failure
}

// A full disk lets small writes into the buffer and refuses them at the flush.
TEST(FileStream, DataThatNeverReachesTheFileIsAnError) {
  std::string message =
      MessageOf<EWriteError>([] { TMemoryStream(std::vector<uint8_t>(100, 1)).SaveToFile("/dev/full"); });
  EXPECT_NE(message.find("Cannot write file \"/dev/full\""), std::string::npos) << message;

  TFileStream file("/dev/full", fmOpenReadWrite);
  file.WriteBuffer("x", 1);
  EXPECT_THROW(file.Close(), EWriteError);
  file.Close();  // closed once; nothing left to report
  EXPECT_THROW(file.WriteBuffer("x", 1), EWriteError);
}

TEST(FileStream, SavesAndLoadsUtf8Names) {
  std::string path = TempPath("\xE5\xB7\xA6\xE9\x94\xAE.bin");  // two CJK characters
  TMemoryStream original(std::vector<uint8_t>{0, 255, 13, 10, 26});
  original.SaveToFile(path);
  TMemoryStream loaded;
  loaded.LoadFromFile(path);
  EXPECT_EQ(Contents(loaded), Contents(original));
  EXPECT_EQ(loaded.Position(), 0);
  std::filesystem::remove(path);
}

}  // namespace
