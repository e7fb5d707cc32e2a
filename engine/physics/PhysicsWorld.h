#pragma once

class GameObject;
class b2World;

// The Box2D world, created and destroyed by the application; null outside it.
extern b2World* gPhysicsWorld;

// Applies a body's activity to the object's body, if it has one; makes no body.
void SetBodyActive(GameObject* object, bool active);
