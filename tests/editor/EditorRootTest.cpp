// The editor root and the main palette built from the committed "EdRoot": edit-mode
// keys, showing and fading the palettes, mouse and keyboard capture, modal dialogs,
// the palette toggles and the status row.

#include <gtest/gtest.h>

#include "EditorTestSupport.h"
#include "editor/EdRootBhv.h"
#include "editor/EditorState.h"
#include "editor/palettes/EdPalMainBhv.h"
#include "editor/widgets/EdFieldBhv.h"
#include "editor/widgets/EdPaletteBhv.h"
#include "editor/widgets/EdPropertyRowBhv.h"
#include "editor/widgets/EdToggleBhv.h"
#include "game/levels/SavedDataBhv.h"
#include "game/screens/EditorLink.h"
#include "game/screens/GameplayScreenBhv.h"
#include "object/EditorLink.h"
#include "render/TintCmp.h"

namespace {

const char* const PaletteNames[] = {"PalObjectList", "PalPrefabList", "PalAutoCreateList", "PalObjectEdit"};

class EditorRootTest : public EditorContentTest {
protected:
    EditorRootTest() {
        WritePrefab("Lvl_Sources", "\"\"", R"([ { "Prefab": "En_Ant" }, { "Prefab": "Pkup_Pistol" } ])");
        LoadContent();
        // A gameplay screen with no levels: what the editor pauses.
        Screen = new GameObject("GameplayScreen");
        GameplayRoot->AddChild(Screen);
        Screen->AddComponent(new GameplayScreenBhv());
        gGameplayScreen = Screen->GetComponent<GameplayScreenBhv>();
        EdRoot = Build("EdRoot");
        Bhv = EdRoot->GetComponent<EdRootBhv>();
        PalettesRoot = Find(EdRoot, {"EdPalettesRoot"});
        // Stand-ins for the palettes the main palette shows and hides.
        for (const char* name : PaletteNames) {
            auto* palette = new GameObject();
            palette->Name = name;
            PalettesRoot->AddChild(palette);
        }
        Main = gEditorState->MainPalette;
        Pass();
    }

    ~EditorRootTest() override { gCurrentLevelName.clear(); }

    int PalettesShown() const {
        int shown = 0;
        for (const char* name : PaletteNames) {
            const GameObject* palette = PalettesRoot->FindChild(name);
            const bool on = palette->DrawEnabled != 0;
            EXPECT_EQ(palette->InputEnabled != 0, on);
            EXPECT_EQ(palette->UpdateEnabled != 0, on);
            shown += on ? 1 : 0;
        }
        return shown;
    }

    bool GameRuns() const { return Screen->InputEnabled != 0 && Screen->UpdateEnabled != 0; }
    bool RootRuns() const { return GameplayRoot->InputEnabled != 0 && GameplayRoot->UpdateEnabled != 0; }

    EditorState& State() { return *gEditorState; }

    GameObject* Screen = nullptr;
    GameObject* EdRoot = nullptr;
    EdRootBhv* Bhv = nullptr;
    GameObject* PalettesRoot = nullptr;
    EdPalMainBhv* Main = nullptr;
};

TEST_F(EditorRootTest, TheRootFindsItsPartsAndKeepsTheEditorHiddenOutsideEditMode) {
    EXPECT_EQ(gEdRoot, Bhv);
    ASSERT_NE(Main, nullptr);
    EXPECT_EQ(Bhv->MainPalette, Main);
    EXPECT_EQ(Bhv->DialogsRoot, EdRoot->FindChild("EdDialogsRoot"));
    EXPECT_EQ(Bhv->LevelEditorObject, EdRoot->FindChild("EdLevelEditor"));
    EXPECT_FLOAT_EQ(Bhv->PalettesAlpha, 1.0f);
    for (GameObject* subtree : {PalettesRoot, Bhv->DialogsRoot, Bhv->LevelEditorObject}) {
        EXPECT_EQ(subtree->DrawEnabled, 0);
        EXPECT_EQ(subtree->InputEnabled, 0);
        EXPECT_EQ(subtree->UpdateEnabled, 0);
    }
    EXPECT_EQ(State().KeepPlayState, 1);

    // The game reads the flags and ends a play-test without knowing the editor.
    EXPECT_EQ(gEditorFlags, static_cast<EditorFlags*>(gEditorState));
    ASSERT_TRUE(gEditorLink.ReturnToEditor);
    gEditorLink.ReturnToEditor();
    EXPECT_EQ(gEditorFlags->IsEditing, 1);
    EXPECT_EQ(gEditorFlags->KeepPlayState, 0);

    EdRoot->DetachAndDestroy();
    FlushDeleteQueues();
    EXPECT_EQ(gEdRoot, nullptr);
    EXPECT_FALSE(gEditorLink.ReturnToEditor);
    EXPECT_EQ(gEditorState->MainPalette, nullptr);
}

TEST_F(EditorRootTest, F1PausesTheGameAndF11AndF2SwitchEditMode) {
    Tap(Key::F1);
    EXPECT_EQ(State().IsEditing, 1);
    EXPECT_FALSE(GameRuns());
    EXPECT_EQ(GameplayRoot->DrawEnabled, 1) << "paused, still drawn";
    EXPECT_EQ(PalettesRoot->DrawEnabled, 1);
    EXPECT_EQ(Find(PalettesRoot, {"PalMain"})->DrawEnabled, 1);
    EXPECT_EQ(PalettesShown(), 0);

    // F1 while editing is the level editor's play-test, and F2 returns from it.
    Tap(Key::F1);
    EXPECT_EQ(State().IsEditing, 0);
    EXPECT_EQ(State().KeepPlayState, 1);
    Tap(Key::F2);
    EXPECT_EQ(State().IsEditing, 1);
    EXPECT_EQ(State().KeepPlayState, 0);

    // F11 with every palette hidden shows them and stays in edit mode; again leaves it.
    Tap(Key::F11);
    EXPECT_EQ(State().IsEditing, 1);
    EXPECT_EQ(PalettesShown(), 4);
    Tap(Key::F11);
    EXPECT_EQ(State().IsEditing, 0);
    EXPECT_EQ(PalettesRoot->DrawEnabled, 0);
    EXPECT_FALSE(GameRuns()) << "leaving edit mode does not unpause";

    // F11 outside edit mode neither pauses nor unpauses.
    gGameplayScreen->SetPaused(false);
    Tap(Key::F11);
    EXPECT_EQ(State().IsEditing, 1);
    EXPECT_EQ(PalettesShown(), 4);
    EXPECT_TRUE(GameRuns());
    Tap(Key::F11);
    EXPECT_EQ(State().IsEditing, 0);

    // F2 returns from a play-test: paused, palettes hidden, play state dropped.
    Tap(Key::F2);
    EXPECT_EQ(State().IsEditing, 1);
    EXPECT_EQ(State().KeepPlayState, 0);
    EXPECT_FALSE(GameRuns());
    EXPECT_EQ(PalettesShown(), 0);
}

TEST_F(EditorRootTest, PalettesFadeAndStopWhileAToolIsEngaged) {
    Tap(Key::F1);
    State().ToolEngaged = 1;
    Pass();
    EXPECT_EQ(PalettesRoot->Tint->Tint.A, EdRootBhv::FadedAlpha);
    EXPECT_EQ(PalettesRoot->DrawEnabled, 1);
    EXPECT_EQ(PalettesRoot->InputEnabled, 0);
    EXPECT_EQ(PalettesRoot->UpdateEnabled, 0);

    State().ToolEngaged = 0;
    Pass();
    EXPECT_EQ(PalettesRoot->Tint->Tint.A, 255);
    EXPECT_EQ(PalettesRoot->InputEnabled, 1);
    EXPECT_EQ(PalettesRoot->UpdateEnabled, 1);
}

TEST_F(EditorRootTest, TabHidesOrShowsAllPalettesButNotWhileAFieldHasTheKeyboard) {
    Tap(Key::F1);
    Main->ChkObjectList->SetValue(true);
    ASSERT_EQ(PalettesShown(), 1);
    Tap(Key::Tab);
    EXPECT_EQ(PalettesShown(), 0);
    EXPECT_FALSE(Main->IsAnyPaletteShown());
    Tap(Key::Tab);
    EXPECT_EQ(PalettesShown(), 4);

    // A focused field below the root holds the keyboard: Tab and Pause are its own.
    auto* field = new GameObject("EdField");
    PalettesRoot->FindChild("PalObjectList")->AddChild(field);
    field->GetComponent<EdFieldBhv>()->HasFocus = 1;
    Pass();
    EXPECT_EQ(State().KeyboardCaptured, 1);
    const bool paused = Main->ChkPauseGame->Value;
    Tap(Key::Tab);
    EXPECT_EQ(PalettesShown(), 4);
    EXPECT_EQ(field->GetComponent<EdFieldBhv>()->HasFocus, 0) << "Tab committed the field instead";
    Tap(Key::Pause);
    EXPECT_EQ(State().KeyboardCaptured, 0);
    EXPECT_NE(Main->ChkPauseGame->Value, paused) << "Pause acts again once the field let go";
}

TEST_F(EditorRootTest, PauseToggleFreezesTheDrawnGameAndUnpausingRestoresBothFlags) {
    Tap(Key::F11);
    GameplayRoot->InputEnabled = 0;  // whatever it was before
    // The pause toggle is the first cell of the second row of toggles.
    Click(Vector2(20.0f, 70.0f));
    EXPECT_TRUE(Main->ChkPauseGame->Value);
    EXPECT_FALSE(RootRuns());
    EXPECT_EQ(GameplayRoot->DrawEnabled, 1);
    EXPECT_EQ(Find(Main->ChkPauseGame->Owner, {"Text"})->Tint->Tint, Color(255, 255, 255, 255)) << "on: white text";
    Click(Vector2(20.0f, 70.0f));
    EXPECT_FALSE(Main->ChkPauseGame->Value);
    EXPECT_TRUE(RootRuns());
    EXPECT_EQ(Find(Main->ChkPauseGame->Owner, {"Text"})->Tint->Tint, Color(0, 0, 0, 255));
}

TEST_F(EditorRootTest, MouseOverPaletteCountsLeftAndTopEdgesAndAnyOpenDialog) {
    Tap(Key::F11);
    const Rect r = Main->Palette->GetRect();
    const struct {
        Vector2 At;
        uint8_t Over;
    } points[] = {
        {{r.X, r.Y}, 1},
        {{r.X + r.Width - 0.5f, r.Y + r.Height - 0.5f}, 1},
        {{r.X + r.Width, r.Y + 5.0f}, 0},
        {{r.X + 5.0f, r.Y + r.Height}, 0},
        {{r.X - 0.5f, r.Y + 5.0f}, 0},
    };
    for (const auto& p : points) {
        Mouse = p.At;
        Pass();
        EXPECT_EQ(State().MouseOverPalette, p.Over) << p.At.X << ", " << p.At.Y;
    }

    // An open dialog is modal: the mouse is the editor's wherever it is, and the
    // palettes behind it take no clicks. Another drawn child of the dialogs root has
    // the mouse but not the keyboard.
    Bhv->ShowMessageBox({"OK"}, "Note", nullptr);
    Mouse = Vector2(900.0f, 600.0f);
    Pass();
    EXPECT_EQ(State().MouseOverPalette, 1);
    EXPECT_EQ(State().KeyboardCaptured, 1);
    Click(Vector2(20.0f, 70.0f));
    EXPECT_FALSE(Main->ChkPauseGame->Value);
    Tap(Key::Esc);
    auto* stray = new GameObject();
    Bhv->DialogsRoot->AddChild(stray);
    Mouse = Vector2(900.0f, 600.0f);
    Pass();
    EXPECT_EQ(State().MouseOverPalette, 1);
    EXPECT_EQ(State().KeyboardCaptured, 0);
    stray->DrawEnabled = 0;
    Pass();
    EXPECT_EQ(State().MouseOverPalette, 0);
    Click(Vector2(20.0f, 70.0f));
    EXPECT_TRUE(Main->ChkPauseGame->Value);

    // Hidden palettes are not under the mouse.
    Tap(Key::F11);
    Mouse = Vector2(r.X + 5.0f, r.Y + 5.0f);
    Pass();
    EXPECT_EQ(State().MouseOverPalette, 0);
}

TEST_F(EditorRootTest, StatusRowNamesTheLevelAndOnlyPlaceableSources) {
    Tap(Key::F11);
    auto* status = Find(PalettesRoot, {"PalMain", "InsertingRow"})->GetComponent<EdPropertyRowBhv>();
    gCurrentLevelName = "Lvl_03";
    State().SelectedName = "Pkup_Pistol";
    Pass();
    EXPECT_EQ(status->Label, "Lv: Lvl_03");
    EXPECT_EQ(status->ValueText, "Ob: Pkup_Pistol");
    EXPECT_EQ(status->ValueField->Text, "Ob: Pkup_Pistol");
    EXPECT_EQ(Main->GetInsertPrefabName(), "Pkup_Pistol");

    State().SelectedName = "Wall";
    Pass();
    EXPECT_EQ(status->ValueText, "Ob: ");
    EXPECT_EQ(Main->GetInsertPrefabName(), "");
}

TEST_F(EditorRootTest, DeletedObjectsLeaveTheSelection) {
    auto* object = new GameObject();
    GameplayRoot->AddChild(object);
    State().SelectPrefab(nullptr);
    State().SelectObject(object);
    State().InsertParent = object;
    EXPECT_TRUE(State().IsSelected(object));
    delete object;
    EXPECT_EQ(State().SelectedObject, nullptr);
    EXPECT_EQ(State().InsertParent, GameplayRoot);
}

}  // namespace
