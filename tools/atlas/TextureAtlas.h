#pragma once

#include "tools/atlas/AtlasPacker.h"
#include "tools/io/Bytes.h"
#include "tools/io/Image8.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qv::tools {

// One named frame of an atlas. Lit atlases need the normal and specular
// layers, the same size as the colour.
struct AtlasFrame {
    std::string Name;
    Image8 Colour;
    Image8 Normal;
    Image8 Specular;
    // Transparent borders are cut off and recorded as the frame's trim; tables
    // read texel by texel (directional lights) must keep their full size.
    bool Trim = true;
};

enum class Lighting { Unlit, Lit };

// Packs frames into one texture of a bank: the ".sheet" page(s) and the ".xml"
// atlas. A lit texture is written as Name_COL, Name_NRM and Name_SPEC pages
// sharing one layout, with the atlas Name_COL.xml, which the texture loader
// turns into one texture called Name with a normal-specular companion.
class TextureAtlas {
public:
    TextureAtlas(std::string textureName, Lighting lighting);

    // Throws std::invalid_argument for a repeated name or layers of mismatched size.
    void Add(AtlasFrame frame);

    const std::string& Name() const { return mName; }
    std::size_t FrameCount() const { return mFrames.size(); }

    // Files relative to the content root, inside `bankFolder` (e.g. "Textures/Main").
    std::vector<OutputFile> Build(const std::filesystem::path& bankFolder) const;

private:
    std::string mName;
    Lighting mLighting;
    std::vector<AtlasFrame> mFrames;
};

// Where a picture's visible (non-transparent) pixels lie; the whole picture when it has none.
PixelRect OpaqueBounds(const Image8& image);

// Copies every transparent texel's neighbours' colour into it (alpha stays 0)
// so that filtering at silhouettes never blends towards black.
void BleedColourIntoTransparent(Image8& image, int passes);

}  // namespace qv::tools
