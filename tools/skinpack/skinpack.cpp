// skinpack: builds a skin's packed file or bare zlib stream from a skin.ini
// and its bitmaps, unpacks a packed skin file, and shows what the program
// loads from one.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "base/exceptions.h"
#include "base/stream.h"
#include "base/utf.h"
#include "package_files.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_notices.h"
#include "skin/data/skin_package.h"
#include "skin_json.h"
#include "whole_file.h"

namespace {

int Usage() {
  std::fputs(
      "usage: skinpack pack SKIN.INI OUT    writes a packed skin file from a skin.ini and the bitmaps it names\n"
      "       skinpack stream SKIN.INI OUT  writes the bare zlib stream, as a form's CompressedData holds it\n"
      "       skinpack unpack FILE DIR      writes skin.ini and the bitmaps of a packed skin file into DIR\n"
      "       skinpack info FILE            loads a packed skin file as the program does and prints it as JSON\n",
      stderr);
  return 2;
}

std::span<const uint8_t> Bytes(TMemoryStream& stream) { return {stream.Memory(), size_t(stream.Size())}; }

// Fills a fresh folder beside the target and renames it into place, so a
// failure part way leaves nothing under the target's name. An existing
// target must be an empty folder: unpacking never mixes with other files.
void WriteFolderWhole(const std::string& directory, const std::vector<PackageFile>& files) {
  namespace fs = std::filesystem;
  const fs::path target = Utf8Path(directory);
  std::error_code error;
  if (fs::exists(target, error) && !(fs::is_directory(target, error) && fs::is_empty(target, error)))
    throw EWriteError("\"" + directory + "\" already exists and is not an empty folder; nothing was unpacked");
  if (!target.parent_path().empty()) fs::create_directories(target.parent_path());
  fs::path temporary;
  for (int attempt = 0;; ++attempt) {
    if (attempt == 100) throw EWriteError("Cannot make a temporary folder beside \"" + directory + "\"");
    temporary = target;
    temporary += ".unpacking" + std::to_string(attempt);
    if (fs::create_directory(temporary)) break;
  }
  try {
    for (const PackageFile& file : files) WriteFileWhole(PathText(temporary / Utf8Path(file.name)), file.bytes);
    fs::remove(target, error);  // an empty folder, which a rename on Windows would not replace
    fs::rename(temporary, target);
  } catch (...) {
    fs::remove_all(temporary, error);
    throw;
  }
}

void PackIniFile(TCompressedStoredSkin& skin, const std::string& iniFileName) {
  if (!skin.PackFromIniFile(iniFileName))
    throw Exception("\"" + iniFileName +
                    "\" lacks one of the sections [VERSION], [PICTURES], [FORMINFO], [SKINOBJECTS] and "
                    "[SKINCONTROLS]; nothing was written");
}

// Unlike the designer's loading, a file that is not a packed skin is an
// error here rather than an empty skin.
void LoadPackedSkinFile(TCompressedStoredSkin& skin, const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead);
  if (!ReadPackedSkinFile(file, skin.CompressedStream()))
    throw EReadError("\"" + fileName + "\" is not a packed skin file: its marker is not 1");
}

int Pack(const std::string& iniFileName, const std::string& output) {
  TCompressedStoredSkin skin(nullptr);
  PackIniFile(skin, iniFileName);
  TMemoryStream file;
  WritePackedSkinFile(file, skin.CompressedStream());
  WriteFileWhole(output, Bytes(file));
  return 0;
}

int Stream(const std::string& iniFileName, const std::string& output) {
  TCompressedStoredSkin skin(nullptr);
  PackIniFile(skin, iniFileName);
  WriteFileWhole(output, Bytes(skin.CompressedStream()));
  return 0;
}

int Unpack(const std::string& fileName, const std::string& directory) {
  TCompressedStoredSkin skin(nullptr);
  LoadPackedSkinFile(skin, fileName);
  TMemoryStream unpacked;
  skin.UnpackTo(unpacked);
  unpacked.SetPosition(0);
  SkinPackage package;
  if (!ReadSkinPackage(unpacked, package))
    throw EReadError("\"" + fileName + "\" holds no skin package: the package's marker is not 1");
  WriteFolderWhole(directory, PackageFiles(package));
  return 0;
}

class RecordingSink : public SkinNoticeSink {
 public:
  void Broadcast(TSkinData&, uint32_t message) override { notices.push_back(message); }
  std::vector<uint32_t> notices;
};

int Info(const std::string& fileName) {
  TCompressedStoredSkin skin(nullptr);
  LoadPackedSkinFile(skin, fileName);
  RecordingSink sink;
  const ScopedSkinNoticeSink installed(sink);
  TSkinData data(nullptr);
  data.SetCompressedStoredSkin(&skin);
  const std::string json = SkinDataJson(data, sink.notices);
  if (std::fwrite(json.data(), 1, json.size(), stdout) != json.size() || std::fflush(stdout) != 0)
    throw EWriteError("Cannot write to standard output");
  return 0;
}

int Run(const std::vector<std::string>& args) {
  try {
    if (args.size() == 3 && args[0] == "pack") return Pack(args[1], args[2]);
    if (args.size() == 3 && args[0] == "stream") return Stream(args[1], args[2]);
    if (args.size() == 3 && args[0] == "unpack") return Unpack(args[1], args[2]);
    if (args.size() == 2 && args[0] == "info") return Info(args[1]);
    return Usage();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "skinpack: %s\n", error.what());
    return 1;
  }
}

}  // namespace

#ifdef _WIN32
// Wide arguments, so that file names outside the ANSI code page survive.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(Utf16ToUtf8(reinterpret_cast<const char16_t*>(argv[i])));
  return Run(args);
}
#else
int main(int argc, char** argv) { return Run(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
