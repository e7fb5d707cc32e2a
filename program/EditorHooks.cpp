#include "program/EditorHooks.h"

#include "app/Application.h"
#include "editor/EdRootBhv.h"
#include "editor/EditorState.h"

void InstallEditorHooks() {
    Application::Editor.CreateState = CreateEditorState;
    Application::Editor.DeleteState = DeleteEditorState;
    Application::Editor.AfterPump = EdRootBhv::AfterMessagePump;
}
