#pragma once
// The skin notices as window messages, sent synchronously with the skin
// data as WPARAM and SkinNoticeParameter as LPARAM.
#include <cstdint>

#include "skin/data/skin_notices.h"

// To the window of the skin data's owner, when that is a form, then to every
// other form in creation order. A form without a window gets one.
void BroadcastSkinMessage(TSkinData& sender, uint32_t message);

// The sink that sends through BroadcastSkinMessage; the program installs it.
SkinNoticeSink& WindowSkinNotices();
