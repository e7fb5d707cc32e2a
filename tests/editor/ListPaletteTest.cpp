// The three list palettes of the committed "EdRoot" over prefabs read from files: the
// object tree and what an instance writes back, the prefab list's names, saves and
// removals, and the auto-create entries of the current prefab.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "EditorTestSupport.h"
#include "editor/EdRootBhv.h"
#include "editor/EditorState.h"
#include "editor/dialogs/EdDialogBhv.h"
#include "editor/dialogs/EdDlgMessageBoxBhv.h"
#include "editor/dialogs/EdDlgPickerBhv.h"
#include "editor/palettes/EdPalAutoCreateListBhv.h"
#include "editor/palettes/EdPalMainBhv.h"
#include "editor/palettes/EdPalObjectListBhv.h"
#include "editor/palettes/EdPalPrefabListBhv.h"
#include "editor/widgets/EdButtonBhv.h"
#include "editor/widgets/EdFieldBhv.h"
#include "editor/widgets/EdListItemBhv.h"
#include "editor/widgets/EdPropertyRowBhv.h"
#include "object/AutoCreate.h"
#include "object/Pos2dCmp.h"
#include "object/Prefab.h"
#include "object/SceneRoots.h"
#include "render/TextCmp.h"

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class ListPaletteTest : public EditorContentTest {
protected:
    ListPaletteTest() {
        WritePrefab("Tst_Ant", R"({ "Pos2dCmp": { "Pos": { "X": "1", "Y": "2" } },
                                     "TextCmp": { "Text": "first" }, "TextCmp": { "Text": "second" } })");
        WritePrefab("Tst_Grub", R"({ "TintCmp": "" })");
        WritePrefab("Tst_Nest", R"({ "Pos2dCmp": "" })", R"([
            { "Name": "Ant", "Prefab": "Tst_Ant", "InstanceProperties": { "Pos2dCmp": { "Pos": { "X": "10", "Y": "0" } } } },
            { "Name": "Grub", "Prefab": "Tst_Grub" },
            { "Name": "Ant", "Prefab": "Tst_Ant", "InstanceProperties": { "Pos2dCmp": { "Pos": { "X": "20", "Y": "0" } } } },
            { "Name": "Ant", "Prefab": "Tst_Ant", "InstanceProperties": { "Pos2dCmp": { "Pos": { "X": "30", "Y": "0" } } } } ])");
        LoadContent();
        EdRoot = Build("EdRoot");
        Tap(Key::F11);
        GameObject* palettes = Find(EdRoot, {"EdPalettesRoot"});
        Objects = Find(palettes, {"PalObjectList"})->GetComponent<EdPalObjectListBhv>();
        PrefabList = Find(palettes, {"PalPrefabList"})->GetComponent<EdPalPrefabListBhv>();
        Entries = Find(palettes, {"PalAutoCreateList"})->GetComponent<EdPalAutoCreateListBhv>();
        Nest = new GameObject("Tst_Nest");
        GameplayRoot->AddChild(Nest);
        Pass();
    }

    fs::path PrefabFile(const std::string& name) const { return Content.Path() / "Prefabs" / (name + ".json"); }

    static std::vector<std::string> Labels(const std::vector<EdListItemBhv*>& rows) {
        std::vector<std::string> labels;
        for (const EdListItemBhv* row : rows) {
            labels.push_back(row->Label);
        }
        return labels;
    }

    void SelectPrefabNamed(const std::string& name) {
        gEditorState->SelectPrefab(Prefabs.FindPrefab(name));
        gEditorState->SelectedName = name;
    }

    EdDlgMessageBoxBhv* MessageBox() const {
        return Find(EdRoot, {"EdDialogsRoot", "EdDlgMessageBox"})->GetComponent<EdDlgMessageBoxBhv>();
    }

    GameObject* EdRoot = nullptr;
    GameObject* Nest = nullptr;
    EdPalObjectListBhv* Objects = nullptr;
    EdPalPrefabListBhv* PrefabList = nullptr;
    EdPalAutoCreateListBhv* Entries = nullptr;
};

TEST_F(ListPaletteTest, TheTreeIsBrowsedOneLevelAtATimeAndFixedObjectsStay) {
    EXPECT_EQ(gEditorState->InsertParent, GameplayRoot);
    EXPECT_EQ(Objects->ParentItem->Label, "GameplayRoot");
    EXPECT_EQ(Objects->Items[0]->Label, "Tst_Nest  [+]");
    EXPECT_EQ(Objects->Items[1]->Label, "");

    Objects->DescendRow(0);
    Pass();
    EXPECT_EQ(Objects->ParentItem->Label, "Tst_Nest");
    EXPECT_EQ(Labels(Objects->Items)[2], "Ant");
    Objects->SelectRow(2);
    Pass();
    EXPECT_EQ(gEditorState->SelectedObject, Nest->Children[2]);
    EXPECT_EQ(Objects->Items[2]->IsMarked, 1);

    // Climbing stops at the top of the tree.
    Objects->ClimbToParent();
    Objects->ClimbToParent();
    Objects->ClimbToParent();
    EXPECT_EQ(gEditorState->InsertParent, Root.get());

    // "(None)" in the picker adds an empty "NewObject" under the insert parent.
    gEditorState->InsertParent = Nest;
    Objects->AddObject();
    ASSERT_TRUE(gEditorState->PrefabPicker->Callback);
    gEditorState->PrefabPicker->Callback("");
    ASSERT_EQ(Nest->Children.size(), 5u);
    EXPECT_EQ(Nest->Children.back()->Name, "NewObject");
    EXPECT_EQ(gEditorState->SelectedObject, Nest->Children.back());
    EXPECT_EQ(EdPalObjectListBhv::ObjectLabel(Nest->Children.back(), true), "NewObject");

    // Root, the gameplay root and the editor's own objects are refused, with a note.
    for (GameObject* fixed : {Root.get(), GameplayRoot, EdRoot, Find(EdRoot, {"EdPalettesRoot"})}) {
        gEditorState->SelectObject(fixed);
        Objects->RemoveSelected();
        Objects->ReloadSelected();
        Pass();
        EXPECT_EQ(fixed->PendingDestroy, 0) << fixed->Name;
    }
    EXPECT_EQ(gGameplayRoot, GameplayRoot);
    EXPECT_NE(gEditorState->MainPalette->GetNotice().find("Cannot"), std::string::npos);

    // Removing an ordinary object does take it away.
    gEditorState->SelectObject(Nest->Children.back());
    Objects->RemoveSelected();
    Pass();
    FlushDeleteQueues();
    EXPECT_EQ(Nest->Children.size(), 4u);
}

TEST_F(ListPaletteTest, ReloadingRebuildsTheObjectFromItsPrefabInPlace) {
    GameObject* grub = Nest->Children[1];
    grub->Name = "Renamed";
    Nest->Children[0]->DetachAndDestroy();
    FlushDeleteQueues();
    ASSERT_EQ(Nest->Children[0], grub);
    gEditorState->SelectObject(Nest);
    Nest->Pos2d->Pos = Vector2(7, 7);
    Objects->ReloadSelected();
    Pass();
    FlushDeleteQueues();
    ASSERT_EQ(GameplayRoot->Children.size(), 1u);
    GameObject* fresh = GameplayRoot->Children[0];
    EXPECT_NE(fresh, Nest);
    EXPECT_EQ(gEditorState->SelectedObject, fresh);
    EXPECT_EQ(fresh->Pos2d->Pos.X, 0.0f);
    ASSERT_EQ(fresh->Children.size(), 4u);
    EXPECT_EQ(fresh->Children[0]->Name, "Ant");
}

TEST_F(ListPaletteTest, AnInstanceWritesBackOnlyWhatItsEntryOrPrefabOverrides) {
    // Three "Ant" siblings, with another child among them, map to their entries in order.
    const auto& entries = Prefabs.FindPrefab("Tst_Nest")->AutoCreates;
    EXPECT_EQ(EdPalObjectListBhv::FindAutoCreateOf(Nest->Children[0]), entries[0].get());
    EXPECT_EQ(EdPalObjectListBhv::FindAutoCreateOf(Nest->Children[2]), entries[2].get());
    EXPECT_EQ(EdPalObjectListBhv::FindAutoCreateOf(Nest->Children[3]), entries[3].get());
    EXPECT_EQ(EdPalObjectListBhv::FindAutoCreateOf(Nest), nullptr);

    GameObject* third = Nest->Children[3];
    third->Pos2d->Pos = Vector2(33, 5);
    third->Pos2d->Rotation = 1.25f;
    third->GetComponentAt<TextCmp>(0)->Text = "one";
    third->GetComponentAt<TextCmp>(1)->Text = "two";
    gEditorState->SelectObject(third);
    Tap(Key::S, {Key::Ctrl});

    EXPECT_FALSE(Prefabs.FindPrefab("Tst_Nest")->Modified);
    const std::string nest = ReadFile(PrefabFile("Tst_Nest"));
    EXPECT_NE(nest.find("\"33\""), std::string::npos) << nest;
    EXPECT_NE(nest.find("\"10\""), std::string::npos) << nest;
    EXPECT_EQ(nest.find("Rotation"), std::string::npos) << nest;
    const std::string ant = ReadFile(PrefabFile("Tst_Ant"));
    EXPECT_LT(ant.find("\"one\""), ant.find("\"two\"")) << ant;
    EXPECT_NE(ant.find("\"two\""), std::string::npos) << ant;
    // The position went into the entry, which overrides it, not into the prefab.
    EXPECT_NE(ant.find("\"2\""), std::string::npos) << ant;
    EXPECT_EQ(ant.find("\"33\""), std::string::npos) << ant;
    EXPECT_EQ(ant.find("Rotation"), std::string::npos) << ant;

    // Ctrl+P turns the selection into its prefab.
    Tap(Key::P, {Key::Ctrl});
    EXPECT_EQ(gEditorState->SelectedPrefab, Prefabs.FindPrefab("Tst_Ant"));
    EXPECT_EQ(gEditorState->SelectedName, "Tst_Ant");
}

TEST_F(ListPaletteTest, PrefabsAreNamedFreelyFilteredAndSavedOneFileEach) {
    PrefabList->NewPrefab();
    PrefabList->NewPrefab();
    EXPECT_NE(Prefabs.FindPrefab("NewPrefab"), nullptr);
    EXPECT_EQ(gEditorState->SelectedName, "NewPrefab.001");
    EXPECT_TRUE(gEditorState->SelectedPrefab->Modified);

    Prefab* grub = Prefabs.FindPrefab("Tst_Grub");
    EXPECT_TRUE(grub->MakeNameUnique("NewPrefab"));
    EXPECT_EQ(grub->Name, "NewPrefab.002");
    EXPECT_FALSE(grub->MakeNameUnique(""));
    EXPECT_EQ(grub->Name, "NewPrefab.002");

    Prefab* boss = Prefabs.AddPrefab(std::make_unique<Prefab>(), "Boss.003");
    SelectPrefabNamed(boss->Name);
    PrefabList->Duplicate();
    EXPECT_EQ(gEditorState->SelectedName, "Boss");

    // The filter applies while typed, ignores case and resets the scroll.
    PrefabList->ScrollOffset = 3;
    PrefabList->FilterField->Text = "ANT";
    Pass();
    EXPECT_EQ(PrefabList->ScrollOffset, 0);
    const std::vector<std::string> rows = Labels(PrefabList->Items);
    EXPECT_NE(std::find(rows.begin(), rows.end(), "En_Ant"), rows.end());
    EXPECT_NE(std::find(rows.begin(), rows.end(), "Tst_Ant"), rows.end());
    EXPECT_EQ(std::find(rows.begin(), rows.end(), "Lvl_Boss"), rows.end());
    EXPECT_TRUE(PrefabList->BtnScrollDown->IsGrayedOut);

    // Save current on a renamed prefab leaves one file; no other file is touched.
    const auto nestTime = fs::last_write_time(PrefabFile("Tst_Nest"));
    Prefab* ant = Prefabs.FindPrefab("Tst_Ant");
    ASSERT_TRUE(ant->MakeNameUnique("Tst_Bug"));
    SelectPrefabNamed("Tst_Bug");
    Pass();
    EXPECT_FALSE(PrefabList->BtnSaveCurrent->IsGrayedOut);
    PrefabList->SaveCurrent();
    EXPECT_TRUE(fs::exists(PrefabFile("Tst_Bug")));
    EXPECT_FALSE(fs::exists(PrefabFile("Tst_Ant")));
    Pass();
    EXPECT_TRUE(PrefabList->BtnSaveCurrent->IsGrayedOut);

    // Save all after a rename does the same for every modified prefab.
    EXPECT_TRUE(fs::exists(PrefabFile("Tst_Grub")));
    PrefabList->SaveAll();
    EXPECT_FALSE(fs::exists(PrefabFile("Tst_Grub")));
    EXPECT_TRUE(fs::exists(PrefabFile("NewPrefab.002")));
    EXPECT_TRUE(fs::exists(PrefabFile("Boss")));
    EXPECT_EQ(fs::last_write_time(PrefabFile("Tst_Nest")), nestTime);
}

TEST_F(ListPaletteTest, RemovingAPrefabTheGameNeedsAsksFirst) {
    SelectPrefabNamed("GameplayRoot");
    PrefabList->RemovePrefab();
    Pass();
    ASSERT_NE(Prefabs.FindPrefab("GameplayRoot"), nullptr);
    EdDlgMessageBoxBhv* box = MessageBox();
    ASSERT_TRUE(box->Dialog->IsOpen());
    EXPECT_EQ(box->GetLabels(), (std::vector<std::string>{"Remove", "Cancel"}));
    box->OnButton("Cancel");
    EXPECT_NE(Prefabs.FindPrefab("GameplayRoot"), nullptr);

    PrefabList->RemovePrefab();
    box->OnButton("Remove");
    EXPECT_EQ(Prefabs.FindPrefab("GameplayRoot"), nullptr);
    EXPECT_EQ(Prefabs.Prefabs.count("GameplayRoot"), 0u);
    // The next name takes the selection.
    EXPECT_GT(gEditorState->SelectedName, std::string("GameplayRoot"));
    EXPECT_EQ(gEditorState->SelectedPrefab, Prefabs.FindPrefab(gEditorState->SelectedName));

    // An ordinary prefab goes at once.
    SelectPrefabNamed("Tst_Grub");
    PrefabList->RemovePrefab();
    EXPECT_EQ(Prefabs.FindPrefab("Tst_Grub"), nullptr);
    EXPECT_FALSE(box->Dialog->IsOpen());
}

TEST_F(ListPaletteTest, EntriesOfTheCurrentPrefabAreAddedCopiedMovedAndRemoved) {
    SelectPrefabNamed("Tst_Nest");
    Pass();
    EXPECT_EQ(Entries->Items[0]->Label, "Ant  (Tst_Ant)");
    EXPECT_EQ(Entries->EntryCount, 4);

    Entries->SelectRow(1);
    Entries->AddEntry();
    gEditorState->PrefabPicker->Callback("Tst_Ant");
    Prefab* nest = Prefabs.FindPrefab("Tst_Nest");
    ASSERT_EQ(nest->AutoCreates.size(), 5u);
    AutoCreate* added = nest->AutoCreates.back().get();
    EXPECT_EQ(gEditorState->SelectedAutoCreate, added);
    EXPECT_EQ(gEditorState->SelectedName, "Tst_Nest");
    ASSERT_EQ(added->InstanceProperties.size(), 3u);
    EXPECT_EQ(added->InstanceProperties[2]->TypeName, "TextCmp");
    EXPECT_TRUE(added->InstanceProperties[2]->Properties.empty());
    EXPECT_TRUE(nest->Modified);
    Pass();
    EXPECT_EQ(Entries->Items[4]->Label, "  (Tst_Ant)");
    EXPECT_EQ(Entries->Items[4]->IsMarked, 1);

    Entries->MoveEntry(-1);
    EXPECT_EQ(nest->AutoCreates[3].get(), added);
    Entries->DuplicateEntry();
    ASSERT_EQ(nest->AutoCreates.size(), 6u);
    EXPECT_EQ(gEditorState->SelectedAutoCreate, nest->AutoCreates[4].get());
    EXPECT_EQ(nest->AutoCreates[4]->Owner, nest);

    // Removing the last entry selects the new last one.
    gEditorState->SelectAutoCreate(nest->AutoCreates[5].get());
    Entries->RemoveEntry();
    EXPECT_EQ(gEditorState->SelectedAutoCreate, nest->AutoCreates[4].get());

    // A "(None)" pick adds nothing; a name without a prefab lists nothing.
    Entries->AddEntry();
    gEditorState->PrefabPicker->Callback("");
    EXPECT_EQ(nest->AutoCreates.size(), 5u);
    gEditorState->SelectedName = "NoSuchPrefab";
    Pass();
    EXPECT_EQ(Entries->EntryCount, 0);
    EXPECT_EQ(Entries->Items[0]->Label, "");
}

}  // namespace
