#include "EditorTestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <utility>

#include "PlayHarness.h"

#include "app/RuntimeTypes.h"
#include "editor/EdRootBhv.h"
#include "editor/EditorState.h"
#include "object/ContentWarning.h"
#include "object/ObjectShortcutTypes.h"
#include "object/SceneRoots.h"
#include "program/ComponentTable.h"

namespace fs = std::filesystem;

EditorContentTest::EditorContentTest() {
    const char* source = std::getenv("QV_SOURCE_DIR");
    fs::copy(fs::path(source != nullptr ? source : ".") / "Content" / "Prefabs", Content.Path() / "Prefabs",
             fs::copy_options::recursive);
    InstallObjectShortcutTypes();
    InstallRuntimeTypes();
    CreateEditorState();
    // Built without the generated textures and fonts: that they are missing is expected,
    // and not the main palette's to show.
    SetContentWarningListener([](const std::string&) {});
    Config.DevelopmentContentPath = Content.Path().string();
    gGameConfig = &Config;
    gGameTime = &Time;
    gDeletionQueues = &Queues;
    gCoroutineManager = &Coroutines;
    gPrefabManager = &Prefabs;
    gInputManager = &Input;
    Root->Name = "Root";
    gRootObject = Root.get();
    GameplayRoot = new GameObject();
    GameplayRoot->Name = "GameplayRoot";
    Root->AddChild(GameplayRoot);
    gGameplayRoot = GameplayRoot;
}

EditorContentTest::~EditorContentTest() {
    gGameplayRoot = nullptr;
    gRootObject = nullptr;
    Root.reset();
    FlushDeleteQueues();
    gInputManager = nullptr;
    gPrefabManager = nullptr;
    gDeletionQueues = nullptr;
    gCoroutineManager = nullptr;
    gGameTime = nullptr;
    gGameConfig = nullptr;
    DeleteEditorState();
    SetContentWarningListener(nullptr);
}

void EditorContentTest::WritePrefab(const std::string& name, const std::string& componentsJson,
                                    const std::string& autoCreateJson) {
    Content.Write("Prefabs/" + name + ".json",
                  "{ \"Components\": " + componentsJson + ", \"AutoCreate\": " + autoCreateJson + " }\n");
}

void EditorContentTest::LoadContent() {
    Prefabs.Init(RegisterComponentTypes);
}

GameObject* EditorContentTest::Build(const std::string& prefabName) {
    auto* built = new GameObject(prefabName);
    Root->AddChild(built);
    return built;
}

void EditorContentTest::Pass(std::initializer_list<Key> held) {
    RunPass(std::vector<Key>(held));
}

void EditorContentTest::RunPass(const std::vector<Key>& held) {
    Time.DeltaTime = 1.0f / 60.0f;
    Time.TotalTime += Time.DeltaTime;
    Input.Update();
    Input.KeysDown.reset();
    for (Key key : held) {
        Input.KeysDown.set(static_cast<size_t>(KeyCode(key)));
    }
    Input.MousePosition = Mouse;
    // As the window gives them: each key down and up again, Shift around those that need it.
    for (char character : std::exchange(Typed, {})) {
        const auto [key, shifted] = KeyTyping(character);
        if (shifted) {
            Input.PressKey(KeyCode(Key::Shift));
        }
        Input.PressKey(KeyCode(key));
        Input.ReleaseKey(KeyCode(key));
        if (shifted) {
            Input.ReleaseKey(KeyCode(Key::Shift));
        }
    }
    EdRootBhv::AfterMessagePump();
    InputWalk(Root.get());
    PostPhysicsWalk(Root.get());
    FlushDeleteQueues();
}

void EditorContentTest::Tap(Key key, std::initializer_list<Key> modifiers) {
    std::vector<Key> down(modifiers);
    down.push_back(key);
    RunPass(down);
    RunPass(std::vector<Key>(modifiers));
}

void EditorContentTest::Type(const std::string& text) {
    Typed = text;
    Pass();
}

void EditorContentTest::Click(Vector2 at, Key button) {
    Mouse = at;
    Pass({button});
    Pass();
}

GameObject* EditorContentTest::Find(GameObject* from, std::initializer_list<const char*> path) {
    GameObject* object = from;
    for (const char* name : path) {
        GameObject* next = object != nullptr ? object->FindChild(name) : nullptr;
        EXPECT_NE(next, nullptr) << "no object " << name << " under " << (object != nullptr ? object->Name : "null");
        object = next;
    }
    return object;
}
