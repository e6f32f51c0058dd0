#include "package_files.h"

#include <algorithm>

#include "base/exceptions.h"
#include "base/ini_file.h"
#include "base/string_list.h"
#include "base/text_util.h"
#include "skin/data/skin_ini_values.h"

namespace {

const char* kIniName = "skin.ini";
const char* kPicturesSection = "PICTURES";

bool SameFileName(const std::string& a, const std::string& b) {
  // Windows file names ignore case, so a folder there would hold only one.
  return SameTextAscii(a, b);
}

void Add(std::vector<PackageFile>& files, const std::string& name, const std::vector<uint8_t>& bytes) {
  if (!IsPlainFileName(name))
    throw Exception("The package names the picture file \"" + name +
                    "\", which is not a plain file name; nothing was unpacked");
  for (const PackageFile& file : files) {
    if (!SameFileName(file.name, name)) continue;
    if (file.bytes == bytes) return;
    throw Exception("The package stores two different files under the name \"" + name + "\"; nothing was unpacked");
  }
  files.push_back({name, bytes});
}

void AddOptional(std::vector<PackageFile>& files, const TMemIniFile& ini, const char* key, const TSkinBitmap& bitmap) {
  const std::string name = ini.ReadString(kPicturesSection, key, "");
  if (name.empty() && bitmap.Empty()) return;
  if (name.empty())
    throw Exception(std::string("The package holds a \"") + key +
                    "\" bitmap but [PICTURES] names no file for it; nothing was unpacked");
  if (bitmap.Empty())
    throw Exception(std::string("[PICTURES] names \"") + name + "\" as \"" + key +
                    "\" but the package holds no such bitmap; nothing was unpacked");
  Add(files, name, bitmap.FileBytes());
}

}  // namespace

bool IsPlainFileName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  // Windows drops trailing dots and blanks, so "..." or ".. " would mean "..".
  if (name.back() == '.' || name.back() == ' ') return false;
  // Separators of either system, drive letters (and NTFS streams), controls.
  return std::ranges::none_of(name,
                              [](char c) { return c == '/' || c == '\\' || c == ':' || (unsigned char)c < 0x20; });
}

std::vector<PackageFile> PackageFiles(const SkinPackage& package) {
  std::vector<PackageFile> files{{kIniName, std::vector<uint8_t>(package.iniText.begin(), package.iniText.end())}};
  const TMemIniFile ini(package.iniText);
  AddOptional(files, ini, "picture", package.pictures.picture);
  AddOptional(files, ini, "inactivepicture", package.pictures.inactivePicture);
  AddOptional(files, ini, "mask", package.pictures.mask);
  TStringList names;
  ReadSkinList(ini, kPicturesSection, "activepictures", names);
  const std::vector<TSkinBitmap>& active = package.pictures.activePictures;
  if (size_t(names.Count()) != active.size())
    throw Exception("[PICTURES] names " + std::to_string(names.Count()) + " active pictures but the package holds " +
                    std::to_string(active.size()) + "; nothing was unpacked");
  for (int i = 0; i < names.Count(); ++i) Add(files, names[i], active[size_t(i)].FileBytes());
  return files;
}
