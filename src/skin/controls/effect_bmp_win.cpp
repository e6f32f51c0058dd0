#include "skin/controls/effect_bmp_win.h"

#include <cstdlib>
#include <string>
#include <utility>

#include "base/exceptions.h"

namespace {

// Noise only has to look random; one source for the GUI thread will do.
NoiseRandom& ProgramRandom() {
  static NoiseRandom random(GetTickCount());
  return random;
}

}  // namespace

TEffectBmp::TEffectBmp(HBITMAP source) {
  if (!source) return;
  BITMAP size{};
  if (GetObjectType(source) != OBJ_BITMAP || !GetObjectW(source, sizeof size, &size))
    throw EInvalidGraphic("Invalid bitmap handle for an effect bitmap");
  const int width = size.bmWidth, height = std::abs(size.bmHeight);
  if (width <= 0 || height <= 0) return;

  FInfo.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  FInfo.bmiHeader.biWidth = width;
  FInfo.bmiHeader.biHeight = -height;  // top-down
  FInfo.bmiHeader.biPlanes = 1;
  FInfo.bmiHeader.biBitCount = 24;
  FInfo.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  BitmapHandle dib(CreateDIBSection(nullptr, &FInfo, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib) throw EOutOfResources("Out of system resources: cannot create a " + std::to_string(width) + " x " +
                                  std::to_string(height) + " effect bitmap");

  // The source is read without selecting it anywhere: GetDIBits wants it
  // free, and a bitmap cannot be selected into a display context anyway.
  GdiFlush();
  WindowDC screen(nullptr);
  BITMAPINFO request = FInfo;  // GetDIBits fills in the image size
  if (!screen.Get() || GetDIBits(screen.Get(), source, 0, height, bits, &request, DIB_RGB_COLORS) != height)
    throw EInvalidGraphic("Cannot read the pixels of a " + std::to_string(width) + " x " + std::to_string(height) +
                          " bitmap");
  FDib = std::move(dib);
  FPixels = PixelView(static_cast<uint8_t*>(bits), width, height);
}

TEffectBmp::TEffectBmp(TEffectBmp&& other) noexcept
    : FInfo(other.FInfo), FDib(std::move(other.FDib)), FPixels(std::exchange(other.FPixels, {})) {}

TEffectBmp& TEffectBmp::operator=(TEffectBmp&& other) noexcept {
  if (this != &other) {
    FInfo = other.FInfo;
    FDib = std::move(other.FDib);
    FPixels = std::exchange(other.FPixels, {});
  }
  return *this;
}

void TEffectBmp::DrawToDC(HDC dc, int x, int y) const {
  if (FPixels.Empty()) return;
  SetDIBitsToDevice(dc, x, y, Width(), Height(), 0, 0, 0, Height(), FPixels.Row(0), &FInfo, DIB_RGB_COLORS);
}

void TEffectBmp::ApplyNoise(int amount) { ::ApplyNoise(FPixels, amount, ProgramRandom()); }

void TEffectBmp::ApplyInactiveEffect(TSkinEffect effect) { ::ApplyInactiveEffect(FPixels, effect, ProgramRandom()); }
