#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "render/ShadowBlur.h"

namespace {

TEST(ShadowBlurTest, DefaultRadiusGivesTheGaussianWeights) {
    const auto weights = ShadowBlur::Weights(3.0f);
    EXPECT_NEAR(weights[0], 0.132981f, 1e-6f);
    EXPECT_NEAR(weights[1], 0.125794f, 1e-6f);
    EXPECT_NEAR(weights[2], 0.106483f, 1e-6f);
    EXPECT_NEAR(weights[3], 0.080657f, 1e-6f);
}

TEST(ShadowBlurTest, RadiusOfZeroOrLessLeavesTheCoverageUnblurred) {
    for (float radius : {0.0f, -2.0f, std::numeric_limits<float>::quiet_NaN()}) {
        const auto weights = ShadowBlur::Weights(radius);
        EXPECT_EQ(weights[0], 1.0f) << radius;
        EXPECT_EQ(weights[1], 0.0f) << radius;
        EXPECT_EQ(weights[2], 0.0f) << radius;
        EXPECT_EQ(weights[3], 0.0f) << radius;
    }
    // A small positive radius is still a Gaussian: all weight near the centre.
    const auto narrow = ShadowBlur::Weights(0.5f);
    EXPECT_GT(narrow[0], narrow[1]);
    EXPECT_LT(narrow[3], 1e-6f);
}

TEST(ShadowBlurTest, TargetsAreTheReducedScreenTruncated) {
    EXPECT_EQ(ShadowBlur::TargetSizeFor(1280, 720, 0.25f), (ShadowBlur::TargetSize{320, 180}));
    EXPECT_EQ(ShadowBlur::TargetSizeFor(1366, 768, 0.25f), (ShadowBlur::TargetSize{341, 192}));
    EXPECT_EQ(ShadowBlur::TargetSizeFor(1280, 720, 1.0f), (ShadowBlur::TargetSize{1280, 720}));
}

TEST(ShadowBlurTest, TargetsAreNeverSmallerThanOneTexel) {
    for (float reduction : {0.0f, -0.5f, 0.0001f, std::numeric_limits<float>::quiet_NaN()}) {
        EXPECT_EQ(ShadowBlur::TargetSizeFor(1280, 720, reduction), (ShadowBlur::TargetSize{1, 1})) << reduction;
    }
    // One side may reach 1 before the other.
    EXPECT_EQ(ShadowBlur::TargetSizeFor(1280, 720, 0.001f), (ShadowBlur::TargetSize{1, 1}));
    EXPECT_EQ(ShadowBlur::TargetSizeFor(1280, 720, 0.002f), (ShadowBlur::TargetSize{2, 1}));
}

TEST(ShadowBlurTest, HugeReductionsStayWithinTextureSizes) {
    const auto size = ShadowBlur::TargetSizeFor(1280, 720, std::numeric_limits<float>::infinity());
    EXPECT_EQ(size.Width, 16384);
    EXPECT_EQ(size.Height, 16384);
}

}  // namespace
