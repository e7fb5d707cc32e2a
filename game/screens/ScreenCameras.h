#pragma once

#include "object/Vector2.h"

class TweensBhv;

// The renderer's two cameras as the screens' transitions see them. Their resting
// values come from the display alone (the world view unturned at its 40 x 22.5 units,
// the interface at 1280 x 720), never from what a camera shows when a transition
// begins: a transition that began while another one still moved a camera would keep
// the moving value for good.
namespace ScreenCameras {

Vector2 RestingWorldScale();
Vector2 RestingUiScale();

// Both cameras back at rest: scales and turns as the display sets them.
void Rest();

// Cancels every tween of those cameras' scales and turns on that behaviour, so that
// none writes a camera after its screen has handed over or gone.
void StopTweens(TweensBhv* tweens);

}  // namespace ScreenCameras
