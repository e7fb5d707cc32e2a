#pragma once

#include <memory>

#include "render/QuadBatcher.h"

class GfxBuffer;
class GfxDevice;
class GfxTexture;

// Draws flushed quad batches on the device through its dynamic vertex buffer and an
// index buffer that holds the quad index pattern. Lives for one flush.
class DeviceQuadTarget : public QuadBatchTarget {
public:
    // The most quads one index buffer can serve: 16-bit indices reach 65535.
    static constexpr int MaxIndexedQuads = 65536 / 4;

    // Writes the quad index pattern into the whole buffer (as many quads as fit, at most
    // MaxIndexedQuads). The pattern never changes, so this is done once, when the buffer
    // is made.
    static void FillIndexBuffer(GfxBuffer& indexBuffer);

    // Binds both buffers; indexBuffer must have been filled by FillIndexBuffer.
    // flatNormalMap: what stage 1 gets for a texture without a normal map; null keeps
    // what stage 1 had.
    DeviceQuadTarget(GfxDevice& device, GfxBuffer& vertexBuffer, GfxBuffer& indexBuffer, int maxQuads,
                     std::shared_ptr<GfxTexture> flatNormalMap = nullptr);

    int MaxQuadsPerDraw() const override { return mMaxQuads; }
    // Stage 0 gets the colour texture; stage 1 the normal map when the texture has one,
    // otherwise the flat normal map, so that lit sprites never take the normals of an
    // earlier batch.
    void BindTexture(const Texture* texture) override;
    void DrawQuads(const Vertex* vertices, int vertexCount) override;

private:
    GfxDevice& mDevice;
    GfxBuffer& mVertexBuffer;
    int mMaxQuads;
    std::shared_ptr<GfxTexture> mFlatNormalMap;
};
