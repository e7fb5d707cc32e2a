#pragma once

#include "object/Vector2.h"

class GameObject;

// The mouse in interface space (1280 x 720, y down) whatever the window size, so that
// it compares with the bounds of interface sprites.
Vector2 InterfaceMouse();
// The object has a sprite and the interface mouse lies in its bounds.
bool InterfaceMouseIn(const GameObject* object);
