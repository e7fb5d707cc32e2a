#pragma once

#include "tools/io/Image8.h"

#include <filesystem>

namespace qv::tools {

// Reads a PNG file as straight-alpha RGBA, whatever its colour type or bit depth.
// Throws std::runtime_error naming the file when it cannot be read or decoded.
Image8 ReadPngFile(const std::filesystem::path& path);

}  // namespace qv::tools
