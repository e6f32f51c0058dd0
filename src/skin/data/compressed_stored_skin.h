#pragma once
// A skin kept inside the form as one zlib-compressed package
// ("CompressedData"). It only keeps and unpacks the block; reading the
// package is the skin loader's work.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "persist/component.h"
#include "base/stream.h"

class TCompressedStoredSkin : public TComponent {
 public:
  // No skin comes near this (ours inflates to well under 1 MiB); it stops
  // data that inflates without end before it eats the memory.
  static constexpr int64_t kMaxPackageSize = 64 * 1024 * 1024;

  using TComponent::TComponent;
  std::string_view ClassName() const override { return "TCompressedStoredSkin"; }
  const PropertyTable& Properties() const override;

  // Both names are informational: setting them only stores the value.
  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& value) { FFileName = value; }
  const std::string& CompressedFileName() const { return FCompressedFileName; }
  void SetCompressedFileName(const std::string& value) { FCompressedFileName = value; }

  // The zlib stream, stored in the form as "CompressedData".
  TMemoryStream& CompressedStream() { return FCompressedStream; }
  std::vector<uint8_t> CompressedData() const;
  void SetCompressedData(const std::vector<uint8_t>& value);

  bool DataIsEmpty() { return FCompressedStream.Size() == 0; }
  // Appends the unpacked package to `destination`. Raises EDecompressionError
  // for corrupt or truncated data and for a package over kMaxPackageSize.
  void UnpackTo(TMemoryStream& destination);

  // The same skin with its pictures drawn at another scale (in percent of
  // 96 pixels per inch), a zlib stream of a package as CompressedData is;
  // its definition is laid out at 100 % like the main package's. Empty
  // data removes the scale.
  void SetScaledData(int32_t percent, std::vector<uint8_t> value);
  // 100 first, then every scale set, in ascending order.
  std::vector<int32_t> ScalePercents() const;
  // UnpackTo for one of ScalePercents (100 is CompressedData); another
  // percent unpacks the main package.
  void UnpackScaleTo(int32_t percent, TMemoryStream& destination);

  // The building operations, for tools. Both empty CompressedStream first,
  // so a failure leaves the component with no data.
  // Replaces the data with the packed skin file's; a wrong marker leaves it empty.
  void LoadPackedFile(const std::string& fileName);
  // Packs a skin.ini and the bitmaps it names. False, with the data
  // untouched, when one of the main sections is missing.
  bool PackFromIniFile(const std::string& iniFileName);

 private:
  std::string FFileName;
  std::string FCompressedFileName;
  TMemoryStream FCompressedStream;
  std::map<int32_t, std::vector<uint8_t>> FScaledData;
};
