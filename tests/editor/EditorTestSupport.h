#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "input/InputManager.h"
#include "object/Coroutine.h"
#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/GameTime.h"
#include "object/ObjectWalks.h"
#include "object/PrefabManager.h"
#include "object/TempFolder.h"

// The committed prefabs (plus any the test writes) read with the program's component
// table, the editor state, an input manager without a window, a gameplay root and the
// walks of a main-loop pass. The mouse is in interface pixels: there is no renderer.
class EditorContentTest : public ::testing::Test {
protected:
    EditorContentTest();
    ~EditorContentTest() override;

    void WritePrefab(const std::string& name, const std::string& componentsJson,
                     const std::string& autoCreateJson = "\"\"");
    void LoadContent();
    // Built from the prefab (and so started) under Root.
    GameObject* Build(const std::string& prefabName);

    // One pass as the main loop runs it: the input manager's update, then these keys
    // held and the mouse here (the pump), the editor's capture, the input walk and the
    // update walk.
    void Pass(std::initializer_list<Key> held = {});
    // Presses and releases a key with the modifiers held throughout. Pressed in the
    // first pass, typed in the second.
    void Tap(Key key, std::initializer_list<Key> modifiers = {});
    // Characters typed within one pass's pump.
    void Type(const std::string& text);
    // Left or right button down at the point for a pass, then up for a pass.
    void Click(Vector2 at, Key button = Key::LeftMouse);

    // The named descendant: a path of child names from the object.
    static GameObject* Find(GameObject* from, std::initializer_list<const char*> path);

    void RunPass(const std::vector<Key>& held);

    TempFolder Content;
    GameConfig Config;
    GameTime Time;
    DeletionQueues Queues;
    CoroutineManager Coroutines;
    PrefabManager Prefabs;
    InputManager Input;
    std::unique_ptr<GameObject> Root = std::make_unique<GameObject>();
    GameObject* GameplayRoot = nullptr;
    Vector2 Mouse;
    // The characters typed within the next pass's pump.
    std::string Typed;
};
