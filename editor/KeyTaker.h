#pragma once

#include <functional>
#include <span>

#include "editor/ListedComponent.h"
#include "input/InputManager.h"
#include "input/KeyStroke.h"

// A component that acts on the editor's keys while nothing holds the keyboard: the
// editor root, the level editor, the palettes' shortcuts, the tool chords.
//
// The editor root deals each pass's strokes out one at a time in the order they went
// down, right after the pump and before the game reads its keys: first to the keyboard
// capturers (a click may give or take a field's focus, a key goes to the focused field or
// the open dialog), then, while no field, dialog or tool holds the keyboard, to every key
// taker that the input walk reaches. So the Enter that commits a field or answers a
// dialog acts before the Alt+S struck after it, whatever passes they fall into, every
// chord is read with the modifiers it was struck with, not those still held when its pass
// comes, and the game gets the keys struck while the keyboard was free.
class KeyTaker : public ListedComponent<KeyTaker> {
public:
    // What one pass's dealing found.
    struct Dealt {
        // A field, dialog or tool held the keyboard at some point of the pass.
        bool KeyboardHeld = false;
        // The keys that were theirs (InputManager::KeysClaimed).
        KeySet Claimed;
    };

    // A stroke struck while nothing held the keyboard; `after` holds the pass's strokes
    // that went down after it.
    virtual void TakeStroke(const KeyStroke& stroke, std::span<const KeyStroke> after) = 0;

    // This pass's strokes to the capturers and takers at or below the root. A stroke may
    // end a tool or open a dialog: settle runs after each one, so that what takes input
    // for the next one is already as that stroke left it.
    static Dealt DealStrokes(const GameObject* root, const std::function<void()>& settle);

protected:
    explicit KeyTaker(const Component* self) : ListedComponent(self) {}
    virtual ~KeyTaker() = default;
};
