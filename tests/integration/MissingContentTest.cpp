#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "EngineContentFixture.h"
#include "assets/AnimationData.h"
#include "assets/Texture.h"
#include "audio/CueManagerBhv.h"
#include "fx/AnimationBhv.h"
#include "fx/AnimationManager.h"
#include "object/ResourceResolver.h"
#include "render/SpriteCmp.h"

namespace {

size_t Occurrences(const std::string& text, const std::string& what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

// Content that names a texture, a frame, a font, an animation and a cue that do not
// exist, built from a real prefab and run through passes; one texture, "Atlas", exists.
class MissingContentTest : public EngineContentFixture {
protected:
    MissingContentTest() {
        mAtlas.Name = "Atlas";
        mAtlas.Width = 32.0f;
        mAtlas.Height = 16.0f;
        mAtlas.AddFrame("Left", AtlasFrame{0, 0, 16, 16, 0, 0, 16, 16});
        mAtlas.AddFrame("Right", AtlasFrame{16, 0, 16, 16, 0, 0, 16, 16});
        sAtlas = &mAtlas;
        mSavedResolver = gResourceResolver;
        gResourceResolver.FindTexture = [](const std::string& name) { return name == "Atlas" ? sAtlas : nullptr; };
        gResourceResolver.FindFont = [](const std::string&) -> BitmapFont* { return nullptr; };
        mSavedAnimations = gAnimationManager;
        gAnimationManager = &mAnimations;
    }
    ~MissingContentTest() override {
        gResourceResolver = mSavedResolver;
        gAnimationManager = mSavedAnimations;
        sAtlas = nullptr;
    }

    static Texture* sAtlas;
    Texture mAtlas;
    AnimationManager mAnimations;
    ResourceResolver mSavedResolver;
    AnimationManager* mSavedAnimations = nullptr;
};

Texture* MissingContentTest::sAtlas = nullptr;

TEST_F(MissingContentTest, EachLookupThatFindsNothingIsToldOnceNamingItAndTheAsker) {
    WritePrefab("Broken", R"({
        "Pos2dCmp": "",
        "SpriteCmp": { "Tex": "Atlas", "ImageName": "Middle" },
        "SpriteCmp": { "Tex": "GhostTexture" },
        "TextCmp": { "Font": "GhostFont" },
        "AnimationBhv": { "AutoPlay": "GhostRun" }
    })");
    LoadContent();
    auto* manager = new CueManagerBhv();
    Root->AddComponent(manager);
    manager->Start();

    testing::internal::CaptureStderr();
    for (int i = 0; i < 2; ++i) {
        auto* object = new GameObject("Broken");
        object->Name = "Enemy" + std::to_string(i);
        Root->AddChild(object);
        manager->PlayCue("GhostShot");
        RunPass();
        RunPass();
    }
    const std::string told = testing::internal::GetCapturedStderr();

    // The stored frame name is looked up once the texture arrives.
    const std::string prefab = "(asked for by prefab \"Broken\", ";
    EXPECT_EQ(Occurrences(told, "Missing frame \"Atlas/Middle\" " + prefab + "SpriteCmp.Tex)"), 1u) << told;
    EXPECT_EQ(Occurrences(told, "Missing texture \"GhostTexture\" " + prefab + "SpriteCmp.Tex)"), 1u) << told;
    EXPECT_EQ(Occurrences(told, "Missing font \"GhostFont\" " + prefab + "TextCmp.Font)"), 1u) << told;
    EXPECT_EQ(Occurrences(told, "Missing animation \"GhostRun\" (asked for by AnimationBhv on object \"Enemy0\")"), 1u)
        << told;
    EXPECT_EQ(Occurrences(told,
                          "Missing cue prefab \"Cue_GhostShot\" (asked for by "
                          "CueManagerBhv::PlayCue(\"GhostShot\"))"),
              1u)
        << told;
    EXPECT_EQ(Occurrences(told, "Missing "), 5u) << told;
}

TEST_F(MissingContentTest, AnAnimationFrameMissingFromItsAtlasIsNotedWithTheFileAndLine) {
    AnimationData animation;
    std::istringstream in("Atlas:Left 1\nAtlas:Centre 1\n");
    testing::internal::CaptureStderr();
    animation.Read(
        in, "Walk.anim", [](const std::string& name) { return name == "Atlas" ? sAtlas : nullptr; }, 60);
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_NE(told.find("Walk.anim: line 2: the texture \"Atlas\" has no frame \"Centre\""), std::string::npos) << told;
    EXPECT_EQ(Occurrences(told, "Walk.anim"), 1u) << told;
}

}  // namespace
