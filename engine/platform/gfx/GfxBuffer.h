#pragma once

#include <cstddef>

#include "platform/gfx/GlName.h"

enum class GfxBufferKind { Vertex, Index16 };

// A dynamic buffer of fixed size, rewritten by the CPU every frame.
class GfxBuffer {
public:
    GfxBuffer(GfxBufferKind kind, size_t sizeBytes);

    GfxBuffer(const GfxBuffer&) = delete;
    GfxBuffer& operator=(const GfxBuffer&) = delete;

    // Copies bytes to the offset. Throws std::out_of_range when they would not fit:
    // a write past the end would corrupt other video memory.
    void Write(size_t offsetBytes, const void* data, size_t sizeBytes);

    GfxBufferKind Kind() const { return mKind; }
    size_t SizeBytes() const { return mSizeBytes; }
    unsigned int GlName() const { return mBuffer.Get(); }

private:
    GfxBufferKind mKind;
    size_t mSizeBytes;
    GlBuffer mBuffer;
};
