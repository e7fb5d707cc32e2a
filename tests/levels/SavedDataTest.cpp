// The saved-data object from the committed prefab, saving to and loading from
// "Game.sav" in a user data folder of the test's own.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "LevelsTestSupport.h"
#include "game/levels/SaveFileReader.h"
#include "game/levels/SaveFileWriter.h"
#include "game/levels/SavedDataBhv.h"

using namespace std::string_literals;

namespace {

namespace fs = std::filesystem;

class SavedDataTest : public LevelContentTest {
protected:
    SavedDataTest() {
        CopyCommittedPrefabs();
        LoadContent();
    }

    // A saved-data object as the game makes one; it loads when it starts.
    SavedDataBhv* StartSavedData() {
        GameObject* object = Build("SavedData");
        SavedDataBhv* saved = object->GetComponent<SavedDataBhv>();
        EXPECT_EQ(gSavedData, saved);
        return saved;
    }

    void WriteSaveFile(const std::string& bytes) {
        fs::create_directories(UserData.SaveFile().parent_path());
        std::ofstream(UserData.SaveFile(), std::ios::binary) << bytes;
    }

    // The exit status of a child process that saves under a file size limit: the disk
    // fills up in the middle of a write. 1 when the save reported failure.
    static int SaveUnderSizeLimit(SavedDataBhv* saved, rlim_t bytes) {
        const pid_t child = fork();
        if (child == 0) {
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{bytes, bytes};
            setrlimit(RLIMIT_FSIZE, &limit);
            _exit(saved->Save() ? 0 : 1);
        }
        int status = 0;
        EXPECT_EQ(waitpid(child, &status, 0), child);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    SavedProgress ReadSaveFile() {
        SavedProgress progress;
        const SaveFileReader::Result result = SaveFileReader::Decode(TempFolder::Read(UserData.SaveFile()), progress);
        EXPECT_TRUE(result.Complete()) << result.Problem;
        return progress;
    }
};

TEST_F(SavedDataTest, ASaveThenAStartElsewhereRestoresEveryField) {
    SavedDataBhv* saved = StartSavedData();
    EXPECT_FALSE(fs::exists(UserData.SaveFile())) << "a missing file is only read";
    EXPECT_TRUE(saved->LevelBestTimes.empty());
    EXPECT_EQ(saved->AntsToFree, 600);
    EXPECT_EQ(saved->PacmanTargetScore, 1500);

    saved->LevelBestTimes = {{"Lvl_02", 41.5f}, {"Lvl_01", 29.75f}};
    saved->SoundMuted = true;
    saved->MusicMuted = true;
    saved->BestAntsFreed = 321;
    saved->BestPacmanScore = 1200;
    saved->BestSurvivalTime = 64.25f;
    saved->UseAltBackground2 = true;
    saved->LastLevelName = "Lvl_02";
    ASSERT_TRUE(saved->Save());
    EXPECT_FALSE(fs::exists(UserData.SaveFile().string() + ".tmp"));
    // Equal records give equal bytes (the writer's bytes are checked field by field).
    const std::string savedBytes = SaveFileWriter::Encode(*saved);

    Root->Children.front()->DetachAndDestroy();
    RunPass();
    EXPECT_EQ(gSavedData, nullptr);
    EXPECT_EQ(SaveFileWriter::Encode(*StartSavedData()), savedBytes);
}

TEST_F(SavedDataTest, ADamagedFileIsKeptBesideBeforeTheNextSaveReplacesIt) {
    // One whole best time and the sound switch, then the file ends.
    const std::string damaged = "WanderingPastTheGate!5\0"s + "\x01\0\0\0"s + "Lvl_01\0"s + "\0\0\xf0\x41"s + "\x01"s;
    WriteSaveFile(damaged);
    SavedDataBhv* saved = StartSavedData();
    EXPECT_EQ(saved->LevelBestTimes, (std::map<std::string, float>{{"Lvl_01", 30.0f}}));
    EXPECT_TRUE(saved->SoundMuted);
    EXPECT_FALSE(saved->MusicMuted);
    EXPECT_EQ(saved->LastLevelName, "");

    const fs::path backup = UserData.SaveFile().string() + ".bak";
    EXPECT_FALSE(fs::exists(backup)) << "the load leaves the file alone";
    saved->LastLevelName = "Lvl_01";
    ASSERT_TRUE(saved->Save());
    EXPECT_EQ(TempFolder::Read(backup), damaged);
    EXPECT_EQ(ReadSaveFile().LastLevelName, "Lvl_01");
    // Later saves leave the kept copy alone.
    saved->BestAntsFreed = 5;
    ASSERT_TRUE(saved->Save());
    EXPECT_EQ(TempFolder::Read(backup), damaged);
}

// Damage that leaves the rest of the record clear: the load takes every field it can,
// the file is still kept beside, and the next save writes what was loaded.
TEST_F(SavedDataTest, DamageTheReadingGetsPastIsKeptBesideAndTheRestOfTheProgressStays) {
    const std::string signature = "WanderingPastTheGate!5\0"s;
    // Sound muted by a byte of 2, then music muted, 321 ants, 1200 points, 64.25 s,
    // the second background and the last level.
    const std::string flagged =
        "\x02\x01"s + "\x41\x01\0\0"s + "\xb0\x04\0\0"s + "\0\x80\x80\x42"s + "\0\x01"s + "Lvl_02\0"s;
    const std::string tail = "\0\x01"s + flagged.substr(2);
    const std::string lvl01 = "Lvl_01\0"s + "\0\0\xee\x41"s;        // 29.75 s
    const std::string lvl02 = "Lvl_02\0"s + "\0\0\x26\x42"s;        // 41.5 s
    const std::string lvl02Slower = "Lvl_02\0"s + "\0\0\x48\x42"s;  // 50 s

    SavedProgress expected;
    expected.LevelBestTimes = {{"Lvl_01", 29.75f}, {"Lvl_02", 41.5f}};
    expected.MusicMuted = true;
    expected.BestAntsFreed = 321;
    expected.BestPacmanScore = 1200;
    expected.BestSurvivalTime = 64.25f;
    expected.UseAltBackground2 = true;
    expected.LastLevelName = "Lvl_02";
    SavedProgress soundMuted = expected;
    soundMuted.SoundMuted = true;

    struct Damage {
        const char* What;
        std::string Bytes;
        SavedProgress Loaded;
    };
    const Damage damages[] = {
        {"flag byte of 2", signature + "\x02\0\0\0"s + lvl01 + lvl02 + flagged, soundMuted},
        {"count one too many", signature + "\x03\0\0\0"s + lvl01 + lvl02 + tail, expected},
        {"out of order", signature + "\x02\0\0\0"s + lvl02 + lvl01 + tail, expected},
        {"repeated level", signature + "\x03\0\0\0"s + lvl01 + lvl02 + lvl02Slower + tail, expected},
    };
    const fs::path backup = UserData.SaveFile().string() + ".bak";
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.What);
        fs::remove(backup);
        WriteSaveFile(damage.Bytes);
        SavedDataBhv* saved = StartSavedData();
        EXPECT_EQ(SaveFileWriter::Encode(*saved), SaveFileWriter::Encode(damage.Loaded));
        ASSERT_TRUE(saved->Save());
        EXPECT_EQ(TempFolder::Read(backup), damage.Bytes);
        EXPECT_EQ(SaveFileWriter::Encode(ReadSaveFile()), SaveFileWriter::Encode(damage.Loaded));
        Root->Children.front()->DetachAndDestroy();
        RunPass();
    }
}

// The disk fills up in the middle of the write.
TEST_F(SavedDataTest, AWriteCutShortLeavesThePreviousFileWhole) {
    SavedDataBhv* saved = StartSavedData();
    saved->LevelBestTimes["Lvl_01"] = 25.0f;
    ASSERT_TRUE(saved->Save());
    const std::string before = TempFolder::Read(UserData.SaveFile());

    saved->LevelBestTimes["Lvl_02"] = 35.0f;
    saved->LastLevelName = "Lvl_02";
    EXPECT_EQ(SaveUnderSizeLimit(saved, 30), 1) << "the failed save reports failure";
    EXPECT_EQ(TempFolder::Read(UserData.SaveFile()), before);
    EXPECT_FALSE(fs::exists(UserData.SaveFile().string() + ".tmp"));
}

// The copy of a damaged file is written beside its place and then put there, like a
// save: when the disk fills up in the middle of it (a child process saves under a file
// size limit of 30 bytes) an earlier copy stays whole and no empty one is left, and a
// link at the copy's name is replaced, never written through.
TEST_F(SavedDataTest, TheCopyOfADamagedFileLosesNothingOnAFullDiskAndReplacesALink) {
    // Three best times cut to 40 bytes, inside the second one's name.
    const std::string cut = ("WanderingPastTheGate!5\0"s + "\x03\0\0\0"s + "Lvl_01\0"s + "\0\0\xf0\x41"s + "Lvl_02\0"s)
                                .substr(0, 40);
    const fs::path backup = UserData.SaveFile().string() + ".bak";
    for (const bool earlierCopy : {false, true}) {
        SCOPED_TRACE(earlierCopy ? "an earlier copy" : "no earlier copy");
        WriteSaveFile(cut);
        fs::remove(backup);
        if (earlierCopy) {
            std::ofstream(backup, std::ios::binary) << "an earlier damaged file";
        }
        SavedDataBhv* saved = StartSavedData();
        EXPECT_EQ(SaveUnderSizeLimit(saved, 30), 1) << "the save reports failure";
        EXPECT_EQ(TempFolder::Read(UserData.SaveFile()), cut) << "the damaged file is not replaced";
        if (earlierCopy) {
            EXPECT_EQ(TempFolder::Read(backup), "an earlier damaged file");
        } else {
            EXPECT_FALSE(fs::exists(backup));
        }
        EXPECT_FALSE(fs::exists(backup.string() + ".tmp"));
        EXPECT_FALSE(fs::exists(UserData.SaveFile().string() + ".tmp"));
        Root->Children.front()->DetachAndDestroy();
        RunPass();
    }

    // The copy's name a link to a file outside the user data folder.
    const TempFolder outside;
    const fs::path victim = outside.Write("Other.sav", "another file");
    fs::remove(backup);
    fs::create_symlink(victim, backup);
    WriteSaveFile(cut);
    ASSERT_TRUE(StartSavedData()->Save());
    EXPECT_EQ(TempFolder::Read(victim), "another file");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(backup)));
    EXPECT_EQ(TempFolder::Read(backup), cut);
}

TEST_F(SavedDataTest, AFolderThatCannotBeMadeNeitherThrowsNorChangesAnything) {
    // The data folder would have to be made inside a regular file.
    const fs::path blocker = Content.Write("NotAFolder", "x");
    setenv("XDG_DATA_HOME", blocker.c_str(), 1);
    SavedDataBhv* saved = StartSavedData();
    EXPECT_TRUE(saved->LevelBestTimes.empty());
    saved->LevelBestTimes["Lvl_01"] = 1.0f;
    EXPECT_FALSE(saved->Save());
    EXPECT_EQ(saved->LevelBestTimes.size(), 1u);
    EXPECT_TRUE(fs::is_regular_file(blocker));
}

TEST_F(SavedDataTest, TheAlternateBackgroundIsSavedWhenToggled) {
    SavedDataBhv* saved = StartSavedData();
    struct Step {
        int Number;
        bool Alt1;
        bool Alt2;
    };
    for (const Step step : {Step{1, true, false}, Step{2, false, true}, Step{2, false, false}, Step{1, true, false}}) {
        saved->ToggleAltBackground(step.Number);
        EXPECT_EQ(saved->UseAltBackground1, step.Alt1);
        EXPECT_EQ(saved->UseAltBackground2, step.Alt2);
        const SavedProgress onDisk = ReadSaveFile();
        EXPECT_EQ(onDisk.UseAltBackground1, step.Alt1);
        EXPECT_EQ(onDisk.UseAltBackground2, step.Alt2);
    }
}

}  // namespace
