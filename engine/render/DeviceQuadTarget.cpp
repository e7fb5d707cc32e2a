#include "render/DeviceQuadTarget.h"

#include <algorithm>
#include <vector>

#include "assets/Texture.h"
#include "platform/gfx/GfxBuffer.h"
#include "platform/gfx/GfxDevice.h"

namespace {

int QuadsHeldBy(const GfxBuffer& indexBuffer) {
    const size_t quads = indexBuffer.SizeBytes() / (6 * sizeof(uint16_t));
    return static_cast<int>(std::min(quads, static_cast<size_t>(DeviceQuadTarget::MaxIndexedQuads)));
}

}  // namespace

void DeviceQuadTarget::FillIndexBuffer(GfxBuffer& indexBuffer) {
    std::vector<uint16_t> indices;
    QuadBatcher::WriteQuadIndices(QuadsHeldBy(indexBuffer), indices);
    indexBuffer.Write(0, indices.data(), indices.size() * sizeof(uint16_t));
}

DeviceQuadTarget::DeviceQuadTarget(GfxDevice& device, GfxBuffer& vertexBuffer, GfxBuffer& indexBuffer, int maxQuads,
                                   std::shared_ptr<GfxTexture> flatNormalMap)
    : mDevice(device),
      mVertexBuffer(vertexBuffer),
      // Never more quads than either buffer holds.
      mMaxQuads(std::min(
          {maxQuads, static_cast<int>(vertexBuffer.SizeBytes() / (4 * sizeof(Vertex))), QuadsHeldBy(indexBuffer)})),
      mFlatNormalMap(std::move(flatNormalMap)) {
    mDevice.SetIndexBuffer(&indexBuffer);
    mDevice.SetVertexBuffer(&mVertexBuffer);
}

void DeviceQuadTarget::BindTexture(const Texture* texture) {
    mDevice.SetTexture(0, texture != nullptr ? texture->DeviceTexture : nullptr);
    if (texture != nullptr && texture->NormalSpecularTexture != nullptr) {
        mDevice.SetTexture(1, texture->NormalSpecularTexture);
    } else if (mFlatNormalMap != nullptr) {
        mDevice.SetTexture(1, mFlatNormalMap);
    }
}

void DeviceQuadTarget::DrawQuads(const Vertex* vertices, int vertexCount) {
    mVertexBuffer.Write(0, vertices, static_cast<size_t>(vertexCount) * sizeof(Vertex));
    mDevice.DrawIndexedTriangles(vertexCount, vertexCount / 2);
}
