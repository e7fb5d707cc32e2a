#include <gtest/gtest.h>

#include <box2d/box2d.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "object/NumberText.h"
#include "physics/B2ShapeText.h"

namespace {

std::string RoundTrip(const std::string& text) {
    const std::optional<B2ShapeDesc> shape = ParseShapeText(text);
    return shape ? FormatShapeText(*shape) : "<rejected>";
}

TEST(B2ShapeTextTest, WrittenFormsReadBackUnchanged) {
    for (const char* text : {"Box 0.5 0.25", "Box 1 0.5", "Polygon 0 0 1 0 0 1", "Circle 0.75",
                             "Polygon -1 -0.5 1 -0.5 1 0.5 -1 0.5", "Circle 0.100000001", "Box 1000 2"}) {
        EXPECT_EQ(RoundTrip(text), text);
    }
}

TEST(B2ShapeTextTest, ReadsWhatTheKindNeedsAndIgnoresTheRest) {
    EXPECT_EQ(RoundTrip("Circle 2 3"), "Circle 2");
    EXPECT_EQ(RoundTrip("Polygon 0 0 1 0 0 1 5"), "Polygon 0 0 1 0 0 1");
    EXPECT_EQ(RoundTrip("Box 1 0.5 9"), "Box 1 0.5");
    // Any white space separates; trailing space is allowed.
    EXPECT_EQ(RoundTrip("Box\t1   0.5 \n"), "Box 1 0.5");
    EXPECT_EQ(RoundTrip("Box +1 5e-1"), "Box 1 0.5");

    const std::optional<B2ShapeDesc> box = ParseShapeText("Box 1 0.5");
    ASSERT_TRUE(box);
    EXPECT_EQ(box->ShapeKind, B2ShapeDesc::Kind::Box);
    EXPECT_EQ(box->HalfWidth, 1.0f);
    EXPECT_EQ(box->HalfHeight, 0.5f);
}

TEST(B2ShapeTextTest, EdgeAndChainAreReadButMakeNoShape) {
    for (const char* text : {"Edge 0 0 1 1", "Chain 0 0 1 1 2 0"}) {
        const std::optional<B2ShapeDesc> shape = ParseShapeText(text);
        ASSERT_TRUE(shape) << text;
        EXPECT_FALSE(shape->MakesShape());
        EXPECT_EQ(MakeB2Shape(*shape), nullptr);
    }
    EXPECT_FALSE(ParseShapeText("Edge 0 x"));
}

TEST(B2ShapeTextTest, RejectsTextThatIsNoShape) {
    for (const char* text : {"", "Box", "Box ", "box 1 1", "BOX 1 1", " Box 1 1", "Box1 1", "Sphere 1", "Box 1,1",
                             "Box 1", "Polygon", "Circle"}) {
        EXPECT_FALSE(ParseShapeText(text)) << '"' << text << '"';
    }
}

TEST(B2ShapeTextTest, RejectsTokensThatAreNoFiniteFloat) {
    for (const char* text : {"Box 1-2 1", "Box e 1", "Box . 1", "Box 1 nan", "Box inf 1", "Box 1e39 1", "Circle 0x10",
                             "Circle 1..2", "Polygon 0 0 1 0 0 one"}) {
        EXPECT_FALSE(ParseShapeText(text)) << '"' << text << '"';
    }
}

TEST(B2ShapeTextTest, RejectsSizesThatAreNotPositive) {
    for (const char* text : {"Box 0 1", "Box 1 0", "Box -1 1", "Box 1 -0.5", "Circle 0", "Circle -2", "Circle -0"}) {
        EXPECT_FALSE(ParseShapeText(text)) << '"' << text << '"';
    }
}

TEST(B2ShapeTextTest, RejectsPolygonsBox2dCannotBuild) {
    const char* bad[] = {
        "Polygon 0 0 1 0",                                  // two vertices
        "Polygon 0 0 1 0 1",                                // the odd number leaves two
        "Polygon 1 0 2 0 3 1 3 2 2 3 1 3 0 2 0 1 0.5 0.5",  // nine
        "Polygon 0 0 0 1 1 0",                              // clockwise
        "Polygon 0 0 1 0 2 0",                              // collinear: no area
        "Polygon 0 0 2 0 1 0.5 2 2 0 2",                    // dented
        "Polygon 0 0 1 0 1 0 0 1",                          // a repeated vertex
        "Polygon 0 0 0.001 0 0 0.001",                      // Box2D would weld these points
        "Polygon 0 0 1 0 0.5 0.00000001",                   // a sliver of no usable area
        // A pentagram turns left at every corner but winds twice.
        "Polygon 1 0 -0.809017 0.587785 0.309017 -0.951057 0.309017 0.951057 -0.809017 -0.587785",
        "Box 0.0001 0.0001",  // too small for Box2D's mass computation
    };
    for (const char* text : bad) {
        EXPECT_FALSE(ParseShapeText(text)) << '"' << text << '"';
    }
}

// Text that passed the checks in double precision but made Box2D assert, or build a
// different shape, once it worked in float.
TEST(B2ShapeTextTest, RejectsShapesBox2dCannotHandleInFloat) {
    const char* bad[] = {
        "Box 1 3.4e38",                                         // the area overflows
        "Circle 1e20",                                          // the mass overflows
        "Polygon -3e38 -3e38 3e38 -3e38 3e38 3e38 -3e38 3e38",  // so do the cross products
        "Box 1000.1 1",
        "Circle 1000.1",
        "Polygon 0 0 1001 0 0 1",  // beyond any level
        "Circle 0.0001",           // an area below the epsilon
        // Small and far from the body's origin: the inertia cancels away.
        "Polygon 999 999 999.1 999 999.1 999.1 999 999.1",
        "Polygon 500 500 500.05 500 500.05 500.05 500 500.05",
        // Convex in double, but Box2D's float hull drops the second vertex.
        "Polygon 42.8574066 -7.40170479 13.941453 3.82288384 1.18511963 8.77463341 -14.9912186 -32.8976517",
    };
    for (const char* text : bad) {
        const std::optional<B2ShapeDesc> shape = ParseShapeText(text);
        EXPECT_FALSE(shape) << '"' << text << '"';
    }
    B2ShapeDesc huge;
    huge.ShapeKind = B2ShapeDesc::Kind::Circle;
    huge.Radius = 1e20f;
    EXPECT_EQ(MakeB2Shape(huge), nullptr);
    huge.ShapeKind = B2ShapeDesc::Kind::Box;
    huge.HalfWidth = 1.0f;
    huge.HalfHeight = 3.4e38f;
    EXPECT_EQ(MakeB2Shape(huge), nullptr);
}

TEST(B2ShapeTextTest, AcceptsShapesUpToTheEdgeOfTheLevelRange) {
    for (const char* text : {"Box 1000 1000", "Circle 1000", "Polygon 990 990 1000 990 1000 1000 990 1000",
                             "Circle 0.0009765625", "Box 0.015625 0.015625", "Polygon 10 10 10.125 10 10.125 10.125"}) {
        EXPECT_EQ(RoundTrip(text), text);
    }
}

TEST(B2ShapeTextTest, AcceptsEightVerticesAndMakesTheShapeAsWritten) {
    const std::optional<B2ShapeDesc> octagon = ParseShapeText("Polygon 1 0 2 0 3 1 3 2 2 3 1 3 0 2 0 1");
    ASSERT_TRUE(octagon);
    ASSERT_EQ(octagon->Vertices.size(), 8u);
    const std::unique_ptr<b2Shape> shape = MakeB2Shape(*octagon);
    ASSERT_NE(shape, nullptr);
    ASSERT_EQ(shape->GetType(), b2Shape::e_polygon);
    EXPECT_EQ(static_cast<const b2PolygonShape&>(*shape).m_count, 8);

    const std::unique_ptr<b2Shape> circle = MakeB2Shape(*ParseShapeText("Circle 2"));
    ASSERT_EQ(circle->GetType(), b2Shape::e_circle);
    EXPECT_EQ(circle->m_radius, 2.0f);
    EXPECT_EQ(static_cast<const b2CircleShape&>(*circle).m_p, b2Vec2(0.0f, 0.0f));
}

TEST(B2ShapeTextTest, ABoxAsAPolygonHasItsCornersInBox2dOrder) {
    const B2ShapeDesc polygon = ParseShapeText("Box 1 0.5")->AsPolygon();
    EXPECT_EQ(FormatShapeText(polygon), "Polygon -1 -0.5 1 -0.5 1 0.5 -1 0.5");
    const std::unique_ptr<b2Shape> shape = MakeB2Shape(*ParseShapeText("Box 1 0.5"));
    const auto& box = static_cast<const b2PolygonShape&>(*shape);
    ASSERT_EQ(box.m_count, 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(box.m_vertices[i].x, polygon.Vertices[i].X);
        EXPECT_EQ(box.m_vertices[i].y, polygon.Vertices[i].Y);
    }
}

// Whatever the parser accepts, Box2D builds without an assertion and without dropping
// or welding a vertex; and the text reads back unchanged.
TEST(B2ShapeTextTest, EveryAcceptedRandomPolygonBuildsWithAllItsVertices) {
    std::mt19937 random(20240607);
    std::uniform_int_distribution<int> counts(3, 8);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    int accepted = 0;
    int rejected = 0;
    for (int trial = 0; trial < 4000; ++trial) {
        const int count = counts(random);
        // From tiny (near Box2D's weld distance) to large, with some angles out of order.
        const float scale = std::pow(10.0f, -3.0f + 4.0f * unit(random));
        std::vector<float> angles(static_cast<size_t>(count));
        for (float& a : angles) {
            a = unit(random) * 6.2831853f;
        }
        if (trial % 4 != 0) {
            std::sort(angles.begin(), angles.end());
        }
        std::string text = "Polygon";
        for (float a : angles) {
            const float r = scale * (0.5f + unit(random));
            text += " " + FloatToText(r * std::cos(a)) + " " + FloatToText(r * std::sin(a));
        }
        const std::optional<B2ShapeDesc> desc = ParseShapeText(text);
        if (!desc) {
            ++rejected;
            continue;
        }
        ++accepted;
        EXPECT_EQ(FormatShapeText(*desc), text);
        const std::unique_ptr<b2Shape> shape = MakeB2Shape(*desc);
        ASSERT_NE(shape, nullptr) << text;
        EXPECT_EQ(static_cast<const b2PolygonShape&>(*shape).m_count, count) << text;
    }
    // Both branches were exercised.
    EXPECT_GT(accepted, 500);
    EXPECT_GT(rejected, 500);
}

}  // namespace
