#pragma once
// What the fuzz targets share. A broken promise aborts, so libFuzzer keeps
// the input that broke it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <vector>

#include "base/exceptions.h"
#include "base/ini_file.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_notices.h"
#include "skin/data/zlib_stream.h"

inline void FuzzCheck(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

// A package deflated in stored blocks: cheap, and always valid zlib, so that
// a target reaches the package and skin.ini readers without having to
// write zlib streams.
inline void DeflateStored(std::span<const uint8_t> package, TMemoryStream& compressed) {
  TCompressionStream deflate(TCompressionLevel::clNone, compressed);
  deflate.WriteBuffer(package.data(), package.size());
  deflate.Finish();
  compressed.SetPosition(0);
}

// Keeps the notices of one load, for checking their order afterwards.
class RecordingNoticeSink : public SkinNoticeSink {
 public:
  void Broadcast(TSkinData&, uint32_t message) override { messages.push_back(message); }
  std::vector<uint32_t> messages;
};

// A load that returned has announced its start and its end; one that threw
// has announced only its start.
inline void CheckLoadNotices(const RecordingNoticeSink& sink, bool loadReturned) {
  const std::vector<uint32_t> completed{SkinChangingMessage, SkinChangedMessage, SkinChangeDoneMessage};
  const std::vector<uint32_t> failed{SkinChangingMessage};
  FuzzCheck(sink.messages == (loadReturned ? completed : failed), "the notices of a load are out of order");
}

// A section written in canonical form must read back to the same values:
// otherwise a skin written by our tools would not load as it was saved.
template <class Section>
void CheckCanonicalRoundTrip(Section& data) {
  TMemIniFile first, second;
  data.WriteToIni(first);
  data.ReadFromIni(first);
  data.WriteToIni(second);
  TStringList firstLines, secondLines;
  first.GetStrings(firstLines);
  second.GetStrings(secondLines);
  FuzzCheck(firstLines.Text() == secondLines.Text(), "a section's canonical form does not read back");
}

inline void CheckSectionsRoundTrip(TSkinData& skinData) {
  CheckCanonicalRoundTrip(skinData.PopupWindow());
  CheckCanonicalRoundTrip(skinData.HintWindow());
  for (const auto& object : skinData.SkinObjects()) CheckCanonicalRoundTrip(*object);
  for (const auto& control : skinData.SkinControls()) CheckCanonicalRoundTrip(*control);
}

// Runs one load into a fresh skin data and checks what a load promises: its
// notices, no skin left in use after a failure, and sections that read back
// from their canonical form.
template <class Load>
void CheckedSkinLoad(Load load) {
  TSkinData skinData(nullptr);
  RecordingNoticeSink sink;
  ScopedSkinNoticeSink scope(sink);
  bool loadReturned = false;
  try {
    load(skinData);
    loadReturned = true;
  } catch (const Exception&) {
    FuzzCheck(skinData.NoSkin(), "a failed load left a skin in use");
  }
  CheckLoadNotices(sink, loadReturned);
  if (loadReturned && !skinData.NoSkin()) CheckSectionsRoundTrip(skinData);
}
