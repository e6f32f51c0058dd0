#pragma once
// The loaded skin as one JSON object, for `skinpack info`: the notices the
// load sent, NoSkin, every field of the skin data under its own name, the
// pictures' sizes and the window, object and control data.
#include <cstdint>
#include <string>
#include <vector>

#include "skin/data/skin_data.h"

std::string SkinDataJson(TSkinData& data, const std::vector<uint32_t>& notices);
