#pragma once
// Keyboard accelerators marked in captions with '&' ("&AM" answers Alt+A).
#include <string>
#include <string_view>

// The character after the first single '&' of a UTF-8 caption, as one
// UTF-16 unit; "&&" stands for a literal ampersand. 0 when there is none.
char16_t AcceleratorOf(std::string_view caption);

// Whether a typed character is the caption's accelerator. Letters compare
// without regard to case (ASCII and Latin-1 letters fold).
bool IsAccelerator(char16_t typed, std::string_view caption);

// The caption as it reads: every single '&' gone, "&&" one '&'.
std::string CaptionWithoutAccelerators(std::string_view caption);

// The accelerator as a key name, in capitals ("&Start" gives "S"); empty when there is none.
std::string AcceleratorKeyName(std::string_view caption);
