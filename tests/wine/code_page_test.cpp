// Single-byte texts in the system's code page, as the Windows build reads
// them: the conversion itself and a form stream's short string.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "base/code_page.h"
#include "persist/form_loader.h"
#include "persist/form_stream.h"
#include "skin/data/compressed_stored_skin.h"

namespace {

// A character of the page that UTF-8 and Latin-1 would both read otherwise,
// and one the page lacks.
struct PageSample {
  std::string bytes, text, missing;
};

std::optional<PageSample> SampleOf(UINT page) {
  if (page == 936) return PageSample{"\xB9\xD8\xBB\xFA", "关机", "ก"};
  if (page == 1252) return PageSample{"\x80\xE9", "€é", "关"};
  return std::nullopt;
}

TEST(SystemCodePage, ShortStringsAndFileNamesFollowTheActiveCodePage) {
  const std::optional<PageSample> sample = SampleOf(GetACP());
  if (!sample) GTEST_SKIP() << "no sample for code page " << GetACP();
  EXPECT_EQ(AnsiToUtf8(sample->bytes), sample->text);
  EXPECT_EQ(Utf8ToAnsi(sample->text), sample->bytes);
  EXPECT_EQ(Utf8ToAnsi(sample->missing), std::nullopt);

  FormObject object;
  object.className = "TCompressedStoredSkin";
  object.name = "Skin1";
  FormValue name;
  name.type = FormValueType::String;
  name.text = sample->bytes + ".ini";
  object.properties.push_back({"FileName", 0, name});
  TCompressedStoredSkin skin(nullptr);
  LoadComponent(skin, object);
  EXPECT_EQ(skin.FileName(), sample->text + ".ini");
}

}  // namespace
