// The inspector "PalObjectEdit" of the committed "EdRoot" over objects and prefabs
// read from prefab files: the rows it lists, edits through its real fields and
// buttons, the prefab file they lead to, and targets that go away under it.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "EditorTestSupport.h"
#include "editor/EdRootBhv.h"
#include "editor/EditorState.h"
#include "editor/dialogs/EdDlgPickerBhv.h"
#include "editor/palettes/EdPalObjectEditBhv.h"
#include "editor/widgets/EdButtonBhv.h"
#include "editor/widgets/EdFieldBhv.h"
#include "editor/widgets/EdListItemBhv.h"
#include "editor/widgets/EdPropertyRowBhv.h"
#include "editor/widgets/EdTitleBarBhv.h"
#include "editor/widgets/EdToggleBhv.h"
#include "object/AutoCreate.h"
#include "object/Pos2dCmp.h"
#include "object/Prefab.h"
#include "object/ThingCmp.h"
#include "render/SpriteCmp.h"
#include "render/TintCmp.h"

namespace {

Vector2 CentreOf(const IEdUiElement& element) {
    return Vector2(element.Rect.X + element.Rect.Width / 2.0f, element.Rect.Y + element.Rect.Height / 2.0f);
}

class InspectorTest : public EditorContentTest {
protected:
    InspectorTest() {
        WritePrefab("Tst_Thing", R"({
            "Pos2dCmp": { "Pos": { "X": "0.1", "Y": "2" } },
            "TintCmp": "",
            "TweensBhv": "",
            "SpriteCmp": { "Size": { "X": "2", "Y": "4" } },
            "TextCmp": { "Text": "hello" } })");
        WritePrefab("Tst_Fixture", R"({ "B2FixtureCmp": "", "Pos2dCmp": { "Rotation": "1.5" } })");
        LoadContent();
        EdRoot = Build("EdRoot");
        Tap(Key::F11);
        Inspector = gEditorState->ObjectEditPalette;
        Thing = new GameObject("Tst_Thing");
        GameplayRoot->AddChild(Thing);
    }

    // Label and value text of each row in use.
    std::vector<std::pair<std::string, std::string>> Listed() const {
        std::vector<std::pair<std::string, std::string>> rows;
        for (const EdPropertyRowBhv* row : Inspector->Rows) {
            if (!row->Label.empty()) {
                rows.emplace_back(row->Label, row->ValueText);
            }
        }
        return rows;
    }

    int RowOf(const std::string& label) const {
        for (size_t i = 0; i < Inspector->Rows.size(); ++i) {
            if (Inspector->Rows[i]->Label == label) {
                return static_cast<int>(i);
            }
        }
        ADD_FAILURE() << "no row " << label;
        return 0;
    }

    // Types into the row's field as a user does: right click clears it, Enter commits.
    void Enter(const std::string& label, const std::string& text) {
        Click(CentreOf(*Inspector->Rows[RowOf(label)]->ValueField), Key::RightMouse);
        if (!text.empty()) {
            Type(text);
        }
        Tap(Key::OemEnter);
    }

    Prefab& ThingPrefab() const { return *gPrefabManager->FindPrefab("Tst_Thing"); }

    GameObject* EdRoot = nullptr;
    EdPalObjectEditBhv* Inspector = nullptr;
    GameObject* Thing = nullptr;
};

using Rows = std::vector<std::pair<std::string, std::string>>;

TEST_F(InspectorTest, AnInstanceListsEachPartOfEachComponentAndEditsItLive) {
    ASSERT_NE(Inspector, nullptr);
    Pass();
    EXPECT_EQ(Inspector->TitleBar->Title, "Edit");
    EXPECT_EQ(Inspector->NameRow->IsEditable, false);
    EXPECT_TRUE(Listed().empty());

    gEditorState->SelectObject(Thing);
    Pass();
    EXPECT_EQ(Inspector->TitleBar->Title, "Edit Instance");
    EXPECT_EQ(Inspector->NameRow->ValueText, "Tst_Thing");
    EXPECT_EQ(Inspector->FlagToggles->DrawEnabled, 1);
    const Rows rows = Listed();
    ASSERT_GE(rows.size(), 9u);
    EXPECT_EQ(Rows(rows.begin(), rows.begin() + 9), (Rows{{"Pos2dCmp:", ""},
                                                          {"  IsRelative", "false"},
                                                          {"  Pos.X", "0.100000001"},
                                                          {"  Pos.Y", "2"},
                                                          {"  Rotation", "0"},
                                                          {"TintCmp:", ""},
                                                          {"  Tint.A", "1"},
                                                          {"  Tint.Rgb", "ffffff"},
                                                          {"TweensBhv", ""}}));
    EXPECT_EQ(Inspector->Rows[0]->IsHighlighted, 1);
    EXPECT_EQ(Inspector->Rows[5]->IsHighlighted, 0);
    EXPECT_FALSE(Inspector->Rows[0]->IsEditable);

    Enter("  Pos.X", "2.5");
    EXPECT_FLOAT_EQ(Thing->GetComponent<Pos2dCmp>()->Pos.X, 2.5f);
    Enter("  Tint.Rgb", "ff0000");
    EXPECT_EQ(Thing->GetComponent<TintCmp>()->Tint, Color(255, 0, 0, 255));
    // Text that is no number leaves the value.
    Enter("  Pos.Y", "abc");
    EXPECT_FLOAT_EQ(Thing->GetComponent<Pos2dCmp>()->Pos.Y, 2.0f);
    EXPECT_FALSE(ThingPrefab().Modified);

    Click(CentreOf(*Inspector->NameRow->ValueField), Key::RightMouse);
    Type("Renamed");
    Tap(Key::OemEnter);
    EXPECT_EQ(Thing->Name, "Renamed");
    Click(CentreOf(*Inspector->DrawToggle));
    EXPECT_EQ(Thing->DrawEnabled, 0);
}

TEST_F(InspectorTest, PrefabEditsWriteHoldersAndTheSavedFile) {
    Prefab& prefab = ThingPrefab();
    gEditorState->SelectPrefab(&prefab);
    gEditorState->SelectedName = prefab.Name;
    Pass();
    EXPECT_EQ(Inspector->TitleBar->Title, "Edit Prefab");
    EXPECT_EQ(Inspector->FlagToggles->DrawEnabled, 0);
    // Every property is listed; only the overridden ones show a value.
    EXPECT_EQ(Inspector->Rows[RowOf("  Pos.X")]->ValueText, "0.100000001");
    EXPECT_EQ(Inspector->Rows[RowOf("  Rotation")]->ValueText, "");
    EXPECT_EQ(Inspector->Rows[RowOf("  Tint.Rgb")]->ValueText, "");

    Enter("  Rotation", "1.25");
    Enter("  IsRelative", "true");
    const PrefabComponent& pos = *prefab.Components[0];
    ASSERT_NE(pos.FindProperty("Rotation"), nullptr);
    EXPECT_TRUE(prefab.Modified);
    EXPECT_EQ(Inspector->Rows[RowOf("  Rotation")]->ValueText, "1.25");
    // A colour holder starts from the type's default: one part changes.
    Enter("  Tint.A", "0.5");
    EXPECT_EQ(Inspector->Rows[RowOf("  Tint.Rgb")]->ValueText, "ffffff");

    Enter("  Pos.Y", "");
    Enter("  Pos.X", "");
    EXPECT_EQ(pos.FindProperty("Pos"), nullptr);
    EXPECT_EQ(Inspector->Rows[RowOf("  Pos.X")]->ValueText, "");

    prefab.Save();
    EXPECT_FALSE(prefab.Modified);
    std::ifstream file(prefab.GetFilePath());
    std::stringstream text;
    text << file.rdbuf();
    const std::string json = text.str();
    EXPECT_NE(json.find("\"Rotation\": \"1.25\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"AutoCreate\": \"\""), std::string::npos) << json;
    EXPECT_EQ(json.find("\"Pos\""), std::string::npos) << json;
    // Properties in byte order of their names.
    EXPECT_LT(json.find("\"IsRelative\""), json.find("\"Rotation\"")) << json;
    EXPECT_LT(json.find("\"A\": "), json.find("\"Rgb\": \"ffffff\"")) << json;
    for (const char* bare : {": 1", ": 0", ": true", ": false", ": [", ": {\n}"}) {
        EXPECT_EQ(json.find(bare), std::string::npos) << bare << " in " << json;
    }
}

TEST_F(InspectorTest, APrefabIsRenamedToAFreeNameAndNeverToNothing) {
    Prefab& prefab = ThingPrefab();
    gEditorState->SelectPrefab(&prefab);
    gEditorState->SelectedName = prefab.Name;
    Pass();
    // As after the prefab list creates a prefab: the name field waits, empty, for typing.
    Inspector->FindOrCreateCoroutine(&EdPalObjectEditBhv::FocusNameCoroutine)->Start();
    Pass();
    Pass();
    EdFieldBhv* name = Inspector->NameRow->ValueField;
    EXPECT_EQ(name->HasFocus, 1);
    EXPECT_EQ(name->Text, "");
    Type("Tst_Fixture");
    Tap(Key::OemEnter);
    EXPECT_EQ(prefab.Name, "Tst_Fixture.001");
    EXPECT_EQ(gEditorState->SelectedName, "Tst_Fixture.001");
    EXPECT_EQ(gPrefabManager->FindPrefab("Tst_Fixture.001"), &prefab);
    EXPECT_TRUE(prefab.Modified);
    Inspector->OnNameChanged("");
    EXPECT_EQ(prefab.Name, "Tst_Fixture.001");
    Pass();
    EXPECT_EQ(Inspector->NameRow->ValueText, "Tst_Fixture.001");
}

TEST_F(InspectorTest, ComponentsAreAddedRemovedAndMovedThroughTheButtons) {
    gEditorState->SelectObject(Thing);
    Pass();
    Click(CentreOf(*Inspector->AddButton));
    EdDlgComponentPickerBhv* picker = gEditorState->ComponentPicker;
    ASSERT_TRUE(picker->Dialog != nullptr);
    Type("ThingCmp");
    Tap(Key::OemEnter);
    ASSERT_NE(Thing->GetComponent<ThingCmp>(), nullptr);
    EXPECT_EQ(Thing->Components.back(), Thing->GetComponent<ThingCmp>());

    // The tint header selects the tint, which then moves up and goes.
    Click(CentreOf(*Inspector->Rows[RowOf("TintCmp:")]->LabelItem));
    EXPECT_EQ(Inspector->SelectedComponentIndex, 1);
    EXPECT_EQ(Inspector->Rows[RowOf("  Tint.A")]->IsHighlighted, 1);
    Click(CentreOf(*Inspector->MoveUpButton));
    EXPECT_EQ(Inspector->SelectedComponentIndex, 0);
    EXPECT_EQ(Thing->Components[0], Thing->GetComponent<TintCmp>());
    Click(CentreOf(*Inspector->RemoveButton));
    EXPECT_EQ(Thing->GetComponent<TintCmp>(), nullptr);
    Pass();
    EXPECT_EQ(Listed()[0].first, "Pos2dCmp:");

    // On a prefab the entries change and the prefab is marked.
    Prefab& prefab = ThingPrefab();
    gEditorState->SelectPrefab(&prefab);
    Pass();
    Click(CentreOf(*Inspector->MoveDownButton));
    EXPECT_EQ(prefab.Components[1]->TypeName, "Pos2dCmp");
    EXPECT_TRUE(prefab.Modified);
    Inspector->OnComponentPicked("ThingCmp");
    EXPECT_EQ(prefab.Components.back()->TypeName, "ThingCmp");
    // The selection followed the moved entry, which goes now.
    Click(CentreOf(*Inspector->RemoveButton));
    ASSERT_EQ(prefab.Components.size(), 5u);
    EXPECT_EQ(prefab.Components[0]->TypeName, "TintCmp");
    EXPECT_EQ(prefab.Components[1]->TypeName, "TweensBhv");
}

TEST_F(InspectorTest, ScrollingShowsTheRestAndResetsWithTheSelection) {
    gEditorState->SelectObject(Thing);
    Pass();
    EXPECT_TRUE(Inspector->ScrollUpButton->IsGrayedOut);
    ASSERT_FALSE(Inspector->ScrollDownButton->IsGrayedOut);
    const std::string second = Inspector->Rows[1]->Label;
    Mouse = CentreOf(*Inspector->ScrollDownButton);
    Pass({Key::LeftMouse});
    Pass();
    EXPECT_EQ(Inspector->ScrollOffset, 1);
    EXPECT_EQ(Inspector->Rows[0]->Label, second);
    // Held down, it goes on to the end and stops with the last row empty.
    for (int i = 0; i < 60; ++i) {
        Pass({Key::LeftMouse});
    }
    Pass();
    EXPECT_TRUE(Inspector->ScrollDownButton->IsGrayedOut);
    EXPECT_EQ(Inspector->Rows.back()->Label, "");
    EXPECT_NE(Inspector->Rows.front()->Label, "");

    auto* other = new GameObject("Tst_Thing");
    GameplayRoot->AddChild(other);
    gEditorState->SelectObject(other);
    Pass();
    EXPECT_EQ(Inspector->ScrollOffset, 0);
    EXPECT_EQ(Inspector->SelectedComponentIndex, 0);
}

TEST_F(InspectorTest, RowsWhoseComponentWentWriteNothing) {
    gEditorState->SelectObject(Thing);
    Pass();
    const int tintRow = RowOf("  Tint.A");
    EdFieldBhv* field = Inspector->Rows[tintRow]->ValueField;
    // Removed by the button: the rows still point at it until the next update.
    Click(CentreOf(*Inspector->Rows[RowOf("TintCmp:")]->LabelItem));
    Click(CentreOf(*Inspector->RemoveButton));
    ASSERT_EQ(Thing->GetComponent<TintCmp>(), nullptr);
    field->OnCommit("0.25");
    EXPECT_EQ(Inspector->Rows[tintRow]->Label, "  Tint.A");  // not refilled yet
    Pass();
    EXPECT_NE(Inspector->Rows[tintRow]->Label, "  Tint.A");

    // The object destroyed under the inspector.
    const int posRow = RowOf("  Pos.X");
    Thing->Destroy();
    FlushDeleteQueues();
    Thing = nullptr;
    EXPECT_EQ(gEditorState->SelectedObject, nullptr);
    Inspector->Rows[posRow]->ValueField->OnCommit("7");
    Pass();
    EXPECT_TRUE(Listed().empty());

    // A prefab removed from the manager leaves the selection, entries too.
    gEditorState->SelectPrefab(gPrefabManager->FindPrefab("Tst_Fixture"));
    Pass();
    const int rotationRow = RowOf("  Rotation");
    gPrefabManager->Prefabs.erase("Tst_Fixture");
    EXPECT_EQ(gEditorState->SelectedPrefab, nullptr);
    Inspector->Rows[rotationRow]->ValueField->OnCommit("3");
    Pass();
    EXPECT_EQ(Inspector->TitleBar->Title, "Edit");

    Prefab& prefab = ThingPrefab();
    prefab.AutoCreates.push_back(std::make_unique<AutoCreate>());
    gEditorState->SelectAutoCreate(prefab.AutoCreates.back().get());
    prefab.AutoCreates.clear();
    EXPECT_EQ(gEditorState->SelectedAutoCreate, nullptr);
}

TEST_F(InspectorTest, CtrlLCentresASpriteOriginAndCtrlEHandsOverAFixture) {
    gEditorState->SelectObject(Thing);
    Pass();
    Click(CentreOf(*Inspector->Rows[RowOf("SpriteCmp:")]->LabelItem));
    Tap(Key::L, {Key::Ctrl});
    EXPECT_EQ(Thing->GetComponent<SpriteCmp>()->Origin, Vector2(-1.0f, -2.0f));

    IEditable* handed = nullptr;
    gEditorState->BeginShapeEditing = [&handed](IEditable* fixture) { handed = fixture; };
    gEditorState->SelectPrefab(gPrefabManager->FindPrefab("Tst_Fixture"));
    Pass();
    Tap(Key::E, {Key::Ctrl});
    EXPECT_EQ(handed, gPrefabManager->FindPrefab("Tst_Fixture")->Components[0].get());
    // Without Ctrl nothing is handed over.
    handed = nullptr;
    Tap(Key::E);
    EXPECT_EQ(handed, nullptr);
}

}  // namespace
