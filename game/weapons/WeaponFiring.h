#pragma once

#include <string>

#include "object/Vector2.h"

class Behavior;
class GameObject;

// The steps the pistol and the shotgun share.

// Counts the cooldown down by one frame delta, never below 0.
void CountDownCooldown(float& cooldown);

// The editor has the mouse over a palette or has the keyboard: weapons hold fire.
bool EditorHoldsInput();

// One input pass of a weapon: counts the cooldown down, then gives the firing player
// when Fire is held, the cooldown is over and the editor does not hold the input; null
// otherwise.
GameObject* PlayerFiringNow(float& cooldown);

// The held weapon's owner when it may fire now: gPlayer's object with a parent to hold
// the shots; null otherwise.
GameObject* FindFiringPlayer();

// The player's position plus offset turned by the player's facing.
Vector2 MuzzlePosition(const GameObject& player, Vector2 offset, float facing);

// A shot from the prefab, a sibling of the player, placed, turned and set moving. Null
// when the prefab does not exist.
GameObject* LaunchShot(const std::string& prefabName, GameObject& player, Vector2 position, float rotation,
                       Vector2 velocity);

// Linear velocity by Box2D's rule: not for a static body; a moving one is woken.
void SetObjectVelocity(GameObject& object, Vector2 velocity);

// One shot of the player's ammunition; the last one removes the weapon.
void SpendPlayerShot(Behavior& weapon);
