#pragma once

#include "tools/io/Bytes.h"
#include "tools/io/Image8.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qv::tools {

// Names of the background textures the screens choose between.
std::vector<std::string> BackgroundNames();

// A background: opaque, tileable on both axes (the first pass samples it with
// mirrored, scrolling and warped coordinates), dark enough for the lit
// foreground to stand out, except the pill-mode one, which flashes bright.
// Throws std::invalid_argument for a name not in BackgroundNames().
Image8 BackgroundPicture(const std::string& name);

// Each background as a frameless texture of the bank.
std::vector<OutputFile> BackgroundFiles(const std::filesystem::path& bankFolder);

}  // namespace qv::tools
