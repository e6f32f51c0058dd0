#pragma once
// A form made in code, of any border style, with a skinned frame drawn
// from the full test skin: the skin that asks for every feature of the
// frame and its menus (tests/fixtures/skins/full, packed into the test
// program at build time as the resource FULL_SKIN; the logo drawn for it
// is the resource FULL_SKIN_LOGO, a BMP file).
#include <string>
#include <utility>
#include <vector>

#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/frame/skin_form_win.h"
#include "ui/form_win.h"

class TFullSkinForm : public TForm {
 public:
  // The skin arrives as it does when a form is read: the frame is bound to
  // the skin data first, and the data's load then tells the form.
  TFullSkinForm(TComponent* owner, TBorderStyle style);
  std::string_view ClassName() const override { return "TFullSkinForm"; }

  TSkinForm* SkinForm = nullptr;
  TSkinData* SkinData = nullptr;
  TCompressedStoredSkin* StoredSkin = nullptr;
};

// The full test skin, packed, with its skin.ini changed by `edit` (each
// pair: a whole line as it stands, and the line that replaces it).
std::vector<uint8_t> FullSkinWith(const std::vector<std::pair<std::string, std::string>>& edit);

// The border style's name as the form text writes it.
const char* BorderStyleName(TBorderStyle style);
