// The skin loader from the bytes of a packed skin file. The first byte picks
// what the rest is: even, a packed skin file; odd, the unpacked package
// itself, deflated here in stored blocks (cheap, always valid zlib) so that
// the fuzzer reaches the package and skin.ini readers without having to
// write zlib streams.
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/exceptions.h"
#include "fuzz_checks.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_package.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::span<const uint8_t> rest(data + 1, size - 1);
  TCompressedStoredSkin stored(nullptr);
  if (data[0] & 1) {
    DeflateStored(rest, stored.CompressedStream());
  } else {
    TMemoryStream file(rest);
    try {
      if (!ReadPackedSkinFile(file, stored.CompressedStream())) return 0;
    } catch (const Exception&) {
      FuzzCheck(stored.DataIsEmpty(), "a refused packed skin file left data behind");
      return 0;
    }
  }
  if (stored.DataIsEmpty()) return 0;

  CheckedSkinLoad([&](TSkinData& skinData) { skinData.LoadCompressedStoredSkin(stored); });
  return 0;
}
