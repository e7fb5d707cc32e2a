#include "editor/UnsavedWork.h"

#include "editor/EditorState.h"
#include "editor/level/EdLevelEditorBhv.h"
#include "object/PrefabManager.h"

std::string UnsavedWork::Describe() const {
    std::string text = Level ? "level" : "";
    if (Prefabs > 0) {
        text += text.empty() ? "" : ", ";
        text += std::to_string(Prefabs) + (Prefabs == 1 ? " prefab" : " prefabs");
    }
    return text;
}

UnsavedWork FindUnsavedWork() {
    UnsavedWork work;
    work.Level = gEditorState != nullptr && gEditorState->LevelEditor != nullptr &&
                 gEditorState->LevelEditor->HoldsUnsavedWork();
    if (gPrefabManager != nullptr) {
        // A removed prefab is unsaved until a save deletes its file.
        work.Prefabs = static_cast<int>(gPrefabManager->ModifiedPrefabNames().size() +
                                        gPrefabManager->RemovedPrefabNames().size());
    }
    return work;
}
