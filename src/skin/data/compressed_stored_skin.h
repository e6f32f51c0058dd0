#pragma once
// A skin kept inside the form as one compressed block ("CompressedData").
// Unpacking it is the skin loader's work; this keeps the block.
#include <cstdint>
#include <vector>

#include "framework/component.h"

class TCompressedStoredSkin : public TComponent {
 public:
  using TComponent::TComponent;
  std::string_view ClassName() const override { return "TCompressedStoredSkin"; }
  const PropertyTable& Properties() const override;

  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& value) { FFileName = value; }
  const std::string& CompressedFileName() const { return FCompressedFileName; }
  void SetCompressedFileName(const std::string& value) { FCompressedFileName = value; }
  const std::vector<uint8_t>& CompressedData() const { return FCompressedData; }
  void SetCompressedData(const std::vector<uint8_t>& value) { FCompressedData = value; }

 private:
  std::string FFileName;
  std::string FCompressedFileName;
  std::vector<uint8_t> FCompressedData;
};
