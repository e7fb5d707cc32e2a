#pragma once

#include "tools/io/Image8.h"

#include <boost/property_tree/ptree.hpp>

#include <filesystem>
#include <string>
#include <vector>

namespace qv::tools::test {

// The content generated once for this test program (on first use), in a temporary folder.
const std::filesystem::path& GeneratedContent();
// The repository's committed Content folder.
std::filesystem::path CommittedContent();

// A picture read the way the game reads it (SDL2_image), as RGBA bytes.
Image8 LoadPicture(const std::filesystem::path& path);

struct AtlasSprite {
    std::string Name;
    int X = 0, Y = 0, W = 0, H = 0;
    int OX = 0, OY = 0, OW = 0, OH = 0;
};

struct Atlas {
    std::filesystem::path XmlPath;
    std::filesystem::path SheetPath;  // imagePath with its extension replaced by ".sheet"
    std::vector<AtlasSprite> Sprites;
    const AtlasSprite* Find(const std::string& name) const;
};

// Reads an atlas as the texture loader does (Boost.PropertyTree XML).
Atlas ReadAtlas(const std::filesystem::path& xmlPath);
std::vector<Atlas> ReadAllAtlases();

// Numbers from a property tree, converted here rather than by the tree's
// translators (whose optional-based code trips GCC's uninitialised-use warning).
int IntAt(const boost::property_tree::ptree& tree, const std::string& path);
int IntAt(const boost::property_tree::ptree& tree, const std::string& path, int fallback);
float FloatAt(const boost::property_tree::ptree& tree, const std::string& path);

std::vector<std::filesystem::path> FilesWithExtension(const std::filesystem::path& folder,
                                                      const std::string& extension);

}  // namespace qv::tools::test
