#include "tools/art/SourceExampleArt.h"

#include "tools/art/ArtKit.h"
#include "tools/art/FrameFactory.h"
#include "tools/art/Palette.h"
#include "tools/io/ContentWriter.h"
#include "tools/io/PngEncoder.h"

namespace qv::tools {

namespace {

namespace fs = std::filesystem;
using namespace kit;
namespace pal = palette;

void DrawCrate(SpriteCanvas& c) {
    const Sdf box = RoundBox({0, 0}, {0.86f, 0.86f}, 0.08f);
    Part(c, box, Shell({-0.3f, 0.3f}, 1.4f, pal::Wood, Hex(0x3A2010)), 0.15f, 0.2f);
    for (const float angle : {kPi / 4, -kPi / 4}) {
        c.Fill(RoundBox({0, 0}, {1.0f, 0.09f}, 0.02f, angle), Solid(Hex(0x5A3818)), Relief{0.06f, 0.04f, true, 0.1f});
    }
    c.Fill(Outline(RoundBox({0, 0}, {0.72f, 0.72f}, 0.04f), 0.06f), Steel({0, 0}, 0.8f),
           Relief{0.08f, 0.04f, true, 0.9f});
}

void DrawLid(SpriteCanvas& c) {
    c.FillOutlined(RoundBox({0, 0}, {1.9f, 0.8f}, 0.1f), Solid(pal::Wood), Relief{}, pal::Outline, kOutline * 2);
}

}  // namespace

fs::path ExampleSourceFolder() {
    return fs::path("Textures") / "Main" / "DevCrate";
}

std::vector<OutputFile> ExampleSourcePictures() {
    const fs::path folder = ExampleSourceFolder();
    const AtlasFrame crate = LitFrame("Crate_0000", 32, 32, DrawCrate);
    const AtlasFrame lid = UnlitFrame("CrateLid", 24, 12, DrawLid, 0.5f);
    return {
        {folder / "Crate_0000.png", EncodePng(crate.Colour)},
        {folder / "Crate_0000_NRM.png", EncodePng(crate.Normal)},
        {folder / "Crate_0000_SPEC.png", EncodePng(crate.Specular)},
        {folder / "CrateLid.png", EncodePng(lid.Colour)},
    };
}

int WriteMissingExamplePictures(const fs::path& sourceRoot) {
    std::error_code error;
    if (!fs::is_directory(sourceRoot / ExampleSourceFolder(), error)) {
        return 0;
    }
    std::vector<OutputFile> missing;
    for (OutputFile& picture : ExampleSourcePictures()) {
        if (!fs::exists(sourceRoot / picture.RelativePath, error)) {
            missing.push_back(std::move(picture));
        }
    }
    if (missing.empty()) {
        return 0;
    }
    ContentWriter writer(sourceRoot);
    for (const OutputFile& picture : missing) {
        writer.Write(picture);
    }
    return static_cast<int>(missing.size());
}

}  // namespace qv::tools
