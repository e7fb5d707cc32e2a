#pragma once

#include <string>

// The game's key codes, in keyboard order. Key sets hold 256 bits, so any code below
// 256 is valid in them.
// Rows follow the keyboard.
// clang-format off
enum class Key : int {
    None, Esc, F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
    PrintScreen, ScrollLock, Pause, Tilde,
    Oem1, Oem2, Oem3, Oem4, Oem5, Oem6, Oem7, Oem8, Oem9, Oem0,  // the main row's digits
    OemMinus, Equals, Backspace, Tab,
    Q, W, E, R, T, Y, U, I, O, P, LeftBracket, RightBracket, Backslash, CapsLock,
    A, S, D, F, G, H, J, K, L, Semicolon, Apostrophe, OemEnter, Shift,
    Z, X, C, V, B, N, M, Comma, OemPeriod, OemSlash, RightShift,
    Ctrl, LeftWindows, Alt, Space, RightWindows, Application,
    Left, Up, Right, Down, NumLock,
    KeypadSlash, KeypadAsterisk, KeypadMinus, KeypadPlus,
    Keypad1, Keypad2, Keypad3, Keypad4, Keypad5, Keypad6, Keypad7, Keypad8, Keypad9, Keypad0,
    KeypadPeriod, KeypadEnter,
    Insert, Delete, Home, End, PageUp, PageDown,
    LeftMouse, MiddleMouse, RightMouse,
    EndMark,  // named "__END"
};
// clang-format on

constexpr int kKeySetSize = 256;

constexpr int KeyCode(Key key) {
    return static_cast<int>(key);
}

enum class InputAction : int {
    MoveUp,
    MoveDown,
    MoveLeft,
    MoveRight,
    MenuConfirm,
    MenuCancel,
    Fire,
    MenuReplay,
    MenuNextLevel,
    Pause,
    GoToLevelSelect,
};

// Key names as key mappings write them; exact, case-sensitive. A name that is not in
// the table gives None (keys) or MoveUp (actions).
Key ParseKey(const std::string& name);
InputAction ParseInputAction(const std::string& name);
// "" for a code without a name.
const char* KeyName(Key key);
const char* InputActionName(InputAction action);

// A desktop virtual-key code as the game's key code; a code without a row in the
// table is returned unchanged.
int VirtualKeyToKey(int virtualKey);

// The character a typed key adds to the typed text, '\0' for keys that type nothing.
char KeyCharacter(int keyCode, bool shifted);
