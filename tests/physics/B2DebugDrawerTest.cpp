#include <gtest/gtest.h>

#include <box2d/box2d.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "physics/B2DebugDrawer.h"

namespace {

struct Outline {
    std::vector<Vector2> Points;
    Color Colour;
    bool Closed;
};

// Keeps every outline; pixels as the world camera gives them at 1280 pixels across.
class RecordingTarget final : public DebugDrawTarget {
public:
    void DrawOutline(const Vector2* points, int count, Color color, bool closed) override {
        Outlines.push_back({std::vector<Vector2>(points, points + count), color, closed});
    }
    float WorldUnitsPerPixel() const override { return 40.0f / 1280.0f; }

    std::vector<Outline> Outlines;
};

constexpr Color kRed{255, 0, 0, 255};
constexpr Color kGreen{0, 255, 0, 255};
constexpr Color kWhite{255, 255, 255, 255};

class B2DebugDrawerTest : public ::testing::Test {
protected:
    RecordingTarget Target;
    B2DebugDrawer Drawer{Target};
};

TEST_F(B2DebugDrawerTest, ColoursBecomeOpaqueBytesTruncated) {
    EXPECT_EQ(ToColor(b2Color(1.0f, 0.5f, 0.0f)), Color(255, 127, 0, 255));
    EXPECT_EQ(ToColor(b2Color(0.9f, 0.7f, 0.3f, 0.0f)), Color(229, 178, 76, 255));
    // Out of range parts are held to the byte range.
    EXPECT_EQ(ToColor(b2Color(2.0f, -1.0f, 1.0f)), Color(255, 0, 255, 255));
}

TEST_F(B2DebugDrawerTest, PolygonsAreClosedOutlinesAndSegmentsOpen) {
    const b2Vec2 triangle[3] = {{0.0f, 0.0f}, {1.0f, 0.0f}, {0.0f, 1.0f}};
    Drawer.DrawSolidPolygon(triangle, 3, b2Color(0.0f, 1.0f, 0.0f));
    Drawer.DrawSegment(b2Vec2(1.0f, 2.0f), b2Vec2(3.0f, 4.0f), b2Color(1.0f, 1.0f, 1.0f));
    Drawer.DrawTransform(b2Transform(b2Vec2(1.0f, 1.0f), b2Rot(0.5f)));

    ASSERT_EQ(Target.Outlines.size(), 2u);
    EXPECT_EQ(Target.Outlines[0].Points, (std::vector<Vector2>{{0.0f, 0.0f}, {1.0f, 0.0f}, {0.0f, 1.0f}}));
    EXPECT_TRUE(Target.Outlines[0].Closed);
    EXPECT_EQ(Target.Outlines[0].Colour, kGreen);
    EXPECT_EQ(Target.Outlines[1].Points, (std::vector<Vector2>{{1.0f, 2.0f}, {3.0f, 4.0f}}));
    EXPECT_FALSE(Target.Outlines[1].Closed);
}

TEST_F(B2DebugDrawerTest, ACircleIsAnOctagonFromPlusX) {
    Drawer.DrawSolidCircle(b2Vec2(1.0f, 2.0f), 2.0f, b2Vec2(1.0f, 0.0f), b2Color(1.0f, 0.0f, 0.0f));
    ASSERT_EQ(Target.Outlines.size(), 1u);
    const Outline& octagon = Target.Outlines[0];
    ASSERT_EQ(octagon.Points.size(), 8u);
    EXPECT_TRUE(octagon.Closed);
    EXPECT_EQ(octagon.Colour, kRed);
    EXPECT_EQ(octagon.Points[0], Vector2(3.0f, 2.0f));
    EXPECT_EQ(octagon.Points[2], Vector2(1.0f, 4.0f));
    EXPECT_EQ(octagon.Points[4], Vector2(-1.0f, 2.0f));
    EXPECT_EQ(octagon.Points[6], Vector2(1.0f, 0.0f));
    EXPECT_FLOAT_EQ(octagon.Points[1].X, 1.0f + 2.0f * 0.70710677f);
    EXPECT_FLOAT_EQ(octagon.Points[7].Y, 2.0f - 2.0f * 0.70710677f);
}

TEST_F(B2DebugDrawerTest, MarkedPointsAreThreePixelSquaresColouredBySelection) {
    Drawer.Points = {{0.0f, 0.0f}, {1.0f, 1.0f}, {2.0f, 0.0f}};
    Drawer.SelectedPoint = 0;
    Drawer.DrawMarkedPoints();
    Drawer.SelectedPoint = -1;
    Drawer.DrawMarkedPoints();
    Drawer.SelectedPoint = 2;
    Drawer.DrawMarkedPoints();

    std::vector<Color> colours;
    for (const Outline& outline : Target.Outlines) {
        colours.push_back(outline.Colour);
    }
    EXPECT_EQ(colours, (std::vector<Color>{kRed, kWhite, kWhite, kGreen, kWhite, kWhite, kGreen, kWhite, kRed}));

    // Half of three pixels of a 40-unit view 1280 pixels wide.
    const float s = 40.0f / 1280.0f * 3.0f * 0.5f;
    const Outline& second = Target.Outlines[1];
    EXPECT_TRUE(second.Closed);
    EXPECT_EQ(
        second.Points,
        (std::vector<Vector2>{{1.0f - s, 1.0f + s}, {1.0f - s, 1.0f - s}, {1.0f + s, 1.0f - s}, {1.0f + s, 1.0f + s}}));
}

TEST_F(B2DebugDrawerTest, TheWorldsDebugDrawOutlinesEveryShape) {
    b2World world(b2Vec2(0.0f, -10.0f));
    world.SetDebugDraw(&Drawer);
    Drawer.SetFlags(b2Draw::e_shapeBit);

    b2BodyDef def;
    def.position.Set(5.0f, 0.0f);
    b2PolygonShape box;
    box.SetAsBox(1.0f, 0.5f);
    world.CreateBody(&def)->CreateFixture(&box, 1.0f);
    def.position.Set(-5.0f, 0.0f);
    b2CircleShape circle;
    circle.m_radius = 2.0f;
    world.CreateBody(&def)->CreateFixture(&circle, 1.0f);

    world.DebugDraw();
    ASSERT_EQ(Target.Outlines.size(), 2u);
    std::vector<size_t> sizes = {Target.Outlines[0].Points.size(), Target.Outlines[1].Points.size()};
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, (std::vector<size_t>{4u, 8u}));
    for (const Outline& outline : Target.Outlines) {
        EXPECT_TRUE(outline.Closed);
        EXPECT_EQ(outline.Colour.A, 255);
        for (const Vector2& p : outline.Points) {
            EXPECT_LE(std::abs(std::abs(p.X) - 5.0f), 2.0f + 1e-5f);
        }
    }
}

}  // namespace
