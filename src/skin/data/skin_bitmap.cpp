#include "skin/data/skin_bitmap.h"

#include "base/exceptions.h"
#include "base/codecs/little_endian.h"

static constexpr size_t kFileHeaderSize = 14;

void PixelBudget::Spend(int64_t pixels) {
  if (pixels > FLeft) throw EInvalidGraphic("Invalid skin: its pictures need more pixels than a skin may have");
  FLeft -= pixels;
}

void TSkinBitmap::Clear() {
  FFile.clear();
  FImage = BmpImage{};
}

void TSkinBitmap::LoadFromBytes(std::vector<uint8_t> file) {
  if (file.size() >= kFileHeaderSize && file.size() <= UINT32_MAX) StoreLE32(file.data() + 2, uint32_t(file.size()));
  size_t dataEnd;
  BmpImage image = DecodeBmp(file, dataEnd);
  // Stored as the bitmap proper, without what an editor left after it; a
  // package finds the next field through the size field, so it is exact.
  file.resize(dataEnd);
  StoreLE32(file.data() + 2, uint32_t(dataEnd));
  Adopt(std::move(file), std::move(image));
}

void TSkinBitmap::Adopt(std::vector<uint8_t> file, BmpImage image) {
  FFile = std::move(file);
  FImage = std::move(image);
}

void TSkinBitmap::LoadFromStream(TStream& stream, PixelBudget& budget) {
  uint8_t header[kFileHeaderSize];
  stream.ReadBuffer(header, sizeof header);
  if (header[0] != 'B' || header[1] != 'M') throw EInvalidGraphic("Invalid bitmap: the file does not start with BM");
  const uint32_t fileSize = LoadLE32(header + 2);
  const int64_t remaining = stream.Size() - stream.Position();
  if (fileSize < kFileHeaderSize || int64_t(fileSize - kFileHeaderSize) > remaining)
    throw EReadError("Invalid bitmap: its size runs past the end of the data");
  std::vector<uint8_t> file(fileSize);
  std::copy(header, header + kFileHeaderSize, file.begin());
  stream.ReadBuffer(file.data() + kFileHeaderSize, fileSize - kFileHeaderSize);
  budget.Spend(BmpPixelCount(file));
  // Kept as stored, so that writing the pictures back gives the same bytes.
  BmpImage image = DecodeBmp(file);
  Adopt(std::move(file), std::move(image));
}

void TSkinBitmap::LoadFromFile(const std::string& fileName) {
  TMemoryStream stream;
  stream.LoadFromFile(fileName);
  LoadFromBytes(std::vector<uint8_t>(stream.Memory(), stream.Memory() + stream.Size()));
}

void TSkinBitmap::SaveToStream(TStream& stream) const { stream.WriteBuffer(FFile.data(), FFile.size()); }

void TSkinBitmap::SaveToFile(const std::string& fileName) const {
  TFileStream file(fileName, fmCreate);
  SaveToStream(file);
}
