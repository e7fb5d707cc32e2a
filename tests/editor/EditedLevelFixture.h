#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "PlayHarness.h"
#include "input/Keys.h"

#include <string>
#include <utility>
#include <vector>

class EdFieldBhv;
class EdLevelEditorBhv;
class EdPropertyRowBhv;
class IEdUiElement;

// The program on the first level with its editor, in edit mode: F1 paused play and F2
// brought the level back as loaded, mutable things included, for the level editor.
class EditedLevelFixture : public ::testing::Test {
protected:
    // Drawn only when a test reads what is drawn or how texts are laid out.
    void StartEditing(bool drawing = false);
    // The same program before any key: the first level has just begun to load.
    void StartPlaying(bool drawing = false);
    // The program on the level-select map with its editor, settled, before any key.
    void StartOnTheMap(bool drawing = false);
    void TearDown() override;

    PlayHarness& Play() { return *mPlay; }
    static EdLevelEditorBhv* Editor();

    // Held for one pass, then released for the pass in which it counts as typed; the
    // modifiers are held through both.
    void Press(Key key, std::initializer_list<Key> modifiers = {});
    // Through the window's path in the order a person strikes it, within one pump: the
    // modifiers go down, the key goes down and up, the modifiers go up; then two passes.
    void Strike(Key key, std::initializer_list<Key> modifiers = {});
    // The mouse to the middle of an element of the editor's interface.
    void MouseOn(const IEdUiElement& element);
    // There, then a left click.
    void ClickOn(const IEdUiElement& element);
    // The inspector's row of a component's property part, scrolled into view.
    EdPropertyRowBhv& InspectorRow(const std::string& component, const std::string& label);
    EdFieldBhv& InspectorField(const std::string& component, const std::string& label);

    // Prefab files of the test's own, written (name, text) before each start; a name of
    // a committed prefab replaces its file.
    std::vector<std::pair<std::string, std::string>> PrefabsToWrite;
    std::unique_ptr<PlayHarness> mPlay;

private:
    void MakeProgram(bool drawing);
};
