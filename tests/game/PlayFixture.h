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
    // Direct children of the gameplay root built from that prefab.
    std::vector<GameObject*> ObjectsOf(const std::string& prefabName) const;
    // Children of the particle manager built from that prefab.
    int ParticleCount(const std::string& prefabName) const;

    static Vector2 VelocityOf(const GameObject* object);
    static void SetVelocity(GameObject* object, Vector2 velocity);
};
