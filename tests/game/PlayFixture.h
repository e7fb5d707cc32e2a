#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "game/GameplayScreenSeam.h"
#include "object/Vector2.h"
#include "input/Keys.h"
#include "ManualClock.h"

class Application;
class GameObject;
class ScopedDataHome;
class TempFolder;

// Stands in for the gameplay screen: counts what the player and the enemies ask of it.
class RecordingScreen final : public GameplayScreenSeam {
public:
    // As the gameplay screen does: the player settles into the exit.
    void OnExitReached() override;
    void Replay() override { ++Replays; }
    void StartPillMode() override { ++PillModesStarted; }
    void TransitionOn() override { ++TransitionsOn; }
    std::string CurrentLevelName() const override { return LevelName; }

    int ExitsReached = 0;
    int Replays = 0;
    int PillModesStarted = 0;
    int TransitionsOn = 0;
    std::string LevelName = "Lvl_Test";
};

// The program's managers and main loop over the committed prefabs, without a window:
// the hand-driven clock steps 1/60 s per pass, keys and mouse come from a script, the
// random numbers from a fixed seed. Under "GameplayRoot" stand the cue manager (whose
// cues are logged), the particle manager, the weapons list and the aim manager; a
// test adds the player, pick-ups and enemies from their prefabs and runs passes.
class PlayFixture : public ::testing::Test {
protected:
    static constexpr float FrameDelta = 1.0f / 60.0f;
    static constexpr unsigned Seed = 4321;

    PlayFixture();
    ~PlayFixture() override;

    // A prefab of the test's own beside the committed ones; before LoadContent.
    void WritePrefab(const std::string& name, const std::string& json);
    // Reads the prefabs and builds the gameplay root with its managers.
    void LoadContent();

    // A new object from the prefab at a world position under the gameplay root.
    GameObject* Spawn(const std::string& prefabName, Vector2 pos);
    // The player from "Player", a weapon pick-up under it so that it is armed after
    // one pass (ammo shots of that weapon), or unarmed when pickup is "".
    GameObject* SpawnPlayer(Vector2 pos, const std::string& pickup = "", int ammo = 0);

    // One pass of the main loop with the keys held and the mouse where the script says.
    void RunPass();
    void RunPasses(int count);

    // Cues asked for so far with that name.
    int CueCount(const std::string& name) const;
    // Direct children of the gameplay root built from that prefab.
    std::vector<GameObject*> ObjectsOf(const std::string& prefabName) const;
    // Children of the particle manager built from that prefab.
    int ParticleCount(const std::string& prefabName) const;

    static Vector2 VelocityOf(const GameObject* object);
    static void SetVelocity(GameObject* object, Vector2 velocity);

    std::set<Key> HeldKeys;
    Vector2 Mouse{640.0f, 360.0f};
    std::vector<std::string> Cues;
    RecordingScreen Screen;
    ManualClock Clock;
    std::unique_ptr<ScopedDataHome> DataHome;
    std::unique_ptr<TempFolder> Content;
    std::unique_ptr<Application> App;
};

// The text of a one-part property of the object's first component of that type name,
// written as prefab files do; for settings a test changes on a real prefab's object.
void SetProperty(GameObject* object, const std::string& type, const std::string& name, const std::string& text);
