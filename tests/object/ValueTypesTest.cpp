#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "object/NumberText.h"
#include "object/Rect.h"
#include "object/Vector2.h"

namespace {

TEST(Vector2Test, CompoundOperatorsChangeInPlaceAndReturnTheNewValue) {
    Vector2 v(1.0f, 1.0f);
    const Vector2 afterAdd = (v += Vector2(2.0f, 3.0f));
    EXPECT_EQ(afterAdd, Vector2(3.0f, 4.0f));
    const Vector2 afterSub = (v -= Vector2(1.0f, 1.0f));
    EXPECT_EQ(afterSub, Vector2(2.0f, 3.0f));
    v *= 2.0f;
    EXPECT_EQ(v, Vector2(4.0f, 6.0f));
    v /= 4.0f;
    EXPECT_EQ(v, Vector2(1.0f, 1.5f));
}

TEST(Vector2Test, RotateTurnsPositiveXTowardsPositiveY) {
    const Vector2 turned = Vector2::Rotate(Vector2(1.0f, 0.0f), std::numbers::pi_v<float> / 2.0f);
    EXPECT_NEAR(turned.X, 0.0f, 1e-6f);
    EXPECT_NEAR(turned.Y, 1.0f, 1e-6f);

    const Vector2 back = Vector2::Rotate(Vector2(2.0f, 3.0f), -std::numbers::pi_v<float>);
    EXPECT_NEAR(back.X, -2.0f, 1e-5f);
    EXPECT_NEAR(back.Y, -3.0f, 1e-5f);

    const Vector2 unit = Vector2::FromAngle(1.0f);
    EXPECT_FLOAT_EQ(unit.X, std::cos(1.0f));
    EXPECT_FLOAT_EQ(unit.Y, std::sin(1.0f));
}

TEST(RectTest, ContainsTheMinimumEdgesButNotTheMaximumEdges) {
    const Rect r(10.0f, 20.0f, 5.0f, 4.0f);
    EXPECT_TRUE(r.Contains(Vector2(10.0f, 20.0f)));
    EXPECT_TRUE(r.Contains(Vector2(14.9f, 23.9f)));
    EXPECT_FALSE(r.Contains(Vector2(15.0f, 22.0f)));
    EXPECT_FALSE(r.Contains(Vector2(12.0f, 24.0f)));
    EXPECT_FALSE(r.Contains(Vector2(9.99f, 22.0f)));
    EXPECT_FALSE(Rect().Contains(Vector2()));
}

TEST(FloatToStringTest, WritesTwoDecimalsRoundedToNearest) {
    EXPECT_EQ(FloatToString(1.5f), "1.50");
    EXPECT_EQ(FloatToString(-2.0f), "-2.00");
    EXPECT_EQ(FloatToString(0.004f), "0.00");
    // The float nearest to 2.005 lies slightly above it.
    EXPECT_EQ(FloatToString(2.005f), "2.01");
    EXPECT_EQ(FloatToString(123456.789f), "123456.79");
}

}  // namespace
