#include "tools/atlas/TextureAtlas.h"
#include "tools/draw/Sdf.h"
#include "tools/draw/SpriteCanvas.h"
#include "tools/io/IcoEncoder.h"

#include <gtest/gtest.h>

namespace qv::tools {
namespace {

TEST(Sdf, DistancesAreNegativeInsideAndMeasureToTheEdge) {
    EXPECT_NEAR(Circle({1, 0}, 0.5f)({1, 0}), -0.5f, 1e-6f);
    EXPECT_NEAR(Circle({1, 0}, 0.5f)({3, 0}), 1.5f, 1e-6f);
    EXPECT_NEAR(RoundBox({0, 0}, {1, 0.5f}, 0)({2, 0}), 1.0f, 1e-6f);
    const Sdf triangle = Polygon({{0, 0}, {1, 0}, {0, 1}});
    EXPECT_LT(triangle({0.2f, 0.2f}), 0);
    EXPECT_GT(triangle({0.8f, 0.8f}), 0);
    EXPECT_NEAR(Subtract(Circle({0, 0}, 1), Circle({0, 0}, 0.5f))({0, 0}), 0.5f, 1e-6f);
    EXPECT_NEAR(Outline(Circle({0, 0}, 1), 0.1f)({1, 0}), -0.1f, 1e-6f);
    EXPECT_THROW(Polygon({{0, 0}, {1, 0}}), std::invalid_argument);
}

TEST(SpriteCanvas, EdgesAreAntiAliasedAndUpIsPlusY) {
    SpriteCanvas canvas(16, 16);
    // The upper half of the frame, its lower edge through the centre of pixel row 7.
    canvas.Fill(RoundBox({0, 0.5f + 1.0f / 16}, {2, 0.5f}, 0), Solid({1, 1, 1, 1}));
    const Image8 image = canvas.ColourImage();
    EXPECT_EQ(image.At(8, 0)[3], 255) << "top row is +Y";
    EXPECT_EQ(image.At(8, 15)[3], 0);
    const int edge = image.At(8, 7)[3];  // row 7's centre lies on the edge
    EXPECT_GT(edge, 64);
    EXPECT_LT(edge, 192);
}

TEST(TextureAtlas, TransparentTexelsTakeTheirNeighboursColour) {
    Image8 image(4, 1);
    std::uint8_t* red = image.At(0, 0);
    red[0] = 200, red[3] = 255;
    BleedColourIntoTransparent(image, 2);
    EXPECT_EQ(image.At(1, 0)[0], 200);
    EXPECT_EQ(image.At(1, 0)[3], 0) << "alpha stays transparent";
    EXPECT_EQ(image.At(2, 0)[0], 200);
    EXPECT_EQ(image.At(3, 0)[0], 0) << "two passes reach two texels";
    EXPECT_EQ(OpaqueBounds(image).Width, 1);
}

TEST(IcoEncoder, WritesOneBitmapEntryWithAlphaAndMask) {
    Image8 image(32, 32);
    image.At(0, 0)[3] = 255;
    const Bytes ico = EncodeIco(image);
    ASSERT_EQ(ico.size(), 6u + 16u + 40u + 32u * 32u * 4u + 32u * 4u);
    EXPECT_EQ(ico[2], 1) << "type icon";
    EXPECT_EQ(ico[4], 1) << "one image";
    EXPECT_EQ(ico[6], 32);
    EXPECT_EQ(ico[12], 32) << "32 bits per pixel";
    EXPECT_EQ(ico[22 + 8], 64) << "bitmap height counts colour and mask rows";
    // The top-left pixel is the first of the last stored row, and only it is opaque.
    const std::size_t lastRow = 22 + 40 + 31 * 32 * 4;
    EXPECT_EQ(ico[lastRow + 3], 255);
    EXPECT_EQ(ico[22 + 40 + 3], 0);
    EXPECT_THROW(EncodeIco(Image8(300, 16)), std::invalid_argument);
}

}  // namespace
}  // namespace qv::tools
