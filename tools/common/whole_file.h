#pragma once
// Output files written whole or not at all, and UTF-8 file names as paths.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

std::filesystem::path Utf8Path(const std::string& text);
std::string PathText(const std::filesystem::path& path);

// Writes beside the target first and renames, so a failure never leaves a
// partial file under the target's name.
void WriteFileWhole(const std::string& fileName, std::span<const uint8_t> bytes);
