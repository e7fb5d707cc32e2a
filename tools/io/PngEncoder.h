#pragma once

#include "tools/io/Bytes.h"
#include "tools/io/Image8.h"

namespace qv::tools {

// PNG bytes of an RGBA picture. Deterministic: no time or text chunks.
Bytes EncodePng(const Image8& image);

}  // namespace qv::tools
