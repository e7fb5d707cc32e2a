// The text field built from the committed "EdField": focus by mouse, commit and
// cancel, caret keys, clipboard and the arrow-key stepping of numbers; and, in the
// running editor, texts of fields and labels that stay inside their boxes.

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "EditedLevelFixture.h"
#include "EditorTestSupport.h"
#include "GraphicsTestSupport.h"
#include "editor/EdRootBhv.h"
#include "editor/EditorState.h"
#include "editor/dialogs/EdDlgPickerBhv.h"
#include "editor/palettes/EdPalMainBhv.h"
#include "editor/palettes/EdPalObjectEditBhv.h"
#include "editor/palettes/EdPalPrefabListBhv.h"
#include "editor/widgets/EdFieldBhv.h"
#include "editor/widgets/EdListItemBhv.h"
#include "editor/widgets/EdPropertyRowBhv.h"
#include "game/levels/SavedDataBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "input/Clipboard.h"
#include "input/Keys.h"
#include "object/Prefab.h"
#include "object/PrefabManager.h"
#include "object/PropertyRegistration.h"
#include "object/PropertyText.h"
#include "object/SceneRoots.h"
#include "render/SpriteCmp.h"
#include "render/TextCmp.h"
#include "render/TextLayout.h"
#include "render/TintCmp.h"

namespace {

class FieldTest : public EditorContentTest {
protected:
    FieldTest() {
        LoadContent();
        Object = Build("EdField");
        Field = Object->GetComponent<EdFieldBhv>();
        Field->OnCommit = [this](const std::string& text) { Commits.push_back(text); };
        Layout();
    }

    void Layout() { Field->SetRect(100.0f, 100.0f, 120.0f, 20.0f); }

    // Focused by a click, with the text given first.
    void Edit(const std::string& text) {
        Field->Text = text;
        Click(Vector2(110.0f, 110.0f));
        ASSERT_EQ(Field->HasFocus, 1);
    }

    std::string Shown() {
        Layout();
        return Find(Object, {"Text"})->Text->Text;
    }

    GameObject* Object = nullptr;
    EdFieldBhv* Field = nullptr;
    std::vector<std::string> Commits;
};

struct StepCase {
    const char* Before;
    Key Arrow;
    std::vector<Key> Modifiers;
    const char* After;  // nullptr: not stepped
};

TEST_F(FieldTest, ArrowKeysStepIntegersAndNumbersAndCommitAtOnce) {
    const StepCase cases[] = {
        {"7", Key::Up, {}, "8"},
        {"7", Key::Up, {Key::Shift}, "17"},
        {"7", Key::Up, {Key::Ctrl}, "7"},
        {" 12 ", Key::Up, {}, "13"},
        {"-3", Key::Down, {Key::Shift}, "-13"},
        {"+4", Key::Down, {}, "3"},
        {"0.1", Key::Up, {}, "1.1000000000000001"},
        {".5", Key::Down, {}, "-0.5"},
        {"2.5", Key::Up, {Key::Ctrl}, "2.6000000000000001"},
        {"1e5", Key::Up, {}, nullptr},
        {"1.", Key::Up, {}, nullptr},
        {"abc", Key::Down, {}, nullptr},
        {"99999999999", Key::Up, {}, nullptr},
        {"2147483647", Key::Up, {}, nullptr},
        {"-2147483648", Key::Down, {}, nullptr},
    };
    for (const StepCase& c : cases) {
        Edit(c.Before);
        Commits.clear();
        std::vector<Key> held = c.Modifiers;
        held.push_back(c.Arrow);
        RunPass(held);
        RunPass(c.Modifiers);
        if (c.After != nullptr) {
            EXPECT_EQ(Field->Text, c.After) << c.Before;
            EXPECT_EQ(Commits, std::vector<std::string>{c.After}) << c.Before;
            EXPECT_EQ(Field->Caret, static_cast<int>(Field->Text.size()));
            EXPECT_EQ(Field->HasFocus, 1) << "stepping keeps the focus";
        } else {
            EXPECT_EQ(Field->Text, c.Before) << c.Before;
            EXPECT_TRUE(Commits.empty()) << c.Before;
        }
    }
}

TEST_F(FieldTest, ClicksGiveTakeAndCommitTheFocus) {
    Edit("abc");
    EXPECT_EQ(Field->Caret, 3);
    EXPECT_EQ(Shown(), "abc|");
    EXPECT_EQ(Find(Object, {"Box"})->Tint->Tint, EdFieldBhv::FocusBoxTint);

    // A right click inside clears the field.
    Click(Vector2(150.0f, 105.0f), Key::RightMouse);
    EXPECT_EQ(Field->Text, "");
    EXPECT_EQ(Field->Caret, 0);
    EXPECT_EQ(Field->HasFocus, 1);

    // A click outside, right or left, keeps what was typed: it commits.
    Type("up");
    Click(Vector2(500.0f, 500.0f), Key::RightMouse);
    EXPECT_EQ(Field->HasFocus, 0);
    EXPECT_EQ(Commits, std::vector<std::string>{"up"});
    Commits.clear();
    Edit("go");
    Click(Vector2(220.0f, 110.0f));  // the right edge is outside
    EXPECT_EQ(Field->HasFocus, 0);
    EXPECT_EQ(Commits, std::vector<std::string>{"go"});
    EXPECT_EQ(Shown(), "go");
    EXPECT_NE(Find(Object, {"Box"})->Tint->Tint, EdFieldBhv::FocusBoxTint);
}

TEST_F(FieldTest, TypingEditsAtTheCaretAndEscKeepsTheTextWithoutCommitting) {
    Edit("ac");
    Tap(Key::Left);
    Tap(Key::B);
    EXPECT_EQ(Field->Text, "abc");
    Tap(Key::Home);
    Tap(Key::Delete);
    Tap(Key::End);
    Tap(Key::Backspace);
    EXPECT_EQ(Field->Text, "b");
    Tap(Key::X, {Key::Shift});
    EXPECT_EQ(Field->Text, "bX");

    Tap(Key::Esc);
    EXPECT_EQ(Field->HasFocus, 0);
    EXPECT_EQ(Field->Text, "bX");
    EXPECT_TRUE(Commits.empty());
    // Keys no longer reach it.
    Tap(Key::Q);
    EXPECT_EQ(Field->Text, "bX");

    // At a low pass rate the last letters of a word and the Enter after them reach one
    // pass: the commit holds them.
    Edit("Scrat");
    Typed = "ch";
    Pass({Key::OemEnter});
    EXPECT_EQ(Field->HasFocus, 0);
    EXPECT_EQ(Commits, std::vector<std::string>{"Scratch"});
    Commits.clear();

    // An owner that shortens the text pulls the caret back at the next layout.
    Edit("long text");
    Field->Text = "lo";
    EXPECT_EQ(Shown(), "lo|");
    EXPECT_EQ(Field->Caret, 2);
}

TEST_F(FieldTest, CtrlVInsertsTheClipboardAtTheCaretAndCtrlCCopiesTheText) {
    QV_REQUIRE_DISPLAY();
    Clipboard::SetText("42");
    Edit("ab");
    Tap(Key::Left);
    Tap(Key::V, {Key::Ctrl});
    EXPECT_EQ(Field->Text, "a42b") << "no typed 'v' beside the paste";
    EXPECT_EQ(Field->Caret, 3);

    Tap(Key::C, {Key::Ctrl});
    EXPECT_EQ(Clipboard::GetText(), "a42b");
    Tap(Key::Tab);
    EXPECT_EQ(Commits, std::vector<std::string>{"a42b"});
    EXPECT_EQ(Field->HasFocus, 0);
}

// The running editor with its fonts: what a field or a label shows, and where it ends.
class EditorTextTest : public EditedLevelFixture {
protected:
    static std::string Shown(const GameObject* text) { return text->Text->Text; }
    // The right end of the text as laid out, in interface pixels.
    static float TextEnd(const GameObject* text) { return text->GetPos().X + text->Text->Layout().MaxWidth(); }
    static float BoxEnd(const EdFieldBhv& field) {
        const GameObject* box = field.BoxObject;
        return box->GetPos().X + std::abs(box->Sprite->Size.X) / 2.0f;
    }
    static GameObject* TextOf(const EdListItemBhv& item) { return item.Owner->FindChild("Text"); }

    // Every shown field and list row under the palettes: its text ends inside its box.
    static void ExpectEveryTextInsideItsBox(GameObject* object) {
        if (object->DrawEnabled == 0) {
            return;
        }
        if (const auto* field = object->GetComponent<EdFieldBhv>()) {
            EXPECT_LE(TextEnd(field->TextObject), BoxEnd(*field)) << Shown(field->TextObject);
        }
        if (const auto* item = object->GetComponent<EdListItemBhv>()) {
            EXPECT_LE(TextEnd(TextOf(*item)), item->Rect.X + item->Rect.Width) << Shown(TextOf(*item));
        }
        for (GameObject* child : object->Children) {
            ExpectEveryTextInsideItsBox(child);
        }
    }
};

TEST_F(EditorTextTest, ALongFilterScrollsWhileTypedAndLongLabelsAreCutBeforeTheirValues) {
    QV_REQUIRE_DISPLAY();
    ASSERT_NO_FATAL_FAILURE(StartEditing(true));
    Press(Key::Tab);
    GameObject* palettes = gEdRoot->PalettesRoot;
    EdFieldBhv& filter = *palettes->FindChild("PalPrefabList")->GetComponent<EdPalPrefabListBhv>()->FilterField;
    ASSERT_NE(filter.TextObject->Text->Font, nullptr);
    Play().Mouse = Vector2(filter.Rect.X + 10.0f, filter.Rect.Y + filter.Rect.Height / 2.0f);
    Press(Key::LeftMouse);
    ASSERT_EQ(filter.HasFocus, 1);

    // Typed far past the field's width: the caret and the characters before it stay in
    // view, scrolling the start of the text out.
    const std::string typed = "enantwalkerwithaverylongnametoseek";
    for (size_t i = 0; i < typed.size(); ++i) {
        Press(ParseKey(std::string(1, static_cast<char>(std::toupper(typed[i])))));
        const std::string shown = Shown(filter.TextObject);
        ASSERT_EQ(filter.Text, typed.substr(0, i + 1));
        ASSERT_EQ(shown.back(), '|') << shown;
        EXPECT_EQ(filter.Text.substr(filter.Text.size() - (shown.size() - 1)), shown.substr(0, shown.size() - 1));
        EXPECT_LE(TextEnd(filter.TextObject), BoxEnd(filter)) << shown;
    }
    EXPECT_LT(Shown(filter.TextObject).size(), filter.Text.size() / 2) << "the start scrolled out";

    // Home brings the start back, with the caret before it.
    Press(Key::Home);
    const std::string atHome = Shown(filter.TextObject);
    EXPECT_EQ(atHome.substr(0, 6), "|enant") << atHome;
    EXPECT_LE(TextEnd(filter.TextObject), BoxEnd(filter)) << atHome;

    // Committed, the field shows the start of its text, cut with an ellipsis.
    Press(Key::OemEnter);
    ASSERT_EQ(filter.HasFocus, 0);
    const std::string committed = Shown(filter.TextObject);
    EXPECT_EQ(committed.substr(0, 5), "enant") << committed;
    EXPECT_EQ(committed.substr(committed.size() - 3), "...") << committed;
    EXPECT_LE(TextEnd(filter.TextObject), BoxEnd(filter)) << committed;

    // The inspector over the gameplay screen: its long labels end before the value column.
    gEditorState->SelectObject(gGameplayScreen->Owner);
    Play().RunPasses(2);
    const EdPropertyRowBhv* shadow = nullptr;
    for (const EdPropertyRowBhv* row : gEditorState->ObjectEditPalette->Rows) {
        if (row->Label == "  ShadowReduction") {
            shadow = row;
        }
        if (row->IsEditable) {
            EXPECT_LT(TextEnd(TextOf(*row->LabelItem)), row->ValueField->Rect.X) << row->Label;
        }
    }
    // A heading shows no value: it takes the whole row.
    EXPECT_EQ(Shown(TextOf(*gEditorState->ObjectEditPalette->Rows[0]->LabelItem)), "GameplayScreenBhv:");
    ASSERT_NE(shadow, nullptr);
    const std::string label = Shown(TextOf(*shadow->LabelItem));
    EXPECT_EQ(label.substr(0, 8), "  Shadow") << label;
    EXPECT_EQ(label.substr(label.size() - 3), "...") << label;
    EXPECT_EQ(Shown(shadow->ValueField->TextObject), shadow->ValueText);
    ExpectEveryTextInsideItsBox(palettes);
    if (const char* folder = std::getenv("QV_SCREENSHOT_DIR")) {
        Play().SaveScreenshot(std::filesystem::path(folder) / "texts-in-boxes.bmp");
    }
}

// On a busy machine a pass is long enough for a click, some keys and an Enter to reach
// one pump, in any grouping. Whatever the grouping the keys apply in the order they went
// down: an Enter or a Tab commits what was typed before it. The right click clears the
// field, so a lost digit commits "" and removes the property from the prefab.
class StalledPassTest : public EditedLevelFixture {
protected:
    // The keys of each pump in turn, a pass each, then a pass to settle.
    void Pumps(const std::vector<std::vector<Key>>& pumps) {
        for (const std::vector<Key>& keys : pumps) {
            Play().TapInOnePump(keys);
            Play().RunPass();
        }
        Play().RunPass();
    }

    // "AntCount" of "En_AntSack" as the prefab holds it, "(none)" when it holds none.
    static std::string AntCount() {
        for (const auto& component : gPrefabManager->FindPrefab("En_AntSack")->Components) {
            const PropertyRegistration* count = component->FindProperty("AntCount");
            if (component->TypeName == "En_AntSackBhv" && count != nullptr) {
                return PropertyToText(count->MakeSubProperty("AntCount", 0));
            }
        }
        return "(none)";
    }
};

TEST_F(StalledPassTest, KeysBeforeAnEnterOrATabAreCommittedWhateverPassesTheyFallInto) {
    ASSERT_NO_FATAL_FAILURE(StartEditing());
    gEditorState->MainPalette->ShowPalettes();
    gEditorState->SelectPrefab(gPrefabManager->FindPrefab("En_AntSack"));
    gEditorState->SelectedName = "En_AntSack";
    EdPropertyRowBhv& row = InspectorRow("En_AntSackBhv", "  AntCount");
    const EdFieldBhv& field = *row.ValueField;
    ASSERT_EQ(AntCount(), "10");
    MouseOn(field);
    Play().RunPass();

    using K = Key;
    const struct {
        const char* Route;
        std::vector<std::vector<Key>> Pumps;
    } routes[] = {
        {"click; then 9 and Enter in one pass", {{K::RightMouse}, {K::Oem9, K::OemEnter}}},
        {"click, 9 and Enter in one pass", {{K::RightMouse, K::Oem9, K::OemEnter}}},
        {"click and 9 in one pass; then Enter", {{K::RightMouse, K::Oem9}, {K::OemEnter}}},
        {"one key a pass", {{K::RightMouse}, {K::Oem9}, {K::OemEnter}}},
        {"click; then 9 and Tab in one pass", {{K::RightMouse}, {K::Oem9, K::Tab}}},
        {"click, 9 and Tab in one pass", {{K::RightMouse, K::Oem9, K::Tab}}},
        // Each Backspace counts, two in one pass too.
        {"945; two Backspaces in one pass; Enter",
         {{K::RightMouse, K::Oem9, K::Oem4, K::Oem5}, {K::Backspace, K::Backspace}, {K::OemEnter}}},
        {"all of it in one pass",
         {{K::RightMouse, K::Oem9, K::Oem4, K::Oem5, K::Backspace, K::Backspace, K::OemEnter}}},
    };
    for (const auto& route : routes) {
        row.OnValueChanged("10");
        Play().RunPass();
        ASSERT_EQ(AntCount(), "10") << route.Route;
        Pumps(route.Pumps);
        EXPECT_EQ(AntCount(), "9") << route.Route;
        EXPECT_EQ(field.HasFocus, 0) << route.Route;
        EXPECT_EQ(field.Text, "9") << route.Route;
        // The Tab was the field's, not the key that hides the palettes.
        EXPECT_TRUE(gEditorState->MainPalette->IsAnyPaletteShown()) << route.Route;
    }

    // The prefab list's filter and a picker's filter, all in one pass.
    EdPalPrefabListBhv& prefabs = *gRootObject->FindChild("EdRoot")
                                       ->FindChild("EdPalettesRoot")
                                       ->FindChild("PalPrefabList")
                                       ->GetComponent<EdPalPrefabListBhv>();
    MouseOn(*prefabs.FilterField);
    Play().RunPass();
    Play().TapInOnePump({K::RightMouse});
    Play().TypeInOnePump("Sack");
    Play().TapInOnePump({K::OemEnter});
    Play().RunPasses(2);
    EXPECT_EQ(prefabs.Filter, "Sack");

    std::string picked = "(nothing)";
    gEditorState->PrefabPicker->Show([&picked](const std::string& name) { picked = name; });
    Play().RunPass();
    Play().TypeInOnePump("En_AntSack");
    Play().TapInOnePump({K::OemEnter});
    Play().RunPasses(2);
    EXPECT_EQ(picked, "En_AntSack");
}

// On the map the editor's fields have the keyboard as they have it over a level: the
// letters typed into the prefab list's filter neither walk the map's cursor nor change
// the level that "Lv:" names. Let go of the filter, the keys are the map's again.
class FieldOnTheMapTest : public EditedLevelFixture {
protected:
    // The prefab list's filter, clicked as a person clicks it.
    const EdFieldBhv& FocusTheFilter() {
        const EdFieldBhv& filter = *gEdRoot->PalettesRoot->FindChild("PalPrefabList")
                                        ->GetComponent<EdPalPrefabListBhv>()
                                        ->FilterField;
        MouseOn(filter);
        Play().RunPass();
        Strike(Key::LeftMouse);
        return filter;
    }
};

TEST_F(FieldOnTheMapTest, LettersTypedIntoAFilterDoNotWalkTheMapsCursor) {
    ASSERT_NO_FATAL_FAILURE(StartOnTheMap());
    ASSERT_EQ(gCurrentLevelName, "Lvl_01");
    const GameObject* cursor = Play().Find("LevelSelectScreen1/MapCursor");
    ASSERT_NE(cursor, nullptr);
    const Vector2 start = cursor->GetPos();
    Strike(Key::F1);
    ASSERT_EQ(gEditorState->IsEditing, 1);
    Strike(Key::Tab);
    const EdFieldBhv& filter = FocusTheFilter();
    ASSERT_EQ(filter.HasFocus, 1);

    for (int letter = 0; letter < 2; ++letter) {
        Play().TypeInOnePump("d");
        Play().RunPasses(6);
    }
    Play().RunSeconds(1.0f);
    EXPECT_EQ(filter.Text, "dd");
    EXPECT_EQ(gCurrentLevelName, "Lvl_01");
    EXPECT_EQ(gEditorState->MainPalette->StatusRow->Label, "Lv: Lvl_01");
    EXPECT_NEAR(cursor->GetPos().X, start.X, 1e-4f);
    EXPECT_NEAR(cursor->GetPos().Y, start.Y, 1e-4f);

    Strike(Key::OemEnter);
    ASSERT_EQ(filter.HasFocus, 0);
    Play().TypeInOnePump("d");
    Play().RunSeconds(1.0f);
    EXPECT_EQ(gCurrentLevelName, "Lvl_02");
    EXPECT_EQ(gEditorState->MainPalette->StatusRow->Label, "Lv: Lvl_02");
}

// On a busy machine the key that lets a field go and the next key reach one pass: the
// key after the Esc or the Enter walks the map's cursor, and so does one struck just
// before the click that gives the filter the keyboard.
TEST_F(FieldOnTheMapTest, AKeyStruckRightAfterAFilterLetsGoOrBeforeItTakesTheKeyboardWalksTheMapsCursor) {
    ASSERT_NO_FATAL_FAILURE(StartOnTheMap());
    ASSERT_EQ(gCurrentLevelName, "Lvl_01");
    Strike(Key::F1);
    Strike(Key::Tab);
    // Walked to the second level by "d" and back by "a" while the filter is let go.
    const auto walkedThereAndBack = [this](const char* how) {
        Play().RunSeconds(1.0f);
        EXPECT_EQ(gCurrentLevelName, "Lvl_02") << how;
        Strike(Key::A);
        Play().RunSeconds(1.0f);
        ASSERT_EQ(gCurrentLevelName, "Lvl_01") << how;
    };
    for (const Key ending : {Key::Esc, Key::OemEnter}) {
        const EdFieldBhv& filter = FocusTheFilter();
        ASSERT_EQ(filter.HasFocus, 1);
        Play().TapInOnePump({ending, Key::D});
        Play().RunPass();
        EXPECT_EQ(filter.HasFocus, 0);
        EXPECT_EQ(filter.Text, "");
        walkedThereAndBack(ending == Key::Esc ? "d after Esc" : "d after Enter");
    }

    const EdFieldBhv& filter = FocusTheFilter();
    Strike(Key::Esc);
    ASSERT_EQ(filter.HasFocus, 0);
    Play().TapInOnePump({Key::D, Key::LeftMouse});
    Play().RunPass();
    EXPECT_EQ(filter.HasFocus, 1);
    EXPECT_EQ(filter.Text, "");
    Strike(Key::Esc);
    walkedThereAndBack("d before the click");
}

// F11 edits with the game running. The letters typed into a field are the field's: "wd"
// does not walk the player and "r" does not replay the level. Let go of the field, they
// are the player's again.
TEST_F(FieldOnTheMapTest, LettersTypedIntoAFilterOverPlayNeitherWalkThePlayerNorReplayTheLevel) {
    ASSERT_NO_FATAL_FAILURE(StartPlaying());
    Play().RunSeconds(1.5f);
    GameObject* player = Play().Find("GameplayScreen/Level/Layer2Mut/Player");
    ASSERT_NE(player, nullptr);
    Strike(Key::F11);
    ASSERT_EQ(gEditorState->IsEditing, 1);
    const EdFieldBhv& filter = FocusTheFilter();
    ASSERT_EQ(filter.HasFocus, 1);
    const Vector2 start = player->GetPos();

    // Held as a person holds a key to type it twice by repeat, then tapped.
    for (const Key key : {Key::W, Key::D}) {
        Play().PumpKeys.push_back({key, true});
        Play().RunSeconds(0.5f);
        Play().PumpKeys.push_back({key, false});
        Play().RunPass();
    }
    Play().TypeInOnePump("r");
    // Long enough for a replay's fade and the level's load.
    Play().RunSeconds(2.5f);
    EXPECT_EQ(filter.Text.substr(0, 1), "w");
    EXPECT_EQ(filter.Text.back(), 'r');
    ASSERT_EQ(Play().Find("GameplayScreen/Level/Layer2Mut/Player"), player) << "the level was played again";
    EXPECT_NEAR(player->GetPos().X, start.X, 1e-3f);
    EXPECT_NEAR(player->GetPos().Y, start.Y, 1e-3f);

    Strike(Key::OemEnter);
    ASSERT_EQ(filter.HasFocus, 0);
    Play().PumpKeys.push_back({Key::W, true});
    Play().RunSeconds(0.5f);
    Play().PumpKeys.push_back({Key::W, false});
    Play().RunPass();
    EXPECT_GT(player->GetPos().Y, start.Y + 0.5f);
}

}  // namespace
