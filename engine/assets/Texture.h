#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "object/Rect.h"

class GfxTexture;

// Changes whenever a texture is stored in a bank, has its frames changed or is deleted,
// so that what is looked up by texture or frame name may be kept while it stays the
// same (see TextureCatalogCache). MarkTextureCatalogChanged moves it on.
uint64_t TextureCatalogRevision();
void MarkTextureCatalogChanged();

// One frame of an atlas in pixels: where its stored (trimmed) pixels lie in the image,
// and where they lie inside the untrimmed frame.
struct AtlasFrame {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    int OffsetX = 0;
    int OffsetY = 0;
    int UntrimmedWidth = 0;
    int UntrimmedHeight = 0;
};

// An image the game draws: its colour texture on the device, an optional normal map
// whose alpha holds the specular intensity (for lit sprites), its pixel size, and the
// named frames an atlas cuts out of it. The device textures are shared so that render
// targets can stand in as the colour texture.
class Texture {
public:
    Texture() = default;
    virtual ~Texture();

    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    // The frame of that name, -1 when there is none.
    int GetFrameIndex(const std::string& frameName) const;
    std::string GetName() const { return Name; }
    int GetFrameCount() const { return static_cast<int>(FrameNames.size()); }

    // Appends a frame, its rectangles as fractions of the image and of the untrimmed
    // frame. Call after the image is loaded: the image's size divides. A size of 0 (an
    // image that failed to load, an empty frame) gives empty rectangles rather than
    // infinite ones. A repeated name maps to its last frame.
    void AddFrame(const std::string& name, const AtlasFrame& frame);
    void ClearFrames();
    // Drops both device textures, as before a reload.
    void ReleaseDeviceTextures();

    std::shared_ptr<GfxTexture> DeviceTexture;  // null until LoadTexture succeeds
    std::shared_ptr<GfxTexture> NormalSpecularTexture;
    std::string Name;
    std::filesystem::path FilePath;
    // The atlas the frames were read from; empty for a texture without one.
    std::filesystem::path AtlasPath;
    float Width = 0.0f;  // pixel size of the top level; 0 before loading
    float Height = 0.0f;
    // Per frame, in parallel: texture-coordinate rectangle, trim inside the untrimmed
    // frame (as fractions), name; and name -> index.
    std::vector<Rect> FrameRects;
    std::vector<Rect> FrameTrims;
    std::vector<std::string> FrameNames;
    std::map<std::string, int> FrameIndices;
};
