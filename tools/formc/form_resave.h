#pragma once
// Saving a form again as a form designer would: the objects whose classes
// can be written back (the stored skins) are loaded into their components
// and stored from them; every other object is kept as it was read.
#include "persist/form_stream.h"

FormObject ResaveForm(const FormObject& root);
