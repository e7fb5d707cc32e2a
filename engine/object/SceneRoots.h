#pragma once

class GameObject;

// The tree's two fixed objects, set and cleared by the application: the root of
// everything drawn and walked, and "GameplayRoot" beneath it, above which physics
// activity is not synchronised. Null while no application runs.
extern GameObject* gRootObject;
extern GameObject* gGameplayRoot;
