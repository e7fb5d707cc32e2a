#include <thread>

#include "GfxTestSupport.h"
#include "platform/audio/AlBuffer.h"
#include "platform/audio/AlDevice.h"

namespace {

// Runs the call on a thread of its own, as a stray worker would.
template <class Call>
void OnAnotherThread(Call call) {
    std::thread(call).join();
}

}  // namespace

// Release builds leave the checks out.
#ifndef NDEBUG

TEST_F(GfxTest, OpenGlCallsFromAnotherThreadStopNamingTheCall) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const uint8_t pixel[4] = {1, 2, 3, 4};
    EXPECT_DEATH(OnAnotherThread([&] { mQuadVertices->Write(0, pixel, sizeof(pixel)); }),
                 "GfxBuffer::Write called into the OpenGL context from a thread other than the one that made it");
    EXPECT_DEATH(OnAnotherThread([&] { mDevice->CreateTexture(1, 1, pixel, GfxMips::Full); }),
                 "GfxTexture::GfxTexture called into the OpenGL context");
    EXPECT_DEATH(OnAnotherThread([this] { mDevice->DrawIndexedTriangles(4, 2); }),
                 "GfxDevice::PrepareDraw called into the OpenGL context");
    // The owning thread itself passes.
    mQuadVertices->Write(0, pixel, sizeof(pixel));
    mDevice->DrawIndexedTriangles(4, 2);
}

TEST(DeviceThreadTest, OpenAlCallsFromAnotherThreadStopNamingTheCall) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::unique_ptr<AlDevice> device = AlDevice::Open();
    if (device == nullptr) {
        GTEST_SKIP() << "no OpenAL device";
    }
    EXPECT_DEATH(OnAnotherThread([] { AlBuffer buffer; }),
                 "AlBuffer::AlBuffer called into the OpenAL device from a thread other than the one that made it");
    AlBuffer own;
    EXPECT_NE(own.Id(), 0u);
}

#endif
