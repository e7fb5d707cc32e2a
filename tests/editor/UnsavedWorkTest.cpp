// Unsaved work in the running program: the main palette tells what is not yet saved and
// confirms each save, quitting while something is unsaved asks first, and a prefab that
// the game or other prefabs use is renamed or removed only when the designer agrees.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "EditedLevelFixture.h"
#include "GraphicsTestSupport.h"
#include "PlayHarness.h"
#include "editor/EdRootBhv.h"
#include "editor/EditorState.h"
#include "editor/dialogs/EdDialogBhv.h"
#include "editor/dialogs/EdDlgMessageBoxBhv.h"
#include "editor/level/EdLevelEditorBhv.h"
#include "editor/palettes/EdPalObjectEditBhv.h"
#include "editor/palettes/EdPalPrefabListBhv.h"
#include "editor/widgets/EdButtonBhv.h"
#include "editor/widgets/EdPaletteBhv.h"
#include "editor/widgets/EdPropertyRowBhv.h"
#include "editor/widgets/EdTitleBarBhv.h"
#include "editor/widgets/IEdUiElement.h"
#include "game/levels/SavedDataBhv.h"
#include "game/screens/LevelSelectScreenBhv.h"
#include "input/MessagePump.h"
#include "object/DrawLayer.h"
#include "object/GameObject.h"
#include "object/ObjectPicking.h"
#include "object/PrefabManager.h"
#include "object/SceneRoots.h"
#include "object/TempFolder.h"
#include "render/TextCmp.h"
#include "render/TextLayout.h"

namespace fs = std::filesystem;

namespace {

class UnsavedWorkTest : public EditedLevelFixture {
protected:
    void Start(bool drawing) {
        ASSERT_NO_FATAL_FAILURE(StartEditing(drawing));
        ASSERT_EQ(gEditorState->IsEditing, 1);
    }

    static GameObject* EdRoot() { return gRootObject->FindChild("EdRoot"); }
    static GameObject* PalMain() { return EdRoot()->FindChild("EdPalettesRoot")->FindChild("PalMain"); }
    static GameObject* MessageBox() { return EdRoot()->FindChild("EdDialogsRoot")->FindChild("EdDlgMessageBox"); }
    static bool IsShown(const GameObject* object) {
        for (; object != nullptr; object = object->Parent) {
            if (object->DrawEnabled == 0) {
                return false;
            }
        }
        return true;
    }

    // What a row of the main palette shows: "" while it is hidden.
    static std::string Shown(const char* row) {
        const GameObject* object = PalMain()->FindChild(row);
        if (object == nullptr) {
            return std::string("(no row ") + row + ")";
        }
        const GameObject* text = object->FindChild("Text");
        return !IsShown(object) || text == nullptr || text->Text == nullptr ? "" : text->Text->Text;
    }

    GameObject* Player() const {
        for (GameObject* group : mPlay->Find("GameplayScreen/Level")->Children) {
            if (GameObject* player = group->FindChild("Player")) {
                return player;
            }
        }
        return nullptr;
    }

    // Right-clicks the player to select it and nudges it: the level has an unsaved edit.
    void NudgePlayer() {
        const Vector2 origin = ScreenToLayer(DrawLayer::Foreground, Vector2());
        const Vector2 unit = ScreenToLayer(DrawLayer::Foreground, Vector2(1.0f, 1.0f)) - origin;
        const Vector2 world = Player()->GetPos();
        mPlay->Mouse = Vector2((world.X - origin.X) / unit.X, (world.Y - origin.Y) / unit.Y);
        mPlay->RunPass();
        Press(Key::RightMouse);
        Press(Key::Left);
        ASSERT_EQ(Editor()->Dirty, 1);
    }

    static EdPalPrefabListBhv& PrefabList() {
        return *EdRoot()->FindChild("EdPalettesRoot")->FindChild("PalPrefabList")->GetComponent<EdPalPrefabListBhv>();
    }
    static std::string Question() { return MessageBox()->FindChild("TitleBar")->GetComponent<EdTitleBarBhv>()->Title; }
    static void SelectPrefab(const std::string& name) {
        gEditorState->SelectPrefab(gPrefabManager->FindPrefab(name));
        gEditorState->SelectedName = name;
    }

    static void Modify(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            gPrefabManager->FindPrefab(name)->Modified = true;
        }
    }
};

TEST_F(UnsavedWorkTest, TheMainPaletteShowsWhatIsUnsavedAndConfirmsEachSave) {
    QV_REQUIRE_DISPLAY();
    Start(true);
    EXPECT_EQ(Shown("UnsavedRow"), "");
    EXPECT_EQ(Shown("NoticeRow"), "");

    NudgePlayer();
    EXPECT_EQ(Shown("UnsavedRow"), "Unsaved: level");
    Modify({"Exit", "En_Ant"});
    mPlay->RunPass();
    EXPECT_EQ(Shown("UnsavedRow"), "Unsaved: level, 2 prefabs");

    // Alt+S saves the level; the status row keeps the level and the insert name.
    Press(Key::S, {Key::Alt});
    EXPECT_EQ(Shown("NoticeRow"), "Saved Lvl_01");
    EXPECT_EQ(Shown("UnsavedRow"), "Unsaved: 2 prefabs");
    auto* status = PalMain()->FindChild("InsertingRow")->GetComponent<EdPropertyRowBhv>();
    EXPECT_EQ(status->Label, "Lv: Lvl_01");
    EXPECT_EQ(status->ValueText.rfind("Ob: ", 0), 0u) << status->ValueText;

    // Ctrl+S in the prefab list saves the current prefab.
    Press(Key::Tab);
    gEditorState->SelectPrefab(gPrefabManager->FindPrefab("Exit"));
    gEditorState->SelectedName = "Exit";
    Press(Key::S, {Key::Ctrl});
    EXPECT_EQ(Shown("NoticeRow"), "Saved Exit");
    EXPECT_EQ(Shown("UnsavedRow"), "Unsaved: 1 prefab");

    // Ctrl+Shift+S saves the current one first, then the rest: one count for both.
    Modify({"Exit", "Wall"});
    Press(Key::S, {Key::Ctrl, Key::Shift});
    EXPECT_EQ(Shown("NoticeRow"), "Saved 3 prefabs");
    EXPECT_EQ(Shown("UnsavedRow"), "");
    Press(Key::S, {Key::Ctrl, Key::Shift});
    EXPECT_EQ(Shown("NoticeRow"), "No modified prefabs to save");

    // Ctrl+S in the object list writes the selected object's prefab.
    gEditorState->SelectObject(Player());
    Press(Key::S, {Key::Ctrl});
    EXPECT_EQ(Shown("NoticeRow"), "Saved Player");

    // A save that fails says so, naming the file, in as many lines as it needs within
    // the palette; the prefab stays unsaved.
    const fs::path wall = mPlay->Content->Path() / "Prefabs" / "Wall.json";
    fs::remove(wall);
    fs::create_directories(wall / "in the way");
    Modify({"Wall"});
    gEditorState->SelectPrefab(nullptr);
    gEditorState->SelectedName.clear();
    Press(Key::S, {Key::Ctrl, Key::Shift});
    const std::string failure = Shown("NoticeRow");
    EXPECT_EQ(failure.rfind("Save failed: ", 0), 0u) << failure;
    EXPECT_NE(failure.find(wall.string()), std::string::npos) << failure;
    EXPECT_EQ(Shown("UnsavedRow"), "Unsaved: 1 prefab");
    GameObject* notice = PalMain()->FindChild("NoticeRow");
    ASSERT_NE(notice, nullptr);
    const EdPaletteBhv* palette = PalMain()->GetComponent<EdPaletteBhv>();
    const TextLayout& lines = notice->FindChild("Text")->Text->Layout();
    EXPECT_GT(lines.Lines().size(), 1u);
    EXPECT_LE(lines.MaxWidth(), palette->Width - 8.0f);
    const ::Rect row = FindUiElement(notice)->Rect;
    EXPECT_GE(row.Height, lines.Height());
    EXPECT_LE(row.Y + row.Height, palette->TopLeft.Y + palette->Height);
    if (const char* folder = std::getenv("QV_SCREENSHOT_DIR")) {
        mPlay->SaveScreenshot(fs::path(folder) / "unsaved-work.bmp");
    }
    Press(Key::OemEnter);

    // However long a notice is, the object list below the palette stays clear of it.
    std::string names;
    for (int i = 0; i < 40; ++i) {
        names += " En_Ant" + std::to_string(i);
    }
    ShowEditorNotice("Cannot place" + names);
    mPlay->RunPass();
    const std::string cut = Shown("NoticeRow");
    EXPECT_EQ(cut.rfind("Cannot place En_Ant0 En_Ant1", 0), 0u) << cut;
    EXPECT_EQ(cut.substr(cut.size() - 3), "...") << cut;
    const EdPaletteBhv* objects =
        EdRoot()->FindChild("EdPalettesRoot")->FindChild("PalObjectList")->GetComponent<EdPaletteBhv>();
    EXPECT_LT(palette->TopLeft.Y + palette->Height, objects->TopLeft.Y);
    ShowEditorNotice(failure);

    // A notice goes after a while of editing.
    mPlay->RunSeconds(2.0f);
    EXPECT_EQ(Shown("NoticeRow"), failure);
    mPlay->RunSeconds(10.0f);
    EXPECT_EQ(Shown("NoticeRow"), "");
}

TEST_F(UnsavedWorkTest, QuittingWithUnsavedWorkAsksFirstAndGoingBackLosesNothing) {
    Start(false);
    GameObject* box = MessageBox();
    auto* messageBox = box->GetComponent<EdDlgMessageBoxBhv>();

    // Nothing unsaved: closing the window ends the loop at once.
    mPlay->CloseWindow();
    EXPECT_FALSE(mPlay->TryRunPass());
    EXPECT_FALSE(IsShown(box));

    // An edit, then a play-test: closing the window asks, over the paused game.
    NudgePlayer();
    const Vector2 edited = Player()->GetPos();
    const int history = Editor()->GetHistorySize();
    Press(Key::F1);
    ASSERT_EQ(gEditorState->IsEditing, 0);
    mPlay->CloseWindow();
    EXPECT_TRUE(mPlay->TryRunPass());
    mPlay->RunPass();
    EXPECT_EQ(gEditorState->IsEditing, 1);
    EXPECT_TRUE(IsShown(box));
    EXPECT_EQ(messageBox->GetLabels(), (std::vector<std::string>{"Quit anyway", "Go back"}));
    EXPECT_EQ(box->FindChild("TitleBar")->GetComponent<EdTitleBarBhv>()->Title, "Unsaved: level. Quit?");

    // Esc goes back: the program runs on with the edit and its history.
    Press(Key::Esc);
    EXPECT_FALSE(IsShown(box));
    mPlay->RunPasses(3);
    EXPECT_EQ(Editor()->Dirty, 1);
    EXPECT_EQ(Editor()->GetHistorySize(), history);
    EXPECT_NEAR(Player()->GetPos().X, edited.X, 1e-3f);
    EXPECT_NEAR(Player()->GetPos().Y, edited.Y, 1e-3f);

    // A quit posted by the game (the map's quit popup) asks the same. A reflexive Enter
    // goes back too; "Quit anyway" takes its letter and ends the loop at the next pump.
    PostQuitMessage();
    EXPECT_TRUE(mPlay->TryRunPass());
    mPlay->RunPass();
    ASSERT_TRUE(IsShown(box));
    Strike(Key::OemEnter);
    EXPECT_FALSE(IsShown(box));
    mPlay->RunPasses(3);
    EXPECT_EQ(Editor()->Dirty, 1);
    PostQuitMessage();
    EXPECT_TRUE(mPlay->TryRunPass());
    mPlay->RunPass();
    ASSERT_TRUE(IsShown(box));
    mPlay->TypeInOnePump("q");
    EXPECT_TRUE(mPlay->TryRunPass());
    EXPECT_FALSE(mPlay->TryRunPass());
}

// The map's own quit question goes with "Go back", whether the window was closed while
// it was open or its Space posted the quit: left open, it waited behind the editor with
// the map's keys off.
TEST_F(UnsavedWorkTest, GoingBackFromQuittingClosesTheMapsQuitQuestion) {
    StartOnTheMap();
    ASSERT_NE(gLevelSelectScreen, nullptr);
    GameObject* map = gLevelSelectScreen->Owner;
    const auto quitQuestions = [map] {
        int open = 0;
        for (const GameObject* child : map->Parent->Children) {
            open += child->PrefabName == "UiQuitPopup" && child->PendingDestroy == 0 && IsShown(child) ? 1 : 0;
        }
        return open;
    };
    Modify({"Exit"});

    for (const bool closeWindow : {true, false}) {
        SCOPED_TRACE(closeWindow ? "the window closed" : "Space in the quit question");
        ASSERT_EQ(gEditorState->IsEditing, 0);
        Press(Key::Esc);
        ASSERT_EQ(quitQuestions(), 1);
        ASSERT_EQ(map->InputEnabled, 0);
        if (closeWindow) {
            mPlay->CloseWindow();
        } else {
            Press(Key::Space);
        }
        EXPECT_TRUE(mPlay->TryRunPass());
        mPlay->RunPass();
        ASSERT_TRUE(IsShown(MessageBox()));
        EXPECT_EQ(Question(), "Unsaved: 1 prefab. Quit?");

        Press(Key::Esc);
        EXPECT_FALSE(IsShown(MessageBox()));
        EXPECT_EQ(gEditorState->IsEditing, 1);
        EXPECT_EQ(quitQuestions(), 0);
        EXPECT_EQ(map->InputEnabled, 1);
        EXPECT_EQ(gPrefabManager->ModifiedPrefabNames(), std::vector<std::string>{"Exit"});
        // F11 shows the palettes, the second leaves edit mode: the map is played again.
        Press(Key::F11);
        Press(Key::F11);
    }
}

// A removed prefab keeps its file until "Save all" deletes it: until then it is
// unsaved and quitting asks, and that save names it.
TEST_F(UnsavedWorkTest, ARemovedPrefabIsUnsavedUntilSaveAllDeletesItsFile) {
    Start(false);
    Press(Key::Tab);
    EdPalPrefabListBhv& prefabs = PrefabList();
    const fs::path file = mPlay->Content->Path() / "Prefabs" / "En_Ant.001.json";
    SelectPrefab("En_Ant");
    ClickOn(*prefabs.BtnDuplicate);
    ASSERT_EQ(gEditorState->SelectedName, "En_Ant.001");
    ClickOn(*prefabs.BtnSaveAll);
    ASSERT_TRUE(fs::exists(file));
    EXPECT_EQ(Shown("UnsavedRow"), "");

    ClickOn(*prefabs.BtnRemove);
    ASSERT_EQ(gPrefabManager->FindPrefab("En_Ant.001"), nullptr);
    EXPECT_EQ(Shown("UnsavedRow"), "Unsaved: 1 prefab");
    mPlay->CloseWindow();
    EXPECT_TRUE(mPlay->TryRunPass());
    mPlay->RunPass();
    ASSERT_TRUE(IsShown(MessageBox()));
    EXPECT_EQ(Question(), "Unsaved: 1 prefab. Quit?");
    Press(Key::Esc);
    EXPECT_TRUE(fs::exists(file));

    // Saved with a modified prefab, both are named.
    Modify({"Exit"});
    ClickOn(*prefabs.BtnSaveAll);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(Shown("NoticeRow"), "Saved Exit; removed En_Ant.001");
    EXPECT_EQ(Shown("UnsavedRow"), "");

    // A renamed prefab is one unsaved prefab, not a removed one as well.
    SelectPrefab("Wall");
    gEditorState->ObjectEditPalette->OnNameChanged("WallX");
    Press(Key::OemEnter);
    ASSERT_NE(gPrefabManager->FindPrefab("WallX"), nullptr);
    EXPECT_EQ(Shown("UnsavedRow"), "Unsaved: 1 prefab");
    ClickOn(*prefabs.BtnSaveAll);
    EXPECT_EQ(Shown("NoticeRow"), "Saved WallX");
    EXPECT_EQ(Shown("UnsavedRow"), "");
    mPlay->CloseWindow();
    EXPECT_FALSE(mPlay->TryRunPass());
}

// The game's code builds some prefabs by name and plays the cue prefabs: renaming or
// removing one asks first, as for a prefab that others auto-create, and nothing
// changes until the designer agrees.
TEST_F(UnsavedWorkTest, APrefabTheGameItselfUsesIsRenamedOrRemovedOnlyWhenTheDesignerAgrees) {
    Start(false);
    Press(Key::Tab);
    EdPalPrefabListBhv& prefabs = PrefabList();
    Prefab* pause = gPrefabManager->FindPrefab("UiPausePopup");
    ASSERT_NE(pause, nullptr);
    SelectPrefab("UiPausePopup");
    gEditorState->ObjectEditPalette->OnNameChanged("UiPause");
    mPlay->RunPass();
    ASSERT_TRUE(IsShown(MessageBox()));
    EXPECT_EQ(Question(), "UiPausePopup is used by the game itself. Rename it?");
    Press(Key::Esc);
    EXPECT_FALSE(IsShown(MessageBox()));
    EXPECT_EQ(gPrefabManager->FindPrefab("UiPausePopup"), pause);
    EXPECT_EQ(gPrefabManager->FindPrefab("UiPause"), nullptr);
    EXPECT_FALSE(pause->Modified);

    SelectPrefab("Cue_Pause");
    ClickOn(*prefabs.BtnRemove);
    ASSERT_TRUE(IsShown(MessageBox()));
    EXPECT_EQ(Question(), "Cue_Pause is used by the game itself. Remove it?");
    Press(Key::Esc);
    EXPECT_NE(gPrefabManager->FindPrefab("Cue_Pause"), nullptr);

    // Used by the game and by the levels: both are named; Enter answers "Remove".
    SelectPrefab("En_Ant");
    ClickOn(*prefabs.BtnRemove);
    ASSERT_TRUE(IsShown(MessageBox()));
    const std::string question = Question();
    EXPECT_EQ(question.rfind("En_Ant is used by the game itself and auto-created by Lvl_01, Lvl_02, Lvl_03 and ", 0),
              0u)
        << question;
    EXPECT_NE(gPrefabManager->FindPrefab("En_Ant"), nullptr);
    Press(Key::OemEnter);
    EXPECT_EQ(gPrefabManager->FindPrefab("En_Ant"), nullptr);
}

// A question longer than the box (the users of a prefab, a failed save's file) widens
// the box to hold its title, centred; a short one gives the box its own width back.
TEST_F(UnsavedWorkTest, TheMessageBoxIsWideEnoughForItsQuestion) {
    Start(true);
    auto* box = MessageBox()->GetComponent<EdDlgMessageBoxBhv>();
    const TextCmp& title = *MessageBox()->FindChild("TitleBar")->FindChild("Text")->Text;
    ASSERT_NE(title.Font, nullptr);
    const auto titleWidth = [&title](const std::string& text) {
        TextStyle style = title.Style();
        style.BoxSize = Vector2();
        return TextLayout(*title.Font, text, style).MaxWidth();
    };
    const float ownWidth = box->Dialog->Width;

    const std::string question =
        "Exit is auto-created by Lvl_01, Lvl_02, Lvl_03 and 23 more. Rename it? (and a little more)";
    gEdRoot->ShowMessageBox({"Rename", "Cancel"}, question, nullptr);
    mPlay->RunPass();
    const float wide = box->Dialog->Width;
    EXPECT_GT(wide, ownWidth);
    EXPECT_GE(wide, titleWidth(question) + 10.0f);
    EXPECT_FLOAT_EQ(box->Dialog->TopLeft.X, (1280.0f - wide) / 2.0f);
    // The rows are laid out at the new width, the title bar included.
    EXPECT_FLOAT_EQ(MessageBox()->FindChild("TitleBar")->GetComponent<EdTitleBarBhv>()->Rect.Width, wide);
    box->OnButton("Cancel");

    gEdRoot->ShowMessageBox({"OK"}, "Saved", nullptr);
    mPlay->RunPass();
    EXPECT_FLOAT_EQ(box->Dialog->Width, ownWidth);
    box->OnButton("OK");
}

}  // namespace
