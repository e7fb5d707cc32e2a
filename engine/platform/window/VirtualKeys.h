#pragma once

// The classic desktop virtual-key code of an SDL scancode (by physical key position):
// 'A'..'Z' 65..90, '0'..'9' 48..57, F1..F12 112..123, both Shift keys 16, both Ctrl
// keys 17, both Alt keys 18, keypad Enter as Enter 13, and so on. 0 for a key that has
// no such code; callers drop those.
int ScancodeToVirtualKey(int scancode);
