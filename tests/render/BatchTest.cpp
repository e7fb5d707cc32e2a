#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "TextureTestSupport.h"
#include "assets/Texture.h"
#include "platform/GfxTestSupport.h"
#include "render/DebugLines.h"
#include "render/DeviceQuadTarget.h"
#include "render/QuadBatcher.h"

namespace {

constexpr Rect kWholeUv{0.0f, 0.0f, 1.0f, 1.0f};
constexpr Color kWhite{255, 255, 255, 255};

// Records what a flush asks of the device.
class RecordingTarget : public QuadBatchTarget {
public:
    struct Draw {
        const Texture* BoundTexture;
        int VertexCount;
        float FirstX;
    };

    explicit RecordingTarget(int maxQuads) : mMaxQuads(maxQuads) {}

    int MaxQuadsPerDraw() const override { return mMaxQuads; }
    void BindTexture(const Texture* texture) override { Bound = texture; }
    void DrawQuads(const Vertex* vertices, int vertexCount) override {
        Draws.push_back({Bound, vertexCount, vertices[0].X});
    }

    std::vector<Draw> Draws;

private:
    int mMaxQuads;
    const Texture* Bound = nullptr;
};

void AddQuads(QuadBatcher& batcher, const Texture* texture, int count) {
    for (int i = 0; i < count; ++i) {
        batcher.AddQuad(kWholeUv, texture, 0.0f, kWhite, Vector2(1.0f, 1.0f), Vector2(), Vector2(float(i), 0.0f));
    }
}

void ExpectCorner(const Vertex& v, float x, float y, float u, float texV) {
    EXPECT_FLOAT_EQ(v.X, x);
    EXPECT_FLOAT_EQ(v.Y, y);
    EXPECT_FLOAT_EQ(v.U0, u);
    EXPECT_FLOAT_EQ(v.V0, texV);
}

}  // namespace

// Quad building ----------------------------------------------------------------------------

TEST(QuadBuildTest, CornersRunTopLeftTopRightBottomLeftBottomRight) {
    QuadBatcher batcher;
    Texture texture;
    batcher.AddQuad(Rect(0.25f, 0.5f, 0.5f, 0.25f), &texture, 0.0f, kWhite, Vector2(2.0f, 1.0f), Vector2(),
                    Vector2(10.0f, 5.0f));
    ASSERT_EQ(batcher.BatchCount(), 1);
    const std::vector<Vertex>& v = batcher.BatchVertices(0);
    ASSERT_EQ(v.size(), 4u);
    ExpectCorner(v[0], 9.0f, 5.5f, 0.25f, 0.5f);
    ExpectCorner(v[1], 11.0f, 5.5f, 0.75f, 0.5f);
    ExpectCorner(v[2], 9.0f, 4.5f, 0.25f, 0.75f);
    ExpectCorner(v[3], 11.0f, 4.5f, 0.75f, 0.75f);
    for (const Vertex& vertex : v) {
        EXPECT_FLOAT_EQ(vertex.Z, 1.0f);
        EXPECT_FLOAT_EQ(vertex.W, 1.0f);
        EXPECT_FLOAT_EQ(vertex.U1, 1.0f);  // cos 0
        EXPECT_FLOAT_EQ(vertex.V1, 0.0f);  // sin 0
    }
}

TEST(QuadBuildTest, ColourIsStoredAsArgb) {
    QuadBatcher batcher;
    batcher.AddQuad(kWholeUv, nullptr, 0.0f, Color(0x11, 0x22, 0x33, 0x44), Vector2(1.0f, 1.0f), Vector2(), Vector2());
    for (const Vertex& v : batcher.BatchVertices(0)) {
        EXPECT_EQ(v.Argb, 0x44112233u);
    }
}

TEST(QuadBuildTest, OriginMovesTheCentreAwayFromThePosition) {
    QuadBatcher batcher;
    batcher.AddQuad(kWholeUv, nullptr, 0.0f, kWhite, Vector2(2.0f, 2.0f), Vector2(1.0f, -0.5f), Vector2(10.0f, 5.0f));
    const std::vector<Vertex>& v = batcher.BatchVertices(0);
    ExpectCorner(v[0], 8.0f, 6.5f, 0.0f, 0.0f);
    ExpectCorner(v[3], 10.0f, 4.5f, 1.0f, 1.0f);
}

TEST(QuadBuildTest, RotationTurnsCornersAboutThePositionAndIsStoredForLighting) {
    QuadBatcher batcher;
    const float quarter = std::numbers::pi_v<float> / 2.0f;
    batcher.AddQuad(kWholeUv, nullptr, quarter, kWhite, Vector2(2.0f, 1.0f), Vector2(), Vector2(10.0f, 5.0f));
    const Vertex& first = batcher.BatchVertices(0)[0];
    // (-1, 0.5) turned a quarter to (-0.5, -1).
    EXPECT_NEAR(first.X, 9.5f, 1e-5f);
    EXPECT_NEAR(first.Y, 4.0f, 1e-5f);
    EXPECT_NEAR(first.U1, 0.0f, 1e-6f);
    EXPECT_NEAR(first.V1, 1.0f, 1e-6f);
}

TEST(QuadBuildTest, AFlippedAxisMirrorsTheQuadSoTheTextureStaysUpright) {
    QuadBatcher batcher;
    batcher.SetFlip(false, true);
    batcher.AddQuad(kWholeUv, nullptr, 0.0f, kWhite, Vector2(2.0f, 1.0f), Vector2(), Vector2(10.0f, 5.0f));
    const std::vector<Vertex>& v = batcher.BatchVertices(0);
    // Under a y-down camera v = 0 lies at the smaller y, which is the screen's top.
    ExpectCorner(v[0], 9.0f, 4.5f, 0.0f, 0.0f);
    ExpectCorner(v[3], 11.0f, 5.5f, 1.0f, 1.0f);

    batcher.Reset();
    batcher.SetFlip(true, false);
    batcher.AddQuad(kWholeUv, nullptr, 0.0f, kWhite, Vector2(2.0f, 1.0f), Vector2(), Vector2(10.0f, 5.0f));
    ExpectCorner(batcher.BatchVertices(0)[0], 11.0f, 5.5f, 0.0f, 0.0f);
}

TEST(QuadBuildTest, DepthStepsTowardsTheViewerAndStopsAtZero) {
    QuadBatcher batcher;
    EXPECT_FLOAT_EQ(batcher.Depth(), 1.0f);
    batcher.StepDepth();
    EXPECT_FLOAT_EQ(batcher.Depth(), 1.0f - QuadBatcher::DepthStep);
    batcher.SetDepth(QuadBatcher::DepthStep / 2.0f);
    batcher.StepDepth();
    EXPECT_EQ(batcher.Depth(), 0.0f);
    batcher.AddQuad(kWholeUv, nullptr, 0.0f, kWhite, Vector2(1.0f, 1.0f), Vector2(), Vector2());
    EXPECT_EQ(batcher.BatchVertices(0)[0].Z, 0.0f);
}

// Batches ----------------------------------------------------------------------------------

TEST(QuadBatchTest, BatchesFollowFirstUseOfEachTexture) {
    QuadBatcher batcher;
    Texture a;
    Texture b;
    AddQuads(batcher, &a, 1);
    AddQuads(batcher, &b, 1);
    AddQuads(batcher, &a, 1);
    ASSERT_EQ(batcher.BatchCount(), 2);
    EXPECT_EQ(batcher.BatchTexture(0), &a);
    EXPECT_EQ(batcher.BatchVertices(0).size(), 8u);
    EXPECT_EQ(batcher.BatchTexture(1), &b);
    EXPECT_EQ(batcher.BatchVertices(1).size(), 4u);

    RecordingTarget target(100);
    batcher.Flush(target);
    ASSERT_EQ(target.Draws.size(), 2u);
    EXPECT_EQ(target.Draws[0].BoundTexture, &a);
    EXPECT_EQ(target.Draws[0].VertexCount, 8);
    EXPECT_EQ(target.Draws[1].BoundTexture, &b);
    EXPECT_EQ(target.Draws[1].VertexCount, 4);
}

TEST(QuadBatchTest, ResetEmptiesTheListsButKeepsTheirStorage) {
    QuadBatcher batcher;
    Texture a;
    Texture b;
    AddQuads(batcher, &a, 50);
    const size_t capacity = batcher.BatchVertices(0).capacity();
    const Vertex* storage = batcher.BatchVertices(0).data();
    batcher.Reset();
    EXPECT_EQ(batcher.BatchCount(), 0);

    // The next pass starts with another texture, which takes over list 0 as it is.
    AddQuads(batcher, &b, 50);
    EXPECT_EQ(batcher.BatchTexture(0), &b);
    EXPECT_EQ(batcher.BatchVertices(0).capacity(), capacity);
    EXPECT_EQ(batcher.BatchVertices(0).data(), storage);

    RecordingTarget target(100);
    batcher.Flush(target);
    ASSERT_EQ(target.Draws.size(), 1u);
    EXPECT_EQ(target.Draws[0].BoundTexture, &b);
}

TEST(QuadBatchTest, ABatchLargerThanTheBufferDrawsInChunks) {
    QuadBatcher batcher;
    Texture a;
    AddQuads(batcher, &a, 30000 / 4);
    ASSERT_EQ(batcher.BatchVertices(0).size(), 30000u);

    RecordingTarget target(7281);
    batcher.Flush(target);
    ASSERT_EQ(target.Draws.size(), 2u);
    EXPECT_EQ(target.Draws[0].VertexCount, 29124);
    EXPECT_EQ(target.Draws[1].VertexCount, 876);
    // The second chunk starts at quad 7281.
    EXPECT_FLOAT_EQ(target.Draws[1].FirstX, 7281.0f - 0.5f);
}

TEST(QuadBatchTest, IndicesFollowTheSharedPattern) {
    std::vector<uint16_t> indices;
    QuadBatcher::WriteQuadIndices(3, indices);
    const std::vector<uint16_t> expected = {0, 1, 2, 1, 3, 2, 4, 5, 6, 5, 7, 6, 8, 9, 10, 9, 11, 10};
    EXPECT_EQ(indices, expected);
    // The last quad a 16-bit index can reach.
    QuadBatcher::WriteQuadIndices(DeviceQuadTarget::MaxIndexedQuads, indices);
    EXPECT_EQ(indices[indices.size() - 2], 65535);
    QuadBatcher::WriteQuadIndices(-1, indices);
    EXPECT_TRUE(indices.empty());
}

TEST(QuadBatchTest, NothingToDrawTouchesNothing) {
    QuadBatcher batcher;
    RecordingTarget target(100);
    batcher.Flush(target);
    EXPECT_TRUE(target.Draws.empty());

    RecordingTarget noRoom(0);
    Texture a;
    AddQuads(batcher, &a, 2);
    batcher.Flush(noRoom);
    EXPECT_TRUE(noRoom.Draws.empty());
}

// Debug lines ------------------------------------------------------------------------------

TEST(DebugLinesTest, AClosedStripRepeatsItsFirstPoint) {
    std::vector<Vector2> points;
    for (int i = 0; i < DebugLines::MaxPoints; ++i) {
        points.emplace_back(float(i), float(-i));
    }
    Vertex out[DebugLines::MaxVertices];
    const int count = DebugLines::BuildStrip(points.data(), int(points.size()), Color(255, 0, 0, 128), true,
                                             Vector2(0.25f, 0.75f), out);
    ASSERT_EQ(count, 100);  // 99 segments
    EXPECT_FLOAT_EQ(out[98].X, 98.0f);
    EXPECT_FLOAT_EQ(out[98].Y, -98.0f);
    EXPECT_FLOAT_EQ(out[99].X, 0.0f);
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(out[i].Argb, 0x80FF0000u);
        EXPECT_FLOAT_EQ(out[i].Z, 1.0f);
        EXPECT_FLOAT_EQ(out[i].U0, 0.25f);
        EXPECT_FLOAT_EQ(out[i].V0, 0.75f);
    }
}

TEST(DebugLinesTest, LongListsAreCutAndTooShortOnesDrawNothing) {
    std::vector<Vector2> points(150);
    Vertex out[DebugLines::MaxVertices];
    EXPECT_EQ(DebugLines::BuildStrip(points.data(), 150, kWhite, false, Vector2(), out), 99);
    EXPECT_EQ(DebugLines::BuildStrip(points.data(), 150, kWhite, true, Vector2(), out), 100);
    EXPECT_EQ(DebugLines::BuildStrip(points.data(), 1, kWhite, true, Vector2(), out), 0);
    EXPECT_EQ(DebugLines::BuildStrip(nullptr, 5, kWhite, true, Vector2(), out), 0);
    EXPECT_EQ(DebugLines::BuildStrip(points.data(), -3, kWhite, false, Vector2(), out), 0);
}

TEST(DebugLinesTest, LinesSampleTheCentreOfTheEditorsWhitePixel) {
    TextureBankFixture content;
    content.WriteSheet("Main/Editor.sheet", 256, 256);
    content.WriteFile("Main/Editor.xml",
                      TextureBankFixture::Atlas("Editor.png",
                                                "<sprite n=\"EdPanel\" x=\"0\" y=\"0\" w=\"8\" h=\"8\"/>"
                                                "<sprite n=\"1PixelWhite\" x=\"16\" y=\"178\" w=\"4\" "
                                                "h=\"4\"/>"));
    EXPECT_EQ(DebugLines::FindWhiteTexel(&content.Manager), Vector2(0.5f, 0.5f)) << "no texture loaded yet";
    content.Manager.LoadBank("Main");
    const Vector2 texel = DebugLines::FindWhiteTexel(&content.Manager);
    EXPECT_FLOAT_EQ(texel.X, 18.0f / 256.0f);
    EXPECT_FLOAT_EQ(texel.Y, 180.0f / 256.0f);
    EXPECT_EQ(DebugLines::FindWhiteTexel(nullptr), Vector2(0.5f, 0.5f));
}

// On the device ----------------------------------------------------------------------------

namespace {

// Quads in clip space over a 16 x 16 back buffer, drawn through the device target.
class DeviceBatchTest : public GfxTest {
protected:
    void SetUp() override {
        GfxTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        mTextured = Shader(GfxShaderStage::Pixel, "TexturedPS", kTexturedPs);
        mDevice->SetPixelShader(mTextured.get());
        mDevice->Clear(GfxClearColor | GfxClearDepth, GfxColor{0, 0, 0, 1}, 1.0f);
        mVertices = std::make_unique<GfxBuffer>(GfxBufferKind::Vertex, 64 * sizeof(Vertex));
        mIndices = std::make_unique<GfxBuffer>(GfxBufferKind::Index16, 64 * sizeof(uint16_t));
        DeviceQuadTarget::FillIndexBuffer(*mIndices);
    }

    void TearDown() override {
        mVertices.reset();
        mIndices.reset();
        mTextured.reset();
        GfxTest::TearDown();
    }

    // A texture of one colour.
    void MakeSolid(Texture& texture, Rgba color) {
        const uint8_t pixels[4] = {uint8_t(color.R), uint8_t(color.G), uint8_t(color.B), uint8_t(color.A)};
        texture.DeviceTexture = mDevice->CreateTexture(1, 1, pixels, GfxMips::One);
        texture.Width = texture.Height = 1.0f;
    }

    std::unique_ptr<GfxShader> mTextured;
    std::unique_ptr<GfxBuffer> mVertices;
    std::unique_ptr<GfxBuffer> mIndices;
};

}  // namespace

TEST_F(DeviceBatchTest, EachBatchDrawsWithItsTextureAcrossChunks) {
    Texture red;
    Texture green;
    MakeSolid(red, {255, 0, 0, 255});
    MakeSolid(green, {0, 255, 0, 255});
    QuadBatcher batcher;
    // Left column red (two quads: top and bottom), right column green; one quad per draw.
    const Vector2 half(1.0f, 1.0f);
    batcher.AddQuad(kWholeUv, &red, 0.0f, kWhite, half, Vector2(), Vector2(-0.5f, 0.5f));
    batcher.AddQuad(kWholeUv, &green, 0.0f, kWhite, Vector2(1.0f, 2.0f), Vector2(), Vector2(0.5f, 0.0f));
    batcher.AddQuad(kWholeUv, &red, 0.0f, Color(255, 255, 255, 255), half, Vector2(), Vector2(-0.5f, -0.5f));
    DeviceQuadTarget target(*mDevice, *mVertices, *mIndices, 1);
    EXPECT_EQ(target.MaxQuadsPerDraw(), 1);
    batcher.Flush(target);

    EXPECT_TRUE(Near(BackBufferPixel(3, 3), {255, 0, 0, 255}));
    EXPECT_TRUE(Near(BackBufferPixel(3, 12), {255, 0, 0, 255}));
    EXPECT_TRUE(Near(BackBufferPixel(12, 3), {0, 255, 0, 255}));
    EXPECT_TRUE(Near(BackBufferPixel(12, 12), {0, 255, 0, 255}));
}

TEST_F(DeviceBatchTest, TheQuadLimitFollowsTheSmallerBuffer) {
    DeviceQuadTarget target(*mDevice, *mVertices, *mIndices, 7281);
    EXPECT_EQ(target.MaxQuadsPerDraw(), 64 * int(sizeof(uint16_t)) / 12);
}

// The pattern is written once, with the buffer: every later flush, of any size up to the
// buffer's room, draws every one of its quads from it.
TEST_F(DeviceBatchTest, OneIndexPatternServesEveryFlush) {
    Texture red;
    Texture blue;
    MakeSolid(red, {255, 0, 0, 255});
    MakeSolid(blue, {0, 0, 255, 255});
    const Vector2 quarter(1.0f, 1.0f);
    const Vector2 corners[4] = {Vector2(-0.5f, 0.5f), Vector2(0.5f, 0.5f), Vector2(-0.5f, -0.5f), Vector2(0.5f, -0.5f)};
    const std::pair<int, int> pixels[4] = {{3, 3}, {12, 3}, {3, 12}, {12, 12}};
    QuadBatcher batcher;
    for (const Texture* texture : {&red, &blue}) {
        batcher.Reset();
        for (const Vector2& corner : corners) {
            batcher.AddQuad(kWholeUv, texture, 0.0f, kWhite, quarter, Vector2(), corner);
        }
        DeviceQuadTarget target(*mDevice, *mVertices, *mIndices, 100);
        batcher.Flush(target);
        const Rgba expected = texture == &red ? Rgba{255, 0, 0, 255} : Rgba{0, 0, 255, 255};
        for (const auto& [x, y] : pixels) {
            EXPECT_TRUE(Near(BackBufferPixel(x, y), expected)) << x << ", " << y;
        }
    }
}
