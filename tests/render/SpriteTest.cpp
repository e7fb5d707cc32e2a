#include <gtest/gtest.h>

#include <memory>

#include "TextureTestSupport.h"
#include "app/RuntimeTypes.h"
#include "assets/Texture.h"
#include "assets/TextureManager.h"
#include "fx/DirectionalSpriteLightBhv.h"
#include "object/GameObject.h"
#include "object/ObjectShortcutTypes.h"
#include "object/Pos2dCmp.h"
#include "object/PropertyText.h"
#include "render/SpriteCmp.h"

namespace {

void ExpectRect(const Rect& actual, float x, float y, float width, float height) {
    EXPECT_FLOAT_EQ(actual.X, x);
    EXPECT_FLOAT_EQ(actual.Y, y);
    EXPECT_FLOAT_EQ(actual.Width, width);
    EXPECT_FLOAT_EQ(actual.Height, height);
}

// A 256 x 128 atlas with the frames Door (trimmed) and Light, under the name "Props".
class SpriteTest : public ::testing::Test {
protected:
    SpriteTest() {
        InstallObjectShortcutTypes();
        InstallRuntimeTypes();
        Props.Name = "Props";
        Props.Width = 256.0f;
        Props.Height = 128.0f;
        Props.AddFrame("Door", AtlasFrame{64, 32, 32, 64, 16, 0, 64, 64});
        Props.AddFrame("Light", AtlasFrame{128, 64, 64, 32, 0, 0, 64, 32});
        Object.AddComponent(Sprite);
    }

    void SetText(IEditable& editable, const std::string& property, int part, const std::string& text) {
        PropertyRegistration* registration = editable.FindProperty(property);
        ASSERT_NE(registration, nullptr) << property;
        SubProperty sub = registration->MakeSubProperty(property, part);
        PropertyFromText(sub, text);
    }

    std::string GetText(IEditable& editable, const std::string& property, int part = 0) {
        return PropertyToText(editable.FindProperty(property)->MakeSubProperty(property, part));
    }

    Texture Props;
    GameObject Object;
    SpriteCmp* Sprite = new SpriteCmp();
};

}  // namespace

TEST_F(SpriteTest, SetFrameSelectsRectanglesAndAnInvalidIndexTheWholeTexture) {
    Sprite->SetFrame(0);  // no texture: nothing happens
    EXPECT_EQ(Sprite->FrameIndex, -1);

    Sprite->SetTexture(&Props);
    Sprite->SetFrame(0);
    EXPECT_EQ(Sprite->FrameIndex, 0);
    ExpectRect(Sprite->UvRect, 0.25f, 0.25f, 0.125f, 0.5f);
    ExpectRect(Sprite->TrimRect, 0.25f, 0.0f, 0.5f, 1.0f);

    Sprite->SetFrame(2);
    EXPECT_EQ(Sprite->FrameIndex, -1);
    ExpectRect(Sprite->UvRect, 0.0f, 0.0f, 1.0f, 1.0f);
    ExpectRect(Sprite->TrimRect, 0.0f, 0.0f, 1.0f, 1.0f);
}

TEST_F(SpriteTest, AnImageNameTheTextureLacksShowsTheWholeTexture) {
    Sprite->SetTexture(&Props);
    Sprite->SetImageName("Light");
    EXPECT_EQ(Sprite->FrameIndex, 1);
    EXPECT_EQ(Sprite->GetImageName(), "Light");
    Sprite->SetImageName("Window");
    EXPECT_EQ(Sprite->FrameIndex, -1);
    EXPECT_EQ(Sprite->GetImageName(), "");
    ExpectRect(Sprite->UvRect, 0.0f, 0.0f, 1.0f, 1.0f);
}

TEST_F(SpriteTest, ImageNameAndTextureMayBeSetInEitherOrderThroughPropertyText) {
    TextureBankFixture content;
    content.WriteSheet("Main/Props.sheet", 256, 128);
    content.WriteFile("Main/Props.xml",
                      TextureBankFixture::Atlas("Props.png",
                                                "<sprite n=\"Door\" x=\"0\" y=\"0\" w=\"8\" h=\"8\"/>"
                                                "<sprite n=\"Light\" x=\"8\" y=\"0\" w=\"8\" h=\"8\"/>"));
    content.Manager.LoadBank("Main");
    TextureManager* previous = gTextureManager;
    gTextureManager = &content.Manager;

    // As prefab files do: the name first, then the texture.
    SetText(*Sprite, "ImageName", 0, "Light");
    EXPECT_EQ(GetText(*Sprite, "ImageName"), "Light") << "kept while there is no texture";
    SetText(*Sprite, "Tex", 0, "Props");
    EXPECT_EQ(Sprite->Texture, content.Manager.GetTexture("Props"));
    EXPECT_EQ(Sprite->FrameIndex, 1);
    EXPECT_EQ(GetText(*Sprite, "Tex"), "Props");

    // The other order on a second sprite.
    SpriteCmp second;
    SetText(second, "Tex", 0, "Props");
    SetText(second, "ImageName", 0, "Door");
    EXPECT_EQ(second.FrameIndex, 0);

    // A name that matches no texture leaves the value.
    SetText(*Sprite, "Tex", 0, "Nothing");
    EXPECT_EQ(Sprite->Texture, content.Manager.GetTexture("Props"));
    gTextureManager = previous;
}

TEST_F(SpriteTest, AStaleFrameIndexReadsAsNoImage) {
    Sprite->SetTexture(&Props);
    Sprite->SetImage("Light");
    Texture empty;
    Sprite->SetTexture(&empty);
    EXPECT_EQ(Sprite->GetImageName(), "");
}

TEST_F(SpriteTest, BoundsSurroundThePositionMovedByTheOrigin) {
    auto* pos = new Pos2dCmp();
    pos->Pos = Vector2(10.0f, 5.0f);
    Object.AddComponent(pos);
    Sprite->Size = Vector2(-4.0f, 2.0f);  // a mirrored sprite has the same bounds
    Sprite->Origin = Vector2(1.0f, -1.0f);
    Sprite->TrimRect = Rect(0.5f, 0.5f, 0.5f, 0.5f);  // ignored
    ExpectRect(Sprite->GetBounds(), 7.0f, 5.0f, 4.0f, 2.0f);
}

// Directional lights ---------------------------------------------------------------------------

TEST_F(SpriteTest, DirectionSelectsOneTexelOfTheLightFrame) {
    Props.FrameRects[1] = Rect(0.5f, 0.5f, 0.25f, 0.25f);
    Sprite->SetTexture(&Props);
    Sprite->SetImage("Light");
    auto* light = new DirectionalSpriteLightBhv();
    Object.AddComponent(light);

    SetText(*light, "Direction", 0, "1");
    SetText(*light, "Direction", 1, "1");
    ExpectRect(Sprite->UvRect, 0.75f, 0.75f, 0.0f, 0.0f);

    light->SetDirection(Vector2(-1.0f, 0.5f));
    ExpectRect(Sprite->UvRect, 0.5f, 0.6875f, 0.0f, 0.0f);
    const Vector2 direction = light->GetDirection();
    EXPECT_FLOAT_EQ(direction.X, -1.0f);
    EXPECT_FLOAT_EQ(direction.Y, 0.5f);
}

TEST_F(SpriteTest, ALightWithoutFrameUsesTheWholeTexture) {
    auto* light = new DirectionalSpriteLightBhv();
    Object.AddComponent(light);
    ExpectRect(light->GetLightRect(), 0.0f, 0.0f, 1.0f, 1.0f);
    light->SetDirection(Vector2(0.0f, 0.0f));
    ExpectRect(Sprite->UvRect, 0.5f, 0.5f, 0.0f, 0.0f);
}

TEST_F(SpriteTest, ALightWithoutSpriteDoesNothing) {
    GameObject lone;
    auto* light = new DirectionalSpriteLightBhv();
    lone.AddComponent(light);
    light->SetDirection(Vector2(1.0f, 1.0f));
    EXPECT_EQ(light->GetDirection(), Vector2(0.0f, 0.0f));
    ExpectRect(light->GetLightRect(), 0.0f, 0.0f, 1.0f, 1.0f);
}

TEST_F(SpriteTest, ALightOnAnEmptyFrameReadsNoDirectionRatherThanInfinity) {
    Props.FrameRects[1] = Rect(0.5f, 0.5f, 0.0f, 0.0f);
    Sprite->SetTexture(&Props);
    Sprite->SetImage("Light");
    auto* light = new DirectionalSpriteLightBhv();
    Object.AddComponent(light);
    light->SetDirection(Vector2(1.0f, 1.0f));
    EXPECT_EQ(light->GetDirection(), Vector2(0.0f, 0.0f));
}
