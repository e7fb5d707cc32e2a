#pragma once

#include "tools/io/Bytes.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qv::tools {

struct BitmapFontRecipe {
    std::string Name;   // file stem of the ".fnt": the name the game finds the font by
    int PixelSize = 0;  // em size in pixels
    bool Bold = false;
};

// Renders printable ASCII (32..126) of DejaVu Sans at the recipe's size into
// one page picture (white glyphs, coverage in alpha) and writes the ".fnt" XML
// that describes it: common line height and page size, the page file, one
// "char" per character and the face's kerning pairs.
std::vector<OutputFile> BakeBitmapFont(const BitmapFontRecipe& recipe, const std::filesystem::path& groupFolder);

// The fonts of the group "Main".
std::vector<BitmapFontRecipe> MainFontRecipes();

}  // namespace qv::tools
