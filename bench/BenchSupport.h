#pragma once

// What the gameplay benchmarks share: a clock that never sleeps, the repository's
// content, property text set on a live component, and the game started without a window.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include "app/Application.h"
#include "app/EditorHooks.h"
#include "game/levels/SavedDataBhv.h"
#include "input/InputManager.h"
#include "object/Component.h"
#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/IEditable.h"
#include "object/PrefabManager.h"
#include "object/PropertyText.h"
#include "object/RandomManager.h"
#include "object/SceneRoots.h"
#include "object/SubProperty.h"
#include "platform/Clock.h"
#include "program/ComponentTable.h"
#include "program/EditorHooks.h"

namespace bench {

// Moves one fixed step per pass, so the loop never sleeps.
class StepClock final : public Clock {
public:
    int64_t Now() const override { return Time; }
    int64_t TicksPerSecond() const override { return 60000; }
    uint32_t TimerResolutionMs() const override { return 1; }
    void SleepMs(uint32_t ms) override { Time += ms * 60; }
    int64_t Time = 1000000;
};

inline std::filesystem::path SourceContent() {
    const char* source = std::getenv("QV_SOURCE_DIR");
    return source != nullptr ? std::filesystem::path(source) / "Content"
                             : std::filesystem::path(__FILE__).parent_path().parent_path() / "Content";
}

// The property's text on the first component of that type name on the object; "" when
// it has none.
inline std::string GetText(GameObject* object, const std::string& type, const std::string& name) {
    for (Component* component : object->Components) {
        auto* editable = dynamic_cast<IEditable*>(component);
        if (editable != nullptr && gPrefabManager->GetComponentTypeName(editable) == type) {
            return PropertyToText(editable->FindProperty(name)->MakeSubProperty(name, 0));
        }
    }
    return "";
}

// The property's text on every component of that type name on the object.
inline void SetText(GameObject* object, const std::string& type, const std::string& name, const std::string& text) {
    for (Component* component : object->Components) {
        auto* editable = dynamic_cast<IEditable*>(component);
        if (editable != nullptr && gPrefabManager->GetComponentTypeName(editable) == type) {
            SubProperty part = editable->FindProperty(name)->MakeSubProperty(name, 0);
            PropertyFromText(part, text);
        }
    }
}

// The game's start-up without a window on a clock that never sleeps: the key mappings,
// a seeded random engine, the prefabs of the content folder and "GameplayRoot" from its
// prefab, which opens on the map; with the editor, its root beside it, shut as a player
// has it. User data goes to a folder of the benchmark's own.
class HeadlessGame {
public:
    enum class Editor { Absent, Shut };

    explicit HeadlessGame(const std::string& name, const std::filesystem::path& content = SourceContent(),
                          Editor editor = Editor::Absent)
        : mDataHome(std::filesystem::temp_directory_path() / ("qv_bench_" + name + "_" + std::to_string(::getpid()))),
          mEditor(editor) {
        std::filesystem::create_directories(mDataHome);
        setenv("XDG_DATA_HOME", mDataHome.c_str(), 1);
        // The editor's state is made with the application.
        if (mEditor == Editor::Shut) {
            InstallEditorHooks();
        }
        App = std::make_unique<Application>(Clock);
        gGameConfig->DevelopmentContentPath = content.string();
        gInputManager->LoadKeyMappings(SourceContent() / "Config" / "KeyMappings.json");
        gRandomManager->Seed(7);
        gPrefabManager->Init(RegisterComponentTypes);
        gRootObject->Name = "Root";
        gGameplayRoot = new GameObject("GameplayRoot");
        gRootObject->AddChild(gGameplayRoot);
        if (mEditor == Editor::Shut) {
            gRootObject->AddChild(new GameObject("EdRoot"));
        }
        App->PumpMessagesFn = [] { return true; };
        App->StartLoop();
    }
    ~HeadlessGame() {
        App.reset();
        gEditorHooks = EditorHooks{};
        std::filesystem::remove_all(mDataHome);
    }
    HeadlessGame(const HeadlessGame&) = delete;
    HeadlessGame& operator=(const HeadlessGame&) = delete;

    // The map's hand-over when a level starts, without its zoom: the gameplay screen
    // starts the level of that name, the first main level for "".
    void EnterLevel(const std::string& name) {
        if (GameObject* map = gGameplayRoot->FindChild("LevelSelectScreen1")) {
            map->DetachAndDestroy();
        }
        gCurrentLevelName = name;
        gGameplayRoot->AddChild(new GameObject("GameplayScreen"));
    }

    void Pass() {
        Clock.Time += 1000;
        App->RunPass();
    }

    StepClock Clock;
    std::unique_ptr<Application> App;

private:
    std::filesystem::path mDataHome;
    Editor mEditor;
};

}  // namespace bench
