// A prefab file that is there but cannot be read is handled as one that is missing: told
// once as the game loads (on standard error and in the editor's notice row), left out of
// everything that names it, and never written over or deleted by a save of other
// prefabs. The game goes on: the map opens and a level starts with Space.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "ContentTestSupport.h"
#include "EditedLevelFixture.h"
#include "GraphicsTestSupport.h"
#include "PlayHarness.h"
#include "editor/EditorState.h"
#include "editor/palettes/EdPalMainBhv.h"
#include "editor/palettes/EdPalPrefabListBhv.h"
#include "editor/widgets/EdButtonBhv.h"
#include "game/levels/LevelDataCmp.h"
#include "game/levels/LevelListBhv.h"
#include "game/levels/SavedDataBhv.h"
#include "object/GameObject.h"
#include "object/PrefabManager.h"
#include "object/SceneRoots.h"
#include "object/TempFolder.h"

namespace fs = std::filesystem;

namespace {

// The lines of text that contain every one of the parts.
std::vector<std::string> LinesWith(const std::string& text, const std::vector<std::string>& parts) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (std::all_of(parts.begin(), parts.end(),
                        [&line](const std::string& part) { return line.find(part) != std::string::npos; })) {
            lines.push_back(line);
        }
    }
    return lines;
}

class DamagedPrefabTest : public EditedLevelFixture {
protected:
    void TearDown() override {
        if (mCapturing) {
            ::testing::internal::GetCapturedStderr();
        }
        EditedLevelFixture::TearDown();
    }

    // The program on the map, with the prefab's file holding text; standard error is
    // kept from here on.
    void StartOnTheMapWith(const std::string& name, const std::string& text) {
        PrefabsToWrite = {{name, text}};
        ::testing::internal::CaptureStderr();
        mCapturing = true;
        StartOnTheMap();
    }
    std::string TakeStandardError() {
        mCapturing = false;
        return ::testing::internal::GetCapturedStderr();
    }

    fs::path PrefabFile(const std::string& name) const { return mPlay->Content->Path() / "Prefabs" / (name + ".json"); }

    // Space on the map, then the zoom into the level.
    void StartTheLevel() {
        Press(Key::Space);
        mPlay->RunSeconds(2.5f);
    }

    // The things of the running level built from the prefab.
    std::vector<GameObject*> ThingsOf(const std::string& prefab) const {
        std::vector<GameObject*> things;
        const GameObject* level = mPlay->Find("GameplayScreen/Level");
        for (const GameObject* group : level != nullptr ? level->Children : std::vector<GameObject*>{}) {
            std::copy_if(group->Children.begin(), group->Children.end(), std::back_inserter(things),
                         [&prefab](const GameObject* thing) { return thing->PrefabName == prefab; });
        }
        return things;
    }

    static std::string Notice() { return gEditorState->MainPalette->GetNotice(); }
    static EdPalPrefabListBhv& PrefabList() {
        return *gRootObject->FindChild("EdRoot")
                    ->FindChild("EdPalettesRoot")
                    ->FindChild("PalPrefabList")
                    ->GetComponent<EdPalPrefabListBhv>();
    }

    bool mCapturing = false;
};

TEST_F(DamagedPrefabTest, AnExitThatCannotBeReadIsToldLeftOutAndNeverSavedOver) {
    const std::string exit = ReadTextFile(CommittedContent() / "Prefabs" / "Exit.json");
    std::string unknownComponent = exit;
    unknownComponent.replace(unknownComponent.find("\"TweensBhv\""), 11, "\"TweenBhv\"");
    const std::string junk("\x89PNG\r\n\x1a\n\x00\x01\xff{\"Components\"", 22);
    struct Damage {
        const char* What;
        std::string Text;
        const char* Problem;
    };
    const std::vector<Damage> damages = {
        {"merge conflict", "<<<<<<< HEAD\n" + exit + "=======\n" + exit + ">>>>>>> other\n",
         "JSON syntax error on line 1: "},
        {"junk", junk, "JSON syntax error on line 1: "},
        {"empty", "", "JSON syntax error on line 1: "},
        {"cut in half", exit.substr(0, exit.size() / 2), "JSON syntax error on line "},
        {"unknown component", unknownComponent, "component type 'TweenBhv' is not registered"},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.What);
        ASSERT_NO_FATAL_FAILURE(StartOnTheMapWith("Exit", damage.Text));
        const std::string file = PrefabFile("Exit").generic_string();
        EXPECT_EQ(gPrefabManager->FindPrefab("Exit"), nullptr);
        const std::string told = file + ": " + damage.Problem;
        EXPECT_NE(Notice().find(told), std::string::npos) << Notice();

        // The game goes on: level 1 starts, without its exit.
        ASSERT_EQ(gCurrentLevelName, "Lvl_01");
        StartTheLevel();
        ASSERT_NE(mPlay->Find("GameplayScreen"), nullptr);
        EXPECT_EQ(ThingsOf("Player").size(), 1u);
        EXPECT_GT(ThingsOf("Wall").size(), 10u);
        EXPECT_TRUE(ThingsOf("Exit").empty());
        // Not yet seen in edit mode, it stays in the notice above what play told since.
        EXPECT_EQ(Notice().rfind(told, 0), 0u) << Notice();

        // Edit mode, the palettes, another prefab changed and "Save all".
        Press(Key::F1);
        Press(Key::Tab);
        gPrefabManager->FindPrefab("En_Ant")->Modified = true;
        ClickOn(*PrefabList().BtnSaveAll);
        EXPECT_EQ(Notice(), "Saved En_Ant");
        EXPECT_EQ(ReadTextFile(PrefabFile("Exit")), damage.Text);
        EXPECT_TRUE(gPrefabManager->RemovedPrefabNames().empty());

        const std::string errors = TakeStandardError();
        EXPECT_EQ(LinesWith(errors, {file, "Exit"}),
                  std::vector<std::string>{LinesWith(errors, {told, "; prefab 'Exit' is not loaded"}).at(0)})
            << errors;
        const std::string skipped =
            PrefabFile("Lvl_01").generic_string() +
            ": prefab 'Exit' is not loaded (auto-created by prefab 'Lvl_01'); the entry is skipped";
        EXPECT_EQ(LinesWith(errors, {skipped}).size(), 1u) << errors;
    }

    // Made anew in the editor, the prefab of that name is the designer's to save over it.
    Prefab* made = gPrefabManager->AddPrefab(std::make_unique<Prefab>(), "Exit");
    ASSERT_NE(made, nullptr);
    ASSERT_EQ(made->Name, "Exit");
    ClickOn(*PrefabList().BtnSaveAll);
    EXPECT_NE(ReadTextFile(PrefabFile("Exit")).find("\"Components\": \"\""), std::string::npos)
        << ReadTextFile(PrefabFile("Exit"));
}

// The level's exit was never built, so the level editor's record of the level lacks it:
// a save of the level must still keep the entry its file holds.
TEST_F(DamagedPrefabTest, ALevelSavedWhileItsExitIsLeftOutKeepsTheExit) {
    const std::string level = ReadTextFile(CommittedContent() / "Prefabs" / "Lvl_01.json");
    const size_t exitAt = level.find("\"Prefab\": \"Exit\"");
    ASSERT_NE(exitAt, std::string::npos);
    const std::string exitEntry = level.substr(level.rfind('{', level.rfind("\"Name\"", exitAt)));
    PrefabsToWrite = {{"Exit", "{ \"Components\": "}};
    ::testing::internal::CaptureStderr();
    StartEditing();
    ::testing::internal::GetCapturedStderr();
    ASSERT_TRUE(ThingsOf("Exit").empty());
    Press(Key::A);
    Press(Key::Down);
    Press(Key::S, {Key::Alt});
    EXPECT_EQ(Notice(), "Saved Lvl_01");

    const std::string saved = ReadTextFile(PrefabFile("Lvl_01"));
    EXPECT_NE(saved, level) << "the nudge is saved";
    const size_t savedExitAt = saved.find("\"Prefab\": \"Exit\"");
    ASSERT_NE(savedExitAt, std::string::npos) << saved;
    EXPECT_EQ(saved.find("\"Prefab\": \"Exit\"", savedExitAt + 1), std::string::npos);
    // As the file had it, place and all.
    const std::string savedEntry = saved.substr(saved.rfind('{', saved.rfind("\"Name\"", savedExitAt)));
    EXPECT_EQ(savedEntry.substr(0, savedEntry.find('}', savedEntry.find("\"Prefab\""))),
              exitEntry.substr(0, exitEntry.find('}', exitEntry.find("\"Prefab\""))));
}

TEST_F(DamagedPrefabTest, ALevelWhoseFileIsCutStaysLockedAndTheNextOnePlays) {
    const std::string level = ReadTextFile(CommittedContent() / "Prefabs" / "Lvl_01.json");
    ASSERT_NO_FATAL_FAILURE(StartOnTheMapWith("Lvl_01", level.substr(0, 20000)));
    const std::string file = PrefabFile("Lvl_01").generic_string();
    EXPECT_EQ(gPrefabManager->FindPrefab("Lvl_01"), nullptr);
    ASSERT_NE(gLevelList, nullptr);
    EXPECT_TRUE(gLevelList->FindLevel("Lvl_01")->IsLocked);
    // The three open levels are the next three: a level left out holds none back.
    EXPECT_FALSE(gLevelList->FindLevel("Lvl_04")->IsLocked);

    // Space on it buzzes; the next level starts.
    ASSERT_EQ(gCurrentLevelName, "Lvl_01");
    Press(Key::Space);
    mPlay->RunSeconds(1.0f);
    EXPECT_EQ(mPlay->Find("GameplayScreen"), nullptr);
    EXPECT_EQ(mPlay->CueCount("ErrorBuzz"), 1);
    mPlay->HeldKeys = {Key::Right};
    mPlay->RunPasses(6);
    mPlay->HeldKeys.clear();
    mPlay->RunSeconds(0.5f);
    ASSERT_EQ(gCurrentLevelName, "Lvl_02");
    StartTheLevel();
    EXPECT_NE(mPlay->Find("GameplayScreen"), nullptr);
    EXPECT_EQ(ThingsOf("Player").size(), 1u);

    // The file, the line and the problem; then what it means for the level.
    const std::string errors = TakeStandardError();
    const std::vector<std::string> told = LinesWith(errors, {file});
    ASSERT_EQ(told.size(), 2u) << errors;
    EXPECT_EQ(told[0], file + ": JSON syntax error on line 797: expected key string; prefab 'Lvl_01' is not loaded");
    EXPECT_EQ(told[1], "Level list \"LevelList\": level \"Lvl_01\": its prefab file \"" + file +
                           "\" cannot be read; it stays locked");
    // Not yet seen in edit mode, the start-up's notice waits above the later ones.
    EXPECT_EQ(Notice().rfind(told[0] + "\n" + told[1], 0), 0u) << Notice();
}

TEST_F(DamagedPrefabTest, AnExitThatAutoCreatesItselfIsBuiltOnceAndTheCycleTold) {
    std::string exit = ReadTextFile(CommittedContent() / "Prefabs" / "Exit.json");
    const std::string light = "\"Prefab\": \"ExitLight\"";
    exit.insert(exit.find(light) + light.size(), " }, { \"Prefab\": \"Exit\"");
    ASSERT_NO_FATAL_FAILURE(StartOnTheMapWith("Exit", exit));
    ASSERT_NE(gPrefabManager->FindPrefab("Exit"), nullptr);
    StartTheLevel();
    // R builds the level again, and meets the cycle again.
    Press(Key::R);
    mPlay->RunSeconds(1.0f);

    ASSERT_NE(mPlay->Find("GameplayScreen"), nullptr);
    const std::vector<GameObject*> exits = ThingsOf("Exit");
    ASSERT_EQ(exits.size(), 1u);
    ASSERT_EQ(exits[0]->Children.size(), 1u);
    EXPECT_EQ(exits[0]->Children[0]->PrefabName, "ExitLight");
    const std::string errors = TakeStandardError();
    const std::vector<std::string> told = LinesWith(errors, {"auto-create cycle"});
    ASSERT_EQ(told.size(), 1u) << errors;
    EXPECT_EQ(told[0].rfind(PrefabFile("Exit").generic_string() + ": auto-create cycle: ", 0), 0u) << told[0];
    EXPECT_NE(told[0].find("Exit -> Exit; the entry is skipped"), std::string::npos) << told[0];
}

}  // namespace
