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
    // Texture source folders packed, and example pictures painted into the source folder.
    int SourceTextures = 0;
    int ExamplePictures = 0;
};

// Generates the content and writes it below `contentRoot`, each file atomically. With a
// development content folder (`sourceRoot` not empty), the example's missing pictures
// are painted into it first, then its texture source folders are packed beside the
// generated art; a source texture that would overwrite generated art is an error.
ContentBuildSummary BuildContent(const std::filesystem::path& contentRoot,
                                 const std::filesystem::path& sourceRoot = {});
// The same with the generated files given.
ContentBuildSummary WriteContent(const std::filesystem::path& contentRoot, std::vector<OutputFile> generated,
                                 const std::filesystem::path& sourceRoot);

// The development content folder the game configuration below `contentRoot` names
// ("Config/GameConfig.json"), relative paths taken from the folder the game runs in,
// the content root's parent. Empty without a configuration or when it names none.
std::filesystem::path DevelopmentContentFolder(const std::filesystem::path& contentRoot);

}  // namespace qv::tools
