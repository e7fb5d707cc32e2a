#include "tools/atlas/SourceTextures.h"

#include "tools/atlas/TextureAtlas.h"
#include "tools/io/PngDecoder.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <stdexcept>
#include <string>

namespace qv::tools {

namespace {

namespace fs = std::filesystem;

enum Layer { kColour, kNormal, kSpecular, kLayerCount };

struct FrameFiles {
    std::array<fs::path, kLayerCount> Paths;
};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool EndsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The texture loader strips these from texture and frame names, so a name holding one
// would not be found under the name its file gives.
bool HasLayerMark(const std::string& name) {
    return name.find("_COL") != std::string::npos || name.find("_NRM") != std::string::npos ||
           name.find("_SPEC") != std::string::npos;
}

std::vector<fs::path> SortedEntries(const fs::path& folder, bool directories) {
    std::vector<fs::path> entries;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (directories ? entry.is_directory() : entry.is_regular_file()) {
            entries.push_back(entry.path());
        }
    }
    if (error) {
        throw std::runtime_error(folder.string() + ": cannot list the folder: " + error.message());
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

[[noreturn]] void Fail(const fs::path& where, const std::string& problem) {
    throw std::runtime_error(where.string() + ": " + problem);
}

// The frames of one folder by name, each with the files of its layers.
std::map<std::string, FrameFiles> CollectFrames(const fs::path& folder) {
    std::map<std::string, FrameFiles> frames;
    for (const fs::path& file : SortedEntries(folder, false)) {
        const std::string fileName = file.filename().string();
        if (Lower(file.extension().string()) != ".png" || fileName.find("(src)") != std::string::npos) {
            continue;
        }
        std::string name = file.stem().string();
        Layer layer = kColour;
        if (EndsWith(name, "_NRM")) {
            layer = kNormal;
            name.resize(name.size() - 4);
        } else if (EndsWith(name, "_SPEC")) {
            layer = kSpecular;
            name.resize(name.size() - 5);
        }
        if (name.empty() || HasLayerMark(name)) {
            Fail(file, "a frame name may hold \"_COL\", \"_NRM\" or \"_SPEC\" only as its layer's suffix");
        }
        fs::path& slot = frames[name].Paths[layer];
        if (!slot.empty()) {
            Fail(file, "the same frame as " + slot.filename().string());
        }
        slot = file;
    }
    return frames;
}

Image8 FilledLike(const Image8& colour, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    Image8 image(colour.Width, colour.Height);
    for (std::size_t i = 0; i < image.Pixels.size(); i += 4) {
        image.Pixels[i] = r;
        image.Pixels[i + 1] = g;
        image.Pixels[i + 2] = b;
        image.Pixels[i + 3] = 255;
    }
    return image;
}

Image8 ReadLayer(const fs::path& file, const Image8& colour) {
    Image8 image = ReadPngFile(file);
    if (image.Width != colour.Width || image.Height != colour.Height) {
        Fail(file, std::to_string(image.Width) + "x" + std::to_string(image.Height) + " pixels, but its frame is " +
                       std::to_string(colour.Width) + "x" + std::to_string(colour.Height));
    }
    return image;
}

AtlasFrame ReadFrame(const std::string& name, const FrameFiles& files, bool lit) {
    AtlasFrame frame;
    frame.Name = name;
    frame.Colour = ReadPngFile(files.Paths[kColour]);
    if (lit) {
        frame.Normal = files.Paths[kNormal].empty() ? FilledLike(frame.Colour, 128, 128, 255)
                                                    : ReadLayer(files.Paths[kNormal], frame.Colour);
        frame.Specular = files.Paths[kSpecular].empty() ? FilledLike(frame.Colour, 0, 0, 0)
                                                        : ReadLayer(files.Paths[kSpecular], frame.Colour);
    }
    return frame;
}

PackedSourceTexture PackFolder(const fs::path& folder, const fs::path& bankFolder) {
    const std::string textureName = folder.filename().string();
    if (HasLayerMark(textureName)) {
        Fail(folder, "a texture name may not hold \"_COL\", \"_NRM\" or \"_SPEC\"");
    }
    const std::map<std::string, FrameFiles> frames = CollectFrames(folder);
    PackedSourceTexture packed;
    packed.Folder = folder;
    for (const auto& [name, files] : frames) {
        if (files.Paths[kColour].empty()) {
            const fs::path& layer = files.Paths[kNormal].empty() ? files.Paths[kSpecular] : files.Paths[kNormal];
            Fail(layer, "no " + name + ".png beside it");
        }
        packed.Lit = packed.Lit || !files.Paths[kNormal].empty() || !files.Paths[kSpecular].empty();
    }
    if (frames.empty()) {
        return packed;
    }
    std::vector<AtlasFrame> read;
    for (const auto& [name, files] : frames) {
        read.push_back(ReadFrame(name, files, packed.Lit));
    }
    // The atlas names the texture and the frame, not where they came from.
    try {
        TextureAtlas atlas(textureName, packed.Lit ? Lighting::Lit : Lighting::Unlit);
        for (AtlasFrame& frame : read) {
            atlas.Add(std::move(frame));
        }
        packed.Files = atlas.Build(bankFolder);
    } catch (const std::exception& error) {
        Fail(folder, error.what());
    }
    return packed;
}

}  // namespace

std::vector<PackedSourceTexture> PackTextureSources(const fs::path& sourceRoot) {
    std::vector<PackedSourceTexture> textures;
    const fs::path texturesRoot = sourceRoot / "Textures";
    std::error_code error;
    if (!fs::is_directory(texturesRoot, error)) {
        return textures;
    }
    for (const fs::path& bank : SortedEntries(texturesRoot, true)) {
        for (const fs::path& folder : SortedEntries(bank, true)) {
            PackedSourceTexture packed = PackFolder(folder, fs::path("Textures") / bank.filename());
            if (!packed.Files.empty()) {
                textures.push_back(std::move(packed));
            }
        }
    }
    return textures;
}

std::vector<fs::path> StaleFormFiles(const PackedSourceTexture& texture) {
    const fs::path bankFolder = fs::path("Textures") / texture.Folder.parent_path().filename();
    const std::string name = texture.Folder.filename().string();
    if (texture.Lit) {
        return {bankFolder / (name + ".xml"), bankFolder / (name + ".sheet")};
    }
    return {bankFolder / (name + "_COL.xml"), bankFolder / (name + "_COL.sheet"), bankFolder / (name + "_NRM.sheet"),
            bankFolder / (name + "_SPEC.sheet")};
}

}  // namespace qv::tools
