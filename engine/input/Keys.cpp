#include "input/Keys.h"

#include <array>
#include <cstring>

namespace {

// Rows follow the keyboard.
// clang-format off
constexpr const char* kKeyNames[] = {
    "None", "Esc", "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12",
    "PrintScreen", "ScrollLock", "Pause", "Tilde",
    "Oem1", "Oem2", "Oem3", "Oem4", "Oem5", "Oem6", "Oem7", "Oem8", "Oem9", "Oem0",
    "OemMinus", "Equals", "Backspace", "Tab",
    "Q", "W", "E", "R", "T", "Y", "U", "I", "O", "P", "LeftBracket", "RightBracket", "Backslash", "CapsLock",
    "A", "S", "D", "F", "G", "H", "J", "K", "L", "Semicolon", "Apostrophe", "OemEnter", "Shift",
    "Z", "X", "C", "V", "B", "N", "M", "Comma", "OemPeriod", "OemSlash", "RightShift",
    "Ctrl", "LeftWindows", "Alt", "Space", "RightWindows", "Application",
    "Left", "Up", "Right", "Down", "NumLock",
    "KeypadSlash", "KeypadAsterisk", "KeypadMinus", "KeypadPlus",
    "Keypad1", "Keypad2", "Keypad3", "Keypad4", "Keypad5", "Keypad6", "Keypad7", "Keypad8", "Keypad9", "Keypad0",
    "KeypadPeriod", "KeypadEnter",
    "Insert", "Delete", "Home", "End", "PageUp", "PageDown",
    "LeftMouse", "MiddleMouse", "RightMouse",
    "__END",
};
// clang-format on
static_assert(std::size(kKeyNames) == KeyCode(Key::EndMark) + 1, "one name per key code");
static_assert(KeyCode(Key::W) == 33 && KeyCode(Key::Space) == 73 && KeyCode(Key::PageUp) == 101 &&
                  KeyCode(Key::RightMouse) == 105 && KeyCode(Key::OemEnter) == 57,
              "key codes are fixed by the mappings files");

constexpr const char* kActionNames[] = {
    "MoveUp", "MoveDown",   "MoveLeft",      "MoveRight", "MenuConfirm",     "MenuCancel",
    "Fire",   "MenuReplay", "MenuNextLevel", "Pause",     "GoToLevelSelect",
};
static_assert(std::size(kActionNames) == static_cast<int>(InputAction::GoToLevelSelect) + 1, "one name per action");

template <size_t N>
int FindName(const char* const (&names)[N], const std::string& name) {
    for (size_t i = 0; i < N; ++i) {
        if (name == names[i]) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Consecutive virtual keys that map to consecutive key codes.
struct KeyRun {
    int FirstVirtualKey;
    int Count;
    Key FirstKey;
};

constexpr KeyRun kKeyRuns[] = {
    {8, 1, Key::Backspace},      {9, 1, Key::Tab},
    {13, 1, Key::OemEnter},      {16, 1, Key::Shift},
    {17, 1, Key::Ctrl},          {18, 1, Key::Alt},
    {19, 1, Key::Pause},         {20, 1, Key::CapsLock},
    {27, 1, Key::Esc},           {32, 1, Key::Space},
    {33, 1, Key::PageUp},        {34, 1, Key::PageDown},
    {35, 1, Key::End},           {36, 1, Key::Home},
    {37, 4, Key::Left},          {44, 1, Key::PrintScreen},
    {45, 1, Key::Insert},        {46, 1, Key::Delete},
    {48, 1, Key::Oem0},          {49, 9, Key::Oem1},
    {91, 1, Key::LeftWindows},   {92, 1, Key::RightWindows},
    {93, 1, Key::Application},   {96, 1, Key::Keypad0},
    {97, 9, Key::Keypad1},       {106, 1, Key::KeypadAsterisk},
    {107, 1, Key::KeypadPlus},   {109, 1, Key::KeypadMinus},
    {110, 1, Key::KeypadPeriod}, {111, 1, Key::KeypadSlash},
    {112, 12, Key::F1},          {144, 1, Key::NumLock},
    {145, 1, Key::ScrollLock},   {186, 1, Key::Semicolon},
    {187, 1, Key::Equals},       {188, 1, Key::Comma},
    {189, 1, Key::OemMinus},     {190, 1, Key::OemPeriod},
    {191, 1, Key::OemSlash},     {192, 1, Key::Tilde},
    {219, 1, Key::LeftBracket},  {220, 1, Key::Backslash},
    {221, 1, Key::RightBracket}, {222, 1, Key::Apostrophe},
};

// Letters 'A'..'Z' in alphabetical order; the key codes follow the keyboard's rows.
constexpr Key kLetters[26] = {
    Key::A, Key::B, Key::C, Key::D, Key::E, Key::F, Key::G, Key::H, Key::I, Key::J, Key::K, Key::L, Key::M,
    Key::N, Key::O, Key::P, Key::Q, Key::R, Key::S, Key::T, Key::U, Key::V, Key::W, Key::X, Key::Y, Key::Z,
};

std::array<int, kKeySetSize> BuildVirtualKeyTable() {
    std::array<int, kKeySetSize> table{};
    for (int code = 0; code < kKeySetSize; ++code) {
        table[code] = code;
    }
    for (const KeyRun& run : kKeyRuns) {
        for (int i = 0; i < run.Count; ++i) {
            table[run.FirstVirtualKey + i] = KeyCode(run.FirstKey) + i;
        }
    }
    for (int i = 0; i < 26; ++i) {
        table['A' + i] = KeyCode(kLetters[i]);
    }
    return table;
}

// A run of keys that type the characters of a string, in key-code order.
struct CharacterRow {
    Key FirstKey;
    const char* Plain;
    const char* Shifted;
};

constexpr CharacterRow kCharacterRows[] = {
    {Key::Tilde, "`1234567890-=", "~!@#$%^&*()_+"},
    {Key::Q, "qwertyuiop[]\\", "QWERTYUIOP{}|"},
    {Key::A, "asdfghjkl;'", "ASDFGHJKL:\""},
    {Key::Z, "zxcvbnm,./", "ZXCVBNM<>?"},
    {Key::Space, " ", " "},
    {Key::KeypadSlash, "/*-+1234567890.", "/*-+1234567890."},
};

}  // namespace

Key ParseKey(const std::string& name) {
    const int code = FindName(kKeyNames, name);
    return code < 0 ? Key::None : static_cast<Key>(code);
}

InputAction ParseInputAction(const std::string& name) {
    const int action = FindName(kActionNames, name);
    return action < 0 ? InputAction::MoveUp : static_cast<InputAction>(action);
}

const char* KeyName(Key key) {
    const int code = KeyCode(key);
    return code >= 0 && code < static_cast<int>(std::size(kKeyNames)) ? kKeyNames[code] : "";
}

const char* InputActionName(InputAction action) {
    const int index = static_cast<int>(action);
    return index >= 0 && index < static_cast<int>(std::size(kActionNames)) ? kActionNames[index] : "";
}

int VirtualKeyToKey(int virtualKey) {
    static const std::array<int, kKeySetSize> table = BuildVirtualKeyTable();
    if (virtualKey < 0 || virtualKey >= kKeySetSize) {
        return virtualKey;
    }
    return table[virtualKey];
}

char KeyCharacter(int keyCode, bool shifted) {
    for (const CharacterRow& row : kCharacterRows) {
        const int offset = keyCode - KeyCode(row.FirstKey);
        if (offset >= 0 && offset < static_cast<int>(std::strlen(row.Plain))) {
            return shifted ? row.Shifted[offset] : row.Plain[offset];
        }
    }
    return '\0';
}
