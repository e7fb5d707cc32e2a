#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <optional>
#include <string>

#include "app/Application.h"
#include "game/GameContent.h"
#include "object/NumberText.h"
#include "object/PrefabManager.h"
#include "object/RequiredContent.h"
#include "platform/CrashReport.h"
#include "platform/window/NoWindowError.h"
#include "platform/window/SdlVideo.h"
#include "program/ComponentTable.h"
#include "program/EditorHooks.h"

namespace {

// Scripted runs (the leak check under a virtual display) end themselves after the
// number of main-loop passes in QV_QUIT_AFTER_PASSES, as if the window were closed.
void QuitAfterPassesFromEnvironment(Application& application) {
    const char* text = std::getenv("QV_QUIT_AFTER_PASSES");
    const std::optional<int> passes = text != nullptr ? ParseInt(text) : std::nullopt;
    if (!passes || *passes < 0) {
        return;
    }
    application.PumpMessagesFn = [pump = application.PumpMessagesFn, left = *passes]() mutable {
        return left-- > 0 && pump();
    };
}

// Not a crash: nothing ran yet and the user can mend it, so no crash report.
void SayCannotStart(const std::exception& error) {
    std::fprintf(stderr, "Quorvane cannot start: %s\n", error.what());
}

// Null, once it has said why, when no window can be opened.
SdlVideo* StartVideo() {
    try {
        return new SdlVideo();
    } catch (const NoWindowError& error) {
        SayCannotStart(error);
        return nullptr;
    }
}

}  // namespace

// Takes no command-line arguments: the game reads everything from Content/.
int main() {
    InstallCrashHandlers();
    // Held to the end of the process: stopping the video system unloads the X and
    // OpenGL driver libraries, whose leftovers the leak checker could then no longer
    // tell apart from ours by their library.
    static SdlVideo* const videoForTheWholeRun = StartVideo();
    if (videoForTheWholeRun == nullptr) {
        return 1;
    }
    gComponentTypeRegistrar = RegisterComponentTypes;
    InstallEditorHooks();
    Application* application = new Application();
    application->Expected = GameExpectedContent();
    QuitAfterPassesFromEnvironment(*application);
    // The window and its OpenGL context are made as the game loads; a driver or an X
    // server that cannot give them stops the game as a missing display does, and so does
    // a file the game cannot run without. Any other exception finds no handler here and
    // still reaches the crash report.
    int status = 0;
    try {
        application->Run();
    } catch (const NoWindowError& error) {
        SayCannotStart(error);
        status = 1;
    } catch (const RequiredContentError& error) {
        SayCannotStart(error);
        status = 1;
    }
    delete application;
    return status;
}
