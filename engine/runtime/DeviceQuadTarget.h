#pragma once

#include <memory>

#include "runtime/QuadBatcher.h"

class GfxBuffer;
class GfxDevice;
class GfxTexture;

// Draws flushed quad batches on the device through its dynamic vertex and index
// buffers. Lives for one flush.
class DeviceQuadTarget : public QuadBatchTarget {
public:
    // flatNormalMap: what stage 1 gets for a texture without a normal map; null keeps
    // what stage 1 had.
    DeviceQuadTarget(GfxDevice& device, GfxBuffer& vertexBuffer, GfxBuffer& indexBuffer, int maxQuads,
                     std::shared_ptr<GfxTexture> flatNormalMap = nullptr);

    int MaxQuadsPerDraw() const override { return mMaxQuads; }
    void SetQuadIndices(const uint16_t* indices, int indexCount) override;
    // Stage 0 gets the colour texture; stage 1 the normal map when the texture has one,
    // otherwise the flat normal map, so that lit sprites never take the normals of an
    // earlier batch.
    void BindTexture(const Texture* texture) override;
    void DrawQuads(const Vertex* vertices, int vertexCount) override;

private:
    GfxDevice& mDevice;
    GfxBuffer& mVertexBuffer;
    GfxBuffer& mIndexBuffer;
    int mMaxQuads;
    std::shared_ptr<GfxTexture> mFlatNormalMap;
};
