#pragma once

#include "tools/io/Bytes.h"

#include <filesystem>
#include <vector>

namespace qv::tools {

// One texture source folder packed: the folder and the sheet and atlas files it gives,
// relative to the content root ("Textures/<bank>/...").
struct PackedSourceTexture {
    std::filesystem::path Folder;
    std::vector<OutputFile> Files;
    bool Lit = false;
};

// Texture source folders lie in a development content folder as
// <root>/Textures/<bank>/<texture>/, one PNG picture per frame, the frame named by the
// file's stem. "<frame>_NRM.png" and "<frame>_SPEC.png" beside "<frame>.png" are that
// frame's normal and specular layers (normals as the generated art draws them, +Y to the
// top of the picture). A folder holding any such layer becomes a lit texture, the frames
// without one getting a flat normal and no shine; otherwise it is unlit. Files that are
// not ".png", or whose names hold "(src)" (a painter's working files), are skipped, as
// are folders without frames.
//
// Every folder is packed like the generated art, in folder-name order. Throws
// std::runtime_error naming the file or folder at fault.
std::vector<PackedSourceTexture> PackTextureSources(const std::filesystem::path& sourceRoot);

// The files the other form of the texture (lit or unlit) would have, relative to the
// content root: left over from before a layer was added or removed, they must go.
std::vector<std::filesystem::path> StaleFormFiles(const PackedSourceTexture& texture);

}  // namespace qv::tools
