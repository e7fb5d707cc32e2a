// What a level shows over its play on a real window, from the committed content and
// its generated fonts: the title card of each level, and the frame-rate text beside the
// HUD.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "GraphicsTestSupport.h"
#include "PlayHarness.h"
#include "TextInk.h"
#include "game/levels/LevelDataCmp.h"
#include "game/levels/LevelListBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "object/GameObject.h"
#include "object/Rect.h"
#include "render/SpriteCmp.h"
#include "render/TextCmp.h"

namespace {

// The banner pictures have a rim; text keeps clear of it.
constexpr float kRim = 16.0f;

class LevelInterfaceOnScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        QV_REQUIRE_DISPLAY();
        Play = std::make_unique<PlayHarness>();
        Play->EnableDrawing();
        Play->StartInLevel();
        Play->RunPass();
        ASSERT_NE(gGameplayScreen, nullptr);
        ASSERT_NE(gLevelList, nullptr);
    }

    // The card the last level load made.
    static GameObject* NewestTitleCard() {
        GameObject* newest = nullptr;
        for (GameObject* child : gGameplayScreen->Owner->Children) {
            if (child->PrefabName == "UiLevelTitle" && !child->PendingDestroy) {
                newest = child;
            }
        }
        return newest;
    }

    static bool Overlap(const Rect& a, const Rect& b) {
        return a.X < b.X + b.Width && b.X < a.X + a.Width && a.Y < b.Y + b.Height && b.Y < a.Y + a.Height;
    }

    // What the subtree draws on the interface, piece by piece: sprites by their quads,
    // texts by their ink. Hidden objects and what they hold draw nothing.
    static std::vector<std::pair<std::string, Rect>> DrawnPieces(GameObject* root) {
        std::vector<std::pair<std::string, Rect>> pieces;
        const std::function<void(GameObject*)> visit = [&](GameObject* object) {
            if (object->DrawEnabled == 0) {
                return;
            }
            if (object->Sprite != nullptr) {
                pieces.emplace_back(object->Name, object->Sprite->GetBounds());
            }
            if (object->Text != nullptr && !object->Text->Text.empty()) {
                pieces.emplace_back(object->Name, InkOf(*object->Text, object->GetPos()));
            }
            for (GameObject* child : object->Children) {
                visit(child);
            }
        };
        visit(root);
        return pieces;
    }

    static void ExpectInside(const Rect& inner, const Rect& outer, float margin) {
        EXPECT_GE(inner.X, outer.X + margin);
        EXPECT_LE(inner.X + inner.Width, outer.X + outer.Width - margin);
        EXPECT_GE(inner.Y, outer.Y + margin);
        EXPECT_LE(inner.Y + inner.Height, outer.Y + outer.Height - margin);
    }

    std::unique_ptr<PlayHarness> Play;
};

// The last level of the game has no card; every other level's card holds its title
// inside its backdrop.
TEST_F(LevelInterfaceOnScreenTest, EveryLevelsTitleCardFitsInsideItsBackdrop) {
    int levels = 0;
    int cards = 0;
    for (GameObject* entry : gLevelList->Owner->Children) {
        LevelDataCmp* level = entry->GetComponent<LevelDataCmp>();
        if (level == nullptr) {
            continue;
        }
        ++levels;
        gGameplayScreen->LoadLevel(level);
        Play->RunPass();
        GameObject* card = NewestTitleCard();
        if (level->ObjectName == "Lvl_Yay") {
            EXPECT_EQ(card, nullptr);
            continue;
        }
        ASSERT_NE(card, nullptr) << level->ObjectName;
        ASSERT_NE(card->Text->Font, nullptr);
        ++cards;
        SCOPED_TRACE(card->Text->Text);
        EXPECT_NE(card->Text->Text.find(level->LevelName), std::string::npos);
        Play->DrawFrame();
        ExpectInside(InkOf(*card->Text, card->GetPos()), card->FindChild("Backdrop")->Sprite->GetBounds(), kRim);
    }
    EXPECT_EQ(levels, 28);
    EXPECT_EQ(cards, 27);
}

TEST_F(LevelInterfaceOnScreenTest, TheFrameRateTextCoversNothingOfTheHud) {
    GameObject* debug = Play->Find("DebugDisplay");
    ASSERT_NE(debug, nullptr);
    Play->Tap(Key::Tilde);
    Play->RunPasses(70);  // a whole second counted
    ASSERT_NE(debug->DrawEnabled, 0);
    ASSERT_EQ(debug->Text->Text.rfind("FPS: 6", 0), 0u) << debug->Text->Text;
    ASSERT_NE(debug->Text->Text.find("\nLvl_01"), std::string::npos) << debug->Text->Text;
    Play->DrawFrame();

    const Rect text = InkOf(*debug->Text, debug->GetPos());
    const std::vector<std::pair<std::string, Rect>> hud = DrawnPieces(Play->Find("GameplayScreen/Hud"));
    std::vector<std::string> names;
    for (const auto& [name, piece] : hud) {
        names.push_back(name);
        EXPECT_FALSE(Overlap(text, piece)) << name;
    }
    EXPECT_THAT(names, ::testing::IsSupersetOf({"Bar", "BarEdge", "World", "TimeLabel", "TimeText", "ParText"}));
    // And it is still on the screen.
    EXPECT_GE(text.X, 0.0f);
    EXPECT_LE(text.Y + text.Height, 720.0f);
}

}  // namespace
