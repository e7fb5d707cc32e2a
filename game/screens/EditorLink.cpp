#include "game/screens/EditorLink.h"

EditorLink gEditorLink;

namespace {

bool Ask(const std::function<bool()>& question) {
    return question && question();
}

}  // namespace

bool EditorIsEditing() {
    return Ask(gEditorLink.IsEditing);
}

bool EditorHasKeyboard() {
    return Ask(gEditorLink.KeyboardCaptured);
}

bool EditorHasUnsavedEdits() {
    return Ask(gEditorLink.HasUnsavedEdits);
}
