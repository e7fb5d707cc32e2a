#include "program/ComponentTable.h"
#include "object/PrefabManager.h"
#include "platform/CrashReport.h"
#include "app/Application.h"

// Takes no command-line arguments: the game reads everything from Content/.
int main() {
    InstallCrashHandlers();
    gComponentTypeRegistrar = RegisterComponentTypes;
    Application* application = new Application();
    application->Run();
    delete application;
    return 0;
}
