#include "editor/tools/EdDebugRectsBhv.h"

#include "object/GameObject.h"
#include "object/SceneRoots.h"

namespace {

bool IsGoing(const GameObject* object) {
    for (; object != nullptr; object = object->Parent) {
        if (object->PendingDestroy != 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

void EdDebugRectsBhv::HandleInput() {
    if (Owner == nullptr || gGameplayRoot == nullptr || gGameplayRoot->UpdateEnabled == 0) {
        return;
    }
    for (GameObject* child : Owner->Children) {
        if (!IsGoing(child)) {
            child->Destroy();
        }
    }
}
