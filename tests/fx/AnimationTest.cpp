#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "ToldWarnings.h"
#include "app/RuntimeTypes.h"
#include "assets/AnimationData.h"
#include "assets/Texture.h"
#include "fx/AnimationBhv.h"
#include "fx/AnimationManager.h"
#include "object/ContentError.h"
#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/GameTime.h"
#include "object/TempFolder.h"
#include "render/SpriteCmp.h"

namespace {

// A texture with an atlas of four frames (Run01, Run02, Run03, Idle) and one with none.
class HeroTextures {
public:
    HeroTextures() {
        mHero.Name = "Hero";
        mHero.Width = 64.0f;
        mHero.Height = 16.0f;
        const char* names[] = {"Run01", "Run02", "Run03", "Idle"};
        for (int i = 0; i < 4; ++i) {
            mHero.AddFrame(names[i], AtlasFrame{16 * i, 0, 16, 16, 0, 0, 16, 16});
        }
        mLogo.Name = "Logo";
    }

    AnimationData::TextureFinder Finder() {
        return [this](const std::string& name) -> Texture* {
            if (name == "Hero")
                return &mHero;
            if (name == "Logo")
                return &mLogo;
            return nullptr;
        };
    }

    Texture mHero;
    Texture mLogo;
};

std::unique_ptr<AnimationData> ReadAnimation(const std::string& text, HeroTextures& textures) {
    auto animation = std::make_unique<AnimationData>();
    std::istringstream in(text);
    animation->Read(in, "Test.anim", textures.Finder(), 60);
    return animation;
}

std::string ErrorOf(const std::string& text) {
    HeroTextures textures;
    try {
        ReadAnimation(text, textures);
    } catch (const ContentError& e) {
        return e.what();
    }
    return "no error";
}

TEST(AnimationDataTest, TheExampleFileGivesThreeLoopingFramesOfTheHero) {
    HeroTextures textures;
    const auto animation =
        ReadAnimation("// three running frames\nHero:Run01 6\n+1 6\n+1 0.2\nLoop\nHero:Idle 6\n", textures);
    ASSERT_EQ(animation->Frames.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(animation->Frames[i].Tex, &textures.mHero);
        EXPECT_EQ(animation->Frames[i].FrameIndex, i);
    }
    EXPECT_FLOAT_EQ(animation->Frames[0].StartTime, 0.0f);
    EXPECT_FLOAT_EQ(animation->Frames[1].StartTime, 0.1f);
    EXPECT_FLOAT_EQ(animation->Frames[2].StartTime, 0.2f);
    EXPECT_FLOAT_EQ(animation->TotalDuration, 0.4f);
    EXPECT_TRUE(animation->Loop);
}

TEST(AnimationDataTest, LoopAsTheFirstLineEndsTheFileWithNoFrames) {
    HeroTextures textures;
    const auto animation = ReadAnimation("Loop\nHero:Run01 6\n", textures);
    EXPECT_TRUE(animation->Loop);
    EXPECT_TRUE(animation->Frames.empty());
    EXPECT_EQ(animation->TotalDuration, 0.0f);
    EXPECT_FALSE(ReadAnimation("Hero:Run01 6\n", textures)->Loop);
}

TEST(AnimationDataTest, FrameLinesTakeTheirFirstTwoWordsAndOtherLinesAreSkipped) {
    HeroTextures textures;
    const auto animation = ReadAnimation(
        "Hero:Idle 4 extra words\r\n"
        "OneWord\n"
        "\n"
        "   \t\n"
        "  Hero:Run03   1\n",
        textures);
    ASSERT_EQ(animation->Frames.size(), 2u);
    EXPECT_EQ(animation->Frames[0].FrameIndex, 3);
    EXPECT_FLOAT_EQ(animation->Frames[1].StartTime, 4.0f / 60.0f);
    EXPECT_EQ(animation->Frames[1].FrameIndex, 2);
    // A step count divides as a float: one step is 1/60 s, not 0.
    EXPECT_FLOAT_EQ(animation->TotalDuration, 5.0f / 60.0f);
}

TEST(AnimationDataTest, RelativeFramesStepFromThePreviousFrameInItsTexture) {
    HeroTextures textures;
    const auto animation = ReadAnimation("Hero:Run03 1\n-1 1\n+2 1\nHero:Run-2 1\n", textures);
    ASSERT_EQ(animation->Frames.size(), 4u);
    EXPECT_EQ(animation->Frames[1].FrameIndex, 1);
    EXPECT_EQ(animation->Frames[2].FrameIndex, 3);
    // A sign and digits anywhere make a relative frame, even inside a frame name.
    EXPECT_EQ(animation->Frames[3].FrameIndex, 1);
    EXPECT_EQ(animation->Frames[3].Tex, &textures.mHero);
}

TEST(AnimationDataTest, NamedFramesThatFindNothingShowNothingWithoutReadingPastTheAtlas) {
    HeroTextures textures;
    const auto animation = ReadAnimation("Hero:Walk 1\nNobody:Run01 1\nLogo:Any 1\nHeroRun01 1\n*** 1\n", textures);
    ASSERT_EQ(animation->Frames.size(), 5u);
    EXPECT_EQ(animation->Frames[0].Tex, &textures.mHero);
    EXPECT_EQ(animation->Frames[0].FrameIndex, -1);
    EXPECT_EQ(animation->Frames[1].Tex, nullptr);
    EXPECT_EQ(animation->Frames[1].FrameIndex, -1);
    EXPECT_EQ(animation->Frames[2].Tex, &textures.mLogo);
    EXPECT_EQ(animation->Frames[2].FrameIndex, -1);
    // Without a colon the texture part is greedy: "HeroRun0" and "1" name nothing.
    EXPECT_EQ(animation->Frames[3].Tex, nullptr);
    EXPECT_EQ(animation->Frames[4].Tex, nullptr);
    EXPECT_EQ(animation->Frames[4].FrameIndex, 0);
}

TEST(AnimationDataTest, LinesOfAnyLengthAreRead) {
    HeroTextures textures;
    const std::string longComment = "//" + std::string(1000, 'x');
    const std::string longFrame = "Hero:Run02 0.5 " + std::string(1000, 'y');
    const auto animation = ReadAnimation(longComment + "\n" + longFrame + "\nHero:Run03 0.25", textures);
    ASSERT_EQ(animation->Frames.size(), 2u);
    EXPECT_EQ(animation->Frames[0].FrameIndex, 1);
    EXPECT_FLOAT_EQ(animation->TotalDuration, 0.75f);
}

TEST(AnimationDataTest, BadLinesNameTheFileAndTheLine) {
    const auto expectError = [](const std::string& text, const std::string& problem) {
        const std::string error = ErrorOf(text);
        EXPECT_NE(error.find("Test.anim: line 2: "), std::string::npos) << error;
        EXPECT_NE(error.find(problem), std::string::npos) << error;
    };
    expectError("// first\nHero:Run01 0.5s\n", "not a number of seconds");
    expectError("// first\nHero:Run01 six\n", "not a whole number of steps");
    expectError("// first\nHero:Run01 -6\n", "negative");
    expectError("// first\n+1 6\n", "no frame before it");
    expectError("Hero:Run01 1\n+99999999999 6\n", "out of range");
}

TEST(AnimationDataTest, AFileThatCannotBeOpenedOrReadIsNamed) {
    HeroTextures textures;
    TempFolder folder;
    AnimationData animation;
    try {
        animation.LoadFile(folder.Path() / "Missing.anim", textures.Finder(), 60);
        FAIL() << "a missing file reads as an empty animation";
    } catch (const ContentError& e) {
        EXPECT_NE(std::string(e.what()).find("Missing.anim: cannot open"), std::string::npos) << e.what();
    }
    // A folder opens as a stream but fails on the first read.
    EXPECT_THROW(animation.LoadFile(folder.Path(), textures.Finder(), 60), ContentError);
}

TEST(AnimationManagerTest, LoadsEveryAnimFileOfTheFolderByStem) {
    HeroTextures textures;
    TempFolder folder;
    folder.Write("Run.anim", "Hero:Run01 6\n+1 6\nLoop\n");
    folder.Write("Idle.ANIM", "Hero:Idle 1\n");
    folder.Write("Notes.txt", "Hero:Idle 1\n");
    folder.Write("Sub/Deep.anim", "Hero:Idle 1\n");
    // One that cannot be read is told once and left out, as if it were not there.
    const auto broken = folder.Write("Broken.anim", "Hero:Idle 1\njunk words here\n");

    AnimationManager manager;
    ToldWarnings told;
    manager.LoadFrom(folder.Path(), textures.Finder());
    ASSERT_EQ(told.Lines.size(), 1u) << ::testing::PrintToString(told.Lines);
    EXPECT_EQ(told.Lines[0], broken.generic_string() +
                                 ": line 2: the duration \"words\" is not a whole number of steps; the animation "
                                 "\"Broken\" is left out");
    EXPECT_EQ(manager.Find("Broken"), nullptr);
    EXPECT_EQ(manager.Animations.size(), 2u);
    ASSERT_NE(manager.Find("Run"), nullptr);
    EXPECT_EQ(manager.Find("Run")->Frames.size(), 2u);
    EXPECT_NE(manager.Find("Idle"), nullptr);
    EXPECT_EQ(manager.Find("Deep"), nullptr);
    EXPECT_EQ(manager.Find("Notes"), nullptr);

    // A reload starts afresh; a missing folder leaves no animations.
    std::filesystem::remove(folder.Path() / "Idle.ANIM");
    manager.LoadFrom(folder.Path(), textures.Finder());
    EXPECT_EQ(manager.Find("Idle"), nullptr);
    manager.LoadFrom(folder.Path() / "Nowhere", textures.Finder());
    EXPECT_TRUE(manager.Animations.empty());
}

TEST(AnimationManagerTest, TheFolderIsUnderTheDevelopmentPathWhenItExists) {
    TempFolder folder;
    GameConfig config;
    GameConfig* saved = gGameConfig;
    gGameConfig = &config;
    config.DevelopmentContentPath = folder.Path().string();
    EXPECT_EQ(AnimationManager::GetAnimationFolder(), std::filesystem::path("Content") / "Animations");
    std::filesystem::create_directories(folder.Path() / "Animations");
    EXPECT_EQ(AnimationManager::GetAnimationFolder(), folder.Path() / "Animations");
    config.DevelopmentContentPath.clear();
    EXPECT_EQ(AnimationManager::GetAnimationFolder(), std::filesystem::path("Content") / "Animations");
    gGameConfig = saved;
}

// An object with a sprite and an animation behaviour, played against a manager whose
// animations the tests build, one pass at a time.
class AnimationBhvTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallRuntimeTypes();
        mSavedManager = gAnimationManager;
        mSavedTime = gGameTime;
        gAnimationManager = &mManager;
        gGameTime = &mTime;
        mSprite = new SpriteCmp();
        mBehavior = new AnimationBhv();
        mObject.AddComponent(mSprite);
        mObject.AddComponent(mBehavior);
    }
    void TearDown() override {
        gAnimationManager = mSavedManager;
        gGameTime = mSavedTime;
    }

    // Frames of the Hero texture with the given durations.
    void AddAnimation(const std::string& name, std::initializer_list<float> durations, bool loop) {
        auto animation = std::make_unique<AnimationData>();
        int index = 0;
        for (const float duration : durations) {
            animation->Frames.push_back(AnimationFrame{&mTextures.mHero, index++, animation->TotalDuration});
            animation->TotalDuration += duration;
        }
        animation->Loop = loop;
        mManager.Animations[name] = std::move(animation);
    }

    void Pass(float delta) {
        mTime.DeltaTime = delta;
        mBehavior->Update();
    }

    HeroTextures mTextures;
    AnimationManager mManager;
    GameTime mTime;
    GameObject mObject;
    SpriteCmp* mSprite = nullptr;
    AnimationBhv* mBehavior = nullptr;
    AnimationManager* mSavedManager = nullptr;
    GameTime* mSavedTime = nullptr;
};

TEST_F(AnimationBhvTest, AutoPlayStartsTheNamedAnimationAndAnEmptyNameNeverPlays) {
    AddAnimation("Run", {0.1f, 0.1f}, true);
    mBehavior->Start();
    Pass(0.1f);
    EXPECT_FALSE(mBehavior->State().Playing);
    EXPECT_EQ(mSprite->Texture, nullptr);

    mBehavior->AutoPlay = "Run";
    mBehavior->Start();
    EXPECT_TRUE(mBehavior->State().Playing);
    EXPECT_EQ(mBehavior->State().Animation, "Run");
    Pass(0.05f);
    EXPECT_EQ(mSprite->Texture, &mTextures.mHero);
    EXPECT_EQ(mSprite->FrameIndex, 0);
    EXPECT_EQ(mSprite->UvRect, mTextures.mHero.FrameRects[0]);
}

TEST_F(AnimationBhvTest, OneStepFramesShowForExactlyOnePassEach) {
    AddAnimation("Steps", {1.0f / 60.0f, 1.0f / 60.0f, 1.0f / 60.0f}, false);
    mBehavior->Play("Steps");
    for (int frame = 0; frame < 3; ++frame) {
        Pass(1.0f / 60.0f);
        EXPECT_EQ(mSprite->FrameIndex, frame);
    }
}

TEST_F(AnimationBhvTest, ALoopPastItsEndContinuesWithTheRemainderFromTheFirstFrame) {
    AddAnimation("Loop", {0.25f, 0.25f}, true);
    mBehavior->Play("Loop");
    Pass(0.5199f);  // shows frame 0; the time becomes 0.52
    EXPECT_EQ(mSprite->FrameIndex, 0);
    Pass(0.0f);
    EXPECT_NEAR(mBehavior->State().Time, 0.02f, 1e-5f);
    EXPECT_EQ(mBehavior->State().Frame, 0);
    EXPECT_TRUE(mBehavior->State().Playing);

    // The search goes forward from frame 0 to the frame of the remainder.
    Pass(0.75f);  // 0.77 wraps to 0.27, in frame 1
    Pass(0.0f);
    EXPECT_NEAR(mBehavior->State().Time, 0.27f, 1e-5f);
    EXPECT_EQ(mSprite->FrameIndex, 1);
}

TEST_F(AnimationBhvTest, ANonLoopingAnimationStopsOnItsLastFrame) {
    AddAnimation("Once", {0.1f, 0.1f}, false);
    mBehavior->Play("Once");
    Pass(0.1f);
    EXPECT_EQ(mSprite->FrameIndex, 0);
    Pass(0.1f);
    EXPECT_EQ(mSprite->FrameIndex, 1);
    EXPECT_TRUE(mBehavior->State().Playing);
    Pass(0.1f);
    EXPECT_FALSE(mBehavior->State().Playing);
    EXPECT_EQ(mSprite->FrameIndex, 1);
    EXPECT_EQ(mBehavior->State().Frame, 0);
    EXPECT_FLOAT_EQ(mBehavior->State().Time, AnimationPlayState::RestartTime);
}

TEST_F(AnimationBhvTest, ALoopOfNoLengthHoldsItsFirstFrameAndOneOfNoFramesStops) {
    AddAnimation("Zero", {0.0f, 0.0f}, true);
    mBehavior->Play("Zero");
    for (int i = 0; i < 3; ++i) {
        Pass(0.1f);  // would loop for ever if it tried to wrap
        EXPECT_EQ(mSprite->FrameIndex, 0);
        EXPECT_TRUE(mBehavior->State().Playing);
    }

    AddAnimation("Empty", {}, true);
    mBehavior->Play("Empty");
    Pass(0.1f);
    EXPECT_FALSE(mBehavior->State().Playing);
    EXPECT_EQ(mSprite->FrameIndex, 0);
}

TEST_F(AnimationBhvTest, AnAnimationThatIsNotLoadedKeepsPlayingAndChangesNothing) {
    mBehavior->Play("Missing");
    Pass(0.5f);
    EXPECT_TRUE(mBehavior->State().Playing);
    EXPECT_FLOAT_EQ(mBehavior->State().Time, AnimationPlayState::RestartTime);
    EXPECT_EQ(mSprite->Texture, nullptr);

    // Loaded later (a reload), it plays from where it stood.
    AddAnimation("Missing", {0.1f}, true);
    Pass(0.05f);
    EXPECT_EQ(mSprite->Texture, &mTextures.mHero);
}

TEST_F(AnimationBhvTest, AFrameWithoutATextureLeavesTheSpriteWithout) {
    AddAnimation("Blink", {0.1f, 0.1f}, true);
    mManager.Animations["Blink"]->Frames[1].Tex = nullptr;
    mBehavior->Play("Blink");
    Pass(0.1f);
    EXPECT_EQ(mSprite->Texture, &mTextures.mHero);
    Pass(0.1f);
    EXPECT_EQ(mSprite->Texture, nullptr);
}

}  // namespace
