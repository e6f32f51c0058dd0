#pragma once
// Marks along the program's start-up, read by the start-up harness
// (bench/startup_bench.cpp), which installs a recorder. The program itself
// installs none, so a mark costs one test of a pointer.
#include <string_view>

using StartupPhaseRecorder = void (*)(std::string_view phase, std::string_view detail);

inline StartupPhaseRecorder gStartupPhaseRecorder = nullptr;

// Ends the phase the name gives: it lasted since the mark before.
inline void MarkStartupPhase(std::string_view phase, std::string_view detail = {}) {
  if (gStartupPhaseRecorder) gStartupPhaseRecorder(phase, detail);
}
