#pragma once
// The skin data: for now it keeps its link to the stored skin; loading the
// skin and telling the forms about it comes with the skin loader.
#include "framework/component.h"
#include "skin/data/compressed_stored_skin.h"

class TSkinData : public TComponent {
 public:
  using TComponent::TComponent;
  std::string_view ClassName() const override { return "TSkinData"; }
  const PropertyTable& Properties() const override;

  TCompressedStoredSkin* CompressedStoredSkin() const { return FCompressedStoredSkin.Get(); }
  void SetCompressedStoredSkin(TCompressedStoredSkin* value) { FCompressedStoredSkin.Set(*this, value); }
  // No skin is loaded yet, so consumers draw without one.
  bool NoSkin() const { return true; }

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  ComponentRef<TCompressedStoredSkin> FCompressedStoredSkin;
};
