// The quit popup drawn on a real window from the committed content: each title it can
// draw lands inside its panel.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "GraphicsTestSupport.h"
#include "PlayHarness.h"
#include "TextInk.h"
#include "game/ui/UiQuitPopupBhv.h"
#include "object/GameObject.h"
#include "object/Rect.h"
#include "render/SpriteCmp.h"
#include "render/TextCmp.h"

namespace {

TEST(QuitPopupOnScreenTest, EveryTitleFitsInsideItsPanelAboveTheKeys) {
    QV_REQUIRE_DISPLAY();
    auto play = std::make_unique<PlayHarness>();
    play->EnableDrawing();
    play->StartGame();
    play->RunPasses(66);  // the map's zoom
    play->Tap(Key::Esc);
    play->RunPass();
    GameObject* popup = play->Find("UiQuitPopup");
    ASSERT_NE(popup, nullptr);
    GameObject* title = popup->FindChild("Title");
    ASSERT_NE(title->Text->Font, nullptr);

    // The panel's picture has a rim; a title keeps clear of it and of the key pictures.
    constexpr float kRim = 16.0f;
    const Rect panel = popup->FindChild("Background")->Sprite->GetBounds();
    const float keysTop = std::min(popup->FindChild("KeySpace")->Sprite->GetBounds().Y,
                                   popup->FindChild("KeyEsc")->Sprite->GetBounds().Y);
    for (const std::string& text : UiQuitPopupBhv::Titles()) {
        SCOPED_TRACE(text);
        title->Text->Text = text;
        play->DrawFrame();
        const Rect ink = InkOf(*title->Text, title->GetPos());
        EXPECT_GE(ink.X, panel.X + kRim);
        EXPECT_LE(ink.X + ink.Width, panel.X + panel.Width - kRim);
        EXPECT_GE(ink.Y, panel.Y + kRim);
        EXPECT_LE(ink.Y + ink.Height, keysTop);
    }
}

}  // namespace
