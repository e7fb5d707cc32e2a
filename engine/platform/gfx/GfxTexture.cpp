#include "platform/gfx/GfxTexture.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "platform/DeviceThread.h"

namespace {

// Uploads and read-backs bind here, so the sampling units 0..7 keep what the frame set.
constexpr GLenum kWorkUnit = GL_TEXTURE15;

class WorkUnitBinding {
public:
    WorkUnitBinding(GLuint texture, const char* call) {
        gGlThread.Check(call);
        glActiveTexture(kWorkUnit);
        glBindTexture(GL_TEXTURE_2D, texture);
    }
    ~WorkUnitBinding() { glBindTexture(GL_TEXTURE_2D, 0); }
};

void CheckSize(int width, int height) {
    gGlThread.Check("GfxTexture::GfxTexture");
    GLint limit = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &limit);
    if (width <= 0 || height <= 0 || width > limit || height > limit) {
        throw std::invalid_argument("Texture size " + std::to_string(width) + "x" + std::to_string(height) +
                                    " is outside 1.." + std::to_string(limit));
    }
}

}  // namespace

int GfxTexture::FullMipLevelCount(int width, int height) {
    int levels = 1;
    for (int size = std::max(width, height); size > 1; size /= 2) {
        ++levels;
    }
    return levels;
}

GfxTexture::GfxTexture(int width, int height, const uint8_t* pixels, GfxMips mips, bool renderTarget)
    : mWidth(width), mHeight(height), mRenderTarget(renderTarget) {
    CheckSize(width, height);
    mMipLevels = mips == GfxMips::Full ? FullMipLevelCount(width, height) : 1;

    GLuint name = 0;
    glGenTextures(1, &name);
    mName = GlTexture(name);
    const WorkUnitBinding binding(name, "GfxTexture::GfxTexture");
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    // Only the levels that exist count, so a one-level texture is complete under any filter.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, mMipLevels - 1);
    if (mMipLevels > 1) {
        glGenerateMipmap(GL_TEXTURE_2D);
    }
    if (glGetError() == GL_OUT_OF_MEMORY) {
        throw std::runtime_error("Out of video memory for a " + std::to_string(width) + "x" + std::to_string(height) +
                                 " texture");
    }
}

std::vector<uint8_t> GfxTexture::ReadPixels(int level) const {
    if (level < 0 || level >= mMipLevels) {
        throw std::out_of_range("Texture level " + std::to_string(level) + " does not exist");
    }
    const int width = std::max(1, mWidth >> level);
    const int height = std::max(1, mHeight >> level);
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
    const WorkUnitBinding binding(mName.Get(), "GfxTexture::ReadPixels");
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

void GfxTexture::MarkDrawn() {
    mMipsStale = mMipLevels > 1;
}

void GfxTexture::RefreshMips() {
    if (!mMipsStale) {
        return;
    }
    const WorkUnitBinding binding(mName.Get(), "GfxTexture::RefreshMips");
    glGenerateMipmap(GL_TEXTURE_2D);
    mMipsStale = false;
}
