// The skin definition reader and every skin data class, from the bytes of a
// skin.ini kept in a form as "IniStrings".
#include <cstddef>
#include <cstdint>
#include <span>

#include "framework/exceptions.h"
#include "framework/string_list.h"
#include "fuzz_checks.h"
#include "skin/data/skin_data.h"
#include "skin/data/stored_skin.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TStringList lines;
  lines.LoadFromBytes(std::span(data, size));
  TStoredSkin stored(nullptr);
  stored.SetIniStrings(lines);

  TSkinData skinData(nullptr);
  RecordingNoticeSink sink;
  ScopedSkinNoticeSink scope(sink);
  bool loadReturned = false;
  try {
    skinData.LoadStoredSkin(stored);
    loadReturned = true;
  } catch (const Exception&) {
    FuzzCheck(skinData.NoSkin(), "a failed load left a skin in use");
  }
  CheckLoadNotices(sink, loadReturned);
  if (loadReturned && !skinData.NoSkin()) CheckSectionsRoundTrip(skinData);
  return 0;
}
