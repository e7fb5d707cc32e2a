#include "assets/Texture.h"

#include "platform/gfx/GfxTexture.h"

namespace {

// part / whole, or fallback when there is no whole to divide by.
float Fraction(int part, float whole, float fallback) {
    return whole > 0.0f ? static_cast<float>(part) / whole : fallback;
}

uint64_t gCatalogRevision = 0;

}  // namespace

uint64_t TextureCatalogRevision() {
    return gCatalogRevision;
}

void MarkTextureCatalogChanged() {
    ++gCatalogRevision;
}

Texture::~Texture() {
    MarkTextureCatalogChanged();
}

int Texture::GetFrameIndex(const std::string& frameName) const {
    const auto found = FrameIndices.find(frameName);
    return found != FrameIndices.end() ? found->second : -1;
}

void Texture::AddFrame(const std::string& name, const AtlasFrame& frame) {
    FrameRects.emplace_back(Fraction(frame.X, Width, 0.0f), Fraction(frame.Y, Height, 0.0f),
                            Fraction(frame.Width, Width, 0.0f), Fraction(frame.Height, Height, 0.0f));
    // Without an untrimmed size the stored pixels are taken as the whole frame.
    const auto untrimmedW = static_cast<float>(frame.UntrimmedWidth);
    const auto untrimmedH = static_cast<float>(frame.UntrimmedHeight);
    FrameTrims.emplace_back(Fraction(frame.OffsetX, untrimmedW, 0.0f), Fraction(frame.OffsetY, untrimmedH, 0.0f),
                            Fraction(frame.Width, untrimmedW, 1.0f), Fraction(frame.Height, untrimmedH, 1.0f));
    FrameIndices[name] = static_cast<int>(FrameNames.size());
    FrameNames.push_back(name);
    MarkTextureCatalogChanged();
}

void Texture::ClearFrames() {
    MarkTextureCatalogChanged();
    FrameRects.clear();
    FrameTrims.clear();
    FrameNames.clear();
    FrameIndices.clear();
}

void Texture::ReleaseDeviceTextures() {
    DeviceTexture.reset();
    NormalSpecularTexture.reset();
}
