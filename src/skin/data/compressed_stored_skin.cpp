#include "skin/data/compressed_stored_skin.h"

#include "framework/properties.h"

const PropertyTable& TCompressedStoredSkin::Properties() const {
  using S = TCompressedStoredSkin;
  static const PropertyTable table(&TComponent::Properties(),
                                   {
                                       props::String("FileName", &S::SetFileName),
                                       props::String("CompressedFileName", &S::SetCompressedFileName),
                                       props::Binary("CompressedData", &S::SetCompressedData),
                                   });
  return table;
}
