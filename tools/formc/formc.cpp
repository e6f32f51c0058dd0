// formc: compiles a text form into a binary form stream, dumps a binary
// form stream (plain or with a resource header) as text, and saves a binary
// form again from the components it holds, as a form designer would.
//
//   formc compile IN OUT [-I DIR]...
//   formc dump IN
//   formc resave IN OUT
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "base/exceptions.h"
#include "persist/form_stream.h"
#include "base/stream.h"
#include "formc/form_resave.h"
#include "formc/text_form.h"
#include "whole_file.h"

namespace {

namespace fs = std::filesystem;

int Usage() {
  std::fputs("usage: formc compile IN OUT [-I DIR]...\n       formc dump IN\n       formc resave IN OUT\n", stderr);
  return 2;
}

std::vector<uint8_t> ReadFile(const std::string& fileName) {
  TMemoryStream stream;
  stream.LoadFromFile(fileName);
  return std::vector<uint8_t>(stream.Memory(), stream.Memory() + stream.Size());
}

int Compile(const std::string& input, const std::string& output, const std::vector<std::string>& includeDirs) {
  std::vector<fs::path> searchPath{Utf8Path(input).parent_path()};
  for (const std::string& dir : includeDirs) searchPath.push_back(Utf8Path(dir));
  IncludeResolver resolve = [&](const std::string& name) -> std::optional<std::vector<uint8_t>> {
    for (const fs::path& dir : searchPath) {
      fs::path candidate = dir / Utf8Path(name);
      std::error_code error;
      if (fs::is_regular_file(candidate, error)) return ReadFile(PathText(candidate));
    }
    return std::nullopt;
  };
  std::vector<uint8_t> text = ReadFile(input);
  FormObject root = ParseTextForm(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()), resolve);
  WriteFileWhole(output, WriteFormStream(root));
  return 0;
}

int Resave(const std::string& input, const std::string& output) {
  WriteFileWhole(output, WriteFormStream(ResaveForm(ReadFormStream(ReadFile(input)))));
  return 0;
}

int Dump(const std::string& input) {
  std::string text = PrintTextForm(ReadFormStream(ReadFile(input)));
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0)
    throw EWriteError("Cannot write to standard output");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  try {
    if (args.size() == 2 && args[0] == "dump") return Dump(args[1]);
    if (args.size() == 3 && args[0] == "resave") return Resave(args[1], args[2]);
    if (args.size() >= 3 && args[0] == "compile") {
      std::vector<std::string> includeDirs;
      for (size_t i = 3; i < args.size(); ++i) {
        if (args[i] == "-I" && i + 1 < args.size())
          includeDirs.push_back(args[++i]);
        else if (args[i].starts_with("-I") && args[i].size() > 2)
          includeDirs.push_back(args[i].substr(2));
        else
          return Usage();
      }
      return Compile(args[1], args[2], includeDirs);
    }
    return Usage();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "formc: %s\n", error.what());
    return 1;
  }
}
