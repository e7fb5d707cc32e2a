#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PlayHarness.h"

class GameplayScreenBhv;

// The play harness as a test fixture, with what the player, weapon and enemy tests
// share: a bare gameplay root whose screen has no levels, and objects placed by hand.
class PlayFixture : public ::testing::Test, public PlayHarness {
protected:
    // The bare gameplay root with its managers and screen.
    void LoadContent() { StartBare(); }

    // The player from "Player", a weapon pick-up under it so that it is armed after
    // one pass (ammo shots of that weapon), or unarmed when pickup is "".
    GameObject* SpawnPlayer(Vector2 pos, const std::string& pickup = "", int ammo = 0);

    static GameplayScreenBhv& Screen();
    // The screen's "Level" object, which holds the level's groups.
    static GameObject* Level();

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
};
