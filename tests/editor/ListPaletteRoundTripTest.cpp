// The whole program: an insect of a level is edited in the inspector, written back to
// its prefab and saved, and a fresh program started on the saved files sees the change.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "PlayHarness.h"
#include "app/EditorHooks.h"
#include "editor/EditorState.h"
#include "editor/palettes/EdPalObjectEditBhv.h"
#include "editor/palettes/EdPalPrefabListBhv.h"
#include "editor/widgets/EdPropertyRowBhv.h"
#include "game/enemies/En_AntBhv.h"
#include "object/GameObject.h"
#include "object/ObjectWalks.h"
#include "object/PropertyRegistration.h"
#include "object/SceneRoots.h"
#include "object/TempFolder.h"
#include "program/EditorHooks.h"

namespace fs = std::filesystem;

namespace {

GameObject* FindAnt(GameObject* from) {
    if (from->GetComponent<En_AntBhv>() != nullptr) {
        return from;
    }
    for (GameObject* child : from->Children) {
        if (GameObject* ant = FindAnt(child)) {
            return ant;
        }
    }
    return nullptr;
}

float MoveSpeedOf(const GameObject* ant) {
    const IEditable* editable = ant->GetComponent<En_AntBhv>();
    const auto* speed = dynamic_cast<const TypedPropertyRegistration<float>*>(editable->Properties.at("MoveSpeed"));
    return speed != nullptr ? speed->Get() : -1.0f;
}

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ListPaletteRoundTrip, AnInsectsSpeedEditedInTheEditorIsThereInTheNextProgram) {
    // The editor comes with the program only when its hooks are in.
    InstallEditorHooks();
    std::map<std::string, std::string> saved;
    {
        PlayHarness play;
        play.StartInLevel();
        // Beside the game, as the program's full start puts it.
        gRootObject->AddChild(new GameObject("EdRoot"));
        // The level's own insects have no speed: an ant joins them, as its spawner does.
        play.Spawn("En_Ant", Vector2(3.0f, 2.0f));
        play.RunPasses(2);
        play.Tap(Key::F11);
        play.RunPasses(2);
        GameObject* ant = FindAnt(gGameplayRoot);
        ASSERT_NE(ant, nullptr);
        gEditorState->SelectObject(ant);
        play.RunPass();
        EdPalObjectEditBhv* inspector = gEditorState->ObjectEditPalette;
        ASSERT_NE(inspector, nullptr);
        // Scrolled down to the behaviour's row, as the user would.
        int speedRow = -1;
        for (int page = 0; page < 60 && speedRow < 0; ++page) {
            for (size_t i = 0; i < inspector->Rows.size(); ++i) {
                if (inspector->Rows[i]->Label == "  MoveSpeed") {
                    speedRow = static_cast<int>(i);
                }
            }
            if (speedRow < 0) {
                ++inspector->ScrollOffset;
                play.RunPass();
            }
        }
        ASSERT_GE(speedRow, 0);
        inspector->OnRowValueChanged(speedRow, "7.5");
        EXPECT_FLOAT_EQ(MoveSpeedOf(ant), 7.5f);

        // Ctrl+S writes the instance back; then save all.
        play.HeldKeys = {Key::Ctrl};
        play.Tap(Key::S);
        play.RunPass();
        play.HeldKeys.clear();
        play.RunPass();
        GameObject* prefabList =
            gRootObject->FindChild("EdRoot")->FindChild("EdPalettesRoot")->FindChild("PalPrefabList");
        prefabList->GetComponent<EdPalPrefabListBhv>()->SaveAll();
        for (const auto& entry : fs::directory_iterator(play.Content->Path() / "Prefabs")) {
            saved[entry.path().stem().string()] = ReadFile(entry.path());
        }
    }
    PlayHarness next;
    for (const auto& [name, json] : saved) {
        next.WritePrefab(name, json);
    }
    next.StartInLevel();
    next.Spawn("En_Ant", Vector2(3.0f, 2.0f));
    next.RunPasses(2);
    GameObject* ant = FindAnt(gGameplayRoot);
    ASSERT_NE(ant, nullptr);
    EXPECT_FLOAT_EQ(MoveSpeedOf(ant), 7.5f);
    gEditorHooks = {};
}

}  // namespace
