#include "full_skin_form.h"

#include "ui/resources_win.h"

TFullSkinForm::TFullSkinForm(TComponent* owner, TBorderStyle style) : TForm(owner) {
  SetBorderStyle(style);
  SetCaption(BorderStyleName(style));
  SkinForm = new TSkinForm(this);
  SkinData = new TSkinData(this);
  StoredSkin = new TCompressedStoredSkin(this);
  if (auto packed = RCDataResource(L"FULL_SKIN")) StoredSkin->SetCompressedData({packed->begin(), packed->end()});
  SkinForm->SetSkinData(SkinData);
  SkinData->SetCompressedStoredSkin(StoredSkin);
}

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
