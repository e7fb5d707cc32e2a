#pragma once

#include <cstdint>
#include <vector>

#include "platform/gfx/GfxTypes.h"
#include "platform/gfx/GlName.h"

// An RGBA8 texture, stored top row first so that v = 0 samples the image's top row.
// A render-target texture may also be drawn into; with a full mip chain its smaller
// levels are rebuilt before it is next sampled. Created by GfxDevice.
class GfxTexture {
public:
    GfxTexture(const GfxTexture&) = delete;
    GfxTexture& operator=(const GfxTexture&) = delete;

    int Width() const { return mWidth; }
    int Height() const { return mHeight; }
    int MipLevels() const { return mMipLevels; }
    bool IsRenderTarget() const { return mRenderTarget; }
    unsigned int GlName() const { return mName.Get(); }

    // The pixels of one level as RGBA bytes, top row first.
    std::vector<uint8_t> ReadPixels(int level = 0) const;

    static int FullMipLevelCount(int width, int height);

private:
    friend class GfxDevice;

    // pixels: width x height RGBA bytes, top row first, or null for undefined content.
    GfxTexture(int width, int height, const uint8_t* pixels, GfxMips mips, bool renderTarget);

    void MarkDrawn();
    // Rebuilds the smaller levels after drawing; called before sampling.
    void RefreshMips();

    GlTexture mName;
    int mWidth = 0;
    int mHeight = 0;
    int mMipLevels = 1;
    bool mRenderTarget = false;
    bool mMipsStale = false;
};
