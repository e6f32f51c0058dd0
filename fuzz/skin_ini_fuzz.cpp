// The skin definition reader and every skin data class, from the bytes of a
// skin.ini kept in a form as "IniStrings".
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/string_list.h"
#include "fuzz_checks.h"
#include "skin/data/skin_data.h"
#include "skin/data/stored_skin.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TStringList lines;
  lines.LoadFromBytes(std::span(data, size));
  TStoredSkin stored(nullptr);
  stored.SetIniStrings(lines);
  CheckedSkinLoad([&](TSkinData& skinData) { skinData.LoadStoredSkin(stored); });
  return 0;
}
