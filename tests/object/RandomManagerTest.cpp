#include <gtest/gtest.h>

#include <array>
#include <cfloat>
#include <cmath>
#include <vector>

#include "object/RandomManager.h"

namespace {

TEST(RandomManagerTest, StartsFromTheStandardDefaultSeed) {
    RandomManager random;
    std::mt19937 reference;
    EXPECT_EQ(random.Engine()(), reference());
    random.Seed(1234);
    reference.seed(1234);
    EXPECT_EQ(random.Engine()(), reference());
}

TEST(RandomManagerTest, UniformFloatFollowsTheSinglePrecisionFormula) {
    RandomManager random;
    random.Seed(99);
    std::mt19937 reference(99);
    for (int i = 0; i < 100; ++i) {
        const float expected = 2.0f + static_cast<float>(reference()) * (1.0f / 4294967296.0f) * 3.0f;
        const float v = random.UniformFloat(2.0f, 5.0f);
        if (expected < 5.0f) {
            ASSERT_EQ(v, expected);
        }
        ASSERT_GE(v, 2.0f);
        ASSERT_LT(v, 5.0f);
    }
}

TEST(RandomManagerTest, AnEmptyRangeGivesItsStartWithoutLooping) {
    RandomManager random;
    EXPECT_EQ(random.UniformFloat(3.0f, 3.0f), 3.0f);
    EXPECT_EQ(random.UniformFloat(4.0f, 1.0f), 4.0f);
    EXPECT_EQ(random.RandomPointInBox(Vector2(1.0f, 5.0f), Vector2(1.0f, 2.0f)), Vector2(1.0f, 5.0f));
    const Vector2 p = random.RandomPointInBox(Vector2(0.0f, 7.0f), Vector2(10.0f, 7.0f));
    EXPECT_EQ(p.Y, 7.0f);
    EXPECT_GE(p.X, 0.0f);
    EXPECT_LT(p.X, 10.0f);
}

// Before the guard these drew infinity or NaN for ever.
TEST(RandomManagerTest, ARangeTooWideForAFloatGivesABoundWithoutLooping) {
    RandomManager random;
    EXPECT_EQ(random.UniformFloat(-3e38f, 3e38f), -3e38f);
    EXPECT_EQ(random.UniformFloat(-FLT_MAX, FLT_MAX), -FLT_MAX);
    EXPECT_EQ(random.UniformFloat(1.0f, INFINITY), 1.0f);
    EXPECT_EQ(random.UniformFloat(-INFINITY, INFINITY), 0.0f);
    EXPECT_EQ(random.UniformFloat(-INFINITY, FLT_MAX), 0.0f);
    EXPECT_EQ(random.RandomPointInBox(Vector2(-3e38f, 0.0f), Vector2(3e38f, 0.0f)), Vector2(-3e38f, 0.0f));
    // A wide range that still fits draws as before.
    const float wide = random.UniformFloat(-1e38f, 1e38f);
    EXPECT_GE(wide, -1e38f);
    EXPECT_LT(wide, 1e38f);
}

TEST(RandomManagerTest, ChooseWeightedFollowsTheWeightsAndNeverPicksAZeroWeight) {
    RandomManager random;
    random.Seed(7);
    std::array<int, 4> counts{};
    constexpr int kDraws = 20000;
    for (int i = 0; i < kDraws; ++i) {
        ++counts[random.ChooseWeighted({0.0f, 1.0f, 0.0f, 3.0f})];
    }
    EXPECT_EQ(counts[0], 0);
    EXPECT_EQ(counts[2], 0);
    EXPECT_NEAR(static_cast<double>(counts[3]) / kDraws, 0.75, 0.02);

    // Negative weights count as zero.
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(random.ChooseWeighted({-5.0f, 2.0f}), 1);
    }
}

TEST(RandomManagerTest, ChooseWeightedWithoutPositiveWeightsGivesZero) {
    RandomManager random;
    EXPECT_EQ(random.ChooseWeighted({0.0f, 0.0f, 0.0f}), 0);
    EXPECT_EQ(random.ChooseWeighted(std::span<const float>()), 0);
}

TEST(RandomManagerTest, RandomSignSplitsTheEngineValuesEvenly) {
    RandomManager random;
    random.Seed(3);
    std::mt19937 reference(3);
    int positives = 0;
    for (int i = 0; i < 1000; ++i) {
        const float sign = random.RandomSign();
        ASSERT_EQ(sign, reference() < 2147483648u ? 1.0f : -1.0f);
        positives += sign > 0.0f ? 1 : 0;
    }
    EXPECT_GT(positives, 400);
    EXPECT_LT(positives, 600);
}

}  // namespace
