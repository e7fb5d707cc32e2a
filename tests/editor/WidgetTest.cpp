// Palette windows and row widgets built from the committed editor prefabs: stacking,
// cells, dragging with its clamps, and the mouse rules of buttons, toggles and rows.

#include <gtest/gtest.h>

#include "EditorTestSupport.h"
#include "editor/widgets/EdButtonBhv.h"
#include "editor/widgets/EdFieldBhv.h"
#include "editor/widgets/EdListItemBhv.h"
#include "editor/widgets/EdLook.h"
#include "editor/widgets/EdPaletteBhv.h"
#include "editor/widgets/EdPropertyRowBhv.h"
#include "editor/widgets/EdRowMultiContainerBhv.h"
#include "editor/widgets/EdTitleBarBhv.h"
#include "editor/widgets/EdToggleBhv.h"
#include "object/Pos2dCmp.h"
#include "render/SpriteCmp.h"
#include "render/TextCmp.h"
#include "render/TintCmp.h"

namespace {

class WidgetTest : public EditorContentTest {
protected:
    WidgetTest() {
        WritePrefab("TestRowOfThree", R"({ "EdRowMultiContainerBhv": { "Height": "24" } })",
                    R"([ { "Name": "A", "Prefab": "EdButton" }, { "Name": "B", "Prefab": "EdButton" },
                         { "Name": "C", "Prefab": "EdButton" } ])");
        LoadContent();
    }

    static float RowY(GameObject* palette, const char* row) { return FindUiElement(Find(palette, {row}))->Rect.Y; }
};

TEST_F(WidgetTest, PaletteStacksVisibleRowsAndAHiddenRowTakesNoRoom) {
    GameObject* palMain = Build("PalMain");
    auto* palette = palMain->GetComponent<EdPaletteBhv>();
    ASSERT_NE(palette, nullptr);
    // Title 22, spacer 4, toggles 24, spacer 2, buttons 24, spacer 4, status 20, spacer 4.
    EXPECT_FLOAT_EQ(palette->Height, 104.0f);
    EXPECT_FLOAT_EQ(RowY(palMain, "TitleBar"), 10.0f);
    EXPECT_FLOAT_EQ(RowY(palMain, "PaletteToggles"), 36.0f);
    EXPECT_FLOAT_EQ(RowY(palMain, "InsertingRow"), 90.0f);

    Find(palMain, {"ButtonRow1"})->DrawEnabled = 0;
    palette->Layout();
    EXPECT_FLOAT_EQ(RowY(palMain, "InsertingRow"), 66.0f);
    EXPECT_FLOAT_EQ(palette->Height, 80.0f);
    const Rect r = palette->GetRect();
    EXPECT_EQ(r.X, 10.0f);
    EXPECT_EQ(r.Width, 280.0f);
    EXPECT_EQ(r.Height, 80.0f);
}

TEST_F(WidgetTest, RowOfWidth100SplitsIntoThreeWholePixelCells) {
    GameObject* row = Build("TestRowOfThree");
    row->GetComponent<EdRowMultiContainerBhv>()->SetRect(7.0f, 40.0f, 100.0f, 24.0f);
    const char* names[] = {"A", "B", "C"};
    for (int i = 0; i < 3; ++i) {
        GameObject* cell = Find(row, {names[i]});
        const Rect r = cell->GetComponent<EdButtonBhv>()->Rect;
        EXPECT_FLOAT_EQ(r.X, 7.0f + 33.0f * static_cast<float>(i)) << names[i];
        EXPECT_FLOAT_EQ(r.Width, 33.0f);
        EXPECT_FLOAT_EQ(r.Y, 40.0f);
        // The button's background spans its cell, centred.
        GameObject* background = Find(cell, {"Background"});
        EXPECT_FLOAT_EQ(background->Pos2d->Pos.X, 7.0f + 33.0f * static_cast<float>(i) + 16.5f);
        EXPECT_FLOAT_EQ(background->Sprite->Size.X, 33.0f);
    }
}

TEST_F(WidgetTest, DraggingTheTitleBarMovesThePaletteWithinTheClamps) {
    GameObject* palMain = Build("PalMain");
    auto* palette = palMain->GetComponent<EdPaletteBhv>();
    Mouse = Vector2(20.0f, 15.0f);
    Pass();
    Pass({Key::LeftMouse});
    Mouse = Vector2(50.0f, 45.0f);
    Pass({Key::LeftMouse});
    EXPECT_FLOAT_EQ(palette->TopLeft.X, 40.0f);
    EXPECT_FLOAT_EQ(palette->TopLeft.Y, 40.0f);
    EXPECT_FLOAT_EQ(RowY(palMain, "TitleBar"), 40.0f);

    // Far up and left: 10 pixels of the palette stay on screen, the bar leaves the top by 10.
    Mouse = Vector2(-3000.0f, -3000.0f);
    Pass({Key::LeftMouse});
    EXPECT_FLOAT_EQ(palette->TopLeft.X, 10.0f - 280.0f);
    EXPECT_FLOAT_EQ(palette->TopLeft.Y, -10.0f);
    EXPECT_FLOAT_EQ(FindUiElement(Find(palMain, {"TitleBar"}))->Rect.X, -270.0f);

    Mouse = Vector2(5000.0f, 5000.0f);
    Pass({Key::LeftMouse});
    EXPECT_FLOAT_EQ(palette->TopLeft.X, 1270.0f);
    EXPECT_FLOAT_EQ(palette->TopLeft.Y, 710.0f);

    // Released: moving no longer drags.
    Pass();
    Mouse = Vector2(600.0f, 300.0f);
    Pass();
    EXPECT_FLOAT_EQ(palette->TopLeft.X, 1270.0f);
    EXPECT_EQ(Find(palMain, {"TitleBar"})->GetComponent<EdTitleBarBhv>()->IsDragging, 0);
}

TEST_F(WidgetTest, ButtonClicksOnlyWhenPressedAndReleasedInside) {
    GameObject* object = Build("EdButton");
    auto* button = object->GetComponent<EdButtonBhv>();
    button->Title = "Save";
    button->SetRect(100.0f, 100.0f, 80.0f, 24.0f);
    int clicks = 0;
    button->OnClick = [&clicks] { ++clicks; };
    GameObject* background = Find(object, {"Background"});
    EXPECT_EQ(Find(object, {"Text"})->Text->Text, "Save");

    Click(Vector2(100.0f, 100.0f));  // the top left corner is inside
    EXPECT_EQ(clicks, 1);

    Mouse = Vector2(140.0f, 110.0f);
    Pass({Key::LeftMouse});
    EXPECT_LT(background->Sprite->Size.X, 0.0f) << "held inside looks pressed";
    EXPECT_LT(background->Sprite->Size.Y, 0.0f);
    Mouse = Vector2(180.0f, 110.0f);  // the right edge is outside
    Pass({Key::LeftMouse});
    EXPECT_GT(background->Sprite->Size.X, 0.0f) << "held outside looks normal";
    Pass();
    EXPECT_EQ(clicks, 1) << "released outside cancels";
    EXPECT_EQ(button->IsPressed, 0);

    Mouse = Vector2(50.0f, 50.0f);
    Pass({Key::LeftMouse});
    Mouse = Vector2(140.0f, 110.0f);
    Pass({Key::LeftMouse});
    Pass();
    EXPECT_EQ(clicks, 1) << "pressed outside, released inside";

    // Greyed out only greys the caption.
    button->IsGrayedOut = true;
    button->SetRect(100.0f, 100.0f, 80.0f, 24.0f);
    EXPECT_EQ(Find(object, {"Text"})->Tint->Tint, Color(89, 89, 89, 255));
    Click(Vector2(120.0f, 110.0f));
    EXPECT_EQ(clicks, 2);
}

TEST_F(WidgetTest, ToggleFlipsOnAClickInsideAndLooksOnlyAtItsValue) {
    GameObject* object = Build("EdToggle");
    auto* toggle = object->GetComponent<EdToggleBhv>();
    toggle->Title = "Draw";
    toggle->SetRect(100.0f, 100.0f, 80.0f, 24.0f);
    std::vector<bool> changes;
    toggle->OnChanged = [&changes](bool value) { changes.push_back(value); };
    GameObject* background = Find(object, {"Background"});
    GameObject* text = Find(object, {"Text"});
    const Color normal = background->Tint->Tint;
    const Color on = EdLook::Modulate(normal, Color(89, 89, 89, 255));
    ASSERT_EQ(toggle->NormalTint, normal);

    Click(Vector2(100.0f, 100.0f));
    Click(Vector2(180.0f, 110.0f));  // the right edge is outside
    EXPECT_EQ(changes, std::vector<bool>{true});
    ASSERT_TRUE(toggle->Value);

    // The mouse over the toggle or away from it: the same look.
    for (const Vector2 mouse : {Vector2(140.0f, 110.0f), Vector2(500.0f, 500.0f)}) {
        Mouse = mouse;
        Pass();
        EXPECT_EQ(background->Tint->Tint, on) << mouse.X;
        EXPECT_EQ(text->Tint->Tint, EdLook::White);
        EXPECT_LT(background->Sprite->Size.X, 0.0f) << "on looks pressed";
    }
    Click(Vector2(140.0f, 110.0f));
    EXPECT_FALSE(toggle->Value);
    EXPECT_EQ(background->Tint->Tint, normal);
    EXPECT_EQ(text->Tint->Tint, EdLook::Black);
    EXPECT_GT(background->Sprite->Size.X, 0.0f);
}

TEST_F(WidgetTest, ListItemShowsSelectionAndMarkAndReportsBothButtons) {
    GameObject* object = Build("EdListItem");
    auto* item = object->GetComponent<EdListItemBhv>();
    item->Label = "Ant";
    GameObject* background = Find(object, {"Background"});
    GameObject* text = Find(object, {"Text"});
    const Color normal = background->Tint->Tint;
    ASSERT_NE(normal, EdListItemBhv::Highlight);

    item->IsSelected = 1;
    item->SetRect(0.0f, 200.0f, 200.0f, 20.0f);
    EXPECT_EQ(background->Tint->Tint, EdListItemBhv::Highlight);
    EXPECT_EQ(text->Text->Text, "Ant");
    EXPECT_FLOAT_EQ(text->Pos2d->Pos.X, item->Margin);

    item->IsSelected = 0;
    item->IsMarked = 1;
    item->SetRect(0.0f, 200.0f, 200.0f, 20.0f);
    EXPECT_EQ(text->Text->Text, "Ant   <--");
    EXPECT_EQ(background->Tint->Tint, EdListItemBhv::Highlight);

    item->IsMarked = 0;
    item->SetRect(0.0f, 200.0f, 200.0f, 20.0f);
    EXPECT_EQ(background->Tint->Tint, normal);

    int left = 0;
    int right = 0;
    item->OnClick = [&left] { ++left; };
    item->OnRightClick = [&right] { ++right; };
    Click(Vector2(10.0f, 210.0f));
    Click(Vector2(10.0f, 210.0f), Key::RightMouse);
    Click(Vector2(10.0f, 220.0f));  // the bottom edge is outside
    EXPECT_EQ(left, 1);
    EXPECT_EQ(right, 1);
}

TEST_F(WidgetTest, PropertyRowKeepsTypedTextWhileEditingAndReportsCommits) {
    GameObject* object = Build("EdPropertyRow");
    auto* row = object->GetComponent<EdPropertyRowBhv>();
    ASSERT_NE(row->LabelItem, nullptr);
    ASSERT_NE(row->ValueField, nullptr);
    std::vector<std::string> changes;
    row->OnValueChanged = [&changes](const std::string& text) { changes.push_back(text); };
    row->Label = "Speed";
    row->ValueText = "1.5";
    row->SetRect(0.0f, 0.0f, 200.0f, 20.0f);
    EXPECT_EQ(row->LabelItem->Label, "Speed");
    EXPECT_FLOAT_EQ(row->ValueField->Rect.X, 100.0f);
    EXPECT_FLOAT_EQ(row->ValueField->Rect.Width, 100.0f);

    Click(Vector2(150.0f, 10.0f));
    ASSERT_EQ(row->ValueField->HasFocus, 1);
    Tap(Key::Oem7);
    row->SetRect(0.0f, 0.0f, 200.0f, 20.0f);
    EXPECT_EQ(row->ValueField->Text, "1.57");
    EXPECT_EQ(Find(object, {"Value", "Text"})->Text->Text, "1.57|");

    Tap(Key::OemEnter);
    EXPECT_EQ(changes, std::vector<std::string>{"1.57"});
    EXPECT_EQ(row->ValueField->HasFocus, 0);
    // Not editing any more: the owner's value shows again.
    row->SetRect(0.0f, 0.0f, 200.0f, 20.0f);
    EXPECT_EQ(row->ValueField->Text, "1.5");

    // Not editable: a click gives no focus, and the box disappears.
    row->IsEditable = false;
    row->SetRect(0.0f, 0.0f, 200.0f, 20.0f);
    Click(Vector2(150.0f, 10.0f));
    EXPECT_EQ(row->ValueField->HasFocus, 0);
    row->SetRect(0.0f, 0.0f, 200.0f, 20.0f);
    EXPECT_EQ(Find(object, {"Value", "Box"})->Tint->Tint.A, 0);
}

}  // namespace
