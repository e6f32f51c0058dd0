#pragma once
// A font description as forms store it; the platform layer makes the handle.
#include <cstdint>
#include <functional>
#include <string>

#include "base/color.h"
#include "persist/persistent.h"

enum TFontStyle : uint32_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
constexpr int kDefaultCharset = 1;

class TFont : public TPersistent {
 public:
  const PropertyTable& Properties() const override;

  int Charset() const { return FCharset; }
  TColor Color() const { return FColor; }
  // Negative: character height in pixels; positive: cell height.
  int Height() const { return FHeight; }
  const std::string& Name() const { return FName; }
  uint32_t Style() const { return FStyle; }

  void SetCharset(int value);
  void SetColor(TColor value);
  void SetHeight(int value);
  void SetName(const std::string& value);
  void SetStyle(uint32_t value);
  void Assign(const TFont& other);

  bool operator==(const TFont& other) const;

  // Called after every change that took effect.
  std::function<void()> OnChange;

 private:
  template <class T>
  void Update(T& field, const T& value);

  int FCharset = kDefaultCharset;
  TColor FColor = clWindowText;
  int FHeight = -11;
  std::string FName = "MS Sans Serif";
  uint32_t FStyle = 0;
};
