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
    // As the gameplay screen does: into the group of "Level" that the object's ThingCmp
    // names, group 2 (Layer - 1) + (1 when mutable); without one it stays unattached.
    void AddToLevel(GameObject* object) override;

    // The level's groups under a "Level" child of root: "Layer1", "Layer1Mut", "Layer2",
    // "Layer2Mut", "Layer3", "Layer3Mut".
    void BuildLevel(GameObject& root);

    int ExitsReached = 0;
    int Replays = 0;
    int PillModesStarted = 0;
    GameObject* Level = nullptr;
};

// The program's managers and main loop over the committed prefabs, without a window:
// the hand-driven clock steps 1/60 s per pass, keys and mouse come from a script, the
// random numbers from a fixed seed. Under "GameplayRoot" stand the cue manager (whose
// cues are logged), the particle manager, the weapons list, the aim manager and the
// level's groups; a test adds the player, pick-ups and enemies from their prefabs and
// runs passes. The current level name is "Lvl_Test" unless a test sets another.
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
    // Runs passes until the condition holds, at most limit; how many it took, or -1.
    template <class Condition>
    int PassesUntil(Condition condition, int limit) {
        for (int pass = 1; pass <= limit; ++pass) {
            RunPass();
            if (condition()) {
                return pass;
            }
        }
        return -1;
    }

    // Cues asked for so far with that name.
    int CueCount(const std::string& name) const;
    // A new object from the prefab at a world position and rotation, handed to the
    // level as play hands its spawns.
    GameObject* SpawnInLevel(const std::string& prefabName, Vector2 pos, float rotation = 0.0f);
    // Objects built from that prefab that are not going: direct children of the gameplay
    // root and of the level's groups.
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
