#pragma once

#include <span>
#include <vector>

#include "input/InputManager.h"
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
// The stroke is the key going down, not a held key typing again.
bool IsPress(const KeyStroke& stroke, Key key);
// The stroke is the key going down with Ctrl held as it went down: a quick chord is
// often let go before its pass comes, or its Ctrl went down a pass earlier.
bool IsCtrlPress(const KeyStroke& stroke, Key key);
bool IsArrow(int key);
bool IsPressed(Key key);
bool IsDown(Key key);
bool IsTyped(Key key);
// The keys down after this pass's pump, whether or not the window has the focus.
KeySet KeysDown();
// The arrow keys among the strokes as a step in interface pixels (y down); opposite keys
// cancel, and Shift held at a stroke makes it ten times longer.
Vector2 NudgeOf(std::span<const KeyStroke> strokes);

}  // namespace EdInput
