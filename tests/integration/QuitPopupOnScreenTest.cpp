// The quit popup drawn on a real window from the committed content: each title it can
// draw lands inside its panel.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "GraphicsTestSupport.h"
#include "PlayHarness.h"
#include "game/ui/UiQuitPopupBhv.h"
#include "object/GameObject.h"
#include "object/Rect.h"
#include "render/Graphics.h"
#include "render/SpriteCmp.h"
#include "render/TextCmp.h"
#include "render/TextLayout.h"

namespace {

// Where the glyphs of a text land on the interface layer, as the renderer places them.
Rect InkOf(const TextCmp& text, Vector2 at) {
    const bool flipX = gGraphics->UiCamera.Scale.X < 0.0f;
    const bool flipY = gGraphics->UiCamera.Scale.Y < 0.0f;
    float left = 1e9f;
    float right = -1e9f;
    float top = 1e9f;
    float bottom = -1e9f;
    text.Layout().ForEachGlyph(flipX, flipY, [&](const GlyphQuad& quad) {
        const Vector2 centre = at - quad.Origin;
        left = std::min(left, centre.X - quad.Size.X / 2.0f);
        right = std::max(right, centre.X + quad.Size.X / 2.0f);
        top = std::min(top, centre.Y - quad.Size.Y / 2.0f);
        bottom = std::max(bottom, centre.Y + quad.Size.Y / 2.0f);
    });
    // The laid-out block counts too: a line's advances may pass its last glyph.
    const Rect& block = text.LastRect;
    left = std::min(left, at.X + block.X);
    right = std::max(right, at.X + block.X + block.Width);
    top = std::min(top, at.Y + block.Y);
    bottom = std::max(bottom, at.Y + block.Y + block.Height);
    return Rect(left, top, right - left, bottom - top);
}

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
