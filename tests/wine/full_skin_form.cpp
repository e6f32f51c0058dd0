#include "full_skin_form.h"

#include <stdexcept>

#include "base/stream.h"
#include "skin/data/skin_package.h"
#include "skin/data/zlib_stream.h"
#include "ui/system/resources_win.h"

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

std::vector<uint8_t> FullSkinWith(const std::vector<std::pair<std::string, std::string>>& edit) {
  auto packed = RCDataResource(L"FULL_SKIN");
  if (!packed) throw std::runtime_error("no FULL_SKIN resource");
  TMemoryStream compressed(*packed), raw;
  UnpackStream(raw, compressed);
  raw.SetPosition(0);
  SkinPackage package;
  if (!ReadSkinPackage(raw, package)) throw std::runtime_error("FULL_SKIN is no skin package");
  for (const auto& [line, replacement] : edit) {
    const size_t at = package.iniText.find(line + "\r\n") != std::string::npos ? package.iniText.find(line + "\r\n")
                                                                               : package.iniText.find(line + "\n");
    if (at == std::string::npos) throw std::runtime_error("the full skin has no line " + line);
    package.iniText.replace(at, line.size(), replacement);
  }
  TMemoryStream changed, repacked;
  WriteSkinPackage(changed, package);
  changed.SetPosition(0);
  PackStream(changed, repacked);
  return std::vector<uint8_t>(repacked.Memory(), repacked.Memory() + repacked.Size());
}
