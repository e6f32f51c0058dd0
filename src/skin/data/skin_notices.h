#pragma once
// The notices a skin data sends around a load. On Windows they are window
// messages to the forms; portable code hands them to the installed sink.
#include <cstdint>

class TSkinData;

constexpr uint32_t SkinChangingMessage = 1225;    // a load starts; nothing is cleared yet
constexpr uint32_t SkinChangedMessage = 1226;     // a load has ended
constexpr uint32_t SkinChangeDoneMessage = 1227;  // straight after SkinChangedMessage
// The second parameter of every notice.
constexpr int32_t SkinNoticeParameter = 1000;

class SkinNoticeSink {
 public:
  virtual ~SkinNoticeSink() = default;
  // Delivers synchronously: every receiver has handled it on return.
  virtual void Broadcast(TSkinData& sender, uint32_t message) = 0;
};

// The sink in use; until one is installed notices go nowhere.
SkinNoticeSink& CurrentSkinNoticeSink();

// Installs a sink for its lifetime and puts the previous one back after.
class ScopedSkinNoticeSink {
 public:
  explicit ScopedSkinNoticeSink(SkinNoticeSink& sink);
  ~ScopedSkinNoticeSink();
  ScopedSkinNoticeSink(const ScopedSkinNoticeSink&) = delete;
  ScopedSkinNoticeSink& operator=(const ScopedSkinNoticeSink&) = delete;

 private:
  SkinNoticeSink* FPrevious;
};
