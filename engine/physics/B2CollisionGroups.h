#pragma once

#include <box2d/box2d.h>

// Box2D filter group indices: fixtures of one negative group never collide with each
// other. Behaviours set them with B2FixtureCmp::SetCollisionGroup in Start.
constexpr int16 CollisionGroupPlayer = -1;   // the player and its bullets
constexpr int16 CollisionGroupInsects = -2;  // ants, ant sacks and centipede segments
