#pragma once
// The Windows check (scripts/windows-check.ps1) starts the program with
// VESPERMARK_CHECK_REPORT naming a report file it has just written its first
// line to. Then, and only then, the power-off request is replaced by a line
// in that report, and the shell's answers to the tray icon's requests are
// written there too. A variable left set anywhere else changes nothing: the
// file must begin with the check's line and be less than ten minutes old.
// An environment variable keeps the program free of command-line arguments.
#include <memory>

class CheckMode {
 public:
  // Null unless the check started this process.
  static std::unique_ptr<CheckMode> FromEnvironment();
  virtual ~CheckMode() = default;
};
