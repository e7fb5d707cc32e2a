#pragma once

#include <gtest/gtest.h>

#include <box2d/box2d.h>

#include <memory>
#include <string>
#include <vector>

#include "object/GameObject.h"
#include "object/IEditable.h"
#include "object/Vector2.h"
#include "physics/B2MainContactListener.h"

class B2BodyCmp;
class B2FixtureCmp;

// A world of the test's own as gPhysicsWorld, with the game's contact listener and the
// hooks the runtime installs at start-up. The previous world comes back afterwards.
class ScopedPhysicsWorld {
public:
    ScopedPhysicsWorld();
    ~ScopedPhysicsWorld();
    ScopedPhysicsWorld(const ScopedPhysicsWorld&) = delete;
    ScopedPhysicsWorld& operator=(const ScopedPhysicsWorld&) = delete;

    // One step of a 60 Hz pass, as the main loop takes it.
    void Step();

    B2MainContactListener Listener;
    b2World World{b2Vec2(0.0f, -10.0f)};

private:
    b2World* mSavedWorld;
};

// Objects with bodies and fixtures in a world of the test's own; the objects go before
// the world.
class PhysicsTest : public ::testing::Test {
protected:
    ~PhysicsTest() override;

    // An object owned by the test, or by parent when one is given.
    GameObject* NewObject(const std::string& name = "", GameObject* parent = nullptr);
    // An object with a body of that type (B2BodyCmp::StaticType...) at pos and, unless
    // shape is "", one fixture of that shape text.
    GameObject* NewBodyObject(Vector2 pos, int type, const std::string& shape, const std::string& name = "",
                              GameObject* parent = nullptr);

    ScopedPhysicsWorld Physics;
    // Declared after the world: deleted first.
    std::vector<std::unique_ptr<GameObject>> Objects;
};

// The text of a one-part property, or of part `part` of a Vector2 ("X" 0, "Y" 1).
std::string PropertyText(const IEditable& e, const std::string& name, int part = 0);
// Reads text into that property part, as prefab files and the inspector do.
void SetPropertyText(IEditable& e, const std::string& name, const std::string& text, int part = 0);

B2BodyCmp* BodyOf(const GameObject* object);
B2FixtureCmp* FixtureOf(const GameObject* object, int n = 0);
