#pragma once

#include <cstdint>
#include <string>

// An icon file of one 32-bit image whose header claims width x height pixels, as
// cursor files are stored: with its opaque pixels and its mask when whole, else the
// header alone, as a damaged file may claim any size. The directory holds the sizes'
// low bytes, as its one-byte fields do.
std::string MakeIconFile(int32_t width, int32_t height, bool whole = true);
