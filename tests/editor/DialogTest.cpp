// The dialogs of the committed "EdRoot": the message box opened through the editor
// root, and the component and prefab pickers driven by keys, typing and clicks.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "EditorTestSupport.h"
#include "editor/EdRootBhv.h"
#include "editor/EditorState.h"
#include "editor/dialogs/EdDialogBhv.h"
#include "editor/dialogs/EdDlgMessageBoxBhv.h"
#include "editor/dialogs/EdDlgPickerBhv.h"
#include "editor/widgets/EdButtonBhv.h"
#include "editor/widgets/EdFieldBhv.h"
#include "editor/widgets/EdListItemBhv.h"
#include "render/SpriteCmp.h"
#include "render/TextCmp.h"

namespace {

Vector2 CentreOf(const IEdUiElement& element) {
    return Vector2(element.Rect.X + element.Rect.Width / 2.0f, element.Rect.Y + element.Rect.Height / 2.0f);
}

class DialogTest : public EditorContentTest {
protected:
    DialogTest() {
        WritePrefab("En_Ant", "\"\"");
        WritePrefab("Lvl_Boss", "\"\"");
        LoadContent();
        EdRoot = Build("EdRoot");
        gEditorState->IsEditing = 1;
        Pass();
        GameObject* box = Find(EdRoot, {"EdDialogsRoot", "EdDlgMessageBox"});
        Box = box->GetComponent<EdDlgMessageBoxBhv>();
        Prefabs = gEditorState->PrefabPicker;
        Components = gEditorState->ComponentPicker;
    }

    void Ask(const std::vector<std::string>& labels) {
        Answers.clear();
        gEdRoot->ShowMessageBox(labels, "Save changes?",
                                [this](const std::string& label) { Answers.push_back(label); });
        Pass();
    }

    template <class Picker>
    std::vector<std::string> Shown(const Picker* picker) const {
        std::vector<std::string> labels;
        for (const EdListItemBhv* item : picker->Items) {
            labels.push_back(item->Label);
        }
        return labels;
    }

    // Holds the button down for one pass, then lets go.
    void HoldFor(const EdButtonBhv* button) {
        Mouse = CentreOf(*button);
        Pass({Key::LeftMouse});
        Pass();
    }

    GameObject* EdRoot = nullptr;
    EdDlgMessageBoxBhv* Box = nullptr;
    EdDlgPrefabPickerBhv* Prefabs = nullptr;
    EdDlgComponentPickerBhv* Components = nullptr;
    std::vector<std::string> Answers;
};

TEST_F(DialogTest, MessageBoxOpensAboveThePalettesAndAnswersKeysAndClicks) {
    ASSERT_NE(Box, nullptr);
    EXPECT_FALSE(Box->Dialog->IsOpen());
    Ask({"Yes", "No", "Cancel"});
    EXPECT_TRUE(Box->Dialog->IsOpen());
    EXPECT_EQ(gEditorState->KeyboardCaptured, 1);
    EXPECT_EQ(gEdRoot->PalettesRoot->InputEnabled, 0);
    ASSERT_EQ(Box->ButtonsRoot->Children.size(), 3u);
    const GameObject* yes = Box->ButtonsRoot->Children[0];
    EXPECT_EQ(Find(const_cast<GameObject*>(yes), {"Background"})->GetComponent<SpriteCmp>()->Layer, DrawLayer::Editor2);
    EXPECT_EQ(Find(const_cast<GameObject*>(yes), {"Text"})->GetComponent<TextCmp>()->Layer, DrawLayer::EditorText2);
    // The buttons share the row side by side.
    const auto* no = Box->ButtonsRoot->Children[1]->GetComponent<EdButtonBhv>();
    EXPECT_GT(no->Rect.X, yes->GetComponent<EdButtonBhv>()->Rect.X);
    EXPECT_FLOAT_EQ(no->Rect.Y, yes->GetComponent<EdButtonBhv>()->Rect.Y);

    Tap(Key::OemEnter);
    EXPECT_EQ(Answers, std::vector<std::string>{"Yes"});
    EXPECT_FALSE(Box->Dialog->IsOpen());
    EXPECT_EQ(gEdRoot->PalettesRoot->InputEnabled, 1);
    EXPECT_EQ(gEditorState->KeyboardCaptured, 0);

    Ask({"Yes", "No", "Cancel"});
    Tap(Key::Esc);
    EXPECT_EQ(Answers, std::vector<std::string>{"Cancel"});

    for (const char* typed : {"n", "N"}) {
        Ask({"Yes", "No", "Cancel"});
        Type(typed);
        EXPECT_EQ(Answers, std::vector<std::string>{"No"}) << typed;
    }

    Ask({"Yes", "No", "Cancel"});
    Type("x");
    EXPECT_TRUE(Answers.empty());
    EXPECT_TRUE(Box->Dialog->IsOpen());
    Click(CentreOf(*Box->ButtonsRoot->Children[1]->GetComponent<EdButtonBhv>()));
    EXPECT_EQ(Answers, std::vector<std::string>{"No"});
    // The answer was given once; a late press finds no callback.
    Box->OnButton("Yes");
    EXPECT_EQ(Answers, std::vector<std::string>{"No"});
}

// A question whose first answer loses work names its safe one: Enter and Esc press it,
// the other takes its button or its letter. A chord is no letter.
TEST_F(DialogTest, AQuestionsSafeAnswerTakesEnterAndEsc) {
    const auto ask = [this] {
        Answers.clear();
        gEdRoot->ShowMessageBox(
            {"Quit anyway", "Go back"}, "Quit?", [this](const std::string& label) { Answers.push_back(label); },
            "Go back");
        Pass();
    };
    for (const Key key : {Key::OemEnter, Key::Esc}) {
        ask();
        Tap(key);
        EXPECT_EQ(Answers, std::vector<std::string>{"Go back"}) << KeyName(key);
    }
    ask();
    Tap(Key::Q, {Key::Ctrl});
    EXPECT_TRUE(Answers.empty());
    Type("q");
    EXPECT_EQ(Answers, std::vector<std::string>{"Quit anyway"});
    // The next question without one answers as before.
    Ask({"Yes", "No", "Cancel"});
    Tap(Key::OemEnter);
    EXPECT_EQ(Answers, std::vector<std::string>{"Yes"});
}

TEST_F(DialogTest, BuildingTheBoxAgainReplacesItsButtons) {
    Ask({"Yes", "No", "Cancel"});
    Ask({"Retry", "Skip"});
    EXPECT_EQ(Box->GetLabels(), (std::vector<std::string>{"Retry", "Skip"}));
    EXPECT_EQ(Box->ButtonsRoot->Children.size(), 2u);
    Tap(Key::Esc);
    EXPECT_EQ(Answers, std::vector<std::string>{"Skip"});
}

TEST_F(DialogTest, PrefabPickerFiltersLiveAndOffersNoneOnlyAtTheTop) {
    ASSERT_NE(Prefabs, nullptr);
    std::vector<std::string> picked;
    Prefabs->Show([&picked](const std::string& name) { picked.push_back(name); });
    Pass();
    EXPECT_EQ(gEditorState->KeyboardCaptured, 1);
    EXPECT_EQ(Prefabs->FilterField->HasFocus, 1);
    std::vector<std::string> rows = Shown(Prefabs);
    EXPECT_EQ(rows[0], "(None)");
    EXPECT_EQ(rows[1], gPrefabManager->Prefabs.begin()->first);
    EXPECT_FALSE(Prefabs->ScrollDownButton->IsGrayedOut);
    EXPECT_TRUE(Prefabs->ScrollUpButton->IsGrayedOut);
    // The list rows are stacked between the two scroll buttons.
    const EdListItemBhv& first = *Prefabs->Items.front();
    const EdListItemBhv& last = *Prefabs->Items.back();
    EXPECT_FLOAT_EQ(first.Rect.Y, Prefabs->ScrollUpButton->Rect.Y + Prefabs->ScrollUpButton->Height);
    EXPECT_FLOAT_EQ(Prefabs->Items[1]->Rect.Y, first.Rect.Y + first.Height);
    EXPECT_FLOAT_EQ(Prefabs->ScrollDownButton->Rect.Y, last.Rect.Y + last.Height);
    EXPECT_FLOAT_EQ(first.Rect.Width, Prefabs->Dialog->Width);

    HoldFor(Prefabs->ScrollDownButton);
    EXPECT_EQ(Prefabs->ScrollOffset, 1);
    EXPECT_EQ(Shown(Prefabs)[0], gPrefabManager->Prefabs.begin()->first);
    EXPECT_FALSE(Prefabs->ScrollUpButton->IsGrayedOut);

    // The click on the scroll button took the keyboard from the filter: give it back.
    Click(CentreOf(*Prefabs->FilterField));
    Type("ANT");
    EXPECT_EQ(Prefabs->ScrollOffset, 0);
    rows = Shown(Prefabs);
    EXPECT_NE(std::find(rows.begin(), rows.end(), "En_Ant"), rows.end());
    EXPECT_NE(std::find(rows.begin(), rows.end(), "Pcl_AntChunks"), rows.end());
    EXPECT_EQ(std::find(rows.begin(), rows.end(), "Lvl_Boss"), rows.end());
    EXPECT_EQ(std::find(rows.begin(), rows.end(), "(None)"), rows.end());
    // The first prefab in name order whose name holds "ant" in any case.
    std::string firstMatch;
    for (const auto& [name, prefab] : gPrefabManager->Prefabs) {
        std::string lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
        if (lower.find("ant") != std::string::npos) {
            firstMatch = name;
            break;
        }
    }
    EXPECT_EQ(rows[0], firstMatch);
    EXPECT_EQ(Prefabs->Items[0]->IsMarked, 1);

    Tap(Key::Down);
    EXPECT_EQ(Prefabs->SelectedRow, 1);
    EXPECT_EQ(Prefabs->Items[1]->IsMarked, 1);
    EXPECT_EQ(Prefabs->Items[0]->IsMarked, 0);
    Tap(Key::OemEnter);
    EXPECT_EQ(picked, std::vector<std::string>{rows[1]});
    EXPECT_FALSE(Prefabs->Dialog->IsOpen());

    // "(None)" picks the empty name.
    Prefabs->Show([&picked](const std::string& name) { picked.push_back(name); });
    Pass();
    Click(CentreOf(*Prefabs->OkButton));
    EXPECT_EQ(picked.back(), "");
    EXPECT_EQ(picked.size(), 2u);
}

TEST_F(DialogTest, ScrollingStopsAtTheLastMatchAndEmptyRowsPickNothing) {
    // Exactly as many matches as rows.
    const size_t rows = Components->Items.size();
    ASSERT_GT(rows, 2u);
    for (size_t i = 0; i < rows; ++i) {
        gPrefabManager->Prefabs["Zq_" + std::to_string(10 + i)] = std::make_unique<Prefab>();
    }
    int calls = 0;
    Prefabs->Show([&calls](const std::string&) { ++calls; });
    Type("zq_");
    EXPECT_EQ(Shown(Prefabs).back(), "Zq_" + std::to_string(10 + rows - 1));
    EXPECT_FALSE(Prefabs->ScrollDownButton->IsGrayedOut);
    HoldFor(Prefabs->ScrollDownButton);
    std::vector<std::string> shown = Shown(Prefabs);
    EXPECT_EQ(shown.front(), "Zq_11");
    EXPECT_EQ(shown.back(), "");
    EXPECT_TRUE(Prefabs->ScrollDownButton->IsGrayedOut);
    HoldFor(Prefabs->ScrollDownButton);
    EXPECT_EQ(Prefabs->ScrollOffset, 1);

    // A click on an empty row marks nothing; OK then closes without an answer.
    Prefabs->Select(static_cast<int>(rows) - 1);
    EXPECT_EQ(Prefabs->SelectedRow, 0);
    Prefabs->SelectedRow = static_cast<int>(rows) - 1;
    Click(CentreOf(*Prefabs->OkButton));
    EXPECT_EQ(calls, 0);
    EXPECT_FALSE(Prefabs->Dialog->IsOpen());

    // Esc cancels without an answer.
    Prefabs->Show([&calls](const std::string&) { ++calls; });
    Pass();
    Tap(Key::Esc);
    EXPECT_EQ(calls, 0);
    EXPECT_FALSE(Prefabs->Dialog->IsOpen());
}

TEST_F(DialogTest, ComponentPickerListsRegisteredTypesByClickedRow) {
    ASSERT_NE(Components, nullptr);
    std::string picked;
    Components->Show([&picked](const std::string& name) { picked = name; });
    Type("bhv");
    const std::vector<std::string> rows = Shown(Components);
    EXPECT_NE(rows[0], "(None)");
    for (const std::string& row : rows) {
        EXPECT_TRUE(row.empty() || EdDlgComponentPickerBhv::Matches(row, "BHV")) << row;
    }
    EXPECT_NE(std::find(rows.begin(), rows.end(), "EdButtonBhv"), rows.end());
    Click(CentreOf(*Components->Items[2]));
    EXPECT_EQ(Components->SelectedRow, 2);
    Tap(Key::Up);
    Click(CentreOf(*Components->OkButton));
    EXPECT_EQ(picked, rows[1]);
}

}  // namespace
