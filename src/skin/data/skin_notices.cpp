#include "skin/data/skin_notices.h"

namespace {

class SilentSink : public SkinNoticeSink {
 public:
  void Broadcast(TSkinData&, uint32_t) override {}
};

SilentSink silentSink;
SkinNoticeSink* currentSink = &silentSink;

}  // namespace

SkinNoticeSink& CurrentSkinNoticeSink() { return *currentSink; }

ScopedSkinNoticeSink::ScopedSkinNoticeSink(SkinNoticeSink& sink) : FPrevious(currentSink) { currentSink = &sink; }

ScopedSkinNoticeSink::~ScopedSkinNoticeSink() { currentSink = FPrevious; }
