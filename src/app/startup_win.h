#pragma once
// Program start: the application object, the main form from its resource,
// the message loop. Returns the process exit code. While a copy runs in this
// user session, a start only brings that copy's window to the front.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>

// With `formStream` the form is read from those bytes instead of the
// resource (tests). A form that cannot be read is reported in a message box
// and gives exit code 1, and no window of it is ever shown.
int RunVespermark(int showCommand, std::optional<std::span<const uint8_t>> formStream = std::nullopt);
