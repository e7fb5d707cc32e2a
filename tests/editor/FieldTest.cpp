// The text field built from the committed "EdField": focus by mouse, commit and
// cancel, caret keys, clipboard and the arrow-key stepping of numbers.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EditorTestSupport.h"
#include "GraphicsTestSupport.h"
#include "editor/widgets/EdFieldBhv.h"
#include "input/Clipboard.h"
#include "render/TextCmp.h"
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

    // A right click outside drops the focus without a commit; a left click commits.
    Click(Vector2(500.0f, 500.0f), Key::RightMouse);
    EXPECT_EQ(Field->HasFocus, 0);
    EXPECT_TRUE(Commits.empty());
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

}  // namespace
