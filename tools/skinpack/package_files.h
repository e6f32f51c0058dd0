#pragma once
// The files a skin package unpacks to: "skin.ini" with the package's text,
// then each picture under the name [PICTURES] gives it, as stored.
#include <cstdint>
#include <string>
#include <vector>

#include "skin/data/skin_package.h"

struct PackageFile {
  std::string name;
  std::vector<uint8_t> bytes;
};

// True for a name that can only mean a file directly inside the target
// folder: no folder part, no drive, no way up.
bool IsPlainFileName(const std::string& name);

// Raises Exception, before anything is written, when a name is not a plain
// file name, when [PICTURES] and the package's pictures disagree, or when
// two different pictures would share one file. One picture listed twice
// gives one file.
std::vector<PackageFile> PackageFiles(const SkinPackage& package);
