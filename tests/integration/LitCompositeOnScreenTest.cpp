// Frames from the committed content drawn twice, once as the renderer chooses and once
// with the shadow blurs and lit composites forced: over the level-select map, where the
// lit pass draws nothing and they are left out, and over a level whose walls are lit.
// Leaving them out must change no byte of the frame.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "GraphicsTestSeam.h"
#include "GraphicsTestSupport.h"
#include "PlayHarness.h"
#include "platform/gfx/GfxDevice.h"
#include "render/Graphics.h"

namespace {

struct Frame {
    std::vector<uint8_t> Pixels;
    int ShadowBlurs = 0;  // first blur passes the frame ran
};

Frame DrawFrame(PlayHarness& play, bool forceComposites) {
    GraphicsImpl& impl = ImplOf(*gGraphics);
    impl.AlwaysCompositeLit = forceComposites ? 1 : 0;
    Frame frame;
    gGraphics->LayerPassObserver = [&](DrawLayer) {
        frame.ShadowBlurs += impl.Device->PixelShader() == impl.FrameShaderSet.BlurFirstPS ? 1 : 0;
    };
    frame.Pixels = play.DrawFrame();
    gGraphics->LayerPassObserver = nullptr;
    impl.AlwaysCompositeLit = 0;
    return frame;
}

// Byte for byte, naming the first pixel that differs.
void ExpectSameFrame(const std::vector<uint8_t>& actual, const std::vector<uint8_t>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        if (actual[i] != expected[i]) {
            const size_t pixel = i / 4;
            const size_t width = static_cast<size_t>(gGraphics->Width);
            ADD_FAILURE() << "pixel (" << pixel % width << ", " << pixel / width << ") channel " << i % 4 << " is "
                          << int(actual[i]) << ", the full path drew " << int(expected[i]);
            return;
        }
    }
}

// The frame as drawn matches the forced one; blursAsDrawn says whether the renderer
// ran the blurs itself, so that both paths are known to be compared.
void ExpectFrameOfTheFullPath(PlayHarness& play, int blursAsDrawn) {
    const Frame drawn = DrawFrame(play, false);
    const Frame full = DrawFrame(play, true);
    EXPECT_EQ(drawn.ShadowBlurs, blursAsDrawn);
    EXPECT_EQ(full.ShadowBlurs, 1);
    ExpectSameFrame(drawn.Pixels, full.Pixels);
}

TEST(LitCompositeOnScreenTest, LeavingOutTheBlursOfAnUnlitFrameChangesNoByte) {
    QV_REQUIRE_DISPLAY();
    {
        SCOPED_TRACE("the level-select map");
        auto play = std::make_unique<PlayHarness>();
        play->EnableDrawing();
        play->StartGame();
        play->RunPasses(66);  // the map's zoom
        ASSERT_NE(play->Find("LevelSelectScreen1"), nullptr);
        ExpectFrameOfTheFullPath(*play, 0);
    }
    {
        SCOPED_TRACE("the first level");
        auto play = std::make_unique<PlayHarness>();
        play->EnableDrawing();
        play->StartInLevel();
        play->RunPasses(30);
        ASSERT_NE(play->Find("GameplayScreen/Level"), nullptr);
        ExpectFrameOfTheFullPath(*play, 1);
    }
}

}  // namespace
