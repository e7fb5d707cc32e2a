#pragma once

#include <functional>
#include <optional>
#include <string>

#include "object/Coroutine.h"
#include "object/Vector2.h"

class GameObject;

// What the two spawners share: where to put a new thing, building it into the level,
// and how long to wait at a given rate.

// Tries for a point inside the world camera's view, kept borderMargin units off its
// edges, at least avoidRadius from the player, not straight ahead of a moving player,
// and with room for what is spawned there: clear of every fixture (walls, pick-ups,
// enemies) and of the clouds still waiting to spawn. Nothing when the view minus the
// margin is empty or no try succeeds (the whole view lies near the player or is full).
std::optional<Vector2> PickSpawnPosition(float borderMargin, float avoidRadius);

// A new object from the prefab at the position, readied by prepare (when given) and put
// into its group of the level. False, with nothing built, when the prefab or the
// gameplay screen is missing.
bool SpawnIntoLevel(const std::string& prefabName, Vector2 pos,
                    const std::function<void(GameObject&)>& prepare = nullptr);

// One step of a coroutine body that calls act every 1 / perSecond seconds, the rate
// being read again for every wait. A rate of 0 or less would wait for ever: then it
// waits recheckSeconds and reads the rate again, without acting.
CoCommand StepAtRate(int step, float perSecond, float recheckSeconds, const std::function<void()>& act);

// The gameplay screen's round is running: spawning acts only then.
bool IsRoundActive();
