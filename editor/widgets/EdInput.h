#pragma once

#include <optional>
#include <vector>

#include "input/KeyStroke.h"
#include "input/Keys.h"
#include "object/Vector2.h"

// The input manager as the editor sees it: the mouse in interface space (1280 x 720,
// y down, whatever the window size), and no keys at all while there is no manager.
namespace EdInput {

constexpr float ScreenWidth = 1280.0f;
constexpr float ScreenHeight = 720.0f;

Vector2 Mouse();
Vector2 MousePrevious();
// Where the mouse was when the stroke's key went down.
Vector2 MouseAt(const KeyStroke& stroke);
// This pass's keys in the order they went down (the input manager's Strokes).
std::vector<KeyStroke> Strokes();
// The key's first stroke this pass (a press, or a held key typing again) with the
// modifiers as they were then: a quick chord can be let go within the pump that pressed
// it, before the pass in which its key counts as typed.
std::optional<KeyStroke> FindStroke(Key key);
bool IsPressed(Key key);
bool IsDown(Key key);
bool IsTyped(Key key);
bool IsCtrlDown();
bool IsShiftDown();
// The arrow keys struck this pass as a step in interface pixels (y down); opposite keys
// cancel, and Shift held at a stroke makes it ten times longer.
Vector2 TypedNudge();

}  // namespace EdInput
