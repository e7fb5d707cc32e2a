#include "program/EditorHooks.h"

#include "app/EditorHooks.h"
#include "editor/EdRootBhv.h"
#include "editor/EditorState.h"

void InstallEditorHooks() {
    gEditorHooks.CreateState = CreateEditorState;
    gEditorHooks.DeleteState = DeleteEditorState;
    gEditorHooks.AfterPump = EdRootBhv::AfterMessagePump;
    gEditorHooks.MayQuit = EdRootBhv::MayQuit;
}
