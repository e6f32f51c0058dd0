// The binary form-stream reader and the text form parser, both on every
// input. What either accepts must survive its writer: written, read again
// and written once more it gives the same bytes or text. A binary stream may
// hold names and identifiers that text cannot spell, so its printed text is
// only parsed, not compared.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/exceptions.h"
#include "persist/form_stream.h"
#include "formc/text_form.h"
#include "fuzz_checks.h"

namespace {

void FuzzBinary(std::span<const uint8_t> data) {
  FormObject root;
  try {
    root = ReadFormStream(data);
  } catch (const Exception&) {
    return;
  }
  // A tree the reader accepted is one the writer can hold.
  const std::vector<uint8_t> written = WriteFormStream(root);
  const FormObject reread = ReadFormStream(written);
  FuzzCheck(WriteFormStream(reread) == written, "a written form stream does not read back");
  // Its names need not be identifiers, so its text need only not crash the parser.
  try {
    ParseTextForm(PrintTextForm(reread));
  } catch (const EFormError&) {
  }
}

void FuzzText(std::string_view text) {
  FormObject root;
  try {
    root = ParseTextForm(text);
  } catch (const Exception&) {
    return;
  }
  const std::string printed = PrintTextForm(root);
  FuzzCheck(PrintTextForm(ParseTextForm(printed)) == printed, "a printed form does not parse back");
  std::vector<uint8_t> binary;
  try {
    binary = WriteFormStream(root);
  } catch (const EFormError&) {
    return;  // text can spell trees the binary format cannot hold
  }
  FuzzCheck(PrintTextForm(ReadFormStream(binary)) == printed, "a parsed form does not survive the binary stream");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzBinary(std::span(data, size));
  FuzzText(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
