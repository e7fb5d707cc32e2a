#include "game/screens/EditorLink.h"

#include "object/EditorLink.h"

EditorLink gEditorLink;

namespace {

bool Ask(const std::function<bool()>& question) {
    return question && question();
}

}  // namespace

bool EditorIsEditing() {
    return gEditorFlags != nullptr && gEditorFlags->IsEditing != 0;
}

bool EditorHasKeyboard() {
    return gEditorFlags != nullptr && gEditorFlags->KeyboardCaptured != 0;
}

bool EditorTakesKeys() {
    return EditorIsEditing() || EditorHasKeyboard();
}

bool EditorHasUnsavedEdits() {
    return Ask(gEditorLink.HasUnsavedEdits);
}
