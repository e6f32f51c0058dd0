#include "full_skin_form.h"

#include "ui/resources_win.h"

namespace {

std::vector<uint8_t> Resource(const wchar_t* name) {
  auto bytes = RCDataResource(name);
  return bytes ? std::vector<uint8_t>(bytes->begin(), bytes->end()) : std::vector<uint8_t>();
}

}  // namespace

TFullSkinForm::TFullSkinForm(TComponent* owner, TBorderStyle style) : TForm(owner) {
  SetBorderStyle(style);
  SetCaption(BorderStyleName(style));
  SkinForm = new TSkinForm(this);
  SkinData = new TSkinData(this);
  StoredSkin = new TCompressedStoredSkin(this);
  StoredSkin->SetCompressedData(Resource(L"FULL_SKIN"));
  SkinForm->SetSkinData(SkinData);
  SkinData->SetCompressedStoredSkin(StoredSkin);
}

std::vector<uint8_t> FullSkinLogo() { return Resource(L"FULL_SKIN_LOGO"); }

const char* BorderStyleName(TBorderStyle style) {
  switch (style) {
    case TBorderStyle::bsNone: return "bsNone";
    case TBorderStyle::bsSingle: return "bsSingle";
    case TBorderStyle::bsSizeable: return "bsSizeable";
    case TBorderStyle::bsDialog: return "bsDialog";
    case TBorderStyle::bsToolWindow: return "bsToolWindow";
    case TBorderStyle::bsSizeToolWin: break;
  }
  return "bsSizeToolWin";
}
