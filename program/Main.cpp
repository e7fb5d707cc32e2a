#include "program/ComponentTable.h"
#include "program/EditorHooks.h"
#include "object/PrefabManager.h"
#include "platform/CrashReport.h"
#include "app/Application.h"

// Takes no command-line arguments: the game reads everything from Content/.
int main() {
    InstallCrashHandlers();
    gComponentTypeRegistrar = RegisterComponentTypes;
    InstallEditorHooks();
    Application* application = new Application();
    application->Run();
    delete application;
    return 0;
}
