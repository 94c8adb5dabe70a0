#pragma once

#include "lookup/code_lookup.h"

namespace tessivo {

// The sixteen identification-key pictures built into the program (":/keys/<letter>.bmp").
KeyPictureProvider embeddedKeyPictures();

}  // namespace tessivo
