#include "GfxTestSupport.h"

#include <stdexcept>

TEST_F(GfxTest, BufferWritesPastTheEndAreRefused) {
    GfxBuffer buffer(GfxBufferKind::Vertex, 72);
    const std::vector<uint8_t> bytes(80, 0);
    EXPECT_NO_THROW(buffer.Write(36, bytes.data(), 36));
    EXPECT_THROW(buffer.Write(40, bytes.data(), 36), std::out_of_range);
    EXPECT_THROW(buffer.Write(0, bytes.data(), 80), std::out_of_range);
    EXPECT_THROW(buffer.Write(static_cast<size_t>(-8), bytes.data(), 16), std::out_of_range);
}

TEST_F(GfxTest, DrawsReadingPastTheirBuffersAreRefused) {
    // The quad buffers hold 4 vertices and 6 indices.
    EXPECT_THROW(mDevice->DrawIndexedTriangles(4, 3), std::out_of_range);
    EXPECT_THROW(mDevice->DrawIndexedTriangles(5, 2), std::out_of_range);
    EXPECT_NO_THROW(mDevice->DrawIndexedTriangles(4, 0));
    mDevice->SetIndexBuffer(nullptr);
    EXPECT_THROW(mDevice->DrawIndexedTriangles(4, 2), std::logic_error);
    EXPECT_THROW(mDevice->SetIndexBuffer(mQuadVertices.get()), std::invalid_argument);
}

TEST_F(GfxTest, BoundTexturesStayAliveUntilUnbound) {
    const uint8_t pixel[4] = {9, 8, 7, 6};
    std::weak_ptr<GfxTexture> watched;
    {
        auto texture = mDevice->CreateTexture(1, 1, pixel, GfxMips::One);
        watched = texture;
        mDevice->SetTexture(2, texture);
    }
    ASSERT_FALSE(watched.expired());
    EXPECT_EQ(watched.lock()->ReadPixels()[0], 9);
    mDevice->UnbindAll();
    EXPECT_TRUE(watched.expired());
    EXPECT_EQ(mDevice->RenderTarget(0), mDevice->BackBuffer());
}

TEST_F(GfxTest, TexturesOutlivingTheirContextAreDroppedSafely) {
    const uint8_t pixel[4] = {1, 2, 3, 4};
    auto orphan = mDevice->CreateTexture(1, 1, pixel, GfxMips::One);
    mDevice.reset();
    // A new context may reuse the orphan's number; deleting the orphan must not touch it.
    mDevice = std::make_unique<GfxDevice>(*mWindow, kWidth, kHeight);
    const auto fresh = mDevice->CreateTexture(1, 1, pixel, GfxMips::One);
    orphan.reset();
    EXPECT_EQ(fresh->ReadPixels()[3], 4);
}
