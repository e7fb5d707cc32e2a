#include <gtest/gtest.h>

#include <vector>

#include "EngineContentFixture.h"
#include "audio/SoundBank.h"
#include "audio/SoundManager.h"
#include "object/ContentError.h"
#include "platform/AudioTestSupport.h"

namespace {

using AudioTest::Pieces;

const std::vector<float> kShort = Pieces({{0.5f, 2000}});

class SoundBankTest : public EngineContentFixture {};

TEST_F(SoundBankTest, FolderGivesOneSoundPerStemAndSkipsFilesThatAreNoAudio) {
    WriteSound("Sounds/Main/Shot.ogg", kShort, 22050);
    WriteSound("Sounds/Main/Shot.wav", kShort, 44100);
    WriteText("Sounds/Main/Readme.txt", "Recorded in the garden.\n");
    SoundBank bank;
    bank.LoadFolder(Sounds->System(), ContentDir / "Sounds" / "Main");

    ASSERT_EQ(bank.Sounds.size(), 1u);
    ASSERT_TRUE(bank.Sounds.contains("Shot"));
    // Of two files with one stem the later in name order wins, whatever the file system lists first.
    EXPECT_EQ(bank.Sounds.at("Shot")->DefaultFrequency(), 44100.0f);
    EXPECT_EQ(bank.Find("Readme"), nullptr);
    // Loaded to play once: the looping cue asks for repeats on its channel.
    EXPECT_EQ(bank.Sounds.at("Shot")->LoopCount(), 0);
}

TEST_F(SoundBankTest, LookupVisitsBanksInBankNameOrder) {
    WriteSound("Sounds/Beta/Hit.wav", kShort, 11025);
    WriteSound("Sounds/Alpha/Hit.wav", kShort, 22050);
    WriteSound("Sounds/Beta/Only.wav", kShort, 11025);
    Sounds->LoadBank("Beta");
    Sounds->LoadBank("Alpha");

    ASSERT_NE(Sounds->FindSound("Hit"), nullptr);
    EXPECT_EQ(Sounds->FindSound("Hit")->DefaultFrequency(), 22050.0f);
    ASSERT_NE(Sounds->FindSound("Only"), nullptr);
    EXPECT_EQ(Sounds->FindSound("Missing"), nullptr);

    Sounds->UnloadBank("Alpha");
    ASSERT_NE(Sounds->FindSound("Hit"), nullptr);
    EXPECT_EQ(Sounds->FindSound("Hit")->DefaultFrequency(), 11025.0f);
}

TEST_F(SoundBankTest, LoadingABankTwiceKeepsTheFirstAndUnknownUnloadsDoNothing) {
    WriteSound("Sounds/Main/Shot.wav", kShort);
    Sounds->LoadBank("Main");
    AudioSound* first = Sounds->FindSound("Shot");
    ASSERT_NE(first, nullptr);

    WriteSound("Sounds/Main/Late.wav", kShort);
    Sounds->LoadBank("Main");
    EXPECT_EQ(Sounds->FindSound("Shot"), first);
    EXPECT_EQ(Sounds->FindSound("Late"), nullptr);

    Sounds->UnloadBank("NeverLoaded");
    EXPECT_EQ(Sounds->FindSound("Shot"), first);

    // A reload (as the editor's hot reload does) sees the folder as it is now.
    Sounds->UnloadBank("Main");
    EXPECT_EQ(Sounds->FindSound("Shot"), nullptr);
    Sounds->LoadBank("Main");
    EXPECT_NE(Sounds->FindSound("Late"), nullptr);
}

TEST_F(SoundBankTest, MissingBankFolderIsAContentErrorNamingTheFolder) {
    try {
        Sounds->LoadBank("Nowhere");
        FAIL() << "a missing bank folder must not pass silently";
    } catch (const ContentError& error) {
        EXPECT_NE(std::string(error.what()).find("Sounds/Nowhere"), std::string::npos) << error.what();
    }
    EXPECT_EQ(Sounds->FindSound("Anything"), nullptr);
}

TEST_F(SoundBankTest, SoundFolderFollowsTheDevelopmentPathOnlyWhenItHasSounds) {
    EXPECT_EQ(Sounds->GetSoundFolder(), std::filesystem::path("Content/Sounds")) << "no Sounds folder yet";
    std::filesystem::create_directories(ContentDir / "Sounds");
    EXPECT_EQ(Sounds->GetSoundFolder(), ContentDir / "Sounds");
    Config->DevelopmentContentPath.clear();
    EXPECT_EQ(Sounds->GetSoundFolder(), std::filesystem::path("Content/Sounds"));
}

TEST_F(SoundBankTest, UnloadingABankStopsItsChannelsAndLeavesTheirHandlesHarmless) {
    WriteSound("Sounds/Main/Hum.wav", kShort);
    Sounds->LoadBank("Main");
    AudioSound* hum = Sounds->FindSound("Hum");
    ASSERT_NE(hum, nullptr);
    AudioChannel channel = Sounds->System().Play(*hum, false);
    channel.SetLoopCount(-1);
    ASSERT_TRUE(channel.IsPlaying());

    Sounds->UnloadBank("Main");
    EXPECT_FALSE(channel.IsPlaying());
    // Every call on the stale handle does nothing.
    channel.SetVolume(0.5f);
    channel.SetFrequency(1000.0f);
    channel.SetPaused(false);
    channel.Stop();
    EXPECT_EQ(channel.Frequency(), 0.0f);
    EXPECT_FALSE(channel.IsPaused());
}

}  // namespace
