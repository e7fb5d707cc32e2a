#include "runtime/DeviceQuadTarget.h"

#include <algorithm>

#include "platform/gfx/GfxBuffer.h"
#include "platform/gfx/GfxDevice.h"
#include "runtime/Texture.h"

DeviceQuadTarget::DeviceQuadTarget(GfxDevice& device, GfxBuffer& vertexBuffer, GfxBuffer& indexBuffer, int maxQuads,
                                   std::shared_ptr<GfxTexture> flatNormalMap)
    : mDevice(device),
      mVertexBuffer(vertexBuffer),
      mIndexBuffer(indexBuffer),
      // Never more quads than either buffer holds.
      mMaxQuads(std::min({maxQuads, static_cast<int>(vertexBuffer.SizeBytes() / (4 * sizeof(Vertex))),
                          static_cast<int>(indexBuffer.SizeBytes() / (6 * sizeof(uint16_t)))})),
      mFlatNormalMap(std::move(flatNormalMap)) {}

void DeviceQuadTarget::SetQuadIndices(const uint16_t* indices, int indexCount) {
    mIndexBuffer.Write(0, indices, static_cast<size_t>(indexCount) * sizeof(uint16_t));
    mDevice.SetIndexBuffer(&mIndexBuffer);
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
