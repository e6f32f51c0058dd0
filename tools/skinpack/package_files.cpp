#include "package_files.h"

#include <algorithm>

#include "base/code_page.h"
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

// `storedName` is in the system's code page, as [PICTURES] keeps it.
void Add(std::vector<PackageFile>& files, const std::string& storedName, const std::vector<uint8_t>& bytes) {
  const std::string name = AnsiToUtf8(storedName);
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

bool IsDeviceName(const std::string& name) {
  // Windows takes the part before the first dot, blanks dropped, as a
  // device whatever the extension: "nul.bmp" and "Com1 .txt" open devices.
  std::string stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  for (char& c : stem) c = AsciiLower(c);
  if (stem == "con" || stem == "prn" || stem == "aux" || stem == "nul" || stem == "conin$" || stem == "conout$")
    return true;
  if (!stem.starts_with("com") && !stem.starts_with("lpt")) return false;
  const std::string number = stem.substr(3);
  return (number.size() == 1 && number[0] >= '0' && number[0] <= '9') || number == "\xC2\xB9" ||
         number == "\xC2\xB2" || number == "\xC2\xB3";  // also the superscripts 1, 2 and 3
}

bool IsPlainFileName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  if (IsDeviceName(name)) return false;
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
