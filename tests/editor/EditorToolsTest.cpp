#include <gtest/gtest.h>

#include "EditorTestSupport.h"
#include "editor/EditorState.h"
#include "editor/tools/EdSpriteMoverBhv.h"
#include "editor/tools/EdSpritePickerBhv.h"

namespace {

// The editor root with its tools over a sign drawn on the interface layer, where screen
// points need no camera.
class EditorToolsTest : public EditorContentTest {
protected:
    EditorToolsTest() {
        WritePrefab("Tst_Sign", R"({
            "Pos2dCmp": { "Pos": { "X": "300", "Y": "200" } },
            "SpriteCmp": { "Layer": "Ui", "Size": { "X": "100", "Y": "100" } } })");
        LoadContent();
        EdRoot = Build("EdRoot");
        Tap(Key::F11);
        Sign = new GameObject("Tst_Sign");
        GameplayRoot->AddChild(Sign);
        Mover = gEditorState->SpriteMover;
        Picker = gEditorState->SpritePicker;
    }

    GameObject* EdRoot = nullptr;
    GameObject* Sign = nullptr;
    EdSpriteMoverBhv* Mover = nullptr;
    EdSpritePickerBhv* Picker = nullptr;
};

TEST_F(EditorToolsTest, CtrlGMovesTheInspectedObjectAndEscPutsItBack) {
    ASSERT_NE(Mover, nullptr);
    // Idle tools start with their objects off, whatever the prefab left.
    EXPECT_EQ(Mover->Owner->InputEnabled, 0);
    EXPECT_EQ(Mover->Owner->DrawEnabled, 0);

    Tap(Key::G, {Key::Ctrl});
    EXPECT_FALSE(Mover->IsEngaged());

    gEditorState->SelectObject(Sign);
    GameplayRoot->InputEnabled = 1;
    GameplayRoot->UpdateEnabled = 0;  // paused by the editor, as in edit mode
    Mouse = {0.0f, 0.0f};
    Tap(Key::G, {Key::Ctrl});
    ASSERT_TRUE(Mover->IsEngaged());
    EXPECT_EQ(gEditorState->ToolEngaged, 1);
    EXPECT_EQ(GameplayRoot->InputEnabled, 0);
    // The arrow keys are the mover's now, not the level editor's or the palettes'.
    EXPECT_EQ(gEditorState->KeyboardCaptured, 1);

    // Ctrl+Q while moving would save the paused flags over the real ones: ignored.
    Tap(Key::Q, {Key::Ctrl});
    EXPECT_FALSE(Picker->IsEngaged());

    Mouse = {10.0f, 5.0f};
    Pass();
    EXPECT_EQ(Sign->GetPos(), Vector2(310.0f, 205.0f));
    Tap(Key::Right);
    Tap(Key::Down, {Key::Shift});
    EXPECT_EQ(Sign->GetPos(), Vector2(311.0f, 215.0f));
    Tap(Key::Esc);
    EXPECT_FALSE(Mover->IsEngaged());
    EXPECT_EQ(Sign->GetPos(), Vector2(300.0f, 200.0f));
    EXPECT_EQ(gEditorState->ToolEngaged, 0);
    EXPECT_EQ(gEditorState->KeyboardCaptured, 0);
    EXPECT_EQ(GameplayRoot->InputEnabled, 1);
    EXPECT_EQ(GameplayRoot->UpdateEnabled, 0);
    EXPECT_EQ(Mover->Owner->UpdateEnabled, 0);

    // A click keeps the new place.
    Tap(Key::G, {Key::Ctrl});
    Mouse = {-20.0f, 5.0f};  // from (10, 5)
    Pass();
    Click(Mouse);
    EXPECT_FALSE(Mover->IsEngaged());
    EXPECT_EQ(Sign->GetPos(), Vector2(270.0f, 200.0f));

    // The target deleted under the mover ends the drag.
    Tap(Key::G, {Key::Ctrl});
    ASSERT_TRUE(Mover->IsEngaged());
    Sign->Destroy();
    FlushDeleteQueues();
    EXPECT_FALSE(Mover->IsEngaged());
    EXPECT_EQ(GameplayRoot->InputEnabled, 1);
    Pass();
}

TEST_F(EditorToolsTest, CtrlQPicksTheObjectUnderTheMouse) {
    ASSERT_NE(Picker, nullptr);
    EXPECT_EQ(Picker->Owner->InputEnabled, 0);

    // Empty space: the picker ends and the selection stays.
    Tap(Key::Q, {Key::Ctrl});
    ASSERT_TRUE(Picker->IsEngaged());
    EXPECT_EQ(GameplayRoot->UpdateEnabled, 0);
    Click({900.0f, 600.0f});
    EXPECT_FALSE(Picker->IsEngaged());
    EXPECT_EQ(gEditorState->SelectedObject, nullptr);
    EXPECT_EQ(GameplayRoot->UpdateEnabled, 1);

    Tap(Key::Q, {Key::Ctrl});
    Click({310.0f, 190.0f});
    EXPECT_EQ(gEditorState->SelectedObject, Sign);
    EXPECT_EQ(gEditorState->InsertParent, Sign);
    EXPECT_EQ(gEditorState->ToolEngaged, 0);

    // Esc gives up.
    gEditorState->SelectObject(nullptr);
    Tap(Key::Q, {Key::Ctrl});
    Tap(Key::Esc);
    EXPECT_FALSE(Picker->IsEngaged());
    Click({310.0f, 190.0f});
    EXPECT_EQ(gEditorState->SelectedObject, nullptr);
}

TEST_F(EditorToolsTest, DebugRectsLastOneFrameOfPlayAndStayWhilePaused) {
    GameObject* rects = Find(EdRoot, {"EdDebugRects"});
    ASSERT_NE(rects, nullptr);
    auto* rect = new GameObject();
    rects->AddChild(rect);
    GameplayRoot->UpdateEnabled = 0;
    Pass();
    ASSERT_EQ(rects->Children.size(), 1u);
    GameplayRoot->UpdateEnabled = 1;
    Pass();
    EXPECT_TRUE(rects->Children.empty());
}

}  // namespace
