#include "editor/tools/EdToolFlags.h"

#include "editor/tools/EdCameraMoverBhv.h"
#include "editor/tools/EdShapeEditorBhv.h"
#include "editor/tools/EdSpriteMoverBhv.h"
#include "editor/tools/EdSpritePickerBhv.h"

#include "object/GameObject.h"
#include "object/SceneRoots.h"

void SetToolObjectFlags(GameObject* object, uint8_t on) {
    if (object != nullptr) {
        object->InputEnabled = on;
        object->UpdateEnabled = on;
        object->DrawEnabled = on;
    }
}

namespace {

template <class Tool>
bool Engaged(const GameObject& object) {
    const Tool* tool = object.GetComponent<Tool>();
    return tool != nullptr && tool->IsEngaged();
}

}  // namespace

bool IsToolEngagedOn(const GameObject* object) {
    if (object == nullptr) {
        return false;
    }
    const EdShapeEditorBhv* shapeEditor = object->GetComponent<EdShapeEditorBhv>();
    return (shapeEditor != nullptr && shapeEditor->IsEditing()) || Engaged<EdSpriteMoverBhv>(*object) ||
           Engaged<EdSpritePickerBhv>(*object) || Engaged<EdCameraMoverBhv>(*object);
}

void PausedGameplay::Pause() {
    if (gGameplayRoot != nullptr) {
        InputEnabled = gGameplayRoot->InputEnabled;
        UpdateEnabled = gGameplayRoot->UpdateEnabled;
        gGameplayRoot->InputEnabled = 0;
        gGameplayRoot->UpdateEnabled = 0;
    }
}

void PausedGameplay::Resume() const {
    if (gGameplayRoot != nullptr) {
        gGameplayRoot->InputEnabled = InputEnabled;
        gGameplayRoot->UpdateEnabled = UpdateEnabled;
    }
}
