#include "object/SceneRoots.h"

GameObject* gRootObject = nullptr;
GameObject* gGameplayRoot = nullptr;
