// What a level shows over its play on a real window, from the committed content and
// its generated fonts: the title card of each level.

#include <gtest/gtest.h>

#include <memory>
#include <string>

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

}  // namespace
