#pragma once

#include "tools/io/Bytes.h"
#include "tools/io/Image8.h"

namespace qv::tools {

// A single-image ".ico" file: ICONDIR, one ICONDIRENTRY and a 32-bit BMP
// payload (colour rows bottom-up with alpha, then the 1-bit AND mask). BMP
// rather than PNG inside because SDL2_image's ICO reader takes only BMP payloads.
Bytes EncodeIco(const Image8& image);

}  // namespace qv::tools
