#pragma once

#include "tools/io/Bytes.h"

#include <filesystem>
#include <vector>

namespace qv::tools {

// Every generated content file (textures, fonts, sounds, music with loop
// points, cursors), paths relative to the content root, in a fixed order.
// Pieces are generated in parallel; the result is the same bytes on every run.
std::vector<OutputFile> GenerateContent();

struct ContentBuildSummary {
    int Written = 0;
    int Unchanged = 0;
};

// Generates the content and writes it below `contentRoot`, each file atomically.
ContentBuildSummary BuildContent(const std::filesystem::path& contentRoot);

}  // namespace qv::tools
