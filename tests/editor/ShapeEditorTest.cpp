#include <gtest/gtest.h>

#include <box2d/box2d.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "EditorTestSupport.h"
#include "PhysicsTestSupport.h"
#include "editor/EditorState.h"
#include "editor/palettes/EdPalMainBhv.h"
#include "editor/palettes/EdPalObjectEditBhv.h"
#include "editor/tools/EdCameraMoverBhv.h"
#include "editor/tools/EdShapeEditorBhv.h"
#include "editor/tools/ShapeHandles.h"
#include "editor/widgets/EdFieldBhv.h"
#include "editor/widgets/EdListItemBhv.h"
#include "editor/widgets/EdPropertyRowBhv.h"
#include "physics/B2BodyCmp.h"
#include "physics/B2DebugDrawer.h"
#include "physics/B2FixtureCmp.h"

namespace {

TEST(ShapeHandlesTest, EditsStayWithinWhatBox2dBuilds) {
    // Extra numbers go on the first rewrite; an untouched shape writes its own text.
    EXPECT_EQ(ShapeHandles("Box 0.5 0.25 9").ToText(), "Box 0.5 0.25");
    EXPECT_EQ(ShapeHandles("Polygon 0 0 1 0 1 1 0 1").ToText(), "Polygon 0 0 1 0 1 1 0 1");
    EXPECT_EQ(ShapeHandles("Circle 0.75").ToText(), "Circle 0.75");
    EXPECT_TRUE(ShapeHandles("Polygon 0 0 1").IsEmpty());
    EXPECT_TRUE(ShapeHandles("Box -1 x").IsEmpty());
    EXPECT_EQ(ShapeHandles("Box -1 x").ToText(), "");

    ShapeHandles triangle("Polygon 0 0 1 0 0 1");
    triangle.Delete(1);
    EXPECT_EQ(triangle.ToText(), "Polygon 0 0 1 0 0 1");
    // With nothing highlighted the new vertex comes first.
    triangle.Insert(-1, {-0.5f, 0.5f});
    EXPECT_EQ(triangle.ToText(), "Polygon -0.5 0.5 0 0 1 0 0 1");
    triangle.Delete(0);
    EXPECT_EQ(triangle.ToText(), "Polygon 0 0 1 0 0 1");

    // An octagon takes no ninth vertex.
    ShapeHandles octagon("Polygon 1 0 0.7 0.7 0 1 -0.7 0.7 -1 0 -0.7 -0.7 0 -1 0.7 -0.7");
    ASSERT_EQ(octagon.Points().size(), 8u);
    octagon.Insert(7, {0.95f, -0.4f});
    EXPECT_EQ(octagon.ToText(), "");

    // Concave, collapsed: no text, so the caller keeps the last one.
    ShapeHandles square("Polygon 0 0 1 0 1 1 0 1");
    square.Move(2, {0.3f, 0.3f});
    EXPECT_EQ(square.ToText(), "");
    square.Move(2, {0.5f, 0.5f});
    EXPECT_EQ(square.ToText(), "");

    // A box dragged across its centre keeps positive extents; a flat one is refused.
    ShapeHandles box("Box 1 1");
    box.Move(0, {-2.0f, 0.3f});
    EXPECT_EQ(box.ToText(), "Box 2 1");
    box.Move(1, {0.0f, 0.0f});
    EXPECT_EQ(box.ToText(), "");
    ShapeHandles circle("Circle 1");
    EXPECT_EQ(circle.Nearest({5.0f, 5.0f}), 0);
    circle.Move(0, {0.0f, -3.0f});
    EXPECT_EQ(circle.ToText(), "Circle 3");
}

// The drawer's marked points are what the tests look at; outlines go nowhere.
class RecordingTarget : public DebugDrawTarget {
public:
    void DrawOutline(const Vector2*, int, Color, bool) override {}
    float WorldUnitsPerPixel() const override { return 0.05f; }
};

// The editor root with its tools, over a physics world, and a real wall in the level.
class ShapeEditorTest : public EditorContentTest {
protected:
    ShapeEditorTest() : Drawer(Target) {
        gB2DebugDrawer = &Drawer;
        WritePrefab("Tst_Crate", R"({ "B2BodyCmp": { "Type": "0" }, "B2FixtureCmp": { "Shape": "Box 1 1" } })");
        WritePrefab("Tst_BadCrate", R"({ "B2BodyCmp": "", "B2FixtureCmp": { "Shape": "Polygon 0 0 1 1" } })");
        LoadContent();
        EdRoot = Build("EdRoot");
        Tap(Key::F11);
        Editor = gEditorState->ShapeEditor;
        Wall = new GameObject("Wall");
        GameplayRoot->AddChild(Wall);
        Body = Wall->GetComponent<B2BodyCmp>();
        Fixture = Wall->GetComponent<B2FixtureCmp>();
        Body->SetPos({5.0f, 3.0f});
    }
    ~ShapeEditorTest() override {
        Wall->Destroy();
        FlushDeleteQueues();
        gB2DebugDrawer = nullptr;
    }

    // The wall selected, its fixture's row clicked in the inspector, then Ctrl+E.
    void BeginThroughInspector() {
        gEditorState->SelectObject(Wall);
        Pass();
        const EdPalObjectEditBhv* inspector = gEditorState->ObjectEditPalette;
        ASSERT_NE(inspector, nullptr);
        const EdPropertyRowBhv* fixtureRow = nullptr;
        for (const EdPropertyRowBhv* row : inspector->Rows) {
            fixtureRow = row->Label == "B2FixtureCmp:" ? row : fixtureRow;
        }
        ASSERT_NE(fixtureRow, nullptr);
        const Rect& label = fixtureRow->LabelItem->Rect;
        Click({label.X + label.Width / 2.0f, label.Y + label.Height / 2.0f});
        Tap(Key::E, {Key::Ctrl});
    }

    // A mouse drag in world units: press at from, move to to, release.
    void Drag(Vector2 from, Vector2 to) {
        Mouse = from;
        Pass();
        Pass({Key::LeftMouse});
        Mouse = to;
        Pass({Key::LeftMouse});
        Pass();
    }

    // The fixture's polygon within float noise of the turned frame.
    void ExpectPolygon(const std::vector<Vector2>& expected) const {
        const std::optional<B2ShapeDesc> shape = ParseShapeText(Fixture->ShapeToString());
        ASSERT_TRUE(shape.has_value());
        ASSERT_EQ(shape->Vertices.size(), expected.size()) << Fixture->ShapeToString();
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_TRUE(Near(shape->Vertices[i], expected[i])) << Fixture->ShapeToString();
        }
    }

    static bool Near(Vector2 a, Vector2 b) { return std::fabs(a.X - b.X) < 1e-4f && std::fabs(a.Y - b.Y) < 1e-4f; }

    RecordingTarget Target;
    B2DebugDrawer Drawer;
    ScopedPhysicsWorld World;
    GameObject* EdRoot = nullptr;
    EdShapeEditorBhv* Editor = nullptr;
    GameObject* Wall = nullptr;
    B2BodyCmp* Body = nullptr;
    B2FixtureCmp* Fixture = nullptr;
};

TEST_F(ShapeEditorTest, CtrlEEditsTheWallsBoxAndEscRestoresIt) {
    ASSERT_NE(Editor, nullptr);
    EXPECT_EQ(Editor->Owner->InputEnabled, 0);
    EXPECT_EQ(Editor->Owner->DrawEnabled, 0);
    BeginThroughInspector();
    ASSERT_TRUE(Editor->IsEditing());
    EXPECT_EQ(gEditorState->ToolEngaged, 1);
    EXPECT_EQ(Editor->Owner->UpdateEnabled, 1);
    // The editor camera took over and the level stopped.
    EXPECT_TRUE(Editor->Owner->GetComponent<EdCameraMoverBhv>()->IsEngaged());
    EXPECT_EQ(GameplayRoot->UpdateEnabled, 0);

    Mouse = {6.2f, 3.1f};
    Pass();
    ASSERT_EQ(Drawer.Points.size(), 2u);
    EXPECT_TRUE(Near(Drawer.Points[0], {6.0f, 3.0f}));
    EXPECT_TRUE(Near(Drawer.Points[1], {5.0f, 4.0f}));
    EXPECT_EQ(Drawer.SelectedPoint, 0);

    Drag({6.0f, 3.0f}, {7.5f, 3.0f});
    EXPECT_EQ(Fixture->ShapeToString(), "Box 2.5 1");
    // The live fixture was rebuilt from the text.
    const auto* polygon = static_cast<const b2PolygonShape*>(Fixture->Fixture->GetShape());
    EXPECT_FLOAT_EQ(polygon->m_vertices[1].x, 2.5f);

    // Handles stay where the body was at the start.
    Body->SetPos({0.0f, 0.0f});
    Pass();
    EXPECT_TRUE(Near(Drawer.Points[0], {7.5f, 3.0f}));

    Tap(Key::Esc);
    EXPECT_FALSE(Editor->IsEditing());
    EXPECT_EQ(Fixture->ShapeToString(), "Box 1 1");
    EXPECT_EQ(gEditorState->ToolEngaged, 0);
    EXPECT_EQ(Editor->Owner->InputEnabled, 0);
    EXPECT_TRUE(Drawer.Points.empty());
    EXPECT_EQ(Drawer.SelectedPoint, -1);
    EXPECT_FALSE(Editor->Owner->GetComponent<EdCameraMoverBhv>()->IsEngaged());
    EXPECT_EQ(GameplayRoot->UpdateEnabled, 1);

    // A fixture without a body (a prefab's) does not start editing.
    B2FixtureCmp loose;
    gEditorState->BeginShapeEditing(&loose);
    EXPECT_FALSE(Editor->IsEditing());
}

TEST_F(ShapeEditorTest, PolygonVerticesAreDraggedInsertedAndDeletedOnlyIntoValidShapes) {
    Body->SetAngle(static_cast<float>(M_PI) / 2.0f);
    Fixture->SetShape("Polygon -1 -1 1 -1 1 1 -1 1");
    BeginThroughInspector();
    ASSERT_TRUE(Editor->IsEditing());
    // Local (1, 1) is world (4, 4) on the turned wall.
    EXPECT_TRUE(Near(Editor->ToWorld({1.0f, 1.0f}), {4.0f, 4.0f}));
    EXPECT_TRUE(Near(Editor->ToLocal({4.0f, 4.0f}), {1.0f, 1.0f}));

    // Dragging local (1, 1) inward past the diagonal would make it concave: refused.
    Drag(Editor->ToWorld({1.0f, 1.0f}), Editor->ToWorld({-0.5f, -0.5f}));
    ExpectPolygon({{-1, -1}, {1, -1}, {1, 1}, {-1, 1}});
    // Outward it is taken.
    Drag(Editor->ToWorld({1.0f, 1.0f}), Editor->ToWorld({2.0f, 2.0f}));
    ExpectPolygon({{-1, -1}, {1, -1}, {2, 2}, {-1, 1}});

    // Insert after the highlighted vertex (local (1, -1)), at the mouse.
    Mouse = Editor->ToWorld({1.5f, 0.0f});
    Pass();
    EXPECT_EQ(Drawer.SelectedPoint, 1);
    Tap(Key::Insert);
    ExpectPolygon({{-1, -1}, {1, -1}, {1.5f, 0}, {2, 2}, {-1, 1}});
    EXPECT_EQ(Drawer.Points.size(), 5u);

    // Delete down to a triangle, then no further.
    Mouse = Editor->ToWorld({1.5f, 0.0f});
    Tap(Key::Delete);
    Mouse = Editor->ToWorld({-1.0f, -1.0f});
    Tap(Key::Delete);
    ExpectPolygon({{1, -1}, {2, 2}, {-1, 1}});
    const std::string triangle = Fixture->ShapeToString();
    Tap(Key::Delete);
    EXPECT_EQ(Fixture->ShapeToString(), triangle);

    Tap(Key::OemEnter);
    EXPECT_FALSE(Editor->IsEditing());
    EXPECT_EQ(Fixture->ShapeToString(), triangle);
}

TEST_F(ShapeEditorTest, AnUnusableShapeTextIsToldWithItsObjectOrPrefabAndChangesNothing) {
    // The crates go before the physics world does, however the test ends.
    struct Crates {
        GameObject* Group = new GameObject();
        ~Crates() {
            Group->Destroy();
            FlushDeleteQueues();
        }
    } crates;
    GameplayRoot->AddChild(crates.Group);
    auto* crate = new GameObject("Tst_Crate");
    crate->Name = "Crate";
    crates.Group->AddChild(crate);
    auto* fixture = crate->GetComponent<B2FixtureCmp>();
    ASSERT_NE(fixture->Fixture, nullptr);
    const b2Shape* liveShape = fixture->Fixture->GetShape();
    gEditorState->SelectObject(crate);
    Pass();
    const EdPalObjectEditBhv* inspector = gEditorState->ObjectEditPalette;
    const EdPropertyRowBhv* shapeRow = nullptr;
    for (const EdPropertyRowBhv* row : inspector->Rows) {
        shapeRow = row->Label == "  Shape" ? row : shapeRow;
    }
    ASSERT_NE(shapeRow, nullptr);
    const std::string& status = gEditorState->MainPalette->GetNotice();
    // Typed as a designer does: right click clears the field, Enter commits.
    const auto typeShape = [&](const std::string& text) {
        const Rect& field = shapeRow->ValueField->Rect;
        Click({field.X + field.Width / 2.0f, field.Y + field.Height / 2.0f}, Key::RightMouse);
        if (!text.empty()) {
            Type(text);
        }
        ::testing::internal::CaptureStderr();
        Tap(Key::OemEnter);
        return ::testing::internal::GetCapturedStderr();
    };

    for (const std::string text : {"Box one two", "Circle 5000", "Polygon 0 0 1 0 1 1 0.5 0.2"}) {
        const std::string told = typeShape(text);
        const std::string expected = "Unusable shape \"" + text + "\" (B2FixtureCmp on object \"Crate\")";
        EXPECT_EQ(told.find(expected), 0u) << told;
        EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
        EXPECT_NE(status.find(expected), std::string::npos) << status;
        EXPECT_EQ(fixture->ShapeToString(), "Box 1 1");
        EXPECT_EQ(fixture->Fixture->GetShape(), liveShape);
        EXPECT_EQ(shapeRow->ValueText, "Box 1 1");
    }
    // No text is no shape to tell of; "Edge" is read and makes none.
    EXPECT_EQ(typeShape(""), "");
    EXPECT_EQ(typeShape("Edge 0 0 1 0"), "");
    EXPECT_EQ(fixture->Fixture->GetShape(), liveShape);

    // From a prefab: the prefab and its property are named, once for all its instances.
    ::testing::internal::CaptureStderr();
    for (int i = 0; i < 3; ++i) {
        crates.Group->AddChild(new GameObject("Tst_BadCrate"));
    }
    const std::string told = ::testing::internal::GetCapturedStderr();
    const std::string expected =
        "Unusable shape \"Polygon 0 0 1 1\" (prefab \"Tst_BadCrate\", B2FixtureCmp.Shape); the fixture keeps its "
        "shape\n";
    EXPECT_EQ(told, expected);
    Pass();
    EXPECT_EQ(status + "\n", expected);
}

TEST_F(ShapeEditorTest, StandaloneCameraPansAndZoomsByItsSteps) {
    EdCameraMoverBhv* camera = Find(EdRoot, {"EdCameraMover"})->GetComponent<EdCameraMoverBhv>();
    EdCameraMoverBhv* shapeCamera = Editor->Owner->GetComponent<EdCameraMoverBhv>();
    Tap(Key::F, {Key::Ctrl});
    ASSERT_TRUE(camera->IsEngaged());
    // The shape editor's camera answers only to the shape editor.
    EXPECT_FALSE(shapeCamera->IsEngaged());
    EXPECT_EQ(GameplayRoot->InputEnabled, 0);
    const Camera2d start = camera->EditorCamera;
    Tap(Key::W);
    Tap(Key::D);
    Tap(Key::D);
    EXPECT_FLOAT_EQ(camera->EditorCamera.Position.Y, start.Position.Y + 2.0f);
    EXPECT_FLOAT_EQ(camera->EditorCamera.Position.X, start.Position.X + 4.0f);
    Tap(Key::Equals);
    EXPECT_FLOAT_EQ(camera->EditorCamera.Scale.X, start.Scale.X / 1.25f);
    Tap(Key::OemMinus);
    Tap(Key::OemMinus);
    EXPECT_FLOAT_EQ(camera->EditorCamera.Scale.Y, start.Scale.Y * 1.25f);
    EXPECT_EQ(camera->EditorCamera.Rotation, start.Rotation);
    Tap(Key::Esc);
    EXPECT_FALSE(camera->IsEngaged());
    EXPECT_EQ(GameplayRoot->InputEnabled, 1);
}

}  // namespace
