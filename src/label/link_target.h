#pragma once
// What the link label opens, and when a failed open offers to choose a
// program for web pages.
#include <string>

// True when every byte is a blank (a control character or space), as Trim
// sees it; bytes of multi-byte characters are never blank.
bool IsBlank(const std::string& text);

// The URL as it stands unless it is blank, else the caption.
std::string LinkTarget(const std::string& url, const std::string& caption);

// True when the target's extension, from its last dot after the last path
// separator, is ".htm" in any case.
bool IsHtmTarget(const std::string& target);

// The system's "open with" chooser for web pages, as a process to start:
// the program by its full path in the system folder, and the command line.
// Both the program and the library it loads are named by full path, so no
// copy planted in the program's folder or the current folder runs instead.
struct ProcessLaunch {
  std::string Application;
  std::string CommandLine;
};
ProcessLaunch HtmChooserLaunch(const std::string& systemDirectory);
