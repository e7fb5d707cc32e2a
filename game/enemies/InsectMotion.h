#pragma once

#include <optional>

#include "game/GameMath.h"
#include "object/Vector2.h"

class B2FixtureCmp;
class GameObject;
class b2Contact;
class b2Fixture;

// Motion shared by the ants and the centipede.

// The heading after a bounce: the direction of travel at rotation mirrored about the
// contact's world normal (whose sign does not matter). None for a touch without
// contact points, such as a sensor's: it has no normal to bounce off.
std::optional<float> MirrorHeading(b2Contact& contact, float rotation);

// The object's first fixture, moved into the insects' collision group; null when the
// object has none.
B2FixtureCmp* JoinInsectGroup(GameObject& object);
// The object whose fixture that is; null for a fixture no component owns.
GameObject* OwnerOfFixture(b2Fixture* fixture);

// Stops the body's spin and gives it the velocity; nothing without a body.
void SetBodyVelocity(GameObject& object, Vector2 velocity);

// The main loop's fixed update rate (60 per second).
int FixedUpdateRate();
// How many fixed steps this pass's delta holds, rounded to the nearest.
int FixedStepsThisPass();
