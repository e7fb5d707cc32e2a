#include <gtest/gtest.h>

#include <map>
#include <numbers>
#include <vector>

#include "object/GameObject.h"
#include "object/ObjectPicking.h"
#include "object/ObjectShortcutTypes.h"
#include "object/ObjectWalks.h"
#include "object/Pos2dCmp.h"

// Stand-ins for the drawing components of the renderer, as in the object tree tests.
class SpriteCmp : public Component {};
class TextCmp : public Component {};

namespace {

struct Drawable {
    Rect Bounds;
    Rect Trim{0.0f, 0.0f, 1.0f, 1.0f};
    DrawLayer Layer = DrawLayer::Foreground;
};

std::map<const void*, Drawable> gDrawables;

class ObjectPickingTest : public ::testing::Test {
protected:
    void SetUp() override {
        gDeletionQueues = &mQueues;
        InstallObjectShortcutTypes();
        InstallShortcutType<SpriteCmp>(ShortcutSlot::Sprite);
        InstallShortcutType<TextCmp>(ShortcutSlot::Text);
        mSavedHooks = gPickingHooks;
        gPickingHooks.SpriteBounds = [](const SpriteCmp* s) { return gDrawables[s].Bounds; };
        gPickingHooks.SpriteTrim = [](const SpriteCmp* s) { return gDrawables[s].Trim; };
        gPickingHooks.SpriteLayer = [](const SpriteCmp* s) { return gDrawables[s].Layer; };
        gPickingHooks.TextLastRect = [](const TextCmp* t) { return gDrawables[t].Bounds; };
        gPickingHooks.TextLayer = [](const TextCmp* t) { return gDrawables[t].Layer; };
        // The world camera halves screen coordinates; the interface camera shifts them.
        gPickingHooks.WorldScreenToWorld = [](Vector2 p) { return p * 0.5f; };
        gPickingHooks.UiScreenToWorld = [](Vector2 p) { return p + Vector2(1000.0f, 0.0f); };
    }
    void TearDown() override {
        gPickingHooks = mSavedHooks;
        gDrawables.clear();
        gDeletionQueues = nullptr;
    }

    // A child with a sprite whose bounds are given in world space, placed at pos.
    GameObject* AddSprite(GameObject& parent, Rect bounds, Vector2 pos = Vector2(),
                          DrawLayer layer = DrawLayer::Foreground) {
        auto* object = new GameObject();
        parent.AddChild(object);
        auto* place = new Pos2dCmp();
        place->Pos = pos;
        object->AddComponent(place);
        auto* sprite = new SpriteCmp();
        object->AddComponent(sprite);
        gDrawables[sprite] = Drawable{bounds, Rect(0.0f, 0.0f, 1.0f, 1.0f), layer};
        return object;
    }

    GameObject* Pick(GameObject& root, Vector2 screenPoint, const std::function<bool(GameObject*)>& filter = nullptr) {
        GameObject* hit = nullptr;
        PickObjectAt(&root, &hit, screenPoint, filter);
        return hit;
    }

    DeletionQueues mQueues;
    PickingHooks mSavedHooks;
};

TEST_F(ObjectPickingTest, ScreenToLayerUsesTheCameraOfTheLayer) {
    const Vector2 p(100.0f, 50.0f);
    EXPECT_EQ(ScreenToLayer(DrawLayer::Foreground, p), Vector2(50.0f, 25.0f));
    EXPECT_EQ(ScreenToLayer(DrawLayer::Background, p), Vector2(50.0f, 25.0f));
    EXPECT_EQ(ScreenToLayer(DrawLayer::UiText, p), Vector2(1100.0f, 50.0f));
    EXPECT_EQ(ScreenToLayer(DrawLayer::EditorText2, p), Vector2(1100.0f, 50.0f));
    EXPECT_EQ(ScreenToLayer(DrawLayer::EditorSelection, p), p);
    EXPECT_EQ(ScreenToLayer(DrawLayer::Ui | DrawLayer::Foreground, p), p);
}

TEST_F(ObjectPickingTest, TheLaterOfTwoOverlappingSiblingsWins) {
    GameObject root;
    AddSprite(root, Rect(0.0f, 0.0f, 10.0f, 10.0f));
    GameObject* later = AddSprite(root, Rect(5.0f, 5.0f, 10.0f, 10.0f));
    // Screen (14, 14) is world (7, 7).
    EXPECT_EQ(Pick(root, Vector2(14.0f, 14.0f)), later);
    EXPECT_EQ(Pick(root, Vector2(2.0f, 2.0f)), root.Children[0]);
    EXPECT_EQ(Pick(root, Vector2(100.0f, 100.0f)), nullptr);
}

TEST_F(ObjectPickingTest, TheRightAndBottomEdgesAreOutside) {
    GameObject root;
    AddSprite(root, Rect(0.0f, 0.0f, 10.0f, 10.0f));
    EXPECT_NE(Pick(root, Vector2(0.0f, 0.0f)), nullptr);
    EXPECT_EQ(Pick(root, Vector2(20.0f, 4.0f)), nullptr);
    EXPECT_EQ(Pick(root, Vector2(4.0f, 20.0f)), nullptr);
}

TEST_F(ObjectPickingTest, ARotatedSpriteIsTestedInItsOwnFrame) {
    GameObject root;
    // A long thin sprite along X around its object's position (10, 10), turned by 90
    // degrees: it now covers a thin vertical strip.
    GameObject* bar = AddSprite(root, Rect(0.0f, 9.0f, 20.0f, 2.0f), Vector2(10.0f, 10.0f));
    bar->SetRotation(std::numbers::pi_v<float> / 2.0f);
    // World (18, 10): inside the unturned bounds, outside the turned bar.
    EXPECT_EQ(Pick(root, Vector2(36.0f, 20.0f)), nullptr);
    // World (10, 17): outside the unturned bounds, inside the turned bar.
    EXPECT_EQ(Pick(root, Vector2(20.0f, 34.0f)), bar);
}

TEST_F(ObjectPickingTest, TrimShrinksTheSpriteToItsVisiblePart) {
    GameObject root;
    GameObject* o = AddSprite(root, Rect(0.0f, 0.0f, 10.0f, 10.0f));
    gDrawables[o->Sprite].Trim = Rect(0.5f, 0.0f, 0.5f, 1.0f);
    EXPECT_EQ(Pick(root, Vector2(4.0f, 4.0f)), nullptr);
    EXPECT_EQ(Pick(root, Vector2(12.0f, 4.0f)), o);
}

TEST_F(ObjectPickingTest, HiddenSubtreesBackgroundsAndLightsAreNeverHit) {
    GameObject root;
    GameObject* hidden = AddSprite(root, Rect(0.0f, 0.0f, 10.0f, 10.0f));
    AddSprite(*hidden, Rect(0.0f, 0.0f, 10.0f, 10.0f));
    hidden->DrawEnabled = 0;
    AddSprite(root, Rect(0.0f, 0.0f, 10.0f, 10.0f), Vector2(), DrawLayer::Background);
    AddSprite(root, Rect(0.0f, 0.0f, 10.0f, 10.0f), Vector2(), DrawLayer::SpriteLights);
    EXPECT_EQ(Pick(root, Vector2(2.0f, 2.0f)), nullptr);
}

TEST_F(ObjectPickingTest, ARejectedObjectStillLetsItsChildrenBeHit) {
    GameObject root;
    GameObject* parent = AddSprite(root, Rect(0.0f, 0.0f, 10.0f, 10.0f));
    GameObject* child = AddSprite(*parent, Rect(0.0f, 0.0f, 2.0f, 2.0f));
    const auto notParent = [parent](GameObject* o) { return o != parent; };
    EXPECT_EQ(Pick(root, Vector2(2.0f, 2.0f), notParent), child);
    EXPECT_EQ(Pick(root, Vector2(10.0f, 10.0f), notParent), nullptr);
    EXPECT_EQ(Pick(root, Vector2(10.0f, 10.0f)), parent);
}

TEST_F(ObjectPickingTest, TextIsHitByItsLastRectMovedToTheObject) {
    GameObject root;
    auto* label = new GameObject();
    root.AddChild(label);
    auto* place = new Pos2dCmp();
    place->Pos = Vector2(100.0f, 0.0f);
    label->AddComponent(place);
    auto* text = new TextCmp();
    label->AddComponent(text);
    gDrawables[text] = Drawable{Rect(0.0f, 0.0f, 50.0f, 10.0f), Rect(), DrawLayer::UiText};
    // Screen (-880, 5) is interface (120, 5), inside (100..150, 0..10).
    EXPECT_EQ(Pick(root, Vector2(-880.0f, 5.0f)), label);
    EXPECT_EQ(Pick(root, Vector2(-960.0f, 5.0f)), nullptr);
}

TEST_F(ObjectPickingTest, RectangleSelectionTakesSpritesWithACornerInside) {
    GameObject root;
    GameObject* small = AddSprite(root, Rect(1.0f, 1.0f, 2.0f, 2.0f));
    GameObject* straddling = AddSprite(root, Rect(8.0f, 8.0f, 10.0f, 10.0f));
    AddSprite(root, Rect(-100.0f, -100.0f, 300.0f, 300.0f));  // the area lies wholly inside it
    GameObject* hidden = AddSprite(root, Rect(1.0f, 1.0f, 2.0f, 2.0f));
    hidden->DrawEnabled = 0;

    std::vector<SpriteCmp*> selected;
    CollectSpritesInRect(&root, Rect(0.0f, 0.0f, 10.0f, 10.0f), selected);
    EXPECT_EQ(selected, (std::vector<SpriteCmp*>{small->Sprite, straddling->Sprite}));
}

}  // namespace
