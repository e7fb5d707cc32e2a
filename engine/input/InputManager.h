#pragma once

#include <bitset>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "input/KeyStroke.h"
#include "input/Keys.h"
#include "object/Vector2.h"

using KeySet = std::bitset<kKeySetSize>;

// The keyboard and mouse for one pass of the main loop, in the game's key codes. The
// message pump writes the raw state (KeysDown, MousePosition); Update turns it into
// edges, typed keys with auto-repeat and typed text. Every query answers false while
// the game window does not have the focus.
class InputManager {
public:
    // A held key types again once this much frame time has passed since it went down
    // (the timer starts below zero), then each time RepeatInterval more has passed.
    static constexpr float RepeatDelay = -0.35f;
    static constexpr float RepeatInterval = 0.05f;

    InputManager();
    virtual ~InputManager();

    // Reads "action": "key name" members in file order; a repeated member binds one more
    // key. An unknown action binds its key to MoveUp, an unknown key name or a value that
    // is no text binds none; each is told, naming the entry. Throws ContentError naming
    // the file when it is missing or malformed.
    void LoadKeyMappings(const std::filesystem::path& path);

    // Once per pass, before the message pump: typed keys and text from the two previous
    // pumps, then the current state becomes the previous. The text has the repeats of
    // held keys first, then the newly pressed keys in the order they went down: at a low
    // pass rate several letters of a word arrive in one pump.
    void Update();

    // This pass's keys in the order they went down, without the lag of KeysTyped and
    // TypedText: the repeats of held keys, then the presses of this pass's pump as they
    // came, then keys set down without a press from the window (in key order). A stalled
    // pass takes a click, some letters and an Enter at once; a text input that applies
    // them one by one commits what was typed before its Enter, and counts each of two
    // Backspaces. Empty while the window does not have the focus.
    std::vector<KeyStroke> Strokes() const;

    bool IsKeyDown(Key key) const;
    bool IsKeyPressed(Key key) const;
    bool IsKeyTyped(Key key) const;
    // Pass KeysDown (held), KeysDownPrevious (held before this pass's pump) or KeysTyped.
    bool IsActionInKeySet(InputAction action, const KeySet& keys) const;
    bool IsActionPressed(InputAction action) const;

    // The game's share of the keys: KeysDown less KeysClaimed.
    KeySet UnclaimedKeysDown() const;
    bool IsUnclaimedActionHeld(InputAction action) const;
    bool IsUnclaimedActionPressed(InputAction action) const;

    // From the window. A key pressed and released again before the next pass still
    // counts as down for one pass (pressed in it, typed in the one after), so a short
    // tap at a low frame rate is never lost; the release shows in the pass after.
    void PressKey(int key);
    void ReleaseKey(int key);
    // Focus left the window: no key stays down until pressed again.
    void ReleaseAllKeys();

    Vector2 MousePosition;          // client-area pixels, written by the message pump
    Vector2 MousePositionPrevious;  // as it stood when Update ran
    KeySet KeysDown;
    KeySet KeysDownPrevious;
    std::string TypedText;
    std::multimap<InputAction, Key> ActionKeys;
    std::vector<float> RepeatTimers;
    KeySet KeysTyped;
    // The keys that the editor's fields, dialogs and tools have this pass: struck while one
    // of them held the keyboard, or down while one holds it and not struck while it was
    // free. The editor writes them after the pump, once it has dealt the pass's keys, so
    // that a key struck after a field let go is the game's and one struck before a click
    // gave a field the keyboard too. Update empties them.
    KeySet KeysClaimed;

private:
    bool HasFocus() const;
    // Decides whether key k is typed this pass, advancing its repeat timer.
    bool AdvanceRepeat(int k, float delta);

    // The character of key k, shifted or not, or none.
    static char CharacterOf(int k, bool shifted);
    // The key as the keyboard holds it now, not counting a release the coming pass has
    // yet to see.
    bool IsHeld(Key key) const;
    bool IsShiftHeld() const;
    KeyStroke StrokeOf(int k, bool shifted, bool ctrl, bool alt, bool repeat) const;

    // Keys released in the pump that pressed them: up once Update has seen them down.
    KeySet mReleaseAfterPass;
    // Presses since the last Update, in the order they came, each with Shift, Ctrl, Alt and
    // the mouse as they were then: within one pump Shift can go up between two letters. A key
    // let go and pressed again in between is in it twice.
    std::vector<KeyStroke> mPressOrder;
    // The held keys that typed again in this pass's Update.
    std::vector<KeyStroke> mRepeats;
};

extern InputManager* gInputManager;
