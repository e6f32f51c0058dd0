#pragma once
// Objects whose stored properties a form stream can assign.
#include "persist/object.h"

class PropertyTable;

class TPersistent : public TObject {
 public:
  // The stored properties of this object's class, its ancestors' included.
  virtual const PropertyTable& Properties() const;
};
