#include "input/InputManager.h"

#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>

#include <system_error>

#include "object/ContentError.h"
#include "object/ContentWarning.h"
#include "object/GameTime.h"
#include "object/JsonFile.h"
#include "render/Graphics.h"

InputManager* gInputManager = nullptr;

InputManager::InputManager() : RepeatTimers(kKeySetSize, 0.0f) {}

InputManager::~InputManager() = default;

namespace {

// What is wrong with one "action": "key" member, and what it binds for that; "" when
// nothing is. The entry is bound all the same, as the names read: an unknown action as
// MoveUp, an unknown key as None, which is never down.
std::string ProblemOfMapping(const std::string& actionName, const boost::property_tree::ptree& value) {
    std::string problem;
    if (InputActionName(ParseInputAction(actionName)) != actionName) {
        problem = "no action is named " + QuotedContent(actionName);
    }
    const char* keyProblem = nullptr;
    if (!value.empty()) {
        keyProblem = "the value is not a key name in quotes";
    } else if (KeyName(ParseKey(value.data())) != value.data()) {
        keyProblem = "no key is named ";
    }
    if (keyProblem != nullptr) {
        problem += (problem.empty() ? "" : ", ") + std::string(keyProblem) +
                   (value.empty() ? QuotedContent(value.data()) : std::string());
        return problem + "; the entry binds no key";
    }
    return problem.empty() ? problem : problem + "; the key is bound to MoveUp";
}

}  // namespace

void InputManager::LoadKeyMappings(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error) && !error) {
        throw ContentError(path, "not found");
    }
    // The shared reader refuses deep nesting before the parser could overflow the stack.
    const boost::property_tree::ptree root = ReadJsonFile(path);
    if (!root.data().empty() || (!root.empty() && root.front().first.empty())) {
        throw ContentError(path, "key mappings must be one object of \"Action\": \"Key\" members");
    }
    for (const auto& [actionName, value] : root) {
        const std::string problem = ProblemOfMapping(actionName, value);
        if (!problem.empty()) {
            const std::string entry =
                QuotedContent(actionName) + (value.empty() ? ": " + QuotedContent(value.data()) : "");
            WarnContent(path.generic_string() + ": entry " + entry + ": " + problem);
        }
        ActionKeys.emplace(ParseInputAction(actionName), ParseKey(value.data()));
    }
}

void InputManager::Update() {
    KeysTyped.reset();
    KeysClaimed.reset();
    TypedText.clear();
    mRepeats.clear();
    const float delta = CurrentFrameDelta();
    const bool shifted = IsKeyDown(Key::Shift) || IsKeyDown(Key::RightShift);
    const bool ctrl = IsKeyDown(Key::Ctrl);
    const bool alt = IsKeyDown(Key::Alt);
    const auto type = [this](char c) {
        if (c != '\0') {
            TypedText += c;
        }
    };
    KeySet newlyTyped;
    for (int k = 0; k < kKeySetSize; ++k) {
        if (!AdvanceRepeat(k, delta)) {
            continue;
        }
        KeysTyped.set(k);
        if (KeysDownPrevious.test(k)) {
            mRepeats.push_back(StrokeOf(k, shifted, ctrl, alt, true));
            type(mRepeats.back().Character);
        } else {
            newlyTyped.set(k);
        }
    }
    // Each press types, a letter pressed twice within one pump twice.
    const KeySet pressed = newlyTyped;
    for (const KeyStroke& press : mPressOrder) {
        if (pressed.test(press.Key)) {
            type(press.Character);
            newlyTyped.reset(press.Key);
        }
    }
    // Set without a press from the window (tests, the harness): in key order.
    for (int k = 0; k < kKeySetSize; ++k) {
        if (newlyTyped.test(k)) {
            type(CharacterOf(k, shifted));
        }
    }
    mPressOrder.clear();
    KeysDownPrevious = KeysDown;
    MousePositionPrevious = MousePosition;
    KeysDown &= ~mReleaseAfterPass;
    mReleaseAfterPass.reset();
}

std::vector<KeyStroke> InputManager::Strokes() const {
    if (!HasFocus()) {
        return {};
    }
    std::vector<KeyStroke> strokes = mRepeats;
    strokes.insert(strokes.end(), mPressOrder.begin(), mPressOrder.end());
    KeySet unrecorded = KeysDown & ~KeysDownPrevious;
    for (const KeyStroke& press : mPressOrder) {
        unrecorded.reset(press.Key);
    }
    if (unrecorded.none()) {
        return strokes;
    }
    const bool shifted = IsShiftHeld();
    const bool ctrl = IsHeld(Key::Ctrl);
    const bool alt = IsHeld(Key::Alt);
    for (int k = 0; k < kKeySetSize; ++k) {
        if (unrecorded.test(k)) {
            strokes.push_back(StrokeOf(k, shifted, ctrl, alt, false));
        }
    }
    return strokes;
}

char InputManager::CharacterOf(int k, bool shifted) {
    if (k >= KeyCode(Key::Insert)) {
        return '\0';
    }
    return KeyCharacter(k, shifted);
}

bool InputManager::IsHeld(Key key) const {
    const int k = KeyCode(key);
    return KeysDown.test(k) && !mReleaseAfterPass.test(k);
}

bool InputManager::IsShiftHeld() const {
    return IsHeld(Key::Shift) || IsHeld(Key::RightShift);
}

KeyStroke InputManager::StrokeOf(int k, bool shifted, bool ctrl, bool alt, bool repeat) const {
    return KeyStroke{k, CharacterOf(k, shifted), shifted, ctrl, alt, repeat, MousePosition};
}

bool InputManager::AdvanceRepeat(int k, float delta) {
    float& timer = RepeatTimers[k];
    if (!KeysDown.test(k)) {
        timer = RepeatDelay;
        return false;
    }
    if (!KeysDownPrevious.test(k)) {
        timer = RepeatDelay;
        return true;
    }
    timer += delta;
    if (timer > RepeatInterval) {
        timer -= RepeatInterval;
        return true;
    }
    return false;
}

bool InputManager::IsKeyDown(Key key) const {
    const int k = KeyCode(key);
    return HasFocus() && k >= 0 && k < kKeySetSize && KeysDown.test(k);
}

bool InputManager::IsKeyPressed(Key key) const {
    const int k = KeyCode(key);
    return HasFocus() && k >= 0 && k < kKeySetSize && KeysDown.test(k) && !KeysDownPrevious.test(k);
}

bool InputManager::IsKeyTyped(Key key) const {
    const int k = KeyCode(key);
    return HasFocus() && k >= 0 && k < kKeySetSize && KeysTyped.test(k);
}

bool InputManager::IsActionInKeySet(InputAction action, const KeySet& keys) const {
    if (!HasFocus()) {
        return false;
    }
    const auto [first, last] = ActionKeys.equal_range(action);
    for (auto it = first; it != last; ++it) {
        const int k = KeyCode(it->second);
        // None is never down, even if something set its bit.
        if (it->second != Key::None && k < kKeySetSize && keys.test(k)) {
            return true;
        }
    }
    return false;
}

bool InputManager::IsActionPressed(InputAction action) const {
    return IsActionInKeySet(action, KeysDown) && !IsActionInKeySet(action, KeysDownPrevious);
}

KeySet InputManager::UnclaimedKeysDown() const {
    return KeysDown & ~KeysClaimed;
}

bool InputManager::IsUnclaimedActionHeld(InputAction action) const {
    return IsActionInKeySet(action, UnclaimedKeysDown());
}

bool InputManager::IsUnclaimedActionPressed(InputAction action) const {
    return IsUnclaimedActionHeld(action) && !IsActionInKeySet(action, KeysDownPrevious);
}

void InputManager::PressKey(int key) {
    if (key < 0 || key >= kKeySetSize) {
        return;
    }
    if (!KeysDown.test(key)) {
        // Up and down again before this pass saw the release: still a new press.
        KeysDownPrevious.reset(key);
        mPressOrder.push_back(StrokeOf(key, IsShiftHeld(), IsHeld(Key::Ctrl), IsHeld(Key::Alt), false));
    } else if (mReleaseAfterPass.test(key)) {
        // pressed, let go and pressed again in this pump
        mPressOrder.push_back(StrokeOf(key, IsShiftHeld(), IsHeld(Key::Ctrl), IsHeld(Key::Alt), false));
    }
    KeysDown.set(key);
    mReleaseAfterPass.reset(key);
}

void InputManager::ReleaseKey(int key) {
    if (key < 0 || key >= kKeySetSize) {
        return;
    }
    if (KeysDown.test(key) && !KeysDownPrevious.test(key)) {
        mReleaseAfterPass.set(key);  // pressed in this pump: the coming pass sees it down
        return;
    }
    KeysDown.reset(key);
}

void InputManager::ReleaseAllKeys() {
    KeysDown.reset();
    mReleaseAfterPass.reset();
    mPressOrder.clear();
    mRepeats.clear();
}

// Without a renderer (tools, tests of other layers) there is no window to lose focus.
bool InputManager::HasFocus() const {
    return gGraphics == nullptr || gGraphics->HasFocus != 0;
}
