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
#include "editor/palettes/EdPalObjectEditBhv.h"
#include "editor/palettes/EdPalObjectListBhv.h"
#include "editor/palettes/EdPalPrefabListBhv.h"
#include "editor/widgets/EdButtonBhv.h"
#include "editor/widgets/EdFieldBhv.h"
#include "editor/widgets/EdListItemBhv.h"
#include "editor/widgets/EdPropertyRowBhv.h"
#include "editor/widgets/EdTitleBarBhv.h"
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
    std::string MessageBoxTitle() const {
        return Find(EdRoot, {"EdDialogsRoot", "EdDlgMessageBox", "TitleBar"})->GetComponent<EdTitleBarBhv>()->Title;
    }
    static Vector2 CentreOf(const IEdUiElement& element) {
        return Vector2(element.Rect.X + element.Rect.Width / 2.0f, element.Rect.Y + element.Rect.Height / 2.0f);
    }
    std::string StatusText() const { return gEditorState->MainPalette->GetNotice(); }

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

    // Once its prefab is gone the object cannot be rebuilt: it stays, and the designer
    // is told why.
    PrefabList->RemovePrefabNow("Tst_Nest");
    gEditorState->SelectObject(fresh);
    Objects->ReloadSelected();
    Pass();
    FlushDeleteQueues();
    ASSERT_EQ(GameplayRoot->Children.size(), 1u);
    EXPECT_EQ(GameplayRoot->Children[0], fresh);
    EXPECT_FALSE(fresh->PendingDestroy);
    EXPECT_EQ(gEditorState->SelectedObject, fresh);
    EXPECT_NE(StatusText().find("Tst_Nest.json: prefab 'Tst_Nest' is not loaded"), std::string::npos) << StatusText();
}

TEST_F(ListPaletteTest, ADeletedObjectHandsTheSelectionToTheSiblingAfterItAndTheInsertParentUp) {
    auto* layer = new GameObject();
    layer->Name = "Layer1";
    GameplayRoot->AddChild(layer);
    for (const char* name : {"A", "B", "C", "D", "E"}) {
        auto* child = new GameObject();
        child->Name = name;
        layer->AddChild(child);
    }
    auto child = [layer](const char* name) { return layer->FindChild(name); };
    const EdPalObjectEditBhv* inspector = gEditorState->ObjectEditPalette;
    ASSERT_NE(inspector, nullptr);
    gEditorState->InsertParent = layer;

    // Remove on B: C follows it, and the inspector shows C.
    Objects->SelectRow(1);
    ASSERT_EQ(gEditorState->SelectedObject, child("B"));
    Objects->BtnRemove->OnClick();
    Pass();
    EXPECT_EQ(gEditorState->SelectedObject, child("C"));
    Pass();
    EXPECT_EQ(inspector->TitleBar->Title, "Edit Instance");
    EXPECT_EQ(inspector->NameRow->ValueText, "C");
    EXPECT_EQ(Objects->Items[1]->IsMarked, 1);

    // The last child has no follower.
    gEditorState->SelectObject(child("E"));
    Objects->BtnRemove->OnClick();
    Pass();
    EXPECT_EQ(gEditorState->SelectedObject, nullptr);
    Pass();
    EXPECT_EQ(inspector->TitleBar->Title, "Edit");

    // A follower that goes in the same flush hands on in turn, whatever the queue order.
    for (bool followerFirst : {false, true}) {
        for (const char* name : {"P", "Q", "R"}) {
            auto* extra = new GameObject();
            extra->Name = name;
            layer->AddChild(extra);
        }
        gEditorState->SelectObject(child("P"));
        if (followerFirst) {
            child("Q")->Destroy();
        }
        child("P")->Destroy();
        child("Q")->Destroy();
        FlushDeleteQueues();
        EXPECT_EQ(gEditorState->SelectedObject, child("R")) << followerFirst;
        child("R")->Destroy();
        FlushDeleteQueues();
    }

    // An object taken out of the tree before it dies has no follower.
    gEditorState->SelectObject(child("A"));
    child("A")->DetachAndDestroy();
    FlushDeleteQueues();
    EXPECT_EQ(gEditorState->SelectedObject, nullptr);

    // The group goes with its selected child: children die last to first, so the
    // selection ends empty; the insert parent climbs to the group's parent.
    gEditorState->SelectObject(child("C"));
    ASSERT_EQ(layer->Children.size(), 2u);
    layer->Destroy();
    Pass();
    EXPECT_EQ(gEditorState->SelectedObject, nullptr);
    EXPECT_EQ(gEditorState->InsertParent, GameplayRoot);
    Pass();
    EXPECT_EQ(Objects->ParentItem->Label, "GameplayRoot");

    // A deleted insert parent without a parent leaves none behind.
    auto* loose = new GameObject();
    gEditorState->InsertParent = loose;
    delete loose;
    EXPECT_EQ(gEditorState->InsertParent, nullptr);
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

    // An ordinary prefab that no other prefab auto-creates goes at once.
    SelectPrefabNamed("Tst_Nest");
    PrefabList->RemovePrefab();
    EXPECT_EQ(Prefabs.FindPrefab("Tst_Nest"), nullptr);
    EXPECT_FALSE(box->Dialog->IsOpen());
}

TEST_F(ListPaletteTest, APrefabOthersAutoCreateIsRenamedOrRemovedOnlyWhenTheDesignerConfirmsSeeingThem) {
    EdPalObjectEditBhv* inspector = gEditorState->ObjectEditPalette;
    EdDlgMessageBoxBhv* box = MessageBox();
    Prefab* ant = Prefabs.FindPrefab("Tst_Ant");
    SelectPrefabNamed("Tst_Ant");
    Pass();
    // Typed into the inspector's name field: right click clears it, Enter commits.
    const auto typeName = [&](const std::string& text) {
        Click(CentreOf(*inspector->NameRow->ValueField), Key::RightMouse);
        Type(text);
        Tap(Key::OemEnter);
    };
    typeName("Tst_Bug");
    ASSERT_TRUE(box->Dialog->IsOpen());
    EXPECT_EQ(MessageBoxTitle(), "Tst_Ant is auto-created by Tst_Nest. Rename it?");
    EXPECT_EQ(box->GetLabels(), (std::vector<std::string>{"Rename", "Cancel"}));
    EXPECT_EQ(ant->Name, "Tst_Ant");
    // Esc answers the last button: everything stays as it was.
    Tap(Key::Esc);
    EXPECT_FALSE(box->Dialog->IsOpen());
    EXPECT_EQ(Prefabs.FindPrefab("Tst_Ant"), ant);
    EXPECT_EQ(Prefabs.FindPrefab("Tst_Bug"), nullptr);
    EXPECT_FALSE(ant->Modified);
    EXPECT_EQ(gEditorState->SelectedName, "Tst_Ant");
    EXPECT_EQ(inspector->NameRow->ValueField->Text, "Tst_Ant");

    typeName("Tst_Bug");
    ASSERT_TRUE(box->Dialog->IsOpen());
    Tap(Key::OemEnter);
    EXPECT_EQ(Prefabs.FindPrefab("Tst_Bug"), ant);
    EXPECT_EQ(Prefabs.FindPrefab("Tst_Ant"), nullptr);
    EXPECT_EQ(gEditorState->SelectedName, "Tst_Bug");
    EXPECT_TRUE(ant->Modified);
    EXPECT_EQ(inspector->NameRow->ValueField->Text, "Tst_Bug");

    // Many users: the first few by name, then how many more.
    for (const char* user : {"Tst_User1", "Tst_User2", "Tst_User3", "Tst_User4", "Tst_User5"}) {
        Prefab* prefab = Prefabs.AddPrefab(std::make_unique<Prefab>(), user);
        prefab->AutoCreates.push_back(std::make_unique<AutoCreate>());
        prefab->AutoCreates.back()->Prefab = "Tst_Grub";
        prefab->AutoCreates.back()->Owner = prefab;
    }
    SelectPrefabNamed("Tst_Grub");
    Pass();
    Click(CentreOf(*PrefabList->BtnRemove));
    ASSERT_TRUE(box->Dialog->IsOpen());
    EXPECT_EQ(MessageBoxTitle(), "Tst_Grub is auto-created by Tst_Nest, Tst_User1, Tst_User2 and 3 more. Remove it?");
    EXPECT_EQ(box->GetLabels(), (std::vector<std::string>{"Remove", "Cancel"}));
    EXPECT_NE(Prefabs.FindPrefab("Tst_Grub"), nullptr);
    box->OnButton("Cancel");
    EXPECT_NE(Prefabs.FindPrefab("Tst_Grub"), nullptr);
    EXPECT_EQ(gEditorState->SelectedName, "Tst_Grub");
    Click(CentreOf(*PrefabList->BtnRemove));
    box->OnButton("Remove");
    EXPECT_EQ(Prefabs.FindPrefab("Tst_Grub"), nullptr);

    // A name that changes nothing, or that no file can have, asks nothing.
    SelectPrefabNamed("Tst_Bug");
    inspector->OnNameChanged("Tst_Bug");
    inspector->OnNameChanged("a/b");
    EXPECT_FALSE(box->Dialog->IsOpen());
    EXPECT_EQ(Prefabs.FindPrefab("Tst_Bug"), ant);
}

TEST_F(ListPaletteTest, RemovingUnderAFilterSelectsTheNextPrefabTheListShowsOrNone) {
    for (const char* name : {"Test.001", "Test.002"}) {
        Prefabs.AddPrefab(std::make_unique<Prefab>(), name);
    }
    // Typed into the filter field and committed, as the designer does.
    Click(CentreOf(*PrefabList->FilterField), Key::RightMouse);
    Type("test.");
    Tap(Key::OemEnter);
    ASSERT_EQ(PrefabList->Filter, "test.");
    const std::vector<std::string> rows = Labels(PrefabList->Items);
    const auto shown = std::find(rows.begin(), rows.end(), "Test.001");
    ASSERT_NE(shown, rows.end());
    PrefabList->SelectRow(static_cast<int>(shown - rows.begin()));
    Pass();
    ASSERT_EQ(gEditorState->SelectedName, "Test.001");

    Click(CentreOf(*PrefabList->BtnRemove));
    EXPECT_EQ(Prefabs.FindPrefab("Test.001"), nullptr);
    EXPECT_EQ(gEditorState->SelectedName, "Test.002");
    EXPECT_EQ(gEditorState->SelectedPrefab, Prefabs.FindPrefab("Test.002"));

    // Nothing after it matches the filter: nothing is selected, and a second Remove
    // takes nothing the list does not show.
    Click(CentreOf(*PrefabList->BtnRemove));
    EXPECT_EQ(Prefabs.FindPrefab("Test.002"), nullptr);
    EXPECT_EQ(gEditorState->SelectedPrefab, nullptr);
    const size_t count = Prefabs.Prefabs.size();
    Click(CentreOf(*PrefabList->BtnRemove));
    EXPECT_EQ(Prefabs.Prefabs.size(), count);
    EXPECT_FALSE(MessageBox()->Dialog->IsOpen());
    for (const EdListItemBhv* row : PrefabList->Items) {
        EXPECT_EQ(row->IsMarked, 0) << row->Label;
    }
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
