#include "skin/data/compressed_stored_skin.h"

#include "persist/properties.h"
#include "base/string_list.h"
#include "skin/data/zlib_stream.h"

namespace {

// Passes writes on to a memory stream until they would take it past a limit.
class TBoundedWriteStream : public TStream {
 public:
  TBoundedWriteStream(TMemoryStream& target, int64_t limit) : FTarget(target), FLimit(limit) {}

  size_t Read(void*, size_t) override { throw EStreamError("Invalid stream operation"); }
  size_t Write(const void* buffer, size_t count) override {
    if (static_cast<int64_t>(count) > FLimit - FWritten)
      throw EDecompressionError("The skin package unpacks to more than " + std::to_string(FLimit >> 20) +
                                " MiB; it is corrupt");
    FWritten += static_cast<int64_t>(count);
    return FTarget.Write(buffer, count);
  }
  int64_t Seek(int64_t offset, TSeekOrigin origin) override { return FTarget.Seek(offset, origin); }

 private:
  TMemoryStream& FTarget;
  int64_t FLimit;
  int64_t FWritten = 0;
};

}  // namespace

const PropertyTable& TCompressedStoredSkin::Properties() const {
  using S = TCompressedStoredSkin;
  static const PropertyTable table(&TComponent::Properties(),
                                   {
                                       props::String("FileName", &S::SetFileName, &S::FileName),
                                       props::String("CompressedFileName", &S::SetCompressedFileName,
                                                     &S::CompressedFileName),
                                       props::Binary("CompressedData", &S::SetCompressedData, &S::CompressedData),
                                   });
  return table;
}

void TCompressedStoredSkin::SetCompressedData(const std::vector<uint8_t>& value) {
  FCompressedStream.Clear();
  FCompressedStream.WriteBuffer(value.data(), value.size());
  FCompressedStream.SetPosition(0);
}

std::vector<uint8_t> TCompressedStoredSkin::CompressedData() const {
  const std::span<const uint8_t> bytes = FCompressedStream.Bytes();
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

void TCompressedStoredSkin::UnpackTo(TMemoryStream& destination) {
  destination.Seek(0, soEnd);
  TBoundedWriteStream bounded(destination, kMaxPackageSize);
  UnpackStream(bounded, FCompressedStream);
}

void TCompressedStoredSkin::SetScaledData(int32_t percent, std::vector<uint8_t> value) {
  if (percent == 100) return;  // that one is CompressedData
  if (value.empty())
    FScaledData.erase(percent);
  else
    FScaledData[percent] = std::move(value);
}

std::vector<int32_t> TCompressedStoredSkin::ScalePercents() const {
  std::vector<int32_t> percents{100};
  for (const auto& [percent, data] : FScaledData) percents.push_back(percent);
  return percents;
}

void TCompressedStoredSkin::UnpackScaleTo(int32_t percent, TMemoryStream& destination) {
  const auto scaled = FScaledData.find(percent);
  if (scaled == FScaledData.end()) return UnpackTo(destination);
  destination.Seek(0, soEnd);
  TBoundedWriteStream bounded(destination, kMaxPackageSize);
  TMemoryStream source(scaled->second);
  UnpackStream(bounded, source);
}
