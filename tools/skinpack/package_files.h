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

// A name that Windows opens as a device (CON, PRN, AUX, NUL, COM0-9,
// LPT0-9...), with or without an extension, in any case.
bool IsDeviceName(const std::string& name);
// True for a name that can only mean a file directly inside the target
// folder: no folder part, no drive, no way up, no device.
bool IsPlainFileName(const std::string& name);

// Raises Exception, before anything is written, when a name is not a plain
// file name, when [PICTURES] and the package's pictures disagree, or when
// two different pictures would share one file. One picture listed twice
// gives one file. The names are taken in the system's code page, as the
// packer reads them.
std::vector<PackageFile> PackageFiles(const SkinPackage& package);
